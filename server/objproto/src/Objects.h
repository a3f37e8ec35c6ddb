// The object references of one session: open objects and stream objects share one
// space of numbers 1..32767 (the client keys references by their low 16 bits).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "model/ClassDef.h"
#include "model/Value.h"

namespace kesto::server::objproto {

struct ServerObject {
  const model::ClassDef* cls = nullptr;
  std::string id;             // empty while a new object is unsaved
  model::Row stored;          // the row as loaded
  model::Row changes;         // set but not saved
  std::map<std::string, int> streams;  // property -> stream reference handed out
};

struct StreamObject {
  bool binary = true;
  std::string content;        // 8-bit bytes (Windows-1252 for character streams)
  std::size_t position = 0;
  bool rewound = false;       // the next Write replaces the content
  std::map<std::string, std::string> attributes;
};

class ObjectTable {
 public:
  static constexpr int kMaxRef = 32767;

  // Adds an entry with one reference; throws ServerError when every number is in use.
  int add(ServerObject object);
  int add(StreamObject stream);

  ServerObject* object(int ref);
  StreamObject* stream(int ref);
  bool contains(int ref) const { return entries_.count(ref) != 0; }
  // The reference of an open saved object of that class and ID, or 0.
  int findOpen(const model::ClassDef* cls, std::string_view id) const;

  void addRef(int ref);
  // Drops one reference; frees the entry at 0. Unknown references are ignored.
  void release(int ref);
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    int refs = 1;
    std::variant<ServerObject, StreamObject> item;
  };
  int insert(Entry entry);

  std::map<int, Entry> entries_;
  int next_ = 1;
};

}  // namespace kesto::server::objproto
