// Row cells and parameter values as list elements of the ODBC protocol.
#pragma once

#include "SqlTypes.h"

#include <model/Value.h>
#include <wire/List.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace kesto::server::odbc {

// One cell without copying: a view of a SQLite column or of a model value.
struct Cell {
    model::Value::Kind kind = model::Value::Kind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes;  // Text (UTF-8) or Blob
};
Cell cellOf(sqlite3_stmt* stmt, int column);
Cell cellOf(const model::Value& value);

// Strings travel as UTF-16 or as ISO-8859-1 bytes, as told at the handshake.
struct Encoding {
    bool unicode = true;
};

// Writes NULL and the empty string as the client reads them.
void writeNull(wire::ListWriter& out);
void writeString(wire::ListWriter& out, std::string_view utf8, const Encoding& encoding);
std::string latin1FromUtf8(std::string_view utf8);  // '?' for what ISO-8859-1 lacks
std::string utf8FromLatin1(std::string_view bytes);

// Keeps a long value and answers the reference the row carries in its place.
using LongValueSink = std::function<std::string(const Cell&, int sqlType)>;

// One cell in the form the client's converters take for the column's SQL type. Long
// columns go to `longValues`. Throws wire::CapacityError when a value is too long to travel inline.
void writeCell(wire::ListWriter& out, const Cell& cell, const TypeInfo& type, const Encoding& encoding,
               const LongValueSink& longValues);

// The bytes a long value streams: ISO-8859-1 text for LONGVARCHAR, raw bytes otherwise.
std::string streamBytes(const Cell& cell, int sqlType);

// A parameter element as a SQLite value for a parameter of this SQL type. "Absent" (the
// undefined element) is NULL. Throws wire::FormatError for elements that are no value.
model::Value parameterValue(const wire::Element& e, int sqlType);

}  // namespace kesto::server::odbc
