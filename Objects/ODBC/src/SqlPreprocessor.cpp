#include "SqlPreprocessor.h"

#include "AnsiText.h"
#include "SqlScanner.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace kesto::odbc {
namespace {

struct Token {
    SqlTokenKind kind;
    std::size_t start;   // into the statement text
    std::size_t length;
    bool marker = false; // replaced by "?"
};

class Tokens {
public:
    Tokens(std::u16string_view text, bool delimited) : text_(text) {
        std::size_t position = 0;
        while (position != kPastEnd) {
            const ScanResult r = nextSqlToken(text, position, delimited);
            if (r.tokenStart == kPastEnd) break;
            const std::size_t end = position == kPastEnd ? text.size() : position;
            list.push_back({r.kind, r.tokenStart, end - r.tokenStart});
        }
    }

    std::u16string_view text(const Token& t) const { return t.marker ? u"?" : text_.substr(t.start, t.length); }
    // What stands between token i-1 and token i in the statement text.
    std::u16string_view gap(std::size_t i) const {
        const std::size_t from = list[i - 1].start + list[i - 1].length;
        return from < list[i].start ? text_.substr(from, list[i].start - from) : std::u16string_view();
    }
    std::u16string_view text(std::size_t i) const { return text(list[i]); }
    bool is(std::size_t i, std::u16string_view keyword) const { return i < list.size() && tokenEquals(text(i), keyword); }
    void makeMarker(std::size_t i) {
        list[i].kind = SqlTokenKind::Marker;
        list[i].marker = true;
    }

    std::vector<Token> list;

private:
    std::u16string_view text_;
};

struct Builder {
    std::vector<ParameterRecord>& records;
    bool hasBound;
    std::uint32_t markerCounter = 0;

