// ODBC 2 SQL types of SQLite columns, and the descriptions the replies carry.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kesto::server::odbc {

namespace sqltype {
inline constexpr int Char = 1, Numeric = 2, Decimal = 3, Integer = 4, SmallInt = 5, Float = 6, Real = 7, Double = 8,
                     Date = 9, Time = 10, Timestamp = 11, VarChar = 12, LongVarChar = -1, Binary = -2, VarBinary = -3,
                     LongVarBinary = -4, BigInt = -5, TinyInt = -6, Bit = -7;
}

struct TypeInfo {
    int sqlType = sqltype::VarChar;
    int precision = 255;  // column size: characters, digits or bytes
    int scale = 0;
};

// From a declared type such as "VARCHAR(60)", "NUMERIC(10,2)" or "LONGVARBINARY"; an empty
// or unknown one is VARCHAR.
TypeInfo typeFromDeclared(std::string_view declared);
// For an expression column: from SQLite's storage class of a value (SQLITE_INTEGER ...).
// SQLite's integers are 64-bit: BIGINT.
TypeInfo typeFromStorage(int storageClass);

// The type's name in catalogs ("VARCHAR", "INTEGER", ...).
const char* typeName(int sqlType);
// Bytes the value takes in its default C type (LENGTH of the catalogs).
int octetLength(const TypeInfo& type);
bool isLong(int sqlType);
bool isBinary(int sqlType);
bool isCharacter(int sqlType);

// One column description: name, SQL type, precision, scale, nullable (0, 1, 2), label, table.
struct ColumnInfo {
    std::string name;
    TypeInfo type;
    int nullable = 2;
    std::string label;
    std::string table;
};

// Describes column `column` of a prepared statement by its declared type; `guess` types a
// column without one (an expression, a typeless column). `firstRow` tells whether the
// statement stands on a row whose storage class may type it when the guess cannot.
struct ExpressionType;
ColumnInfo describeColumn(sqlite3* db, sqlite3_stmt* stmt, int column, bool firstRow, const ExpressionType& guess);

// A column of a table: nullopt when the table or column is not there. `owner` is "main",
// "FRX" or "" (both, main first).
struct TableColumn {
    TypeInfo type;
    bool notNull = false;
    bool declared = false;  // false for a column created without a type: its values type it
};
bool findTableColumn(sqlite3* db, std::string_view table, std::string_view column, TableColumn& out);

}  // namespace kesto::server::odbc
