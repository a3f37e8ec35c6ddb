// The scanner wrapper steps within a line on its own copy of the object's place: whatever
// reaches the object past it (its end, a lent object, a checkpoint) must find the place the
// wrapper stepped to, and the wrapper must take up where the object was moved to.
#include "Harness.h"
#include "Nodes.h"
#include "Scanner.h"

#include <Parser/ScannerCheckpoint.h>

#include <kestocom/KestoCOM.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kesto::zentrel {
namespace {

const std::u16string kText = u" S X=1,Y=2 W !,X\n K A\n";

struct Where {
  std::uint32_t kind = 0;
  std::int32_t line = 0;
  std::int32_t offset = 0;
};

Where objectAt(ISourceScanner* source) {
  Where w;
  source->TokenKind(&w.kind);
  source->Line(&w.line);
  source->Offset(&w.offset);
  return w;
}

Where wrapperAt(Scanner& scanner) { return {scanner.tokenKind(), scanner.line(), scanner.offset()}; }

void expectSame(const Where& a, const Where& b, int steps) {
  EXPECT_EQ(a.kind, b.kind) << steps << " steps";
  EXPECT_EQ(a.line, b.line) << steps << " steps";
  EXPECT_EQ(a.offset, b.offset) << steps << " steps";
}

class ScannerPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(COM_CreateTextSource(u"test", kText.data(), kText.size(), &source_)));
  }
  void TearDown() override { source_->Release(); }
  ISourceScanner* source_ = nullptr;
};

// Steps within the first line and across the line's end.
constexpr int kSteps[] = {0, 1, 2, 5, 11, 14, 15, 16};

TEST_F(ScannerPlace, TheObjectStandsWhereTheWrapperEnded) {
  for (int steps : kSteps) {
    Where seen;
    {
      Scanner scanner(source_);
      for (int i = 0; i < steps; ++i) scanner.advance();
      seen = wrapperAt(scanner);
    }
    expectSame(objectAt(source_), seen, steps);
  }
}

TEST_F(ScannerPlace, ALentObjectStandsWhereTheWrapperIsAndIsFollowedAfter) {
  for (int steps : kSteps) {
    Scanner scanner(source_);
    for (int i = 0; i < steps; ++i) scanner.advance();
    ISourceScanner* lent = scanner.object();
    expectSame(objectAt(lent), wrapperAt(scanner), steps);
    std::uint32_t kind = 0;
    lent->Advance(&kind);
    lent->Advance(&kind);
    scanner.reload();
    expectSame(wrapperAt(scanner), objectAt(lent), steps);
  }
}

TEST_F(ScannerPlace, ACheckpointTakesAndGivesBackTheWrappersPlace) {
  for (int steps : kSteps) {
    Scanner scanner(source_);
    for (int i = 0; i < steps; ++i) scanner.advance();
    const Where saved = wrapperAt(scanner);
    ScannerCheckpoint checkpoint(scanner.object());
    scanner.save(checkpoint);
    for (int i = 0; i < 3; ++i) scanner.advance();
    scanner.restore(checkpoint);
    expectSame(wrapperAt(scanner), saved, steps);
    expectSame(objectAt(source_), saved, steps);
  }
}

// A checkpoint deferred while the wrapper steps is saved at its own place when the object
// is reached, not where the wrapper has got to.
TEST_F(ScannerPlace, ADeferredCheckpointIsSavedWhereItWasTaken) {
  Scanner scanner(source_);
  scanner.advance();
  const Where taken = wrapperAt(scanner);
  ScannerCheckpoint checkpoint(scanner.object());
  ASSERT_TRUE(scanner.deferCheckpoint(&checkpoint));
  for (int i = 0; i < 4; ++i) scanner.advance();
  const Where now = wrapperAt(scanner);
  expectSame(objectAt(scanner.object()), now, 4);  // the object call settles the checkpoint
  EXPECT_FALSE(scanner.deferred(&checkpoint));
  scanner.restore(checkpoint);
  expectSame(wrapperAt(scanner), taken, 1);
}

// Nodes take the place the wrapper stands at, line after line and across the chunks their
// line's memory comes in, each in memory of its own.
TEST_F(ScannerPlace, NodesTakeTheWrappersPlaceInBlocksOfTheirOwn) {
  IAllocator* allocator = testing::newAllocator();
  {
    Scanner scanner(source_);
    GlobalsScope scope(allocator, &scanner);
    LineNodes nodes;
    std::vector<Node*> made;
    for (int steps = 0; steps < 60; ++steps) {
      Node* node = makeLeaf(node::StrLiteral, 1, 2);
      EXPECT_EQ(node->line, scanner.line()) << steps << " steps";
      EXPECT_EQ(node->offset, scanner.offset()) << steps << " steps";
      EXPECT_EQ(node->kind(), node::StrLiteral);
      made.push_back(node);
      if (steps % 20 == 19) {
        nodes.release();
        made.clear();
      }
      const auto at = [](const Node* n) { return reinterpret_cast<std::uintptr_t>(n); };
      for (const Node* other : made) {
        if (other != node) {
          EXPECT_TRUE(at(other) + sizeof(Node) <= at(node) || at(node) + sizeof(Node) <= at(other)) << steps;
        }
      }
      scanner.advance();
    }
  }
  allocator->Release();
}

// Memory a line's nodes keep for the next line goes back when the nodes' owner ends.
TEST_F(ScannerPlace, LineNodesGiveAllTheirMemoryBackAtTheirEnd) {
  IAllocator* allocator = testing::newAllocator();
  std::uint32_t inUse = 1, blocks = 1;
  {
    Scanner scanner(source_);
    GlobalsScope scope(allocator, &scanner);
    {
      LineNodes nodes;
      for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 50 * line; ++i) makeLeaf(node::StrLiteral, 1, 2);
        nodes.release();
      }
      makeLeaf(node::StrLiteral, 1, 2);
    }
    ASSERT_EQ(allocator->Statistics(&inUse, nullptr, &blocks, nullptr), S_OK);
  }
  EXPECT_EQ(inUse, 0u);
  EXPECT_EQ(blocks, 0u);
  allocator->Release();
}

}  // namespace
}  // namespace kesto::zentrel
