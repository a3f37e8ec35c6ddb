// One parameter of a statement, in marker order.
#pragma once

#include <cstdint>
#include <string>

namespace kesto::odbc {

enum class GeneratedKind : std::int32_t {
    Application = 0,  // the application binds its value
    Literal = 1,      // a literal taken from the text; value in text
    Omitted = 2,      // a procedure argument left out: sent as an absent value
    Null = 3,         // an SQL NULL taken from the text
};

struct ParameterRecord {
    GeneratedKind generatedKind = GeneratedKind::Application;
    std::u16string text;

    bool operator==(const ParameterRecord&) const = default;
};

}  // namespace kesto::odbc
