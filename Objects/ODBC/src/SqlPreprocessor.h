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

// A number literal (with its sign) as the value it stands for: an integer when written
// without point and exponent, else a decimal. False when it fits neither a 64-bit integer
// nor 18 digits with an exponent of -128 to 127: such a literal stays in the text.
bool numberLiteral(std::u16string_view token, LiteralForm& form, std::int64_t& mantissa, std::int8_t& exponent);

}  // namespace kesto::odbc
