#pragma once
// One SQL value as SQLite holds it.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::server::model {

class Value {
 public:
  enum class Kind { Null, Integer, Real, Text, Blob };

  Value() = default;
  static Value null() { return Value(); }
  static Value integer(std::int64_t v);
  static Value real(double v);
  static Value text(std::string v);
  static Value blob(std::string bytes);

  Kind kind() const { return kind_; }
  bool isNull() const { return kind_ == Kind::Null; }
  std::int64_t asInteger() const { return integer_; }
  double asReal() const { return real_; }
  const std::string& bytes() const { return bytes_; }  // Text (UTF-8) or Blob
  double asNumber() const;  // integers and reals as they are, texts read in the C locale, else 0

  // Text form in the C locale: integers "12", reals without exponent ("12.5"), null "".
  std::string toText() const;

  bool operator==(const Value&) const = default;

 private:
  Kind kind_ = Kind::Null;
  std::int64_t integer_ = 0;
  double real_ = 0;
  std::string bytes_;
};

// Column values of one object row, in table order.
class Row {
 public:
  void set(std::string column, Value value);         // replaces an existing column
  const Value* find(std::string_view column) const;  // without regard to case
  const std::vector<std::pair<std::string, Value>>& columns() const { return columns_; }
  bool empty() const { return columns_.empty(); }

 private:
  std::vector<std::pair<std::string, Value>> columns_;
};

}  // namespace kesto::server::model
