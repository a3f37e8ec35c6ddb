#include "Catalog.h"

#include "Procedures.h"

#include <text/Compare.h>

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <functional>

namespace kesto::server::odbc {
namespace {

using Row = StaticRows::Row;
using model::Value;

ColumnInfo col(std::string name, int sqlType, int precision = 128) {
    ColumnInfo c;
    c.name = c.label = std::move(name);
    c.type = {sqlType, precision, 0};
    c.nullable = 1;
    return c;
}
ColumnInfo text(std::string name) { return col(std::move(name), sqltype::VarChar); }
ColumnInfo small(std::string name) { return col(std::move(name), sqltype::SmallInt, 5); }
ColumnInfo integer(std::string name) { return col(std::move(name), sqltype::Integer, 10); }

Value str(std::string s) { return Value::text(std::move(s)); }
Value num(std::int64_t v) { return Value::integer(v); }
Value null() { return Value::null(); }

std::string arg(const std::vector<std::string>& args, std::size_t i, std::string fallback = "%") {
    return i < args.size() && !args[i].empty() ? args[i] : fallback;
}

// Runs `sql` and hands every row to `each`.
void query(sqlite3* db, const std::string& sql, const std::function<void(sqlite3_stmt*)>& each) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_finalize(st);
        throw CatalogError(message);
    }
    while (sqlite3_step(st) == SQLITE_ROW) each(st);
    sqlite3_finalize(st);
}

std::string columnText(sqlite3_stmt* st, int c) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
    return p ? p : "";
}

// `name` between `quote` characters, inner ones doubled.
std::string enclosed(std::string_view name, char quote) {
    std::string out(1, quote);
    for (char c : name) {
        out.push_back(c);
        if (c == quote) out.push_back(quote);
    }
    return out + quote;
}
std::string literal(std::string_view s) { return enclosed(s, '\''); }
std::string identifier(std::string_view s) { return enclosed(s, '"'); }

struct Table {
    std::string owner;   // "SQLUser" or "FRX"
    std::string schema;  // "main" or "FRX"
    std::string name;
    std::string type;    // "TABLE" or "VIEW"
};

std::vector<Table> tables(sqlite3* db, std::string_view ownerPattern, std::string_view namePattern) {
    std::vector<Table> out;
    for (const auto& [owner, schema] : {std::pair{"SQLUser", "main"}, std::pair{"FRX", "FRX"}}) {
        if (!matchesPattern(ownerPattern, owner)) continue;
        query(db,
              std::string("SELECT name, upper(type) FROM ") + schema +
                  ".sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name",
              [&](sqlite3_stmt* st) {
                  const std::string name = columnText(st, 0);
                  if (matchesPattern(namePattern, name)) out.push_back({owner, schema, name, columnText(st, 1)});
              });
    }
    return out;
}

std::vector<ColumnInfo> tableColumns() {
    return {text("TABLE_QUALIFIER"), text("TABLE_OWNER"), text("TABLE_NAME"), text("TABLE_TYPE"), text("REMARKS")};
}

std::unique_ptr<StaticRows> tablesResult(sqlite3* db, std::string_view code, const std::vector<std::string>& args) {
    std::vector<Row> rows;
    if (code == "sc") {
        for (const char* owner : {"FRX", "SQLUser"}) rows.push_back({null(), str(owner), null(), null(), null()});
    } else if (code == "tt") {
        for (const char* type : {"TABLE", "VIEW"}) rows.push_back({null(), null(), null(), str(type), null()});
    } else if (code == "ta") {
        const std::string types = arg(args, 1, "");
        for (const Table& t : tables(db, arg(args, 2), arg(args, 0)))
            if (types.find(t.type) != std::string::npos) rows.push_back({null(), str(t.owner), str(t.name), str(t.type), null()});
    }
    return std::make_unique<StaticRows>(tableColumns(), std::move(rows));
}

struct ColumnFact {
    std::string name;
    TypeInfo type;
    bool notNull = false;
    int primaryKey = 0;  // position in the primary key, 0 = none
};

std::vector<ColumnFact> columnFacts(sqlite3* db, const Table& t) {
    std::vector<ColumnFact> out;
    query(db, "SELECT name, type, \"notnull\", pk FROM pragma_table_info(" + literal(t.name) + ", " + literal(t.schema) + ")",
          [&](sqlite3_stmt* st) {
              ColumnFact f{columnText(st, 0), typeFromDeclared(columnText(st, 1)), sqlite3_column_int(st, 2) != 0,
                           sqlite3_column_int(st, 3)};
              if (f.primaryKey && f.type.sqlType == sqltype::Integer) f.notNull = true;  // the rowid
              out.push_back(std::move(f));
          });
    return out;
}

