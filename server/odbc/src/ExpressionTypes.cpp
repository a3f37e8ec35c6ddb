#include "ExpressionTypes.h"

#include "SqlText.h"
#include "SqlTokens.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kesto::server::odbc {
namespace {

using Range = std::pair<std::size_t, std::size_t>;  // [first, last) into the solid tokens

constexpr TypeInfo kInteger{sqltype::BigInt, 19, 0};
constexpr TypeInfo kReal{sqltype::Double, 15, 0};
constexpr TypeInfo kText{sqltype::VarChar, 255, 0};
constexpr TypeInfo kBytes{sqltype::VarBinary, 255, 0};

ExpressionType known(TypeInfo t) { return {ExpressionType::Known, t}; }
const ExpressionType kUnknown{};
const ExpressionType kNumeric{ExpressionType::Numeric, {}};

bool isIntegerType(int t) {
    return t == sqltype::Integer || t == sqltype::SmallInt || t == sqltype::TinyInt || t == sqltype::BigInt || t == sqltype::Bit;
}
bool isRealType(int t) {
    return t == sqltype::Double || t == sqltype::Float || t == sqltype::Real || t == sqltype::Numeric || t == sqltype::Decimal;
}

bool anyOf(const Token& t, std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return is(t, w); });
}

class Reader {
public:
    Reader(sqlite3* db, std::vector<Token> tokens, std::vector<std::string> tables, const std::vector<ExpressionType>& markers)
        : db_(db), t_(std::move(tokens)), tables_(std::move(tables)), markers_(markers) {
        // SQLite numbers a bare "?" one above the highest number so far.
        int highest = 0;
        for (std::size_t i = 0; i < t_.size(); ++i) {
            if (t_[i].kind != Tok::Marker) continue;
            const int n = t_[i].text.size() > 1 ? std::atoi(t_[i].text.c_str() + 1) : highest + 1;
            highest = std::max(highest, n);
            markerNumbers_.emplace_back(i, n);
        }
    }

    const std::vector<Token>& tokens() const { return t_; }

    // The matching ")" of the "(" at `open`, or npos.
    std::size_t closing(std::size_t open, std::size_t last) const {
        int depth = 0;
        for (std::size_t i = open; i < last; ++i) {
            if (punct(i, "(")) ++depth;
            else if (punct(i, ")") && --depth == 0) return i;
        }
        return std::string::npos;
    }
    bool punct(std::size_t i, std::string_view p) const {
        return i < t_.size() && (t_[i].kind == Tok::Punct || t_[i].kind == Tok::Operator) && t_[i].text == p;
    }

