#include "SqlText.h"

#include <text/Compare.h>

#include <cctype>

namespace kesto::server::odbc {
namespace {

enum class Tok { Space, Word, Number, String, Quoted, Comment, Operator, Punct, Marker };

struct Token {
    Tok kind;
    std::string text;
};

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == '$' || c == '%' || c >= 0x80; }
bool isWordPart(unsigned char c) { return isWordStart(c) || std::isdigit(c) || c == '@' || c == '#'; }
bool isOperatorChar(char c) { return c == '<' || c == '>' || c == '=' || c == '!' || c == '|'; }

std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t start = i;
        const auto c = static_cast<unsigned char>(s[i]);
        Tok kind = Tok::Punct;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
            kind = Tok::Space;
        } else if (c == '\'' || c == '"') {
            // Doubled quotes stay inside; an unclosed quote runs to the end.
            ++i;
            while (i < s.size()) {
                if (s[i] == static_cast<char>(c)) {
                    if (i + 1 < s.size() && s[i + 1] == static_cast<char>(c)) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            kind = c == '\'' ? Tok::String : Tok::Quoted;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const std::size_t end = s.find("*/", i + 2);
            i = end == std::string_view::npos ? s.size() : end + 2;
            kind = Tok::Comment;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            const std::size_t end = s.find('\n', i);
            i = end == std::string_view::npos ? s.size() : end;
            kind = Tok::Comment;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
            while (i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
            if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
                std::size_t j = i + 1;
                if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
                if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
                    i = j;
                    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
                }
            }
            kind = Tok::Number;
        } else if (c == '?' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
            ++i;
            while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
            kind = Tok::Marker;
        } else if (isWordStart(c)) {
            while (i < s.size() && isWordPart(static_cast<unsigned char>(s[i]))) ++i;
            kind = Tok::Word;
        } else if (isOperatorChar(s[i])) {
            while (i < s.size() && isOperatorChar(s[i])) ++i;
            kind = Tok::Operator;
        } else {
            ++i;
        }
        out.push_back({kind, std::string(s.substr(start, i - start))});
    }
    return out;
}

bool is(const Token& t, std::string_view word) {
    return t.kind == Tok::Word && text::equalsNoCase(std::string_view(t.text), word);
}

// Index of the next token that is not blank or comment, or tokens.size().
std::size_t nextSolid(const std::vector<Token>& t, std::size_t i) {
    while (i < t.size() && (t[i].kind == Tok::Space || t[i].kind == Tok::Comment)) ++i;
    return i;
}

// Index of the previous solid token, or npos.
std::size_t prevSolid(const std::vector<Token>& t, std::size_t i) {
    while (i-- > 0)
        if (t[i].kind != Tok::Space && t[i].kind != Tok::Comment) return i;
    return std::string::npos;
}

// ":" "%qpar" "(" n ")" -> one Marker token "?n".
void foldMarkers(std::vector<Token>& t, int& highest) {
    std::vector<Token> out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == Tok::Punct && t[i].text == ":" && i + 1 < t.size() && t[i + 1].kind == Tok::Word) {
            if (is(t[i + 1], "%qpar") && i + 4 < t.size() && t[i + 2].text == "(" && t[i + 3].kind == Tok::Number &&
                t[i + 4].text == ")") {
                const std::string& digits = t[i + 3].text;
                if (digits.size() > 6 || digits.find('.') != std::string::npos || digits.find_first_of("eE") != std::string::npos)
                    throw SqlTextError("Bad parameter reference");
                const int n = std::stoi(digits);
                if (n < 1) throw SqlTextError("Bad parameter reference");
                highest = std::max(highest, n);
                out.push_back({Tok::Marker, "?" + digits});
                i += 4;
                continue;
            }
            throw SqlTextError("Host variables are not supported: :" + t[i + 1].text);
        }
        out.push_back(std::move(t[i]));
    }
    t = std::move(out);
}

