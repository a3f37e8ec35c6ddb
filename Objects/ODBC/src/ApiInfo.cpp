// SQLGetInfo and SQLGetFunctions.
#include "AnsiText.h"
#include "Api.h"
#include "Connection.h"
#include "Environment.h"
#include "Keywords.h"
#include "Trace.h"

#include <cstring>
#include <string>

namespace kesto::odbc::api {
namespace {

enum class Answer { U16, U32, Text };
struct InfoRow {
    SQLUSMALLINT type;
    Answer kind;
    std::uint32_t number;
    const char* text;
};

// Fixed answers; answers that depend on the connection are in answerOf below.
constexpr InfoRow kInfo[] = {
    {0, Answer::U16, 255, nullptr},   {1, Answer::U16, 1023, nullptr},  {6, Answer::Text, 0, "KestoODBC.DLL"},
    {9, Answer::U16, 2, nullptr},     {23, Answer::U16, 2, nullptr},    {24, Answer::U16, 2, nullptr},
    {46, Answer::U16, 2, nullptr},    {74, Answer::U16, 2, nullptr},    {85, Answer::U16, 2, nullptr},
    {11, Answer::Text, 0, "N"},       {25, Answer::Text, 0, "N"},       {36, Answer::Text, 0, "N"},
    {90, Answer::Text, 0, "N"},       {111, Answer::Text, 0, "N"},      {113, Answer::Text, 0, "N"},
    {12, Answer::U16, 1, nullptr},    {15, Answer::U16, 1, nullptr},    {22, Answer::U16, 1, nullptr},
    {75, Answer::U16, 1, nullptr},    {114, Answer::U16, 1, nullptr},   {14, Answer::Text, 0, "\\"},
    {17, Answer::Text, 0, "Norvane Kesto"},
    {19, Answer::Text, 0, "Y"},       {20, Answer::Text, 0, "Y"},       {21, Answer::Text, 0, "Y"},
    {27, Answer::Text, 0, "Y"},       {37, Answer::Text, 0, "Y"},       {38, Answer::Text, 0, "Y"},
    {73, Answer::Text, 0, "Y"},       {87, Answer::Text, 0, "Y"},       {103, Answer::Text, 0, "Y"},
    {26, Answer::U32, 1, nullptr},    {48, Answer::U32, 1, nullptr},    {28, Answer::U16, 4, nullptr},
    {93, Answer::U16, 4, nullptr},    {30, Answer::U16, 40, nullptr},   {35, Answer::U16, 40, nullptr},
    {31, Answer::U16, 50, nullptr},   {32, Answer::U16, 30, nullptr},   {107, Answer::U16, 30, nullptr},
    {33, Answer::U16, 0, nullptr},    {34, Answer::U16, 0, nullptr},    {84, Answer::U16, 0, nullptr},
    {97, Answer::U16, 0, nullptr},    {98, Answer::U16, 0, nullptr},    {99, Answer::U16, 0, nullptr},
    {100, Answer::U16, 0, nullptr},   {101, Answer::U16, 0, nullptr},   {106, Answer::U16, 0, nullptr},
    {39, Answer::Text, 0, "SCHEMA"},  {40, Answer::Text, 0, "STORED PROCEDURE"},
    {41, Answer::Text, 0, "."},       {42, Answer::Text, 0, "CATALOG"}, {43, Answer::U32, 3, nullptr},
    {72, Answer::U32, 3, nullptr},    {86, Answer::U32, 3, nullptr},    {96, Answer::U32, 3, nullptr},
    {45, Answer::Text, 0, "TABLE"},   {49, Answer::U32, 0xD9FFEF, nullptr},
    {50, Answer::U32, 0x47EDD, nullptr}, {51, Answer::U32, 4, nullptr}, {52, Answer::U32, 0x1FFFF, nullptr},
    {53, Answer::U32, 0x108, nullptr}, {58, Answer::U32, 0x108, nullptr}, {59, Answer::U32, 0x108, nullptr},
    {60, Answer::U32, 0x108, nullptr}, {61, Answer::U32, 0x108, nullptr}, {63, Answer::U32, 0x108, nullptr},
    {64, Answer::U32, 0x108, nullptr}, {65, Answer::U32, 0x108, nullptr}, {68, Answer::U32, 0x108, nullptr},
    {56, Answer::U32, 0x18108, nullptr}, {57, Answer::U32, 0x28108, nullptr}, {66, Answer::U32, 0x10108, nullptr},
    {67, Answer::U32, 0x18100, nullptr}, {70, Answer::U32, 0x38108, nullptr}, {77, Answer::Text, 0, "02.50"},
    {88, Answer::U16, 3, nullptr},    {89, Answer::Text, 0, kKeywordList},
    {91, Answer::U32, 31, nullptr},   {95, Answer::U32, 31, nullptr},   {92, Answer::U32, 29, nullptr},
    {94, Answer::Text, 0, "@#$%"},    {102, Answer::U32, 120, nullptr}, {108, Answer::U32, 1500, nullptr},
    {109, Answer::U32, 510, nullptr}, {110, Answer::U32, 382, nullptr},
};

struct Reply {
    Answer kind = Answer::U32;
    std::uint32_t number = 0;
    std::string text;
};

Reply answerOf(const Connection& c, SQLUSMALLINT type) {
    switch (type) {
    case 2: return {Answer::Text, 0, narrow(c.dsn)};
    case 7: return {Answer::Text, 0, narrow(c.environment ? c.environment->version : u"4.0.818.0")};
    case 8: return {Answer::U32, c.staticCursors ? 63u : 1u, {}};
    case 13: return {Answer::Text, 0, narrow(c.host)};
    case 16: return {Answer::Text, 0, narrow(c.nameSpace)};
    case 18: return {Answer::Text, 0, narrow(c.serverVersion)};
    case 29: return {Answer::Text, 0, c.delimitedIdentifiers ? "\"" : " "};
    case 44: return {Answer::U32, c.staticCursors ? 19u : 1u, {}};
    case 47: return {Answer::Text, 0, narrow(c.user)};
    default: break;
    }
    for (const auto& row : kInfo)
        if (row.type == type) return {row.kind, row.number, row.text ? row.text : ""};
    return {};
}

bool supported(SQLUSMALLINT f) {
    // The manager asks an ODBC 2 driver about each function numbered 100 or more, and calls
    // only those it confirms: SQLSetConnectAttr is the one the driver has (see Api.h).
    return (f >= 1 && f <= 23) || (f >= 40 && f <= 54) || f == 56 || (f >= 58 && f <= 67) || f == 69 || f == 70 ||
           f == 72 || f == SQL_API_SQLSETCONNECTATTR;
}

}  // namespace

SQLRETURN getInfo(SQLHDBC hdbc, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (dbc->trace) trace::line(trace::Enter, "SQLGetInfo", trace::format("hdbc = %#.8lx fInfoType = %u", trace::handleNumber(dbc), type));
    SQLRETURN r = SQL_SUCCESS;
    if (type > 114 || type == 3 || type == 4 || type == 5 || type == 10 || type == 76) {
        dbc->errorCode = code::NotCapable;
        if (dbc->trace) trace::line(trace::Error, "SQLGetInfo", "Unknown fInfoType");
        r = SQL_ERROR;
    } else {
        const Reply a = answerOf(*dbc, type);
        if (a.kind == Answer::U16) {
            const auto v = static_cast<SQLUSMALLINT>(a.number);
            if (value) std::memcpy(value, &v, sizeof v);
            if (pcb) *pcb = 2;
        } else if (a.kind == Answer::U32) {
            const auto v = static_cast<SQLUINTEGER>(a.number);
            if (value) std::memcpy(value, &v, sizeof v);
            if (pcb) *pcb = 4;
        } else {
            if (pcb) *pcb = static_cast<SQLSMALLINT>(a.text.size());
            if (value && cbMax > 0) {
                auto* out = static_cast<char*>(value);
                const auto room = static_cast<std::size_t>(cbMax);
                const std::size_t n = std::min(a.text.size(), room - 1);
                std::memcpy(out, a.text.data(), n);
                out[n] = '\0';
                if (a.text.size() >= room) {
                    dbc->errorCode = code::Truncated;
                    r = SQL_SUCCESS_WITH_INFO;
                }
            } else if (value && !a.text.empty()) {
                dbc->errorCode = code::Truncated;
                r = SQL_SUCCESS_WITH_INFO;
            }
        }
    }
    if (dbc->trace) trace::line(trace::Leave, "SQLGetInfo", trace::format("Returning %d", r));
    return r;
}

SQLRETURN getFunctions(SQLHDBC hdbc, SQLUSMALLINT function, SQLUSMALLINT* exists) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (dbc->trace)
        trace::line(trace::Enter, "SQLGetFunctions", trace::format("hdbc = %#.8lx fFunction = %u", trace::handleNumber(dbc), function));
    if (exists) {
        if (function == SQL_API_ALL_FUNCTIONS) {
            for (SQLUSMALLINT f = 0; f < 100; ++f) exists[f] = supported(f) ? SQL_TRUE : SQL_FALSE;
        } else {
            *exists = supported(function) ? SQL_TRUE : SQL_FALSE;
        }
    }
    if (dbc->trace) trace::line(trace::Leave, "SQLGetFunctions", trace::format("Returning %d", 0));
    return SQL_SUCCESS;
}

}  // namespace kesto::odbc::api
