// The scope contexts that IF, ELSE, FOR, WHILE, DO and routine bodies open. Their kind
// numbers are the bytes of a line's stored start state.
#pragma once

#include <cstdint>
#include <memory>

namespace kesto::zentrel {

class Parser;

enum class ContextKind : std::uint8_t {
  RoutineBody = 1, IfLine = 2, ForLine = 3, ElseLine = 4, IfBlock = 5, IfBlockAfterElse = 6,
  ForBlock = 7, WhileBlock = 8, DoBlock = 9,
};

class BlockContext {
 public:
  BlockContext(Parser& parser, ContextKind kind) : parser_(parser), kind_(kind) {}
  virtual ~BlockContext() = default;

  bool isLineContext() const {
    return kind_ == ContextKind::IfLine || kind_ == ContextKind::ForLine || kind_ == ContextKind::ElseLine;
  }
  bool isLoop() const {
    return kind_ == ContextKind::ForLine || kind_ == ContextKind::ForBlock || kind_ == ContextKind::WhileBlock ||
           kind_ == ContextKind::DoBlock;
  }
  bool isRoutineBody() const { return kind_ == ContextKind::RoutineBody; }
  bool isBraceBlock() const { return static_cast<int>(kind_) >= 5; }
  bool endsAtEndOfLine() const { return isLineContext(); }
  std::uint8_t kindByte() const { return static_cast<std::uint8_t>(kind_); }

  // Called when pushed; brace contexts consume their "{".
  virtual void onPush(std::uint32_t mode);
  // A "}" reached this context: 0 stays open, 1 popped and go on, 2 popped and done.
  virtual int onClose(std::uint32_t mode);

 protected:
  Parser& parser_;
  ContextKind kind_;
};

// A context of the given kind byte (1 to 9), or null for any other byte.
std::unique_ptr<BlockContext> makeContext(Parser& parser, std::uint8_t kind);

}  // namespace kesto::zentrel
