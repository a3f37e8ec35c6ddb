// Catalog entry points: each fills its defaults and sends one catalog request.
#include "Api.h"
#include "ApiSupport.h"

#include <initializer_list>

namespace kesto::odbc::api {
namespace {

using Args = std::vector<std::u16string>;

struct Text {
    const SQLCHAR* text;
    SQLSMALLINT length;
};

// Widens every string argument; false when one has a bad length.
bool widenAll(std::initializer_list<Text> in, Args& out) {
    out.clear();
    bool ok = true;
    for (const auto& t : in) {
        out.emplace_back();
        ok = widenArgument(t.text, t.length, out.back()) && ok;
    }
    return ok;
}

std::u16string orDefault(const std::u16string& v, const char16_t* fallback) { return v.empty() ? fallback : v; }

std::string shown(const std::u16string& v) { return narrow(v); }

// Enter line, argument checks done by the caller, then the request.
template <typename Check>
SQLRETURN run(SQLHSTMT hstmt, const char* name, const std::string& enterText, bool argsOk, Check check) {
    Statement* s = enterStatement(hstmt, name, [&] { return enterText; });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    if (!argsOk) return leaveWith(*s, name, refuse(*s, name, code::BadLength, "Invalid string or buffer length"));
    std::string request;
    Args args;
    if (const SQLRETURN r = check(*s, request, args); r != SQL_SUCCESS) return leaveWith(*s, name, r);
    return leaveWith(*s, name, guarded(*s, [&] { return s->processCatalogQuery(request, args); }));
}

std::string tableEnter(SQLHSTMT h, const Args& a, std::size_t table, std::size_t owner) {
    return trace::format("hstmt = %#.8lx szTableName = %s szTableOwner = %s", trace::handleNumber(h), shown(a[table]).c_str(),
                         shown(a[owner]).c_str());
}

}  // namespace

SQLRETURN getTypeInfo(SQLHSTMT hstmt, SQLSMALLINT type) {
    return run(hstmt, "SQLGetTypeInfo", trace::format("hstmt = %#.8lx fSqlType = %d", trace::handleNumber(hstmt), type), true,
               [&](Statement&, std::string& request, Args& args) -> SQLRETURN {
                   request = "ti";
                   args = {type == SQL_ALL_TYPES ? u"%" : widen(trace::format("%d", type))};
                   return SQL_SUCCESS;
               });
}

SQLRETURN columns(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* table,
                  SQLSMALLINT cbTable, SQLCHAR* column, SQLSMALLINT cbColumn) {
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {table, cbTable}, {column, cbColumn}}, a);
    return run(hstmt, "SQLColumns", tableEnter(hstmt, a, 1, 0), ok, [&](Statement&, std::string& request, Args& args) -> SQLRETURN {
        request = "co";
        args = {a[1], a[2], orDefault(a[0], u"%")};
        return SQL_SUCCESS;
    });
}

SQLRETURN specialColumns(SQLHSTMT hstmt, SQLUSMALLINT colType, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner,
                         SQLCHAR* table, SQLSMALLINT cbTable, SQLUSMALLINT, SQLUSMALLINT) {
    const char* name = "SQLSpecialColumns";
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {table, cbTable}}, a);
    const std::string enter = trace::format("hstmt = %#.8lx fColType = %u szTableName = %s szTableOwner = %s",
                                            trace::handleNumber(hstmt), colType, shown(a[1]).c_str(), shown(a[0]).c_str());
    return run(hstmt, name, enter, ok, [&](Statement& s, std::string& request, Args& args) -> SQLRETURN {
        if (colType == SQL_BEST_ROWID) {
            if (a[1].empty()) return refuse(s, name, code::Limit, "Table name must be specified");
            request = "br";
            args = {a[1], orDefault(a[0], u"SQLUser")};
            return SQL_SUCCESS;
        }
        if (colType == SQL_ROWVER) {
            request = "vc";
            return SQL_SUCCESS;
        }
        return refuse(s, name, 467, trace::format("Invalid fColType value: %d", colType));
    });
}

SQLRETURN statistics(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* table,
                     SQLSMALLINT cbTable, SQLUSMALLINT unique, SQLUSMALLINT) {
    const char* name = "SQLStatistics";
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {table, cbTable}}, a);
    return run(hstmt, name, tableEnter(hstmt, a, 1, 0), ok, [&](Statement& s, std::string& request, Args& args) -> SQLRETURN {
        if (a[1].empty()) return refuse(s, name, code::Limit, "Table name must be specified");
        request = "st";
        args = {a[1], orDefault(a[0], u"SQLUser"), unique ? u"1" : u"0"};
        return SQL_SUCCESS;
    });
}

