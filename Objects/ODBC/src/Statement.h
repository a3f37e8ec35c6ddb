// The statement handle record, as far as the connection level needs it.
#pragma once

#include "Errors.h"
#include "ParameterRecord.h"

#include <sql.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace kesto::odbc {

struct Connection;

struct Statement : HandleBase {
    explicit Statement(Connection* c) : connection(c) {}

    Connection* connection;
    std::size_t slot = 0;
    std::vector<std::pair<std::uint16_t, SQLULEN>> options;
    std::vector<ParameterRecord> parameters;
};

// Sets one statement option (0..14); SQLSetStmtOption and the connection's stored options
// both come through here.
SQLRETURN setStatementOption(Statement& statement, std::uint16_t option, SQLULEN value);

}  // namespace kesto::odbc