    // A record for the marker just counted: at the marker's own place among bound records.
    void place(ParameterRecord record) {
        if (hasBound && markerCounter - 1 < records.size())
            records.insert(records.begin() + static_cast<std::ptrdiff_t>(markerCounter - 1), std::move(record));
        else
            records.push_back(std::move(record));
    }
    void literal(std::u16string value, std::u16string_view token = {}) {
        ++markerCounter;
        ParameterRecord r{GeneratedKind::Literal, std::move(value)};
        if (!token.empty() && token[0] != u'\'' && token[0] != u'"')
            numberLiteral(token, r.literalForm, r.mantissa, r.exponent);
        place(std::move(r));
    }
    void null() {
        ++markerCounter;
        place({GeneratedKind::Null, {}});
    }
    void marker() {
        ++markerCounter;
        if (!hasBound) records.push_back({GeneratedKind::Application, {}});
    }
};

std::u16string normaliseNumber(std::u16string_view v) {
    std::size_t i = 0;
    std::u16string sign;
    if (i < v.size() && v[i] == u'+') ++i;
    else if (i < v.size() && v[i] == u'-') { sign = u"-"; ++i; }
    while (i < v.size() && v[i] == u'0') ++i;
    if (i >= v.size()) return u"0";
    std::u16string rest(v.substr(i));
    if (rest.find(u'.') != std::u16string::npos) {
        while (!rest.empty() && rest.back() == u'0') rest.pop_back();
        if (!rest.empty() && rest.back() == u'.') rest.pop_back();
        if (rest.empty()) return u"0";
    }
    return sign + rest;
}

bool startsWith(std::u16string_view t, char16_t c) { return !t.empty() && t[0] == c; }

bool isNumberToken(std::u16string_view t) {
    const std::size_t i = !t.empty() && (t[0] == u'-' || t[0] == u'+') ? 1 : 0;
    return i < t.size() && ((t[i] >= u'0' && t[i] <= u'9') || t[i] == u'.');
}

// Literals that are syntax rather than values, by token: a position in GROUP BY (GROUP BY 1),
// a size of a type (CAST(x AS DECIMAL(10,2))), and the quoted part of X'00FF' and N'abc'.
std::vector<bool> syntaxLiterals(const Tokens& tokens) {
    const auto& list = tokens.list;
    std::vector<bool> syntax(list.size(), false);
    struct Paren {
        bool typeSize;
        bool groupList;
    };
    std::vector<Paren> parens;
    bool groupList = false;  // inside the item list of a GROUP BY at this depth
    auto isWord = [&](std::size_t k, std::u16string_view w) { return list[k].kind == SqlTokenKind::Identifier && tokens.is(k, w); };
    for (std::size_t i = 0; i < list.size(); ++i) {
        const SqlTokenKind kind = list[i].kind;
        if (kind == SqlTokenKind::OpenParen) {
            // "AS name (" or "AS name name (": the parentheses of a type's size.
            bool typeSize = false;
            for (std::size_t back = 1; back <= 3 && back <= i; ++back) {
                const std::size_t k = i - back;
                if (list[k].kind != SqlTokenKind::Identifier) break;
                if (back > 1 && tokens.is(k, u"AS")) typeSize = true;
                if (tokens.is(k, u"AS")) break;
            }
            parens.push_back({typeSize, groupList});
            groupList = false;
        } else if (kind == SqlTokenKind::CloseParen) {
            if (!parens.empty()) {
                groupList = parens.back().groupList;
                parens.pop_back();
            }
        } else if (kind == SqlTokenKind::Identifier) {
            if (i > 0 && tokens.is(i, u"BY") && isWord(i - 1, u"GROUP")) groupList = true;
            else if (tokens.is(i, u"HAVING") || tokens.is(i, u"ORDER") || tokens.is(i, u"LIMIT") ||
                     tokens.is(i, u"WINDOW") || tokens.is(i, u"UNION") || tokens.is(i, u"EXCEPT") ||
                     tokens.is(i, u"INTERSECT"))
                groupList = false;
        } else if (kind == SqlTokenKind::Literal) {
            const std::u16string_view t = tokens.text(i);
            if (!parens.empty() && parens.back().typeSize && isNumberToken(t)) {
                syntax[i] = true;
            } else if (groupList && isNumberToken(t) && i > 0 &&
                       (list[i - 1].kind == SqlTokenKind::Comma || tokens.is(i - 1, u"BY")) &&
                       (i + 1 == list.size() || list[i + 1].kind == SqlTokenKind::Comma ||
                        list[i + 1].kind == SqlTokenKind::CloseParen || list[i + 1].kind == SqlTokenKind::Identifier ||
                        list[i + 1].kind == SqlTokenKind::Other)) {
                syntax[i] = true;
            } else if (startsWith(t, u'\'') && i > 0 && list[i - 1].kind == SqlTokenKind::Identifier &&
                       list[i - 1].length == 1 && list[i - 1].start + 1 == list[i].start &&
                       (tokens.is(i - 1, u"X") || tokens.is(i - 1, u"N"))) {
                syntax[i] = true;
            }
        }
    }
    return syntax;
}

bool rewriteCallEscape(Tokens& tokens, Builder& b, PreprocessedSql& out, std::uint32_t& omitted) {
    const auto& list = tokens.list;
    std::size_t i = 0;
    if (!list.empty() && startsWith(tokens.text(0), u'{')) ++i;
    bool withResult = false;
    if (i < list.size() && list[i].kind == SqlTokenKind::Marker) {
        if (i + 2 >= list.size() || !startsWith(tokens.text(i + 1), u'=')) return false;
        withResult = true;
        i += 2;
    }
    if (!tokens.is(i, u"CALL")) return false;
    if (i + 1 >= list.size() || list[i + 1].kind != SqlTokenKind::Identifier) return false;
    std::u16string name(tokens.text(i + 1));
    i += 2;
    if (i < list.size() && startsWith(tokens.text(i), u'.')) {
        name += u'.';
        if (i + 1 < list.size() && list[i + 1].kind == SqlTokenKind::Identifier) name += tokens.text(i + 1);
        i += 2;
    }
    out.text = std::move(name);
    if (withResult) {
        b.markerCounter = 1;
        if (!b.hasBound) b.records.insert(b.records.begin(), {GeneratedKind::Application, {}});
    }
    SqlTokenKind previous = SqlTokenKind::Other;
    for (; i < list.size(); ++i) {
        const SqlTokenKind kind = list[i].kind;
        if (kind == SqlTokenKind::Literal || kind == SqlTokenKind::Identifier) {
            std::u16string value =
                kind == SqlTokenKind::Literal ? literalValue(tokens.text(i)) : std::u16string(tokens.text(i));
            std::u16string token(tokens.text(i));
            if (i > 0 && list[i - 1].kind == SqlTokenKind::Operator) {
                value = std::u16string(tokens.text(i - 1)) + value;
                token = std::u16string(tokens.text(i - 1)) + token;
            }
            b.literal(std::move(value), kind == SqlTokenKind::Literal && isNumberToken(token) ? std::u16string_view(token)
                                                                                               : std::u16string_view());
            tokens.makeMarker(i);
            previous = SqlTokenKind::Marker;
        } else if (kind == SqlTokenKind::Marker) {
            b.marker();
            previous = SqlTokenKind::Marker;
        } else {
            const bool emptySlot = (kind == SqlTokenKind::Comma || kind == SqlTokenKind::CloseParen) &&
                                   (previous == SqlTokenKind::Comma || previous == SqlTokenKind::OpenParen);
            if (emptySlot) {
                ++b.markerCounter;
                ++omitted;
                b.place({GeneratedKind::Omitted, {}});
            }
            previous = kind;
        }
    }
    out.kind = withResult ? StatementKind::CallWithResult : StatementKind::Call;
    return true;
}

}  // namespace

