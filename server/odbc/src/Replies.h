// Building blocks of statement replies and the error codes the driver maps to SQLSTATEs.
#pragma once

#include "SqlTypes.h"
#include "Values.h"

#include <wire/List.h>

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace kesto::server::odbc {

// Error codes of the shared number space.
namespace code {
inline constexpr std::uint16_t Syntax = 1, NoSuchTable = 30, NoSuchColumn = 31, ValueCount = 62, Constraint = 104,
                               StatementNotHeld = 404, ValueIsNull = 403, WrongParameterCount = 7001,
                               TypeMismatch = 22005;
}

// A statement request refused with a code of the shared number space.
struct RequestError : std::runtime_error {
    RequestError(std::uint16_t c, const std::string& message) : std::runtime_error(message), code(c) {}
    std::uint16_t code;
};

// The code and text a failure is answered with (SQLite's texts are classified).
struct Failure {
    std::uint16_t code = 400;
    std::string message;
};
Failure failureOf(const std::exception& e);
std::uint16_t codeOfSqliteMessage(const std::string& message);

struct ParameterInfo {
    TypeInfo type;
    int nullable = 1;
    std::string column;  // the table column it is compared with or stored in, "" when none
};

// COLDESC: count, then name, SQL type, precision, scale, nullable, label, table.
void writeColumnDescriptions(wire::ListWriter& out, const std::vector<ColumnInfo>& columns, const Encoding& encoding);
// PARMDESC: count, then SQL type, column size, scale, nullable.
void writeParameterDescriptions(wire::ListWriter& out, const std::vector<ParameterInfo>& parameters);

}  // namespace kesto::server::odbc
