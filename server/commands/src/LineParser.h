#pragma once
// Reads a command line against a fixed form, piece by piece. Nothing is interpreted:
// a piece either matches exactly or the line is refused.

#include <optional>
#include <string>
#include <string_view>

namespace kesto::server::commands {

class LineParser {
 public:
  explicit LineParser(std::string_view text) : rest_(text) {}

  // The exact text comes next; consumed when it does.
  bool literal(std::string_view exact);
  // A string of the server language: "..." with "" for an embedded quote.
  std::optional<std::string> quoted();
  // One or more digits, bare or as a quoted string.
  std::optional<std::string> number();
  bool atEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

}  // namespace kesto::server::commands