bool numeric(int sqlType) {
    return !isCharacter(sqlType) && !isBinary(sqlType) && sqlType != sqltype::Date && sqlType != sqltype::Time &&
           sqlType != sqltype::Timestamp;
}

std::unique_ptr<StaticRows> columnsResult(sqlite3* db, const std::vector<std::string>& args) {
    std::vector<Row> rows;
    for (const Table& t : tables(db, arg(args, 2), arg(args, 0)))
        for (const ColumnFact& f : columnFacts(db, t)) {
            if (!matchesPattern(arg(args, 1), f.name)) continue;
            const bool isNumber = numeric(f.type.sqlType);
            rows.push_back({null(), str(t.owner), str(t.name), str(f.name), num(f.type.sqlType), str(typeName(f.type.sqlType)),
                            num(f.type.precision), num(octetLength(f.type)), isNumber ? num(f.type.scale) : null(),
                            isNumber ? num(10) : null(), num(f.notNull ? 0 : 1), null()});
        }
    return std::make_unique<StaticRows>(
        std::vector<ColumnInfo>{text("TABLE_QUALIFIER"), text("TABLE_OWNER"), text("TABLE_NAME"), text("COLUMN_NAME"),
                                small("DATA_TYPE"), text("TYPE_NAME"), integer("PRECISION"), integer("LENGTH"),
                                small("SCALE"), small("RADIX"), small("NULLABLE"), text("REMARKS")},
        std::move(rows));
}

// The one table an owner and a name (no pattern) stand for.
std::vector<Table> exactTable(sqlite3* db, const std::string& table, const std::string& owner) {
    std::vector<Table> out;
    for (Table& t : tables(db, owner.empty() ? "SQLUser" : owner, "%"))
        if (text::equalsNoCase(std::string_view(t.name), std::string_view(table))) out.push_back(std::move(t));
    return out;
}

std::unique_ptr<StaticRows> primaryKeysResult(sqlite3* db, const std::vector<std::string>& args) {
    std::vector<Row> rows;
    for (const Table& t : exactTable(db, arg(args, 0, ""), arg(args, 1, "SQLUser"))) {
        std::vector<ColumnFact> facts = columnFacts(db, t);
        for (int seq = 1;; ++seq) {
            auto it = std::find_if(facts.begin(), facts.end(), [&](const ColumnFact& f) { return f.primaryKey == seq; });
            if (it == facts.end()) break;
            rows.push_back({null(), str(t.owner), str(t.name), str(it->name), num(seq), null()});
        }
    }
    return std::make_unique<StaticRows>(std::vector<ColumnInfo>{text("TABLE_QUALIFIER"), text("TABLE_OWNER"),
                                                                text("TABLE_NAME"), text("COLUMN_NAME"), small("KEY_SEQ"),
                                                                text("PK_NAME")},
                                        std::move(rows));
}

std::unique_ptr<StaticRows> specialColumnsResult(sqlite3* db, std::string_view code, const std::vector<std::string>& args) {
    std::vector<Row> rows;
    if (code == "br") {
        for (const Table& t : exactTable(db, arg(args, 0, ""), arg(args, 1, "SQLUser"))) {
            bool any = false;
            for (const ColumnFact& f : columnFacts(db, t)) {
                if (!f.primaryKey) continue;
                any = true;
                rows.push_back({num(2), str(f.name), num(f.type.sqlType), str(typeName(f.type.sqlType)), num(f.type.precision),
                                num(octetLength(f.type)), num(f.type.scale), num(1)});
            }
            if (!any && t.type == "TABLE")
                rows.push_back({num(2), str("rowid"), num(sqltype::Integer), str("INTEGER"), num(10), num(4), num(0), num(2)});
        }
    }
    return std::make_unique<StaticRows>(std::vector<ColumnInfo>{small("SCOPE"), text("COLUMN_NAME"), small("DATA_TYPE"),
                                                                text("TYPE_NAME"), integer("PRECISION"), integer("LENGTH"),
                                                                small("SCALE"), small("PSEUDO_COLUMN")},
                                        std::move(rows));
}

