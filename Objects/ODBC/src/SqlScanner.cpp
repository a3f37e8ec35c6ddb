#include "SqlScanner.h"

namespace kesto::odbc {
namespace {

bool isSpace(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u' '; }
// ASCII digits only: wider digit tests would stop the number rule from advancing.
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isWordStart(char16_t c) { return isAsciiLetter(c) || c > 127 || c == u'$' || c == u'%' || c == u'_'; }
bool isWordPart(char16_t c) {
    return c > 127 || isAsciiLetter(c) || isDigit(c) || c == u'_' || c == u'$' || c == u'@' || c == u'#' || c == u'%';
}
bool isHostVariablePart(char16_t c) { return c > 127 || isAsciiLetter(c) || isDigit(c) || c == u'_'; }
bool contains(std::u16string_view set, char16_t c) { return set.find(c) != std::u16string_view::npos; }

std::size_t skipSpace(std::u16string_view t, std::size_t at) {
    while (at < t.size() && isSpace(t[at])) ++at;
    return at < t.size() ? at : kPastEnd;
}

std::size_t orPastEnd(std::u16string_view t, std::size_t at) { return at >= t.size() ? kPastEnd : at; }

std::size_t skipDigits(std::u16string_view t, std::size_t at) {
    while (at < t.size() && isDigit(t[at])) ++at;
    return at;
}

constexpr std::u16string_view kSingleOperators = u"<>[]=+-*/\\!#&";
constexpr std::u16string_view kDoubleOperators[] = {u"<>", u"!=", u">=", u"<=", u"->", u"=*", u"*=", u"||"};
constexpr std::u16string_view kKeywordTrail = u"<>[]!&=";

}  // namespace

bool tokenEquals(std::u16string_view token, std::u16string_view keyword) {
    if (token.size() != keyword.size()) return false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        char16_t c = token[i];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if (c != keyword[i]) return false;
    }
    return true;
}

ScanResult nextSqlToken(std::u16string_view t, std::size_t& position, bool delimitedIdentifiers) {
    ScanResult r;
    std::size_t start = position == kPastEnd ? kPastEnd : skipSpace(t, position);
    bool blockSkipped = false;
    while (start != kPastEnd && start + 1 < t.size()) {
        if (t[start] == u'-' && t[start + 1] == u'-') {
            // A line comment runs to the end of its line; the tokens are joined on one line
            // later, so it must not survive as text.
            std::size_t p = start + 2;
            while (p < t.size() && t[p] != u'\n' && t[p] != u'\r') ++p;
            start = skipSpace(t, p);
        } else if (!blockSkipped && t[start] == u'/' && t[start + 1] == u'*') {
            // One block comment per call; "/*/" already closes.
            std::size_t p = start;
            while (p + 1 < t.size() && !(t[p] == u'*' && t[p + 1] == u'/')) ++p;
            start = p + 1 < t.size() ? skipSpace(t, p + 2) : kPastEnd;
            blockSkipped = true;
        } else {
            break;
        }
    }
    position = start;
    r.tokenStart = start;
    if (start == kPastEnd) return r;

    const char16_t c = t[start];
    r.firstChar = c;
    if (c == u'\'' || c == u'"') {
        std::size_t p = start + 1;
        bool inside = true;
        while (p < t.size()) {
            const char16_t ch = t[p];
            if (ch != c && !inside) break;
            ++p;
            if (ch == c) inside = !inside;
        }
        position = orPastEnd(t, p);
        r.kind = c == u'\'' || !delimitedIdentifiers ? SqlTokenKind::Literal : SqlTokenKind::Identifier;
        return r;
    }
    if (c == u':') {
        std::size_t p = start + 1;
        while (p < t.size() && isHostVariablePart(t[p])) ++p;
        position = orPastEnd(t, p);
        r.kind = SqlTokenKind::HostVariable;
        return r;
    }
    if (c == u'{') {
        position = start + 1;
        const std::size_t w0 = skipSpace(t, start + 1);
        if (w0 != kPastEnd && (t[w0] == u'd' || t[w0] == u't')) {
            std::size_t w = w0;
            while (w < t.size() && !isSpace(t[w])) ++w;
            if (w < t.size() && (w == w0 + 1 || (w == w0 + 2 && t[w0 + 1] == u's'))) {
                r.kind = SqlTokenKind::DateTimeEscape;
                position = w;
            }
        }
        return r;
    }
    if (isDigit(c) || (c == u'.' && start + 1 < t.size() && isDigit(t[start + 1]))) {
        std::size_t p = skipDigits(t, start);
        if (p < t.size() && t[p] == u'.') p = skipDigits(t, p + 1);
        if (p < t.size() && (t[p] == u'E' || t[p] == u'e')) {
            ++p;
            while (p < t.size() && (t[p] == u'+' || t[p] == u'-')) ++p;
            p = skipDigits(t, p);
        }
        position = orPastEnd(t, p);
        r.kind = SqlTokenKind::Literal;
        return r;
    }
    if (isWordStart(c)) {
        std::size_t p = start + 1;
        while (p < t.size() && isWordPart(t[p])) ++p;
        const std::u16string_view word = t.substr(start, p - start);
        if (tokenEquals(word, u"_") || tokenEquals(word, u"LIKE") || tokenEquals(word, u"BETWEEN") ||
            tokenEquals(word, u"AND") || tokenEquals(word, u"%STARTSWITH"))
            r.kind = SqlTokenKind::Operator;
        else if (tokenEquals(word, u"NOT")) r.kind = SqlTokenKind::NotWord;
        else if (tokenEquals(word, u"IS")) r.kind = SqlTokenKind::IsWord;
        else if (tokenEquals(word, u"NULL")) r.kind = SqlTokenKind::NullWord;
        else r.kind = SqlTokenKind::Identifier;
        if (r.kind != SqlTokenKind::Identifier && p < t.size() && contains(kKeywordTrail, t[p])) ++p;
        position = p;
        return r;
    }
    position = start + 1;
    if (c == u'?') {
        r.kind = SqlTokenKind::Marker;
    } else if (start + 1 < t.size() && [&] {
                   for (auto op : kDoubleOperators)
                       if (t.substr(start, 2) == op) return true;
                   return false;
               }()) {
        r.kind = SqlTokenKind::Operator;
        position = start + 2;
    } else if (contains(kSingleOperators, c)) {
        r.kind = SqlTokenKind::Operator;
    } else if (c == u'(') {
        r.kind = SqlTokenKind::OpenParen;
    } else if (c == u')') {
        r.kind = SqlTokenKind::CloseParen;
    } else if (c == u',') {
        r.kind = SqlTokenKind::Comma;
    }
    position = orPastEnd(t, position);
    return r;
}

}  // namespace kesto::odbc