SQLRETURN tables(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                 SQLCHAR* table, SQLSMALLINT cbTable, SQLCHAR* type, SQLSMALLINT cbType) {
    Args a;
    const bool ok = widenAll({{qualifier, cbQualifier}, {owner, cbOwner}, {table, cbTable}, {type, cbType}}, a);
    const std::string enter =
        trace::format("hstmt = %#.8lx szTableQualifier = %s szTableOwner = %s szTableName = %s szTableType = %s",
                      trace::handleNumber(hstmt), shown(a[0]).c_str(), shown(a[1]).c_str(), shown(a[2]).c_str(), shown(a[3]).c_str());
    return run(hstmt, "SQLTables", enter, ok, [&](Statement&, std::string& request, Args& args) -> SQLRETURN {
        const auto& [q, o, t, types] = std::tie(a[0], a[1], a[2], a[3]);
        if (q == u"%" && o.empty() && t.empty()) {
            request = "ca";
        } else if (o == u"%" && q.empty() && t.empty()) {
            request = "sc";
        } else if (types == u"%" && q.empty() && o.empty() && t.empty()) {
            request = "tt";
        } else {
            const bool table = types.find(u"TABLE") != std::u16string::npos;
            const bool view = types.find(u"VIEW") != std::u16string::npos;
            const char16_t* kinds = types.empty() || (table && view) ? u"TABLE,VIEW" : table ? u"TABLE" : view ? u"VIEW" : u"";
            request = "ta";
            args = {orDefault(t, u"%"), kinds, orDefault(o, u"%")};
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN columnPrivileges(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* table,
                           SQLSMALLINT cbTable, SQLCHAR* column, SQLSMALLINT cbColumn) {
    const char* name = "SQLColumnPrivileges";
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {table, cbTable}, {column, cbColumn}}, a);
    return run(hstmt, name, tableEnter(hstmt, a, 1, 0), ok, [&](Statement& s, std::string& request, Args& args) -> SQLRETURN {
        if (a[1].empty()) return refuse(s, name, code::Limit, "Table name must be specified");
        request = "cp";
        args = {a[1], orDefault(a[2], u"%"), orDefault(a[0], u"SQLUser")};
        return SQL_SUCCESS;
    });
}

SQLRETURN foreignKeys(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* pkOwner, SQLSMALLINT cbPkOwner, SQLCHAR* pkTable,
                      SQLSMALLINT cbPkTable, SQLCHAR*, SQLSMALLINT, SQLCHAR* fkOwner, SQLSMALLINT cbFkOwner, SQLCHAR* fkTable,
                      SQLSMALLINT cbFkTable) {
    const char* name = "SQLForeignKeys";
    Args a;
    const bool ok = widenAll({{pkOwner, cbPkOwner}, {pkTable, cbPkTable}, {fkOwner, cbFkOwner}, {fkTable, cbFkTable}}, a);
    const std::string enter =
        trace::format("hstmt = %#.8lx szPkTableName = %s, szFkTableName = %s szPkTableOwner = %s szFkTableOwner = %s",
                      trace::handleNumber(hstmt), shown(a[1]).c_str(), shown(a[3]).c_str(), shown(a[0]).c_str(), shown(a[2]).c_str());
    return run(hstmt, name, enter, ok, [&](Statement& s, std::string& request, Args& args) -> SQLRETURN {
        const std::u16string po = orDefault(a[0], u"SQLUser"), fo = orDefault(a[2], u"SQLUser");
        if (a[1].empty() && a[3].empty())
            return refuse(s, name, code::Limit, "Either primary or foreign key table name must be specified");
        if (!a[1].empty() && !a[3].empty()) {
            request = "cr";
            args = {a[1], a[3], po, fo};
        } else if (!a[1].empty()) {
            request = "ek";
            args = {a[1], po};
        } else {
            request = "ik";
            args = {a[3], fo};
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN primaryKeys(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* table,
                      SQLSMALLINT cbTable) {
    const char* name = "SQLPrimaryKeys";
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {table, cbTable}}, a);
    return run(hstmt, name, tableEnter(hstmt, a, 1, 0), ok, [&](Statement& s, std::string& request, Args& args) -> SQLRETURN {
        if (a[1].empty()) return refuse(s, name, code::Limit, "Table name must be specified");
        request = "pk";
        args = {a[1], orDefault(a[0], u"SQLUser")};
        return SQL_SUCCESS;
    });
}

SQLRETURN procedureColumns(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* proc,
                           SQLSMALLINT cbProc, SQLCHAR* column, SQLSMALLINT cbColumn) {
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {proc, cbProc}, {column, cbColumn}}, a);
    const std::string enter = trace::format("hstmt = %#.8lx szProcName = %s szProcOwner = %s", trace::handleNumber(hstmt),
                                            shown(a[1]).c_str(), shown(a[0]).c_str());
    return run(hstmt, "SQLProcedureColumns", enter, ok, [&](Statement&, std::string& request, Args& args) -> SQLRETURN {
        request = "pc";
        args = {a[1], a[2], orDefault(a[0], u"%")};
        return SQL_SUCCESS;
    });
}

SQLRETURN procedures(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* proc,
                     SQLSMALLINT cbProc) {
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {proc, cbProc}}, a);
    const std::string enter = trace::format("hstmt = %#.8lx szProcName = %s szProcOwner = %s", trace::handleNumber(hstmt),
                                            shown(a[1]).c_str(), shown(a[0]).c_str());
    return run(hstmt, "SQLProcedures", enter, ok, [&](Statement&, std::string& request, Args& args) -> SQLRETURN {
        request = "pr";
        args = {orDefault(a[1], u"%"), orDefault(a[0], u"%")};
        return SQL_SUCCESS;
    });
}

SQLRETURN tablePrivileges(SQLHSTMT hstmt, SQLCHAR*, SQLSMALLINT, SQLCHAR* owner, SQLSMALLINT cbOwner, SQLCHAR* table,
                          SQLSMALLINT cbTable) {
    Args a;
    const bool ok = widenAll({{owner, cbOwner}, {table, cbTable}}, a);
    return run(hstmt, "SQLTablePrivileges", tableEnter(hstmt, a, 1, 0), ok, [&](Statement&, std::string& request, Args& args) -> SQLRETURN {
        request = "tp";
        args = {orDefault(a[1], u"%"), orDefault(a[0], u"%")};
        return SQL_SUCCESS;
    });
}

}  // namespace kesto::odbc::api
