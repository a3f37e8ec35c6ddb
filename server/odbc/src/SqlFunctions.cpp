#include "SqlFunctions.h"

#include <text/Compare.h>

#include <sqlite3.h>

#include <cctype>
#include <ctime>
#include <string>
#include <string_view>

namespace kesto::server::odbc {
namespace {

std::string_view textArg(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

void resultText(sqlite3_context* ctx, const std::string& s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void changeCase(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const bool up = sqlite3_user_data(ctx) != nullptr;
    std::string s(textArg(argv[0]));
    for (char& c : s) c = static_cast<char>(up ? std::toupper(static_cast<unsigned char>(c)) : std::tolower(static_cast<unsigned char>(c)));
    resultText(ctx, s);
}

// Byte offset of character `n` in UTF-8 text (or its size when it has fewer).
std::size_t charOffset(std::string_view s, std::int64_t n) {
    std::size_t i = 0;
    for (std::int64_t k = 0; k < n && i < s.size(); ++k) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

std::int64_t charCount(std::string_view s) {
    std::int64_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

void leftRight(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const std::string_view s = textArg(argv[0]);
    const std::int64_t n = std::max<std::int64_t>(0, sqlite3_value_int64(argv[1]));
    const bool left = sqlite3_user_data(ctx) != nullptr;
    const std::size_t at = left ? charOffset(s, n) : charOffset(s, std::max<std::int64_t>(0, charCount(s) - n));
    resultText(ctx, std::string(left ? s.substr(0, at) : s.substr(at)));
}

void concat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    resultText(ctx, std::string(textArg(argv[0])) + std::string(textArg(argv[1])));
}

void mod(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const std::int64_t d = sqlite3_value_int64(argv[1]);
    if (anyNull(argc, argv) || d == 0) return sqlite3_result_null(ctx);
    const std::int64_t a = sqlite3_value_int64(argv[0]);
    sqlite3_result_int64(ctx, d == -1 ? 0 : a % d);
}

void now(sqlite3_context* ctx, int, sqlite3_value**) {
    const auto* format = static_cast<const char*>(sqlite3_user_data(ctx));
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    resultText(ctx, std::string(buf, std::strftime(buf, sizeof buf, format, &local)));
}

// Part of a "yyyy-mm-dd" text: the user data is the offset and length of the digits.
void datePart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto where = reinterpret_cast<std::intptr_t>(sqlite3_user_data(ctx));
    const std::string_view s = textArg(argv[0]);
    const auto at = static_cast<std::size_t>(where / 10), len = static_cast<std::size_t>(where % 10);
    if (s.size() < at + len) return sqlite3_result_null(ctx);
    std::int64_t v = 0;
    for (char c : s.substr(at, len)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return sqlite3_result_null(ctx);
        v = v * 10 + (c - '0');
    }
    sqlite3_result_int64(ctx, v);
}

// Class tables belong to the object server: SQL clients may not create, change or drop
// anything in FRX.
int authorize(void*, int action, const char* a, const char* b, const char* database, const char*) {
    auto isFrx = [](const char* name) { return name && text::equalsNoCase(std::string_view(name), std::string_view("FRX")); };
    switch (action) {
        case SQLITE_CREATE_INDEX: case SQLITE_CREATE_TABLE: case SQLITE_CREATE_TRIGGER: case SQLITE_CREATE_VIEW:
        case SQLITE_DROP_INDEX: case SQLITE_DROP_TABLE: case SQLITE_DROP_TRIGGER: case SQLITE_DROP_VIEW:
            return isFrx(database) ? SQLITE_DENY : SQLITE_OK;
        case SQLITE_ALTER_TABLE: return isFrx(a) ? SQLITE_DENY : SQLITE_OK;
        default: (void)b; return SQLITE_OK;
    }
}

}  // namespace

void installSqlFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* const on = reinterpret_cast<void*>(1);
    sqlite3_create_function(db, "UCASE", 1, flags, on, changeCase, nullptr, nullptr);
    sqlite3_create_function(db, "LCASE", 1, flags, nullptr, changeCase, nullptr, nullptr);
    sqlite3_create_function(db, "LEFT", 2, flags, on, leftRight, nullptr, nullptr);
    sqlite3_create_function(db, "RIGHT", 2, flags, nullptr, leftRight, nullptr, nullptr);
    sqlite3_create_function(db, "CONCAT", 2, flags, nullptr, concat, nullptr, nullptr);
    sqlite3_create_function(db, "MOD", 2, flags, nullptr, mod, nullptr, nullptr);
    static const char kNow[] = "%Y-%m-%d %H:%M:%S", kDate[] = "%Y-%m-%d", kTime[] = "%H:%M:%S";
    sqlite3_create_function(db, "NOW", 0, SQLITE_UTF8, const_cast<char*>(kNow), now, nullptr, nullptr);
    sqlite3_create_function(db, "CURDATE", 0, SQLITE_UTF8, const_cast<char*>(kDate), now, nullptr, nullptr);
    sqlite3_create_function(db, "CURTIME", 0, SQLITE_UTF8, const_cast<char*>(kTime), now, nullptr, nullptr);
    sqlite3_create_function(db, "YEAR", 1, flags, reinterpret_cast<void*>(std::intptr_t{4}), datePart, nullptr, nullptr);
    sqlite3_create_function(db, "MONTH", 1, flags, reinterpret_cast<void*>(std::intptr_t{52}), datePart, nullptr, nullptr);
    sqlite3_create_function(db, "DAYOFMONTH", 1, flags, reinterpret_cast<void*>(std::intptr_t{82}), datePart, nullptr,
                            nullptr);
    sqlite3_set_authorizer(db, authorize, nullptr);
}

}  // namespace kesto::server::odbc
