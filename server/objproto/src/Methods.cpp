// Requests 15 and 17: instance and class methods, the generated members, and request 3.
#include "Builtins.h"
#include "Session.h"

#include "model/ErrorText.h"
#include "model/ServerText.h"

namespace kesto::server::objproto {

using model::Generic;
using model::ServerError;
using model::TypeCode;
namespace errc = model::errc;

namespace {

std::vector<wire::Element> elements(std::string_view block) {
  std::vector<wire::Element> out;
  wire::ListReader r(block);
  while (const auto e = r.tryNext())
    out.push_back(*e);
  return out;
}

bool isRaw(TypeCode type) {
  return type == TypeCode::Binary || type == TypeCode::List;
}

}  // namespace

std::vector<std::string> Session::echo(std::span<const wire::Element> args) const {
  std::vector<std::string> out;
  for (const auto& a : args)
    out.emplace_back(a.raw);
  return out;
}

std::string Session::statusElement(const std::optional<ServerError>& error) const {
  return wire::encodeText8(error ? failureStatus(*error, codec_) : std::string("1"));
}

Reply Session::callMethod(std::uint8_t code, wire::ListReader& body) {
  const wire::Element target = body.next();
  const std::string method = TextCodec::text(body.next());
  body.next();  // "1" when a return value is wanted; every reply carries one anyway
  const auto block = body.tryNext();
  const std::vector<wire::Element> args = block ? elements(block->data) : std::vector<wire::Element>{};

  CallResult result;
  if (code == 15) {
    const int ref = static_cast<int>(integerArgument(target, "oref"));
    if (StreamObject* s = objects_.stream(ref)) {
      result = callStream(*s, method, args);
    } else {
      ServerObject& o = findObject(ref);
      result = invoke(*o.cls, &o, method, args);
    }
  } else {
    const model::ClassDef& cls = findClass(TextCodec::text(target));
    if (model::equalsNoCase(cls.name, kDiagnostics) && model::equalsNoCase(method, "Ausgabe")) {
      const std::string text = args.empty() ? std::string() : TextCodec::text(args[0]);
      const long long count = args.size() > 1 ? integerArgument(args[1], "count") : 1;
      for (long long i = 0; i < count; ++i)
        if (!sendOutput(text))
          throw ServerError(errc::StreamError, {"output not acknowledged"});
      result = {codec_.element(""), echo(args)};
    } else if (auto dynamic = model::equalsNoCase(cls.name, kDynamicQuery) ? callDynamic(method, args)
                                                                           : std::nullopt) {
      result = std::move(*dynamic);
    } else if (auto query = callQuery(cls, method, args)) {
      result = std::move(*query);
    } else {
      result = invoke(cls, nullptr, method, args);
    }
  }
  wire::ListWriter byRef;
  for (const auto& e : result.byRef)
    byRef.encoded(e);
  Reply reply;
  reply.payload = result.returned + nested(byRef.bytes());
  return reply;
}

CallResult Session::invoke(const model::ClassDef& cls, ServerObject* self, std::string_view name,
                           std::span<const wire::Element> args, bool strict) {
  const auto methods = model::allMethods(cls);
  const model::MethodDef* m = model::findMethod(methods, name);
  if (!m || (m->kind == model::MethodKind::Instance && !self && m->generic != Generic::Close))
    throw ServerError(errc::UnknownMethod, {cls.name, std::string(name)});
  if (args.size() > m->args.size())
    throw ServerError(errc::TooManyArguments, {m->name});
  if (m->generic != Generic::None)
    return invokeGeneric(cls, self, *m, args, strict);
  if (!m->handler)
    throw ServerError(errc::UnknownMethod, {cls.name, m->name});

  std::vector<std::string> values(m->args.size());
  for (std::size_t i = 0; i < args.size(); ++i)
    values[i] = isRaw(m->args[i].type) ? TextCodec::bytes(args[i]) : TextCodec::text(args[i]);
  model::CallContext ctx{*db_, context_};
  CallResult result;
  result.byRef = echo(args);
  try {
    const std::string out = m->handler(ctx, values);
    if (m->returns == TypeCode::Status)
      result.returned = statusElement(std::nullopt);
    else if (m->returns == TypeCode::None)
      result.returned = codec_.element("");
    else if (isRaw(m->returns))
      result.returned = wire::encodeText8(out);
    else
      result.returned = codec_.element(m->returnForm == model::TextForm::Raw ? model::toSevenBit(out) : out);
  } catch (const ServerError& e) {
    if (strict || m->returns != TypeCode::Status)
      throw;
    result.returned = statusElement(e);
  }
  return result;
}

CallResult Session::invokeGeneric(const model::ClassDef& cls, ServerObject* self,
                                  const model::MethodDef& m, std::span<const wire::Element> args,
                                  bool strict) {
  CallResult result;
  result.byRef = echo(args);
  const std::string arg = args.empty() ? std::string() : TextCodec::text(args[0]);
  switch (m.generic) {
    case Generic::Close:
    case Generic::ValidateObject:
      result.returned = statusElement(std::nullopt);
      break;
    case Generic::Save:
      try {
        save(*self);
        result.returned = statusElement(std::nullopt);
      } catch (const ServerError& e) {
        if (strict)
          throw;
        result.returned = statusElement(e);
      }
      break;
    case Generic::Oid: {
      wire::ListWriter oid;
      codec_.write(oid, self->id);
      codec_.write(oid, cls.name);
      result.returned = nested(oid.bytes());
      break;
    }
    case Generic::ClassName:
      result.returned = codec_.element(cls.name);
      break;
    case Generic::DeleteId: {
      std::optional<ServerError> error;
      if (!db_->remove(cls, arg))
        error = ServerError(errc::NoSuchObject, {cls.name, arg});
      if (error && strict)
        throw *error;
      result.returned = statusElement(error);
      break;
    }
    case Generic::LogicalToOdbc: {
      const auto* p = cls.findProperty(m.property);
      result.returned = codec_.element(p && p->type == TypeCode::Text ? model::fromSevenBit(arg) : arg);
      break;
    }
    case Generic::None:
      throw ServerError(errc::UnknownMethod, {cls.name, m.name});
  }
  return result;
}

Reply Session::queuedRecords(std::string_view body) {
  const std::vector<wire::Element> records = elements(body);
  bool onlyGets = true;
  for (const auto& r : records) {
    wire::ListReader fields(r.data);
    onlyGets = onlyGets && TextCodec::text(fields.next()) == "G";
  }
  wire::ListWriter out;
  for (const auto& record : records) {
    wire::ListReader fields(record.data);
    const std::string letter = TextCodec::text(fields.next());
    wire::ListWriter answer;
    answer.text8(letter);
    if (letter == "G") {
      const int ref = static_cast<int>(integerArgument(fields.next(), "oref"));
      const std::string name = TextCodec::text(fields.next());
      try {
        const std::string value = propertyElement(ref, name);
        answer.text8("1");
        answer.encoded(value);
      } catch (const ServerError& e) {
        answer.text8("0");
        codec_.write(answer, model::errorText(e.code(), e.params(), "DEU"));
      }
    } else if (letter == "S") {
      const int ref = static_cast<int>(integerArgument(fields.next(), "oref"));
      const std::string name = TextCodec::text(fields.next());
      setProperty(ref, name, fields.next());
      answer.text8("1");
    } else if (letter == "M" || letter == "C") {
      const wire::Element target = fields.next();
      const std::string method = TextCodec::text(fields.next());
      fields.tryNext();  // "0": deferred calls have no return value
      const auto block = fields.tryNext();
      const auto args = block ? elements(block->data) : std::vector<wire::Element>{};
      if (letter == "M") {
        ServerObject& o = findObject(static_cast<int>(integerArgument(target, "oref")));
        invoke(*o.cls, &o, method, args, true);
      } else {
        invoke(findClass(TextCodec::text(target)), nullptr, method, args, true);
      }
      answer.text8("1");
    } else {
      throw ServerError(errc::BadValue, {"record", letter});
    }
    const std::string element = nested(answer.bytes());
    // Only a block of reads may stop early; the client resends the rest.
    if (onlyGets && out.size() > 0 && out.size() + element.size() > options_.getAnswerBytes) {
      out.encoded(nested(wire::encodeText8("R")));
      break;
    }
    out.encoded(element);
  }
  Reply reply;
  reply.payload = out.take();
  return reply;
}

}  // namespace kesto::server::objproto
