// Values as the object protocol carries them: texts in the session's element type, error
// lists and status texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/ServerError.h"
#include "wire/List.h"

namespace kesto::server::objproto {

class TextCodec {
 public:
  explicit TextCodec(bool unicode) : unicode_(unicode) {}
  bool unicode() const { return unicode_; }

  // A text (UTF-8) as one element: UTF-16 in a Unicode session, else Windows-1252.
  // The empty text is always the empty 8-bit element 02 01.
  std::string element(std::string_view utf8) const;
  void write(wire::ListWriter& out, std::string_view utf8) const;
  // An element the client sent, as UTF-8: type 1 read as Windows-1252, type 2 as UTF-16,
  // numbers as decimal text, the undefined element as "".
  static std::string text(const wire::Element& e);
  // Raw bytes of an element (binary values, lists, identifiers).
  static std::string bytes(const wire::Element& e) { return std::string(e.data); }

 private:
  bool unicode_;
};

// "0 " + error list: the status text (and the status value of methods) of a failure.
std::string failureStatus(const model::ServerError& error, const TextCodec& codec);
// The error list of one error: one element whose data is [code][param]...
std::string errorList(const model::ServerError& error, const TextCodec& codec);

// An integer read from a text element ("%d" as the client sends it); throws
// ServerError(BadValue) naming `what` when it is not a number.
long long integerArgument(const wire::Element& e, std::string_view what);

// One element wrapped into an 8-bit element (a nested list).
std::string nested(std::string_view elements);

}  // namespace kesto::server::objproto
