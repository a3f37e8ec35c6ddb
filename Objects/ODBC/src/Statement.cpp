#include "Statement.h"

namespace kesto::odbc {

SQLRETURN setStatementOption(Statement& statement, std::uint16_t option, SQLULEN value) {
    for (auto& [o, v] : statement.options) {
        if (o == option) {
            v = value;
            return SQL_SUCCESS;
        }
    }
    statement.options.emplace_back(option, value);
    return SQL_SUCCESS;
}

}  // namespace kesto::odbc
