#include "LineParser.h"

#include "Args.h"

namespace kesto::server::commands {

namespace {
constexpr std::size_t kMaxDigits = 18;
}  // namespace

bool LineParser::literal(std::string_view exact) {
  if (rest_.substr(0, exact.size()) != exact) return false;
  rest_.remove_prefix(exact.size());
  return true;
}

std::optional<std::string> LineParser::quoted() {
  if (rest_.empty() || rest_.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < rest_.size(); ++i) {
    if (rest_[i] != '"') {
      out += rest_[i];
    } else if (i + 1 < rest_.size() && rest_[i + 1] == '"') {
      out += '"';
      ++i;
    } else {
      rest_.remove_prefix(i + 1);
      return out;
    }
  }
  return std::nullopt;  // no closing quote
}

std::optional<std::string> LineParser::number() {
  if (!rest_.empty() && rest_.front() == '"') {
    const std::string_view saved = rest_;
    auto text = quoted();
    if (text && isDigits(*text) && text->size() <= kMaxDigits) return text;
    rest_ = saved;
    return std::nullopt;
  }
  std::size_t n = 0;
  while (n < rest_.size() && rest_[n] >= '0' && rest_[n] <= '9') ++n;
  if (n == 0 || n > kMaxDigits) return std::nullopt;
  std::string out(rest_.substr(0, n));
  rest_.remove_prefix(n);
  return out;
}

}  // namespace kesto::server::commands
