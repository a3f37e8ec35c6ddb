// Number and string literals.
#include "Grammar.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseVariable";

bool isExponent(TokenText text) { return !text.empty() && (text.begin[0] == u'E' || text.begin[0] == u'e'); }

bool allDigits(const char16_t* begin, const char16_t* end) {
  if (begin == end) return false;
  for (const char16_t* p = begin; p != end; ++p)
    if (*p < u'0' || *p > u'9') return false;
  return true;
}

}  // namespace

// [sign] (digits [. digits] | . digits) [E [sign] digits]. The fraction and the exponent
// must stand directly behind the digits, so nothing after a gap is glued into the number.
ParseNode* Parser::parseNumber(std::uint32_t mode) { return numberFrom(tokens_->look(mode)); }

ParseNode* Parser::numberFrom(std::int32_t k) {
  if (k == tok::kPlus || k == tok::kMinus) {
    tokens_->expect(attr::Number);
    k = tokens_->look(peek::kAdjacent);
  }
  if (k == tok::kDot) {
    tokens_->expect(attr::Number);
    if (tokens_->look(peek::kAdjacent) != tok::kDigits) fail(281, 11, kFile);
    tokens_->expect(attr::Number);
  } else if (k == tok::kDigits) {
    tokens_->expect(attr::Number);
    if (tokens_->look(peek::kAdjacent) == tok::kDot) {
      tokens_->expect(attr::Number);
      if (tokens_->look(peek::kAdjacent) != tok::kDigits) fail(307, 3, kFile);
      tokens_->expect(attr::Number);
    }
  } else {
    fail(227, 11, kFile);
  }
  if (tokens_->look(peek::kAdjacent) == tok::kName && isExponent(tokens_->text())) {
    const TokenText name = tokens_->text();
    if (name.size() == 1) {
      tokens_->expect(attr::Number);
      k = tokens_->look(peek::kAdjacent);
      if (k == tok::kPlus || k == tok::kMinus) {
        tokens_->expect(attr::Number);
        k = tokens_->look(peek::kAdjacent);
      }
      if (k != tok::kDigits) fail(355, 3, kFile);
      tokens_->expect(attr::Number);
    } else if (allDigits(name.begin + 1, name.end)) {
      tokens_->expect(attr::Number);  // "E5" comes as one name
    }
  }
  return makeNode(node::IntLiteral);
}

namespace grammar {

void parseLiteral(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kString) {
    tokens.expect(attr::String);
    return;
  }
  if (k == tok::kDigits || k == tok::kDot || k == tok::kPlus || k == tok::kMinus) {
    parser.parseNumber(mode);
    return;
  }
  parser.fail(227, 11, kFile);
}

std::uint32_t digitValue(const TokenText& text, std::uint32_t limit) {
  std::uint32_t value = 0;
  for (const char16_t* p = text.begin; p != text.end; ++p) {
    if (*p < u'0' || *p > u'9') break;
    value = value * 10 + static_cast<std::uint32_t>(*p - u'0');
    if (value > limit) return limit + 1;
  }
  return value;
}

}  // namespace grammar
}  // namespace kesto::zentrel
