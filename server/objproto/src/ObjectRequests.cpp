// Requests 5, 9, 11 and 13: objects and their properties.
#include "Session.h"

#include "model/ServerText.h"
#include "model/ValueForms.h"
#include "text/CodePage.h"

namespace kesto::server::objproto {

using model::ServerError;
using model::TypeCode;
using model::Value;
namespace errc = model::errc;

namespace {

const model::PropertyDef& findProperty(const model::ClassDef& cls, std::string_view name) {
  if (const auto* p = cls.findProperty(name))
    return *p;
  throw ServerError(errc::UnknownProperty, {cls.name, std::string(name)});
}

// The value the object holds now: what was set, else what was loaded.
Value currentValue(const ServerObject& o, const model::PropertyDef& p) {
  if (const Value* v = o.changes.find(p.column))
    return *v;
  if (const Value* v = o.stored.find(p.column))
    return *v;
  return Value::null();
}

std::string classNameReply(int ref, const model::ClassDef& cls, const TextCodec& codec) {
  wire::ListWriter out;
  out.integer(ref);
  codec.write(out, cls.name);
  return out.take();
}

// Character streams hold Windows-1252 bytes; the database holds UTF-8 text.
std::string streamBytes(bool binary, const Value& stored) {
  if (binary || stored.isNull())
    return stored.bytes();
  return text::toNarrow(text::utf8ToUtf16(stored.toText()), text::CodePage::Ansi);
}

Value storedStream(bool binary, const std::string& bytes) {
  if (binary)
    return Value::blob(bytes);
  return Value::text(text::utf16ToUtf8(text::toWide(bytes, text::CodePage::Ansi)));
}

}  // namespace

ServerObject& Session::findObject(int ref) {
  if (auto* o = objects_.object(ref))
    return *o;
  throw ServerError(errc::BadObjectRef, {std::to_string(ref)});
}

int Session::openById(const model::ClassDef& cls, const std::string& id) {
  if (const int ref = objects_.findOpen(&cls, id)) {
    objects_.addRef(ref);
    return ref;
  }
  auto row = db_->load(cls, id);
  if (!row)
    throw ServerError(errc::NoSuchObject, {cls.name, id});
  ServerObject o;
  o.cls = &cls;
  o.id = id;
  o.stored = std::move(*row);
  return objects_.add(std::move(o));
}

Reply Session::openObject(std::uint8_t code, wire::ListReader& body) {
  const model::ClassDef& cls = findClass(TextCodec::text(body.next()));
  if (!cls.persistent())
    throw ServerError(errc::UnknownClass, {cls.name});
  const auto initElement = body.tryNext();
  const std::string init = initElement ? std::string(initElement->data) : std::string();
  wire::ListReader inner(init);
  int ref = 0;
  if (code == 9) {
    ServerObject o;
    o.cls = &cls;
    ref = objects_.add(std::move(o));
  } else if (code == 13) {
    ref = openById(cls, TextCodec::text(inner.next()));
  } else {
    const std::string oid(inner.next().data);
    wire::ListReader fields(oid);
    const std::string id = TextCodec::text(fields.next());
    const std::string oidClass = TextCodec::text(fields.next());
    if (!model::equalsNoCase(oidClass, cls.name))
      throw ServerError(errc::NoSuchObject, {cls.name, id});
    ref = openById(cls, id);
  }
  Reply reply;
  reply.payload = classNameReply(ref, cls, codec_);
  return reply;
}

int Session::streamFor(ServerObject& object, const model::PropertyDef& property) {
  if (const auto it = object.streams.find(property.name);
      it != object.streams.end() && objects_.stream(it->second))
    return it->second;
  StreamObject s;
  s.binary = property.type == TypeCode::BinaryStream;
  s.content = streamBytes(s.binary, currentValue(object, property));
  const int ref = objects_.add(std::move(s));
  object.streams[property.name] = ref;
  return ref;
}

std::string Session::propertyElement(int ref, std::string_view name) {
  ServerObject& o = findObject(ref);
  const model::PropertyDef& p = findProperty(*o.cls, name);
  const Value value = currentValue(o, p);
  switch (p.type) {
    case TypeCode::Object: {
      const std::string id = value.toText();
      if (id.empty() || p.refClass.empty())
        return codec_.element("");
      const model::ClassDef& target = findClass(p.refClass);
      // A reference handed out again is not counted again.
      int target_ref = objects_.findOpen(&target, id);
      if (!target_ref)
        target_ref = openById(target, id);
      return codec_.element(std::to_string(target_ref));
    }
    case TypeCode::BinaryStream:
    case TypeCode::CharStream:
      return codec_.element(std::to_string(streamFor(o, p)));
    case TypeCode::Binary:
    case TypeCode::List:
      return wire::encodeText8(value.bytes());
    default:
      return codec_.element(model::toWire(p.type, value));
  }
}

void Session::setProperty(int ref, std::string_view name, const wire::Element& element) {
  ServerObject& o = findObject(ref);
  const model::PropertyDef& p = findProperty(*o.cls, name);
  Value value;
  switch (p.type) {
    case TypeCode::Object: {
      const std::string text = TextCodec::text(element);
      if (!text.empty() && text != "0") {
        const ServerObject* target = objects_.object(static_cast<int>(integerArgument(element, p.name)));
        if (!target || target->id.empty())
          throw ServerError(errc::BadValue, {p.name, text});
        value = Value::text(target->id);
      }
      break;
    }
    case TypeCode::BinaryStream:
    case TypeCode::CharStream: {
      const int streamRef = static_cast<int>(integerArgument(element, p.name));
      const StreamObject* s = objects_.stream(streamRef);
      if (!s)
        throw ServerError(errc::BadValue, {p.name, TextCodec::text(element)});
      // The content is copied into the object's own stream: the two objects must not
      // share one stream, or a change of the one would change the other.
      value = storedStream(p.type == TypeCode::BinaryStream, s->content);
      if (const auto it = o.streams.find(p.name); it != o.streams.end() && it->second != streamRef)
        if (StreamObject* own = objects_.stream(it->second)) {
          own->content = s->content;
          own->position = 0;
          own->rewound = false;
        }
      break;
    }
    case TypeCode::Binary:
    case TypeCode::List:
      value = Value::blob(TextCodec::bytes(element));
      break;
    default:
      value = model::fromWire(p.type, TextCodec::text(element), p.name);
      model::checkDeclaredLength(p, value);
  }
  o.changes.set(p.column, std::move(value));
}

Reply Session::getProperty(wire::ListReader& body) {
  const int ref = static_cast<int>(integerArgument(body.next(), "oref"));
  Reply reply;
  reply.payload = propertyElement(ref, TextCodec::text(body.next()));
  return reply;
}

void Session::save(ServerObject& o) {
  for (const auto& [name, ref] : o.streams)
    if (const StreamObject* s = objects_.stream(ref))
      if (const auto* p = o.cls->findProperty(name))
        o.changes.set(p->column, storedStream(s->binary, s->content));
  if (o.id.empty()) {
    model::Row all = o.stored;
    for (const auto& [column, value] : o.changes.columns())
      all.set(column, value);
    o.id = db_->insert(*o.cls, all);
    o.stored = std::move(all);
  } else {
    db_->update(*o.cls, o.id, o.changes);
    for (const auto& [column, value] : o.changes.columns())
      o.stored.set(column, value);
  }
  o.changes = model::Row();
}

}  // namespace kesto::server::objproto