    ExpressionType typeOf(Range r) const {
        auto [first, last] = r;
        while (first < last && punct(first, "(") && closing(first, last) == last - 1) {
            ++first;
            --last;
        }
        if (first >= last) return kUnknown;
        if (is(t_[first], "SELECT")) return kUnknown;
        // Lowest binding first: logic and comparisons give 0 or 1, then text joins, then sums
        // and products.
        if (findTop(first, last, [&](std::size_t i) {
                return anyOf(t_[i], {"OR", "AND", "NOT", "IS", "IN", "LIKE", "GLOB", "BETWEEN", "MATCH", "REGEXP", "EXISTS"}) ||
                       (t_[i].kind == Tok::Operator && t_[i].text != "||");
            }) != std::string::npos)
            return known(kInteger);
        if (findTop(first, last, [&](std::size_t i) { return t_[i].kind == Tok::Operator && t_[i].text == "||"; }) !=
            std::string::npos)
            return known(kText);
        for (const auto& ops : {std::array<std::string_view, 2>{"+", "-"}, std::array<std::string_view, 2>{"*", "/"}}) {
            const std::size_t op = findTop(first, last, [&](std::size_t i) {
                // A sign directly after an operator or at the start is no operation.
                const bool binary = i > first && !(t_[i - 1].kind == Tok::Punct && t_[i - 1].text != ")") &&
                                    t_[i - 1].kind != Tok::Operator;
                return binary && t_[i].kind == Tok::Punct && (t_[i].text == ops[0] || t_[i].text == ops[1] ||
                                                              (ops[0] == "*" && t_[i].text == "%"));
            }, true);
            if (op != std::string::npos) return arithmetic(typeOf({first, op}), typeOf({op + 1, last}), t_[op].text);
        }
        if (punct(first, "-") || punct(first, "+")) return typeOf({first + 1, last});
        if (is(t_[first], "CASE")) return caseType(first, last);
        if (last - first == 1) return t_[first].kind == Tok::Marker ? marker(first) : single(t_[first]);
        if (last - first == 2 && t_[first].kind == Tok::Word && t_[first + 1].kind == Tok::String) {
            if (is(t_[first], "X")) return known(kBytes);
            if (is(t_[first], "N")) return known(kText);
        }
        if (last - first == 3 && punct(first + 1, ".")) return single(t_[first + 2]);
        if (t_[first].kind == Tok::Word && punct(first + 1, "(") && closing(first + 1, last) == last - 1)
            return function(first, last);
        return kUnknown;
    }

private:
    template <typename Pred>
    std::size_t findTop(std::size_t first, std::size_t last, Pred pred, bool lastOne = false) const {
        int depth = 0;
        bool inCase = false;
        std::size_t found = std::string::npos;
        for (std::size_t i = first; i < last; ++i) {
            if (punct(i, "(")) ++depth;
            else if (punct(i, ")")) --depth;
            else if (depth == 0 && is(t_[i], "CASE")) inCase = true;
            else if (depth == 0 && is(t_[i], "END")) inCase = false;
            else if (depth == 0 && !inCase && pred(i)) {
                found = i;
                if (!lastOne) return found;
            }
        }
        return found;
    }

    ExpressionType marker(std::size_t token) const {
        for (const auto& [i, n] : markerNumbers_)
            if (i == token && n >= 1 && static_cast<std::size_t>(n) <= markers_.size()) return markers_[static_cast<std::size_t>(n - 1)];
        return kUnknown;
    }

    ExpressionType single(const Token& t) const {
        switch (t.kind) {
            case Tok::Number:
                return known(t.text.find_first_of(".eE") == std::string::npos ? kInteger : kReal);
            case Tok::String: return known(kText);
            case Tok::Word: case Tok::Quoted: {
                if (is(t, "NULL")) return kUnknown;
                if (anyOf(t, {"CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP"})) return known(kText);
                const std::string name = t.kind == Tok::Quoted ? t.text.substr(1, t.text.size() - 2) : t.text;
                for (const std::string& table : tables_) {
                    TableColumn found;
                    if (findTableColumn(db_, table, name, found)) {
                        if (found.declared) return known(found.type);
                        return kUnknown;
                    }
                }
                return kUnknown;
            }
            default: return kUnknown;
        }
    }

    static int numberClass(const ExpressionType& e) {  // 0 unknown, 1 integer, 2 real
        if (e.kind != ExpressionType::Known) return 0;
        if (isIntegerType(e.type.sqlType)) return 1;
        if (isRealType(e.type.sqlType)) return 2;
        return 0;
    }

    static ExpressionType arithmetic(const ExpressionType& a, const ExpressionType& b, std::string_view op) {
        const int ca = numberClass(a), cb = numberClass(b);
        if (ca == 2 || cb == 2) return known(kReal);
        if (ca == 1 && cb == 1) return known(kInteger);
        (void)op;
        return kNumeric;
    }

