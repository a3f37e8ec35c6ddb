#include "SqlText.h"

#include "SqlTokens.h"

#include <text/Compare.h>

#include <cctype>

namespace kesto::server::odbc {
namespace {

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

// N'text' is a national-character literal: to SQLite, whose text is Unicode anyway, 'text'.
void dropNationalPrefixes(std::vector<Token>& t) {
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (is(t[i], "N") && t[i + 1].kind == Tok::String && (i == 0 || t[i - 1].text != ".")) t[i].text.clear();
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
    dropNationalPrefixes(t);
    unwrapEscapes(t);
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (is(t[i], "SQLUser") && t[i + 1].text == "." && (i == 0 || t[i - 1].text != ".")) t[i].text = "main";
    rewriteStartsWith(t);
    for (const Token& token : t) out.text += token.text;
    // "?1 ... ?2 ... ?3" in that order, each once, reads the same as "? ... ? ... ?": so a
    // column named by its expression reads as the application wrote it ("a + ?").
    std::vector<Token> tokens = tokenize(out.text);
    int expected = 1;
    bool inOrder = true;
    for (const Token& token : tokens)
        if (token.kind == Tok::Marker) inOrder = inOrder && token.text == "?" + std::to_string(expected++);
    if (inOrder && expected > 1) {
        out.text.clear();
        for (const Token& token : tokens) out.text += token.kind == Tok::Marker ? std::string("?") : token.text;
    }
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
    // Each reference's number; "?" is one more than the highest so far, as SQLite counts.
    std::vector<std::size_t> numbers(t.size(), 0);
    std::size_t highest = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Tok::Marker) continue;
        numbers[i] = t[i].text.size() > 1 ? std::stoul(t[i].text.substr(1)) : highest + 1;
        highest = std::max(highest, numbers[i]);
    }
    auto slot = [&](std::size_t at) -> MarkerContext* {
        const std::size_t n = numbers[at];
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
                    if (MarkerContext* m = slot(items[c][0])) {
                        const Token& col = t[columns[c][0]];
                        m->column = col.kind == Tok::Quoted ? col.text.substr(1, col.text.size() - 2) : col.text;
                    }
                }
            }
        }
        if (t[i].kind == Tok::Marker) {
            if (MarkerContext* m = slot(i); m && m->column.empty()) m->column = comparedColumn(t, i);
        }
    }
    return info;
}

}  // namespace kesto::server::odbc
