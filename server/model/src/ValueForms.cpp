#include "model/ValueForms.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/ServerError.h"
#include "model/ServerText.h"

namespace kesto::server::model {

namespace {

[[noreturn]] void bad(std::string_view name, std::string_view wire) {
  throw ServerError(errc::BadValue, {std::string(name), std::string(wire)});
}

// Seconds of the day from a stored "hh:mm:ss".
int storedSeconds(const std::string& t, std::string_view name) {
  if (t.size() != 8 || t[2] != ':' || t[5] != ':') bad(name, t);
  return std::atoi(t.substr(0, 2).c_str()) * 3600 + std::atoi(t.substr(3, 2).c_str()) * 60 +
         std::atoi(t.substr(6, 2).c_str());
}

std::string clockText(long seconds) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return buf;
}

double parseNumber(std::string_view wire, std::string_view name) {
  const std::string s(wire);
  if (s.empty()) return 0;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(s.c_str(), &end);
  if (errno != 0 || end != s.c_str() + s.size()) bad(name, wire);
  return v;
}

long long parseInteger(std::string_view wire, std::string_view name) {
  const std::string s(wire);
  if (s.empty()) return 0;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(s.c_str(), &end, 10);
  if (errno != 0 || end != s.c_str() + s.size()) bad(name, wire);
  return v;
}

}  // namespace

std::string toWire(TypeCode type, const Value& stored) {
  if (stored.isNull()) return {};
  switch (type) {
    case TypeCode::Text: return toSevenBit(stored.toText());
    case TypeCode::Boolean: return stored.toText() == "1" || stored.toText() == "J" ? "1" : "0";
    case TypeCode::Date: {
      const std::string iso = stored.toText();
      if (iso.empty()) return {};
      std::string out = std::to_string(isoToDayNumber(iso.substr(0, 10)));
      if (iso.size() == 19) {
        const int secs = storedSeconds(iso.substr(11), "Datum");
        if (secs > 0) out += "," + std::to_string(secs);
      }
      return out;
    }
    case TypeCode::Time: {
      const std::string t = stored.toText();
      return t.empty() ? std::string() : std::to_string(storedSeconds(t, "Zeit"));
    }
    default: return stored.toText();
  }
}

Value fromWire(TypeCode type, std::string_view wire, std::string_view name) {
  switch (type) {
    case TypeCode::Text: return Value::text(fromSevenBit(wire));
    case TypeCode::Integer:
    case TypeCode::Object:
    case TypeCode::BinaryStream:
    case TypeCode::CharStream: return Value::integer(parseInteger(wire, name));
    case TypeCode::Boolean: return Value::integer(parseInteger(wire, name) != 0 ? 1 : 0);
    case TypeCode::Double:
    case TypeCode::Number:
    case TypeCode::Currency: return Value::real(parseNumber(wire, name));
    case TypeCode::Binary:
    case TypeCode::List: return Value::blob(std::string(wire));
    case TypeCode::Date: {
      if (wire.empty()) return Value::null();
      const std::size_t comma = wire.find(',');
      const long long day = parseInteger(wire.substr(0, comma), name);
      if (day < 1 || day > 2980000) bad(name, wire);
      std::string iso = dayNumberToIso(int(day));
      if (comma != std::string_view::npos) {
        const long long secs = parseInteger(wire.substr(comma + 1), name);
        if (secs < 0 || secs >= 86400) bad(name, wire);
        if (secs > 0) iso += " " + clockText(long(secs));
      }
      return Value::text(iso);
    }
    case TypeCode::Time: {
      if (wire.empty()) return Value::null();
      const double secs = parseNumber(wire, name);
      if (secs < 0 || secs >= 86400) bad(name, wire);
      return Value::text(clockText(long(secs + 0.5) % 86400));
    }
    default: return Value::text(std::string(wire));
  }
}

}  // namespace kesto::server::model

namespace kesto::server::model {

void checkDeclaredLength(const PropertyDef& property, const Value& value) {
  if (value.kind() != Value::Kind::Text) return;
  const std::string& type = property.sqlType;
  const auto open = type.find('(');
  if (open == std::string::npos || !(equalsNoCase(type.substr(0, open), "VARCHAR") || equalsNoCase(type.substr(0, open), "CHAR")))
    return;
  const std::size_t allowed = std::strtoul(type.c_str() + open + 1, nullptr, 10);
  std::size_t characters = 0;
  for (unsigned char c : value.toText()) characters += (c & 0xC0) != 0x80 ? 1 : 0;  // UTF-8 lead bytes
  if (allowed > 0 && characters > allowed)
    throw ServerError(errc::LongerThanDeclared, {property.name, std::to_string(allowed)});
}

}  // namespace kesto::server::model