std::u16string literalValue(std::u16string_view token) {
    if (startsWith(token, u'\'') || startsWith(token, u'"')) {
        const char16_t q = token[0];
        const std::u16string_view inner = token.size() >= 2 ? token.substr(1, token.size() - 2) : std::u16string_view();
        std::u16string value;
        for (std::size_t i = 0; i < inner.size(); ++i) {
            value.push_back(inner[i]);
            if (inner[i] == q && i + 1 < inner.size() && inner[i + 1] == q) ++i;
        }
        return value;
    }
    if (token.find_first_of(u"eE") != std::u16string_view::npos) {
        // Shortest text that reads back as the same double, never an exponent form.
        const double v = std::strtod(narrow(token).c_str(), nullptr);
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
        return normaliseNumber(widen(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf))));
    }
    return normaliseNumber(token);
}

bool numberLiteral(std::u16string_view token, LiteralForm& form, std::int64_t& mantissa, std::int8_t& exponent) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) negative = token[i++] == u'-';
    std::string digits;
    int exp10 = 0;
    bool real = false, afterPoint = false;
    for (; i < token.size(); ++i) {
        const char16_t c = token[i];
        if (c >= u'0' && c <= u'9') {
            if (digits.empty() && c == u'0') {
                if (afterPoint) --exp10;
                continue;  // leading zeros carry no digit
            }
            digits.push_back(static_cast<char>(c));
            if (afterPoint) --exp10;
        } else if (c == u'.' && !afterPoint) {
            real = afterPoint = true;
        } else if (c == u'e' || c == u'E') {
            real = true;
            ++i;
            bool expNegative = false;
            while (i < token.size() && (token[i] == u'+' || token[i] == u'-')) expNegative ^= token[i++] == u'-';
            long e = 0;
            for (; i < token.size() && token[i] >= u'0' && token[i] <= u'9'; ++i)
                if (e < 100000) e = e * 10 + (token[i] - u'0');
            if (i != token.size()) return false;
            exp10 += static_cast<int>(expNegative ? -e : e);
            break;
        } else {
            return false;
        }
    }
    if (!real) {
        std::int64_t v = 0;
        if (!digits.empty()) {
            const std::string text = (negative ? "-" : "") + digits;
            const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
            if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;  // beyond 64 bits: a real for SQLite
        }
        form = LiteralForm::Integer;
        mantissa = v;
        exponent = 0;
        return true;
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exp10;
    }
    if (digits.empty()) exp10 = 0;
    if (digits.size() > 18 || exp10 < -128 || exp10 > 127) return false;
    form = LiteralForm::Decimal;
    mantissa = digits.empty() ? 0 : std::strtoll(digits.c_str(), nullptr, 10) * (negative ? -1 : 1);
    exponent = static_cast<std::int8_t>(exp10);
    return true;
}

