// SQL text cut into tokens as SQLite reads it: words, numbers, quoted text, comments,
// operators, punctuation and parameter references ("?" or "?n").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::server::odbc {

enum class Tok { Space, Word, Number, String, Quoted, Comment, Operator, Punct, Marker };

struct Token {
    Tok kind;
    std::string text;
};

// Every character of the text lands in exactly one token; joining the texts gives it back.
std::vector<Token> tokenize(std::string_view text);
// A word, compared without regard to case.
bool is(const Token& t, std::string_view word);
// Index of the next token that is not blank or comment, or t.size().
std::size_t nextSolid(const std::vector<Token>& t, std::size_t i);
// Index of the previous solid token, or npos.
std::size_t prevSolid(const std::vector<Token>& t, std::size_t i);

}  // namespace kesto::server::odbc