std::unique_ptr<StaticRows> statisticsResult(sqlite3* db, const std::vector<std::string>& args) {
    std::vector<Row> rows;
    const bool all = arg(args, 2, "1") != "0";
    for (const Table& t : exactTable(db, arg(args, 0, ""), arg(args, 1, "SQLUser"))) {
        std::int64_t count = 0;
        query(db, "SELECT count(*) FROM " + identifier(t.schema) + "." + identifier(t.name),
              [&](sqlite3_stmt* st) { count = sqlite3_column_int64(st, 0); });
        rows.push_back({null(), str(t.owner), str(t.name), null(), null(), null(), num(0), null(), null(), null(), num(count),
                        null(), null()});
        std::vector<std::pair<std::string, bool>> indexes;
        query(db, "SELECT name, \"unique\" FROM pragma_index_list(" + literal(t.name) + ", " + literal(t.schema) + ") ORDER BY name",
              [&](sqlite3_stmt* st) { indexes.emplace_back(columnText(st, 0), sqlite3_column_int(st, 1) != 0); });
        for (const auto& [index, unique] : indexes) {
            if (!unique && !all) continue;
            query(db, "SELECT seqno, name FROM pragma_index_info(" + literal(index) + ", " + literal(t.schema) + ") ORDER BY seqno",
                  [&](sqlite3_stmt* st) {
                      rows.push_back({null(), str(t.owner), str(t.name), num(unique ? 0 : 1), null(), str(index), num(3),
                                      num(sqlite3_column_int(st, 0) + 1), str(columnText(st, 1)), str("A"), null(), null(),
                                      null()});
                  });
        }
    }
    return std::make_unique<StaticRows>(
        std::vector<ColumnInfo>{text("TABLE_QUALIFIER"), text("TABLE_OWNER"), text("TABLE_NAME"), small("NON_UNIQUE"),
                                text("INDEX_QUALIFIER"), text("INDEX_NAME"), small("TYPE"), small("SEQ_IN_INDEX"),
                                text("COLUMN_NAME"), col("COLLATION", sqltype::Char, 1), integer("CARDINALITY"),
                                integer("PAGES"), text("FILTER_CONDITION")},
        std::move(rows));
}

int ruleOf(const std::string& action) {
    if (text::equalsNoCase(std::string_view(action), std::string_view("CASCADE"))) return 0;
    if (text::equalsNoCase(std::string_view(action), std::string_view("SET NULL"))) return 2;
    return 1;  // RESTRICT, NO ACTION and SET DEFAULT restrict in ODBC 2 terms
}

std::unique_ptr<StaticRows> foreignKeysResult(sqlite3* db, std::string_view code, const std::vector<std::string>& args) {
    std::string pkTable, fkTable, pkOwner = "SQLUser", fkOwner = "SQLUser";
    if (code == "cr") pkTable = arg(args, 0, ""), fkTable = arg(args, 1, ""), pkOwner = arg(args, 2, "SQLUser"), fkOwner = arg(args, 3, "SQLUser");
    else if (code == "ek") pkTable = arg(args, 0, ""), pkOwner = arg(args, 1, "SQLUser");
    else fkTable = arg(args, 0, ""), fkOwner = arg(args, 1, "SQLUser");
    std::vector<Row> rows;
    for (const Table& t : tables(db, fkTable.empty() ? "%" : fkOwner, "%")) {
        if (!fkTable.empty() && !text::equalsNoCase(std::string_view(t.name), std::string_view(fkTable))) continue;
        query(db,
              "SELECT id, seq, \"table\", \"from\", \"to\", on_update, on_delete FROM pragma_foreign_key_list(" + literal(t.name) +
                  ", " + literal(t.schema) + ") ORDER BY id, seq",
              [&](sqlite3_stmt* st) {
                  const std::string parent = columnText(st, 2);
                  if (!pkTable.empty() && !text::equalsNoCase(std::string_view(parent), std::string_view(pkTable))) return;
                  // A reference is to a table of its own schema.
                  const std::string parentOwner = t.owner;
                  if (!pkTable.empty() && !text::equalsNoCase(std::string_view(parentOwner), std::string_view(pkOwner))) return;
                  std::string to = columnText(st, 4);
                  const int seq = sqlite3_column_int(st, 1);
                  if (to.empty()) {
                      for (const Table& p : exactTable(db, parent, parentOwner))
                          for (const ColumnFact& f : columnFacts(db, p))
                              if (f.primaryKey == seq + 1) to = f.name;
                  }
                  rows.push_back({null(), str(parentOwner), str(parent), str(to), null(), str(t.owner), str(t.name),
                                  str(columnText(st, 3)), num(seq + 1), num(ruleOf(columnText(st, 5))),
                                  num(ruleOf(columnText(st, 6))), str(t.name + "_FK" + std::to_string(sqlite3_column_int(st, 0))),
                                  null()});
              });
    }
    return std::make_unique<StaticRows>(
        std::vector<ColumnInfo>{text("PKTABLE_QUALIFIER"), text("PKTABLE_OWNER"), text("PKTABLE_NAME"), text("PKCOLUMN_NAME"),
                                text("FKTABLE_QUALIFIER"), text("FKTABLE_OWNER"), text("FKTABLE_NAME"), text("FKCOLUMN_NAME"),
                                small("KEY_SEQ"), small("UPDATE_RULE"), small("DELETE_RULE"), text("FK_NAME"), text("PK_NAME")},
        std::move(rows));
}

