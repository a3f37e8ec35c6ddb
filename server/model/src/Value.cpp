#include "model/Value.h"

#include <cstdlib>
#include <cmath>
#include <cstdio>

#include "model/ClassDef.h"

namespace kesto::server::model {

Value Value::integer(std::int64_t v) {
  Value x;
  x.kind_ = Kind::Integer;
  x.integer_ = v;
  return x;
}

Value Value::real(double v) {
  Value x;
  x.kind_ = Kind::Real;
  x.real_ = v;
  return x;
}

Value Value::text(std::string v) {
  Value x;
  x.kind_ = Kind::Text;
  x.bytes_ = std::move(v);
  return x;
}

Value Value::blob(std::string bytes) {
  Value x;
  x.kind_ = Kind::Blob;
  x.bytes_ = std::move(bytes);
  return x;
}

double Value::asNumber() const {
  switch (kind_) {
    case Kind::Integer: return static_cast<double>(integer_);
    case Kind::Real: return real_;
    case Kind::Text: return std::strtod(bytes_.c_str(), nullptr);
    default: return 0;
  }
}

std::string Value::toText() const {
  switch (kind_) {
    case Kind::Null: return {};
    case Kind::Integer: return std::to_string(integer_);
    case Kind::Real: {
      if (!std::isfinite(real_)) return "0";
      // Shortest fixed form that reads back to the same double: "12.5", never "1e+20".
      char buf[512];
      for (int digits = 0; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*f", digits, real_);
        if (std::strtod(buf, nullptr) == real_) break;
      }
      return buf;
    }
    case Kind::Text:
    case Kind::Blob: return bytes_;
  }
  return {};
}

void Row::set(std::string column, Value value) {
  for (auto& [name, v] : columns_) {
    if (equalsNoCase(name, column)) {
      v = std::move(value);
      return;
    }
  }
  columns_.emplace_back(std::move(column), std::move(value));
}

const Value* Row::find(std::string_view column) const {
  for (const auto& [name, v] : columns_)
    if (equalsNoCase(name, column)) return &v;
  return nullptr;
}

}  // namespace kesto::server::model
