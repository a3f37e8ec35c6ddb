#include "SqlTokens.h"

#include <text/Compare.h>

#include <cctype>

namespace kesto::server::odbc {
namespace {

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == '$' || c == '%' || c >= 0x80; }
bool isWordPart(unsigned char c) { return isWordStart(c) || std::isdigit(c) || c == '@' || c == '#'; }
bool isOperatorChar(char c) { return c == '<' || c == '>' || c == '=' || c == '!' || c == '|'; }

}  // namespace

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
        } else if (c == '?') {
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

std::size_t nextSolid(const std::vector<Token>& t, std::size_t i) {
    while (i < t.size() && (t[i].kind == Tok::Space || t[i].kind == Tok::Comment)) ++i;
    return i;
}

std::size_t prevSolid(const std::vector<Token>& t, std::size_t i) {
    while (i-- > 0)
        if (t[i].kind != Tok::Space && t[i].kind != Tok::Comment) return i;
    return std::string::npos;
}

}  // namespace kesto::server::odbc