PreprocessedSql preprocessSql(std::u16string_view text, bool delimitedIdentifiers, std::vector<ParameterRecord>& records) {
    PreprocessedSql out;
    Builder b{records, !records.empty()};
    Tokens tokens(text, delimitedIdentifiers);
    auto& list = tokens.list;

    if (list.size() < 2) {
        out.text = text;
        return out;
    }
    if (tokens.is(0, u"CREATE") || tokens.is(0, u"ALTER") || tokens.is(0, u"DROP") || tokens.is(0, u"SET")) {
        for (const auto& t : list) {
            out.text += tokens.text(t);
            out.text += u' ';
        }
        if (list.size() == 5 && tokens.is(0, u"SET") && tokens.is(1, u"OPTION") && tokens.is(3, u"=")) {
            const bool zero = tokens.is(4, u"0"), one = tokens.is(4, u"1");
            if (tokens.is(2, u"BLOB_SUPPORT") && (zero || one))
                out.kind = zero ? StatementKind::BlobSupportOff : StatementKind::BlobSupportOn;
            else if (tokens.is(2, u"SYNCHRONOUS_COMMIT") && (zero || one))
                out.kind = zero ? StatementKind::SynchronousCommitOff : StatementKind::SynchronousCommitOn;
        }
        return out;
    }
    if (tokens.is(0, u"SELECT")) {
        out.kind = StatementKind::Query;
    } else {
        std::uint32_t omitted = 0;
        if (rewriteCallEscape(tokens, b, out, omitted)) {
            std::uint32_t markers = 0;
            for (const auto& t : list)
                if (t.kind == SqlTokenKind::Marker) ++markers;
            out.markerCount = markers + omitted;
            return out;
        }
    }

    // A minus joined to a number after an operator is the number's sign.
    for (std::size_t i = 2; i < list.size(); ++i) {
        Token& lit = list[i];
        const Token& minus = list[i - 1];
        if (lit.kind == SqlTokenKind::Literal && lit.length && text[lit.start] >= u'0' && text[lit.start] <= u'9' &&
            minus.kind == SqlTokenKind::Operator && minus.length == 1 && text[minus.start] == u'-' &&
            minus.start + 1 == lit.start && list[i - 2].kind == SqlTokenKind::Operator) {
            lit.start -= 1;
            lit.length += 1;
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i - 1));
            --i;
        }
    }

    // Markers are counted from the first token on, so that literal records land at their
    // markers' places; literals in the first two tokens and from ORDER on stay text, and so
    // do what SQL reads as part of its syntax: GROUP BY positions, type sizes, X'..' and N'..'.
    bool replacing = true;
    const std::vector<bool> syntax = syntaxLiterals(tokens);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const SqlTokenKind kind = list[i].kind;
        if (i >= 2 && kind == SqlTokenKind::Identifier && tokens.is(i, u"ORDER")) replacing = false;
        if (kind == SqlTokenKind::Marker) {
            b.marker();
        } else if (i >= 2 && replacing && kind == SqlTokenKind::Literal && !syntax[i]) {
            const std::u16string_view token = tokens.text(i);
            LiteralForm form;
            std::int64_t mantissa = 0;
            std::int8_t exponent = 0;
            // A number no parameter can carry exactly keeps its place in the text.
            if (isNumberToken(token) && !numberLiteral(token, form, mantissa, exponent)) continue;
            b.literal(literalValue(token), token);
            tokens.makeMarker(i);
        } else if (i >= 2 && replacing && kind == SqlTokenKind::NullWord && list[i - 1].kind != SqlTokenKind::NotWord &&
                   list[i - 1].kind != SqlTokenKind::IsWord) {
            b.null();
            tokens.makeMarker(i);
        }
    }

    // The text between tokens stays as written, so that a column named by its expression
    // (count(*), a+1) keeps the name the application wrote.
    std::uint32_t n = 1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) out.text += tokens.gap(i);
        if (list[i].kind == SqlTokenKind::Marker) {
            ++out.markerCount;
            out.text += u":%qpar(";
            out.text += widen(std::to_string(n++));
            out.text += u')';
        } else {
            out.text += tokens.text(i);
        }
    }
    return out;
}

}  // namespace kesto::odbc
