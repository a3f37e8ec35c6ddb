// Classifies a statement, turns literals into parameters and rewrites markers for the server.
#pragma once

#include "ParameterRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::odbc {

enum class StatementKind : std::int32_t {
    Query = 1,
    Call = 2,
    CallWithResult = 3,
    Other = 4,
    SynchronousCommitOn = 6,
    SynchronousCommitOff = 7,
    BlobSupportOff = 8,
    BlobSupportOn = 9,
};

struct PreprocessedSql {
    std::u16string text;  // rewritten text, or the procedure name of a call
    StatementKind kind = StatementKind::Other;
    std::uint32_t markerCount = 0;
};

// records: the statement's parameter list; records already there are the application's bindings.
PreprocessedSql preprocessSql(std::u16string_view text, bool delimitedIdentifiers, std::vector<ParameterRecord>& records);

// Literal text as a parameter value: quotes removed and undoubled, numbers normalised.
std::u16string literalValue(std::u16string_view token);

}  // namespace kesto::odbc
