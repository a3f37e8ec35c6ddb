// What SET and the other assigning commands may assign to.
#include "Grammar.h"

#include <algorithm>

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParse";

// Special variables that SET may change.
constexpr std::uint8_t kSettableVariables[] = {170, 171, 174, 176, 179, 188, 189, 194, 199, 201, 206, 207, 209, 210};

bool contains(std::initializer_list<int> values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

const Node* firstArgument(const Node* fn) {
  if (fn->childCount() == 0) return nullptr;
  const auto* item = static_cast<const Node*>(fn->child(0));
  return item->childCount() ? static_cast<const Node*>(item->child(0)) : nullptr;
}

bool settableFunction(const Node* fn, bool forbidZObjProperty) {
  const int code = fn->code();
  if (contains({15, 57, 134, 136, 142}, code)) return true;
  const Node* first = firstArgument(fn);
  if (code == 43) return fn->form() == 2 && first && contains({1, 2, 5}, first->refClass());
  if (code == 52 || code == 70 || code == 81)
    return first && (contains({1, 2, 3, 5, 8, 9, 13, 15}, first->refClass()) ||
                     contains({14, 134, 136, 142}, first->code()));
  return code == 139 && !forbidZObjProperty;
}

}  // namespace

namespace grammar {

ParseNode* checkSetTarget(Parser& parser, ParseNode* target, bool forbidZObjProperty) {
  const auto* n = static_cast<const Node*>(target);
  bool ok = false;
  switch (n->refClass()) {
    case 1: case 2: case 3: case 5: case 8: case 9: case 11: case 13: case 14: case 16:
      ok = true;
      break;
    case 4:
      ok = std::find(std::begin(kSettableVariables), std::end(kSettableVariables), n->code()) !=
           std::end(kSettableVariables);
      break;
    case 6:
      ok = settableFunction(n, forbidZObjProperty);
      break;
    case 15:
      ok = n->form() == 1 || n->form() == 2;
      break;
    default:
      break;
  }
  if (!ok) parser.fail(700, 11, kFile);
  return target;
}

}  // namespace grammar
}  // namespace kesto::zentrel
