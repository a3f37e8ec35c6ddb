#include "SqlTypes.h"

#include "ExpressionTypes.h"

#include <text/Compare.h>

#include <sqlite3.h>

#include <cctype>
#include <string>

namespace kesto::server::odbc {
namespace {

struct Named {
    const char* name;
    int sqlType;
    int precision;
};

// Longest names first where one begins another.
constexpr Named kNames[] = {
    {"LONGVARCHAR", sqltype::LongVarChar, 2147483647}, {"LONGVARBINARY", sqltype::LongVarBinary, 2147483647},
    {"VARCHAR", sqltype::VarChar, 255},        {"VARBINARY", sqltype::VarBinary, 255},
    {"CHARACTER", sqltype::Char, 1},           {"CHAR", sqltype::Char, 1},
    {"CLOB", sqltype::LongVarChar, 2147483647}, {"TEXT", sqltype::VarChar, 255},
    {"BLOB", sqltype::LongVarBinary, 2147483647}, {"BINARY", sqltype::Binary, 1},
    {"BIGINT", sqltype::BigInt, 19},           {"SMALLINT", sqltype::SmallInt, 5},
    {"TINYINT", sqltype::TinyInt, 3},          {"INTEGER", sqltype::Integer, 10},
    {"INT", sqltype::Integer, 10},             {"BIT", sqltype::Bit, 1},
    {"NUMERIC", sqltype::Numeric, 18},         {"DECIMAL", sqltype::Decimal, 18},
    {"DOUBLE", sqltype::Double, 15},           {"FLOAT", sqltype::Float, 15},
    {"REAL", sqltype::Real, 7},                {"TIMESTAMP", sqltype::Timestamp, 19},
    {"DATETIME", sqltype::Timestamp, 19},      {"DATE", sqltype::Date, 10},
    {"TIME", sqltype::Time, 8},
};

std::string upper(std::string_view s) {
    std::string out;
    for (char c : s) out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

// "(10,2)" after the name: precision and scale when given.
void readSize(std::string_view rest, TypeInfo& t) {
    const std::size_t open = rest.find('(');
    if (open == std::string_view::npos) return;
    int values[2] = {-1, -1};
    int which = 0;
    for (std::size_t i = open + 1; i < rest.size() && rest[i] != ')' && which < 2; ++i) {
        const char c = rest[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            values[which] = (values[which] < 0 ? 0 : values[which]) * 10 + (c - '0');
            if (values[which] > 1000000000) return;
        } else if (c == ',') {
            ++which;
        }
    }
    if (values[0] > 0) t.precision = values[0];
    if (values[1] >= 0) t.scale = values[1];
}

}  // namespace

TypeInfo typeFromDeclared(std::string_view declared) {
    const std::string name = upper(declared);
    TypeInfo t;
    for (const Named& n : kNames) {
        if (name.starts_with(n.name)) {
            t = {n.sqlType, n.precision, 0};
            readSize(std::string_view(name).substr(std::char_traits<char>::length(n.name)), t);
            return t;
        }
    }
    if (!name.empty()) readSize(name, t);
    return t;
}

TypeInfo typeFromStorage(int storageClass) {
    switch (storageClass) {
        case SQLITE_INTEGER: return {sqltype::BigInt, 19, 0};
        case SQLITE_FLOAT: return {sqltype::Double, 15, 0};
        case SQLITE_BLOB: return {sqltype::VarBinary, 255, 0};
        default: return {sqltype::VarChar, 255, 0};
    }
}

const char* typeName(int sqlType) {
    switch (sqlType) {
        case sqltype::Char: return "CHAR";
        case sqltype::Numeric: return "NUMERIC";
        case sqltype::Decimal: return "DECIMAL";
        case sqltype::Integer: return "INTEGER";
        case sqltype::SmallInt: return "SMALLINT";
        case sqltype::Float: return "FLOAT";
        case sqltype::Real: return "REAL";
        case sqltype::Double: return "DOUBLE";
        case sqltype::Date: return "DATE";
        case sqltype::Time: return "TIME";
        case sqltype::Timestamp: return "TIMESTAMP";
        case sqltype::VarChar: return "VARCHAR";
        case sqltype::LongVarChar: return "LONGVARCHAR";
        case sqltype::Binary: return "BINARY";
        case sqltype::VarBinary: return "VARBINARY";
        case sqltype::LongVarBinary: return "LONGVARBINARY";
        case sqltype::BigInt: return "BIGINT";
        case sqltype::TinyInt: return "TINYINT";
        case sqltype::Bit: return "BIT";
        default: return "VARCHAR";
    }
}

int octetLength(const TypeInfo& t) {
    switch (t.sqlType) {
        case sqltype::Integer: case sqltype::Real: return 4;
        case sqltype::SmallInt: return 2;
        case sqltype::TinyInt: case sqltype::Bit: return 1;
        case sqltype::BigInt: case sqltype::Double: case sqltype::Float: return 8;
        case sqltype::Date: case sqltype::Time: return 6;
        case sqltype::Timestamp: return 16;
        case sqltype::Numeric: case sqltype::Decimal: return t.precision + 2;
        default: return t.precision;
    }
}

bool isLong(int sqlType) { return sqlType == sqltype::LongVarChar || sqlType == sqltype::LongVarBinary; }
bool isBinary(int sqlType) {
    return sqlType == sqltype::Binary || sqlType == sqltype::VarBinary || sqlType == sqltype::LongVarBinary;
}
bool isCharacter(int sqlType) {
    return sqlType == sqltype::Char || sqlType == sqltype::VarChar || sqlType == sqltype::LongVarChar;
}

ColumnInfo describeColumn(sqlite3* db, sqlite3_stmt* stmt, int column, bool firstRow, const ExpressionType& guess) {
    ColumnInfo c;
    const char* name = sqlite3_column_name(stmt, column);
    c.name = name ? name : "";
    c.label = c.name;
    const char* declared = sqlite3_column_decltype(stmt, column);
    const int storage = firstRow ? sqlite3_column_type(stmt, column) : SQLITE_NULL;
    if (declared && *declared) {
        c.type = typeFromDeclared(declared);
    } else if (guess.kind == ExpressionType::Known) {
        c.type = guess.type;
    } else if (guess.kind == ExpressionType::Numeric) {
        // A number of either kind: the first value tells which, a real when there is none.
        c.type = storage == SQLITE_INTEGER ? typeFromStorage(storage) : typeFromStorage(SQLITE_FLOAT);
    } else if (storage != SQLITE_NULL) {
        c.type = typeFromStorage(storage);
    }
    const char* table = sqlite3_column_table_name(stmt, column);
    const char* origin = sqlite3_column_origin_name(stmt, column);
    const char* schema = sqlite3_column_database_name(stmt, column);
    if (table) c.table = table;
    if (table && origin) {
        int notNull = 0, primaryKey = 0;
        if (sqlite3_table_column_metadata(db, schema, table, origin, nullptr, nullptr, &notNull, &primaryKey, nullptr) ==
            SQLITE_OK)
            c.nullable = notNull || (primaryKey && c.type.sqlType == sqltype::Integer) ? 0 : 1;
    }
    return c;
}

bool findTableColumn(sqlite3* db, std::string_view table, std::string_view column, TableColumn& out) {
    std::string schema;
    std::string name(table);
    if (const std::size_t dot = name.find('.'); dot != std::string::npos) {
        schema = name.substr(0, dot);
        name = name.substr(dot + 1);
    }
    const std::string schemas[] = {schema.empty() ? "main" : schema, schema.empty() ? "FRX" : ""};
    for (const std::string& s : schemas) {
        if (s.empty()) continue;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT type, \"notnull\" FROM pragma_table_info(?1, ?2) WHERE name = ?3 COLLATE NOCASE",
                               -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return false;
        }
        sqlite3_bind_text(st, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, column.data(), static_cast<int>(column.size()), SQLITE_TRANSIENT);
        const bool found = sqlite3_step(st) == SQLITE_ROW;
        if (found) {
            const auto* declared = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            out.type = typeFromDeclared(declared ? declared : "");
            out.notNull = sqlite3_column_int(st, 1) != 0;
            out.declared = declared && *declared;
        }
        sqlite3_finalize(st);
        if (found) return true;
    }
    return false;
}

}  // namespace kesto::server::odbc
