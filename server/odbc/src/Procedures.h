// The procedures a client can call with {call ...}: each one SQL statement on the demo
// tables, with its arguments bound as ?1, ?2 ...
#pragma once

#include "SqlTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::server::odbc {

struct ProcedureArgument {
    std::string name;
    TypeInfo type;
};

struct Procedure {
    std::string name;  // in owner SQLUser
    std::vector<ProcedureArgument> arguments;  // input arguments
    std::optional<TypeInfo> returns;           // the first column of the first row, when set
    bool resultSet = false;                    // the rows are the result set
    std::string sql;
    std::string remarks;
};

const std::vector<Procedure>& procedures();
// By "name" or "SQLUser.name", without regard to case; nullptr when unknown.
const Procedure* findProcedure(std::string_view name);
// Result flags of the replies: bit 0 result set, 2 when output values follow.
int procedureFlags(const Procedure& p);

}  // namespace kesto::server::odbc