// ODBC escape clauses: {d x}, {t x}, {ts x}, {fn f(x)}, {oj x}, {escape 'c'}.
void unwrapEscapes(std::vector<Token>& t) {
    std::vector<bool> openEscapes;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Tok::Punct) continue;
        if (t[i].text == "{") {
            const std::size_t k = nextSolid(t, i + 1);
            if (k == t.size() || t[k].kind != Tok::Word) throw SqlTextError("Unknown escape clause");
            if (is(t[k], "d") || is(t[k], "t") || is(t[k], "ts") || is(t[k], "fn") || is(t[k], "oj")) {
                t[k].text.clear();
            } else if (is(t[k], "escape")) {
                t[k].text = "ESCAPE";
            } else {
                throw SqlTextError("Unknown escape clause: " + t[k].text);
            }
            t[i].text.clear();
            openEscapes.push_back(true);
        } else if (t[i].text == "}") {
            if (openEscapes.empty()) throw SqlTextError("Unbalanced escape clause");
            openEscapes.pop_back();
            t[i].text.clear();
        }
    }
    if (!openEscapes.empty()) throw SqlTextError("Unbalanced escape clause");
}

bool isOperandPart(const Token& t) {
    return t.kind == Tok::Word || t.kind == Tok::Quoted || t.kind == Tok::String || t.kind == Tok::Number ||
           t.kind == Tok::Marker || (t.kind == Tok::Punct && t.text == ".");
}

// a %STARTSWITH b -> substr(a,1,length(b)) = b, for operands without blanks.
void rewriteStartsWith(std::vector<Token>& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!is(t[i], "%STARTSWITH")) continue;
        const std::size_t leftEnd = prevSolid(t, i);
        const std::size_t rightBegin = nextSolid(t, i + 1);
        if (leftEnd == std::string::npos || rightBegin == t.size() || !isOperandPart(t[leftEnd]) ||
            !isOperandPart(t[rightBegin]))
            throw SqlTextError("%STARTSWITH needs two operands");
        std::size_t leftBegin = leftEnd;
        while (leftBegin > 0 && isOperandPart(t[leftBegin - 1])) --leftBegin;
        std::size_t rightEnd = rightBegin;
        while (rightEnd + 1 < t.size() && isOperandPart(t[rightEnd + 1])) ++rightEnd;
        std::string left, right;
        for (std::size_t k = leftBegin; k <= leftEnd; ++k) left += t[k].text;
        for (std::size_t k = rightBegin; k <= rightEnd; ++k) right += t[k].text;
        for (std::size_t k = leftBegin; k <= rightEnd; ++k) t[k].text.clear();
        t[leftBegin].text = "substr(" + left + ",1,length(" + right + ")) = " + right;
        i = rightEnd;
    }
}

}  // namespace

bool isQueryText(std::string_view text) {
    const std::vector<Token> t = tokenize(text);
    std::size_t first = 0;
    while (first < t.size() && t[first].kind == Tok::Space) ++first;
    if (first < t.size() && t[first].kind == Tok::Comment && t[first].text.starts_with("/*")) ++first;
    while (first < t.size() && t[first].kind == Tok::Space) ++first;
    if (first >= t.size() || !is(t[first], "SELECT")) return false;
    return nextSolid(t, first + 1) < t.size();
}

SqlForSqlite translateSql(std::string_view text) {
    std::vector<Token> t = tokenize(text);
    SqlForSqlite out;
    foldMarkers(t, out.markers);
    unwrapEscapes(t);
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (is(t[i], "SQLUser") && t[i + 1].text == "." && (i == 0 || t[i - 1].text != ".")) t[i].text = "main";
    rewriteStartsWith(t);
    for (const Token& token : t) out.text += token.text;
    return out;
}