std::unique_ptr<StaticRows> typeInfoResult(const std::vector<std::string>& args) {
    struct T {
        int type;
        const char* prefix;
        const char* params;
        bool caseSensitive;
        bool isUnsignedNumber;
    };
    static const T kTypes[] = {
        {sqltype::Char, "'", "max length", true, false},        {sqltype::VarChar, "'", "max length", true, false},
        {sqltype::LongVarChar, "'", nullptr, true, false},      {sqltype::Numeric, nullptr, "precision,scale", false, false},
        {sqltype::Decimal, nullptr, "precision,scale", false, false}, {sqltype::Integer, nullptr, nullptr, false, false},
        {sqltype::BigInt, nullptr, nullptr, false, false},
        {sqltype::SmallInt, nullptr, nullptr, false, false},    {sqltype::Bit, nullptr, nullptr, false, true},
        {sqltype::Double, nullptr, nullptr, false, false},      {sqltype::Date, "'", nullptr, false, false},
        {sqltype::Time, "'", nullptr, false, false},            {sqltype::Timestamp, "'", nullptr, false, false},
        {sqltype::Binary, "X'", "max length", false, false},    {sqltype::VarBinary, "X'", "max length", false, false},
        {sqltype::LongVarBinary, "X'", nullptr, false, false},
    };
    const std::string wanted = arg(args, 0);
    std::vector<Row> rows;
    for (const T& t : kTypes) {
        if (wanted != "%" && wanted != std::to_string(t.type)) continue;
        const TypeInfo info = typeFromDeclared(typeName(t.type));
        const bool isNumber = numeric(t.type);
        const bool searchable = !isLong(t.type);
        rows.push_back({str(typeName(t.type)), num(t.type), num(info.precision), t.prefix ? str(t.prefix) : null(),
                        t.prefix ? str(t.prefix[0] == 'X' ? "'" : t.prefix) : null(), t.params ? str(t.params) : null(),
                        num(1), num(t.caseSensitive ? 1 : 0), num(searchable ? 3 : 1), isNumber ? num(t.isUnsignedNumber) : null(),
                        isNumber ? num(0) : null(), isNumber ? num(0) : null(), str(typeName(t.type)),
                        isNumber ? num(0) : null(), isNumber ? num(t.type == sqltype::Numeric || t.type == sqltype::Decimal ? 18 : 0) : null()});
    }
    return std::make_unique<StaticRows>(
        std::vector<ColumnInfo>{text("TYPE_NAME"), small("DATA_TYPE"), integer("PRECISION"), text("LITERAL_PREFIX"),
                                text("LITERAL_SUFFIX"), text("CREATE_PARAMS"), small("NULLABLE"), small("CASE_SENSITIVE"),
                                small("SEARCHABLE"), small("UNSIGNED_ATTRIBUTE"), small("MONEY"), small("AUTO_INCREMENT"),
                                text("LOCAL_TYPE_NAME"), small("MINIMUM_SCALE"), small("MAXIMUM_SCALE")},
        std::move(rows));
}

