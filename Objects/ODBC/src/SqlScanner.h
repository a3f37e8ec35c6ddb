// Cuts SQL text into tokens for the statement preprocessor; it never parses SQL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kesto::odbc {

enum class SqlTokenKind : std::int32_t {
    Literal = 0,
    Identifier = 1,
    Operator = 2,
    Other = 3,
    HostVariable = 4,
    Marker = 5,
    DateTimeEscape = 6,
    OpenParen = 7,
    CloseParen = 8,
    Comma = 9,
    NullWord = 10,
    NotWord = 11,
    IsWord = 12,
};

inline constexpr std::size_t kPastEnd = static_cast<std::size_t>(-1);

struct ScanResult {
    std::size_t tokenStart = kPastEnd;  // kPastEnd: no further token
    SqlTokenKind kind = SqlTokenKind::Other;
    char16_t firstChar = 0;
};

// Finds the token at or after position; position becomes the index after it (kPastEnd when the
// token runs to the end). Every call that finds a token consumes at least one character.
ScanResult nextSqlToken(std::u16string_view text, std::size_t& position, bool delimitedIdentifiers);

// Whole-token comparison, ASCII letters case-insensitive; keyword in upper case.
bool tokenEquals(std::u16string_view token, std::u16string_view keyword);

}  // namespace kesto::odbc
