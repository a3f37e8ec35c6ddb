// The argument shapes of the intrinsic functions.
#pragma once

#include <cstdint>
#include <vector>

namespace kesto::zentrel {

// Argument codes: what may stand at one position of a function's argument list.
namespace argcode {
enum : std::uint8_t {
  ByRefOrExpr = 0, Expr = 1, SetTarget = 2, Variable = 3, ObjValOrTarget = 4, SubscriptedVariable = 5,
  GlobalOrIndirection = 6, EntryRef = 7, Byte = 8, Word = 9, SourceRef = 10,
};
}  // namespace argcode

struct FunctionShape {
  static constexpr int kMaxCodes = 12;
  std::uint8_t min;
  std::uint8_t max;  // 255: the last code repeats without limit
  std::uint8_t codes[kMaxCodes];
  std::uint8_t omissions[kMaxCodes];  // 1: the position may be left empty
  std::uint8_t count;
  bool ownGrammar = false;
};

// The shape of the function with keyword id `id`; the user-function shape for any other id.
const FunctionShape& functionShape(std::int32_t id);

}  // namespace kesto::zentrel
