#include "Objects.h"

#include "model/ServerError.h"

namespace kesto::server::objproto {

int ObjectTable::insert(Entry entry) {
  for (int tries = 0; tries < kMaxRef; ++tries) {
    const int ref = next_;
    next_ = next_ == kMaxRef ? 1 : next_ + 1;
    if (!entries_.count(ref)) {
      entries_.emplace(ref, std::move(entry));
      return ref;
    }
  }
  throw model::ServerError(model::errc::BadObjectRef, {"voll"});
}

int ObjectTable::add(ServerObject object) {
  return insert(Entry{1, std::move(object)});
}

int ObjectTable::add(StreamObject stream) {
  return insert(Entry{1, std::move(stream)});
}

ServerObject* ObjectTable::object(int ref) {
  const auto it = entries_.find(ref);
  return it == entries_.end() ? nullptr : std::get_if<ServerObject>(&it->second.item);
}

StreamObject* ObjectTable::stream(int ref) {
  const auto it = entries_.find(ref);
  return it == entries_.end() ? nullptr : std::get_if<StreamObject>(&it->second.item);
}

int ObjectTable::findOpen(const model::ClassDef* cls, std::string_view id) const {
  for (const auto& [ref, entry] : entries_)
    if (const auto* o = std::get_if<ServerObject>(&entry.item); o && o->cls == cls && !o->id.empty() && o->id == id)
      return ref;
  return 0;
}

void ObjectTable::addRef(int ref) {
  if (const auto it = entries_.find(ref); it != entries_.end())
    ++it->second.refs;
}

void ObjectTable::release(int ref) {
  const auto it = entries_.find(ref);
  if (it != entries_.end() && --it->second.refs <= 0)
    entries_.erase(it);
}

}  // namespace kesto::server::objproto
