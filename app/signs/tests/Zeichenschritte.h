// The recorded drawing operations of one kind on a preview page.
#pragma once

#include <activex/Page.h>

#include <span>
#include <variant>
#include <vector>

namespace vovida::test {

template <class Op>
std::vector<const Op*> alle(std::span<const kesto::activex::DrawOp> ops) {
  std::vector<const Op*> out;
  for (const kesto::activex::DrawOp& op : ops)
    if (const Op* o = std::get_if<Op>(&op)) out.push_back(o);
  return out;
}

}  // namespace vovida::test