namespace {

// The column a marker is compared with: "col <op> ?" or "? <op> col".
std::string comparedColumn(const std::vector<Token>& t, std::size_t marker) {
    auto columnAt = [&](std::size_t k) -> std::string {
        if (k == std::string::npos || k >= t.size()) return {};
        if (t[k].kind == Tok::Word) return t[k].text;
        if (t[k].kind == Tok::Quoted) return t[k].text.substr(1, t[k].text.size() - 2);
        return {};
    };
    const std::size_t before = prevSolid(t, marker);
    if (before != std::string::npos && (t[before].kind == Tok::Operator || is(t[before], "LIKE"))) {
        const std::string column = columnAt(prevSolid(t, before));
        if (!column.empty()) return column;
    }
    const std::size_t after = nextSolid(t, marker + 1);
    if (after < t.size() && t[after].kind == Tok::Operator) return columnAt(nextSolid(t, after + 1));
    return {};
}

// Items of the parenthesised list that starts at token `open`, split at top-level commas.
std::vector<std::vector<std::size_t>> listItems(const std::vector<Token>& t, std::size_t open, std::size_t& close) {
    std::vector<std::vector<std::size_t>> items(1);
    int depth = 0;
    for (close = open; close < t.size(); ++close) {
        const std::string& s = t[close].text;
        if (t[close].kind == Tok::Punct && s == "(") {
            if (depth++ == 0) continue;
        } else if (t[close].kind == Tok::Punct && s == ")") {
            if (--depth == 0) break;
        } else if (depth == 1 && t[close].kind == Tok::Punct && s == ",") {
            items.emplace_back();
            continue;
        }
        if (t[close].kind != Tok::Space && t[close].kind != Tok::Comment) items.back().push_back(close);
    }
    return items;
}

}  // namespace

MarkerInfo describeMarkers(std::string_view sqliteText, int markers) {
    const std::vector<Token> t = tokenize(sqliteText);
    MarkerInfo info;
    info.markers.resize(static_cast<std::size_t>(std::max(markers, 0)));
    auto slot = [&](const Token& marker) -> MarkerContext* {
        const std::size_t n = std::stoul(marker.text.substr(1));
        return n >= 1 && n <= info.markers.size() ? &info.markers[n - 1] : nullptr;
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (is(t[i], "FROM") || is(t[i], "JOIN") || is(t[i], "UPDATE") || is(t[i], "INTO")) {
            std::size_t k = nextSolid(t, i + 1);
            std::string name;
            while (k < t.size() && (t[k].kind == Tok::Word || t[k].kind == Tok::Quoted || t[k].text == ".")) {
                name += t[k].kind == Tok::Quoted ? t[k].text.substr(1, t[k].text.size() - 2) : t[k].text;
                ++k;
            }
            if (!name.empty()) info.tables.push_back(name);
            // INSERT INTO t (columns) VALUES (values): markers by position.
            if (is(t[i], "INTO") && k < t.size()) {
                const std::size_t open = nextSolid(t, k);
                if (open >= t.size() || t[open].text != "(") continue;
                std::size_t close = 0;
                const auto columns = listItems(t, open, close);
                const std::size_t values = nextSolid(t, close + 1);
                if (values >= t.size() || !is(t[values], "VALUES")) continue;
                const std::size_t open2 = nextSolid(t, values + 1);
                if (open2 >= t.size() || t[open2].text != "(") continue;
                const auto items = listItems(t, open2, close);
                for (std::size_t c = 0; c < items.size() && c < columns.size(); ++c) {
                    if (items[c].size() != 1 || t[items[c][0]].kind != Tok::Marker || columns[c].size() != 1) continue;
                    if (MarkerContext* m = slot(t[items[c][0]])) {
                        const Token& col = t[columns[c][0]];
                        m->column = col.kind == Tok::Quoted ? col.text.substr(1, col.text.size() - 2) : col.text;
                    }
                }
            }
        }
        if (t[i].kind == Tok::Marker) {
            if (MarkerContext* m = slot(t[i]); m && m->column.empty()) m->column = comparedColumn(t, i);
        }
    }
    return info;
}

}  // namespace kesto::server::odbc
