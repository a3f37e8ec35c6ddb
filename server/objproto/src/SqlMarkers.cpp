#include "SqlMarkers.h"

#include <algorithm>
#include <cctype>

namespace kesto::server::objproto {

std::string rewriteMarkers(std::string_view sql, int& count) {
  std::string out;
  count = 0;
  char quote = 0;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      out += c;
      continue;
    }
    if (c == '\'' || c == '"') {
      quote = c;
      out += c;
      continue;
    }
    if (sql.substr(i, 3) == ":q(") {
      std::size_t j = i + 3;
      while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j])) && j - i < 8)
        ++j;
      if (j > i + 3 && j < sql.size() && sql[j] == ')') {
        const int n = std::stoi(std::string(sql.substr(i + 3, j - i - 3)));
        out += "?" + std::to_string(n + 1);
        count = std::max(count, n + 1);
        i = j;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace kesto::server::objproto