    ExpressionType caseType(std::size_t first, std::size_t last) const {
        // The first THEN or ELSE branch whose type is known.
        int depth = 0;
        std::size_t branch = std::string::npos;
        for (std::size_t i = first + 1; i < last; ++i) {
            if (punct(i, "(")) ++depth;
            else if (punct(i, ")")) --depth;
            if (depth != 0) continue;
            const bool boundary = anyOf(t_[i], {"WHEN", "ELSE", "END", "THEN"});
            if (!boundary) continue;
            if (branch != std::string::npos) {
                const ExpressionType e = typeOf({branch, i});
                if (e.kind != ExpressionType::Unknown) return e;
                branch = std::string::npos;
            }
            if (is(t_[i], "THEN") || is(t_[i], "ELSE")) branch = i + 1;
        }
        return kUnknown;
    }

    // Arguments of the call whose "(" is at `open` and ")" at `close`, split at top-level commas.
    std::vector<Range> arguments(std::size_t open, std::size_t close) const {
        std::vector<Range> out;
        int depth = 0;
        std::size_t start = open + 1;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (punct(i, "(")) ++depth;
            else if (punct(i, ")")) --depth;
            else if (depth == 0 && punct(i, ",")) {
                out.push_back({start, i});
                start = i + 1;
            }
        }
        if (start < close) out.push_back({start, close});
        return out;
    }

    ExpressionType firstKnown(const std::vector<Range>& args) const {
        ExpressionType numeric = kUnknown;
        for (const Range& a : args) {
            const ExpressionType e = typeOf(a);
            if (e.kind == ExpressionType::Known) return e;
            if (e.kind == ExpressionType::Numeric) numeric = e;
        }
        return numeric;
    }

    ExpressionType function(std::size_t first, std::size_t last) const {
        const Token& name = t_[first];
        std::vector<Range> args = arguments(first + 1, last - 1);
        if (!args.empty() && is(t_[args[0].first], "DISTINCT")) ++args[0].first;
        if (anyOf(name, {"count", "length", "instr", "unicode", "random", "changes", "total_changes", "last_insert_rowid",
                         "sign", "octet_length"}))
            return known(kInteger);
        if (anyOf(name, {"avg", "total", "round", "sqrt", "pi", "log", "log10", "log2", "ln", "exp", "pow", "power",
                         "sin", "cos", "tan", "asin", "acos", "atan", "atan2", "degrees", "radians", "julianday",
                         "ceil", "ceiling", "floor", "trunc"}))
            return known(kReal);
        if (anyOf(name, {"upper", "lower", "ucase", "lcase", "trim", "ltrim", "rtrim", "substr", "substring", "replace",
                         "printf", "format", "quote", "hex", "char", "typeof", "group_concat", "string_agg", "date",
                         "time", "datetime", "strftime", "left", "right", "concat", "concat_ws", "soundex", "now",
                         "curdate", "curtime", "sqlite_version"}))
            return known(kText);
        if (anyOf(name, {"zeroblob", "randomblob", "unhex"})) return known(kBytes);
        if (anyOf(name, {"year", "month", "dayofmonth", "mod"})) return known(kInteger);
        if (is(name, "sum")) {
            const ExpressionType e = args.empty() ? kUnknown : typeOf(args[0]);
            const int c = numberClass(e);
            return c == 1 ? known(kInteger) : c == 2 ? known(kReal) : kNumeric;
        }
        if (anyOf(name, {"min", "max"}) && args.size() > 1) {
            ExpressionType acc = typeOf(args[0]);
            for (std::size_t i = 1; i < args.size(); ++i) {
                const ExpressionType e = typeOf(args[i]);
                if (numberClass(acc) && numberClass(e)) acc = arithmetic(acc, e, "+");
                else if (acc.kind != ExpressionType::Known) acc = e;
            }
            return acc;
        }
        if (anyOf(name, {"min", "max", "abs", "coalesce", "ifnull", "nullif", "likely", "unlikely"})) return firstKnown(args);
        if (is(name, "iif") && args.size() == 3) return firstKnown({args[1], args[2]});
        if (is(name, "cast") && !args.empty()) {
            const auto [a, b] = args[0];
            for (std::size_t i = b; i-- > a;) {
                if (is(t_[i], "AS")) {
                    std::string declared;
                    for (std::size_t k = i + 1; k < b; ++k) declared += t_[k].text + (k + 1 < b && t_[k + 1].text != "(" && t_[k].text != "(" ? " " : "");
                    const TypeInfo type = typeFromDeclared(declared);
                    // SQLite's NUMERIC affinity keeps whole numbers as integers.
                    return known(type);
                }
            }
        }
        return kUnknown;
    }

    sqlite3* db_;
    std::vector<Token> t_;
    std::vector<std::string> tables_;
    const std::vector<ExpressionType>& markers_;
    std::vector<std::pair<std::size_t, int>> markerNumbers_;  // token index, parameter number
};

}  // namespace