std::unique_ptr<StaticRows> proceduresResult(std::string_view code, const std::vector<std::string>& args) {
    std::vector<Row> rows;
    const bool columns = code == "pc";
    const std::string owner = arg(args, columns ? 2 : 1);
    for (const Procedure& p : procedures()) {
        if (!matchesPattern(arg(args, 0), p.name) || !matchesPattern(owner, "SQLUser")) continue;
        if (!columns) {
            rows.push_back({null(), str("SQLUser"), str(p.name), num(static_cast<std::int64_t>(p.arguments.size())),
                            num(p.returns ? 1 : 0), num(p.resultSet ? 1 : 0), str(p.remarks), num(p.returns ? 2 : 1)});
            continue;
        }
        auto add = [&](const std::string& name, const TypeInfo& type, int columnType) {
            if (!matchesPattern(arg(args, 1), name)) return;
            const bool isNumber = numeric(type.sqlType);
            rows.push_back({null(), str("SQLUser"), str(p.name), str(name), num(columnType), num(type.sqlType),
                            str(typeName(type.sqlType)), num(type.precision), num(octetLength(type)),
                            isNumber ? num(type.scale) : null(), isNumber ? num(10) : null(), num(1), null()});
        };
        if (p.returns) add("RETURN_VALUE", *p.returns, 5);
        for (const ProcedureArgument& a : p.arguments) add(a.name, a.type, 1);
    }
    if (!columns)
        return std::make_unique<StaticRows>(
            std::vector<ColumnInfo>{text("PROCEDURE_QUALIFIER"), text("PROCEDURE_OWNER"), text("PROCEDURE_NAME"),
                                    integer("NUM_INPUT_PARAMS"), integer("NUM_OUTPUT_PARAMS"), integer("NUM_RESULT_SETS"),
                                    text("REMARKS"), small("PROCEDURE_TYPE")},
            std::move(rows));
    return std::make_unique<StaticRows>(
        std::vector<ColumnInfo>{text("PROCEDURE_QUALIFIER"), text("PROCEDURE_OWNER"), text("PROCEDURE_NAME"),
                                text("COLUMN_NAME"), small("COLUMN_TYPE"), small("DATA_TYPE"), text("TYPE_NAME"),
                                integer("PRECISION"), integer("LENGTH"), small("SCALE"), small("RADIX"), small("NULLABLE"),
                                text("REMARKS")},
        std::move(rows));
}

std::unique_ptr<StaticRows> privilegesResult(std::string_view code) {
    std::vector<ColumnInfo> columns = {text("TABLE_QUALIFIER"), text("TABLE_OWNER"), text("TABLE_NAME")};
    if (code == "cp") columns.push_back(text("COLUMN_NAME"));
    for (const char* name : {"GRANTOR", "GRANTEE", "PRIVILEGE", "IS_GRANTABLE"}) columns.push_back(text(name));
    return std::make_unique<StaticRows>(std::move(columns), std::vector<Row>{});
}

char fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool match(std::string_view p, std::string_view s) {
    while (!p.empty()) {
        if (p[0] == '%') {
            p.remove_prefix(1);
            for (std::size_t k = 0; k <= s.size(); ++k)
                if (match(p, s.substr(k))) return true;
            return false;
        }
        if (s.empty()) return false;
        if (p[0] == '\\' && p.size() > 1) p.remove_prefix(1);
        else if (p[0] == '_') {
            p.remove_prefix(1);
            s.remove_prefix(1);
            continue;
        }
        if (fold(p[0]) != fold(s[0])) return false;
        p.remove_prefix(1);
        s.remove_prefix(1);
    }
    return s.empty();
}

}  // namespace

bool matchesPattern(std::string_view pattern, std::string_view name) {
    // Runs of "%" match like one: keeps the backtracking linear in the pattern.
    std::string folded;
    for (char c : pattern)
        if (!(c == '%' && !folded.empty() && folded.back() == '%' && (folded.size() < 2 || folded[folded.size() - 2] != '\\')))
            folded.push_back(c);
    return match(folded, name);
}

std::unique_ptr<StaticRows> runCatalog(sqlite3* db, std::string_view code, const std::vector<std::string>& args) {
    if (code == "ca" || code == "sc" || code == "tt" || code == "ta") return tablesResult(db, code, args);
    if (code == "co") return columnsResult(db, args);
    if (code == "pk") return primaryKeysResult(db, args);
    if (code == "br" || code == "vc") return specialColumnsResult(db, code, args);
    if (code == "st") return statisticsResult(db, args);
    if (code == "cr" || code == "ek" || code == "ik") return foreignKeysResult(db, code, args);
    if (code == "ti") return typeInfoResult(args);
    if (code == "pr" || code == "pc") return proceduresResult(code, args);
    if (code == "cp" || code == "tp") return privilegesResult(code);
    throw CatalogError("Unknown catalog request " + std::string(code));
}

}  // namespace kesto::server::odbc
