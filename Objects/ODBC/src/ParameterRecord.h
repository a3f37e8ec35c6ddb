// One parameter of a statement, in marker order: what the text made of it and how the
// application bound it.
#pragma once

#include <sql.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kesto::odbc {

enum class GeneratedKind : std::int32_t {
    Application = 0,  // the application binds its value
    Literal = 1,      // a literal taken from the text; value in text
    Omitted = 2,      // a procedure argument left out: sent as an absent value
    Null = 3,         // an SQL NULL taken from the text
};

enum ParameterFlag : std::uint32_t {
    ParamBound = 1,
    ParamDataPending = 2,
    ParamInput = 4,
    ParamOutput = 8,
    ParamBeingSupplied = 16,
};

// How a literal taken from the text travels: strings as text, numbers as numbers, so that
// the server compares and computes with them as with the literal itself.
enum class LiteralForm : std::uint8_t { Text, Integer, Decimal };

// What SQLPutData gave: the value itself, the handle of a long value sent in chunks, or NULL.
enum class SuppliedAs : std::uint8_t { Inline, StreamHandle, Null };

struct ParameterRecord {
    ParameterRecord() = default;
    ParameterRecord(GeneratedKind kind, std::u16string value) : generatedKind(kind), text(std::move(value)) {}

    GeneratedKind generatedKind = GeneratedKind::Application;
    std::u16string text;
    // A number literal: Integer = mantissa; Decimal = mantissa x 10^exponent (a real).
    LiteralForm literalForm = LiteralForm::Text;
    std::int64_t mantissa = 0;
    std::int8_t exponent = 0;

    SQLLEN* lengthPointer = nullptr;
    SQLLEN* currentLength = nullptr;
    SQLULEN columnSize = 0;
    SQLSMALLINT scale = 0;
    SQLSMALLINT nullable = 0;
    SQLSMALLINT sqlType = 0;
    SQLSMALLINT cType = 0;
    SQLLEN elementSize = 0;
    std::uint32_t flags = 0;
    const void* data = nullptr;
    void* boundData = nullptr;
    SQLLEN suppliedLength = 0;
    // Data given by SQLPutData, copied: the application may reuse its buffer after the call.
    std::vector<std::uint8_t> supplied;
    SuppliedAs suppliedAs = SuppliedAs::Inline;

    bool isApplication() const { return generatedKind == GeneratedKind::Application; }
    bool operator==(const ParameterRecord&) const = default;
};

}  // namespace kesto::odbc
