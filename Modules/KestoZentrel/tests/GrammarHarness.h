// Parses one expression or the commands of one line straight through the parser and renders
// the tree that was built, or the kind of the parse error that stopped it.
#pragma once

#include "Harness.h"
#include "Keywords.h"
#include "Parser.h"

#include <string>

namespace kesto::zentrel::testing {

constexpr std::uint32_t kAllOptions = 0xFFFFFFFFu;

struct Parsed {
  std::int32_t error = 0;  // kind of the parse error, 0 when none
  std::string tree;        // Kind(child,child) of the expression or of the last command
};

// Kinds whose small value belongs in the dump: pattern counts and codes, the LOCK sign.
inline bool dumpsForm(int kind) {
  return kind == node::PatAtom || kind == node::PatcodeACELNPU || kind == node::ArgLOCK;
}

inline std::string dump(const ParseNode* n) {
  if (!n) return "-";
  std::string out;
  for (char16_t c : nodeDebugName(n->kind())) out += static_cast<char>(c);
  if (dumpsForm(n->kind())) {
    const std::uint32_t form = static_cast<const Node*>(n)->form();
    out += "[" + (n->kind() == node::PatAtom ? std::to_string(form >> 16) + "." + std::to_string(form & 0xFFFF)
                                              : std::to_string(form)) + "]";
  }
  if (n->childCount() == 0) return out;
  out += "(";
  for (int i = 0; i < n->childCount(); ++i) out += (i ? "," : "") + dump(n->child(i));
  return out + ")";
}

// Runs `work(parser)` over a one-line text source with a current allocator and scanner.
template <class Work>
Parsed withParser(const std::u16string& text, bool mac, std::uint32_t options, bool lineMode, Work&& work) {
  Parsed result;
  ISourceScanner* source = nullptr;
  COM_CreateTextSource(u"test", text.data(), text.size(), &source);
  IAllocator* allocator = newAllocator();
  {
    Scanner scanner(source);
    GlobalsScope scope(allocator, &scanner);
    Parser parser(scanner, allocator, mac, options, lineMode, 4);
    try {
      result.tree = dump(work(parser));
    } catch (const CZTLParseException& e) {
      result.error = e.kind();
    }
  }
  allocator->Release();
  source->Release();
  return result;
}

inline Parsed expression(const std::u16string& text, bool mac = false, std::uint32_t options = kAllOptions) {
  return withParser(text, mac, options, false, [](Parser& parser) { return parser.expressionToEndOfLine(); });
}

// The commands of a line that starts with a blank; the tree is the last command's node.
inline Parsed commands(const std::u16string& line, bool mac = false) {
  return withParser(line, mac, kAllOptions, true, [](Parser& parser) {
    TokenStream& tokens = parser.tokens();
    ParseNode* last = nullptr;
    for (;;) {
      const std::uint32_t mode = parser.restricted() ? peek::kCommandRestricted : peek::kCommand;
      const std::int32_t k = tokens.look(mode);
      if (k == tok::kEndOfLine) break;
      if (k != tok::kName) {
        parser.parseCommand(false);
        continue;
      }
      const std::int32_t id = commandKeywords().lookup(tokens.text().view());
      if (id == kKeywordUnknown) parser.fail(0, 15);
      tokens.expect(5);
      last = parser.parseCommandBody(id);
    }
    tokens.peek(peek::kCommand);
    if (tokens.kind() != tok::kEndOfLine) parser.fail(0, 3);
    return last;
  });
}

}  // namespace kesto::zentrel::testing