ExpressionType typeOfValue(int storageClass) {
    switch (storageClass) {
        case SQLITE_INTEGER: return known(kInteger);
        case SQLITE_FLOAT: return known(kReal);
        case SQLITE_TEXT: return known(kText);
        case SQLITE_BLOB: return known(kBytes);
        default: return kUnknown;
    }
}

std::vector<ExpressionType> selectListTypes(sqlite3* db, std::string_view sql, int columns,
                                            const std::vector<ExpressionType>& markers) {
    std::vector<ExpressionType> out(static_cast<std::size_t>(std::max(columns, 0)));
    std::vector<Token> solid;
    for (Token& t : tokenize(sql))
        if (t.kind != Tok::Space && t.kind != Tok::Comment) solid.push_back(std::move(t));
    const Reader reader(db, std::move(solid), describeMarkers(sql, 0).tables, markers);
    const auto& t = reader.tokens();
    // The outermost SELECT: the first at depth 0 (WITH bodies are in parentheses).
    std::size_t select = std::string::npos;
    int depth = 0;
    for (std::size_t i = 0; i < t.size() && select == std::string::npos; ++i) {
        if (reader.punct(i, "(")) ++depth;
        else if (reader.punct(i, ")")) --depth;
        else if (depth == 0 && is(t[i], "SELECT")) select = i;
    }
    if (select == std::string::npos) return out;
    std::size_t i = select + 1;
    if (i < t.size() && (is(t[i], "DISTINCT") || is(t[i], "ALL"))) ++i;
    std::vector<Range> items;
    std::size_t start = i;
    depth = 0;
    for (; i < t.size(); ++i) {
        if (reader.punct(i, "(")) ++depth;
        else if (reader.punct(i, ")")) --depth;
        if (depth != 0) continue;
        if (reader.punct(i, ",")) {
            items.push_back({start, i});
            start = i + 1;
        } else if (anyOf(t[i], {"FROM", "WHERE", "GROUP", "HAVING", "ORDER", "LIMIT", "UNION", "EXCEPT", "INTERSECT", "WINDOW"}) ||
                   reader.punct(i, ";")) {
            break;
        }
    }
    items.push_back({start, i});
    if (items.size() != out.size()) return out;
    for (std::size_t c = 0; c < items.size(); ++c) {
        auto [a, b] = items[c];
        if (a >= b || reader.punct(b - 1, "*")) return std::vector<ExpressionType>(out.size());
        // An alias: "AS name", or a bare name after a complete expression.
        if (b - a >= 3 && is(t[b - 2], "AS")) b -= 2;
        else if (b - a >= 2 && (t[b - 1].kind == Tok::Word || t[b - 1].kind == Tok::Quoted) &&
                 (t[b - 2].kind == Tok::Word || t[b - 2].kind == Tok::Quoted || t[b - 2].kind == Tok::Number ||
                  t[b - 2].kind == Tok::String || reader.punct(b - 2, ")")) &&
                 !(b - a == 2 && t[a].kind == Tok::Word && t[a + 1].kind == Tok::String) && !is(t[b - 1], "END") &&
                 !is(t[b - 2], "CASE"))
            b -= 1;
        out[c] = reader.typeOf({a, b});
    }
    return out;
}

}  // namespace kesto::server::odbc
