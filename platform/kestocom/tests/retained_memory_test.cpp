#include <kestocom/RetainedMemory.h>

#include <gtest/gtest.h>

#include <cstring>

namespace kesto::kestocom {
namespace {

// A block given back serves the next request it fits, and only one that it fits well.
TEST(RetainedMemory, GivesABlockBackToTheNextRequestItFits) {
  RetainedMemory& memory = RetainedMemory::shared();
  void* block = memory.take(100000);
  std::memset(block, 1, 100000);
  memory.give(block);
  const struct {
    std::size_t bytes;
    bool same;
  } cases[] = {{100000, true}, {90000, true}, {25000, true}, {24999, false}, {100001, false}};
  for (const auto& c : cases) {
    void* again = memory.take(c.bytes);
    std::memset(again, 2, c.bytes);
    EXPECT_EQ(again == block, c.same) << c.bytes << " bytes";
    memory.give(again);
  }
}

TEST(RetainedMemory, KeepsNoMoreThanItsBound) {
  RetainedMemory& memory = RetainedMemory::shared();
  void* large = memory.take(RetainedMemory::kKeepBytes / 2 + 1);
  void* other = memory.take(RetainedMemory::kKeepBytes / 2 + 1);
  memory.give(large);
  memory.give(other);  // past the bound: freed, not kept
  void* first = memory.take(RetainedMemory::kKeepBytes / 2 + 1);
  void* second = memory.take(RetainedMemory::kKeepBytes / 2 + 1);
  EXPECT_EQ(first, large);
  EXPECT_NE(second, large);
  memory.give(first);
  memory.give(second);
}

}  // namespace
}  // namespace kesto::kestocom
