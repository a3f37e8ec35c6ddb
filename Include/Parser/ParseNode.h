// The base of every parse-tree node, node lists and the current allocator and scanner
// through which nodes are placed and positioned. The current slots are per thread, so
// nested use on one thread works and two threads do not disturb each other.
#pragma once

#include <Parser/Exceptions.h>

#include <kestocom/Interfaces.h>

#include <cstddef>
#include <cstdint>
#include <vector>
#include <string_view>

namespace kesto::zentrel {

class Scanner;

IAllocator* currentAllocator();
IAllocator* setCurrentAllocator(IAllocator* allocator);
IAllocator* secondaryAllocator();
IAllocator* setSecondaryAllocator(IAllocator* allocator);
Scanner* currentScanner();
Scanner* setCurrentScanner(Scanner* scanner);

// Installs an allocator (in both slots) and a scanner for one entry point and puts the
// previous ones back on every exit path.
// While it lives, the blocks of the nodes made on this thread are noted; release() frees
// them. A line parser that keeps no node past its line releases after each line, so the
// next line's nodes reuse the same memory.
class LineNodes {
 public:
  LineNodes();
  ~LineNodes();
  LineNodes(const LineNodes&) = delete;
  LineNodes& operator=(const LineNodes&) = delete;

  void release() noexcept;

 private:
  friend class ParseNode;
  // Small nodes are cut from chunks taken from the allocator and go back with the line;
  // a node deleted early stays until then. Larger ones are single blocks.
  void* take(std::size_t size);
  void newChunk();
  bool owns(const void* block) const;
  std::vector<void*> blocks_;
  void* chunks_ = nullptr;  // newest chunk; each begins with the previous one's address
  std::byte* cursor_ = nullptr;
  std::size_t left_ = 0;
  void* spare_ = nullptr;  // chunks an earlier line used, linked the same way
  LineNodes* previous_;
};

class GlobalsScope {
 public:
  GlobalsScope(IAllocator* allocator, Scanner* scanner);
  ~GlobalsScope();
  GlobalsScope(const GlobalsScope&) = delete;
  GlobalsScope& operator=(const GlobalsScope&) = delete;

 private:
  IAllocator* allocator_;
  IAllocator* secondary_;
  Scanner* scanner_;
};

constexpr int kNodeKindCount = 369;
std::u16string_view nodeDebugName(int kind);  // "" outside 0..368

class ParseNode;

struct NodeVisitor {
  virtual int visit(ParseNode& node) = 0;

 protected:
  ~NodeVisitor() = default;
};

class ParseNode {
 public:
  // Node memory comes from the current allocator.
  static void* operator new(std::size_t size);
  static void operator delete(void* block);
  // A block for a node cut from its line's chunk, or null where the node must go apart.
  static void* takeInLine(std::size_t size);

  ParseNode();
  virtual ~ParseNode() = default;
  ParseNode(const ParseNode&) = delete;
  ParseNode& operator=(const ParseNode&) = delete;

  virtual int childCount() const { return 0; }
  virtual int kind() const = 0;
  virtual int valueAnswer() const { return -1; }
  virtual int assignAnswer() const { return 0; }
  virtual int accept(NodeVisitor& visitor);
  virtual int option(std::uint32_t) { return 0; }
  virtual ParseNode* child(int index) const;

  ParseNode* next = nullptr;
  std::int32_t line = 0;
  std::int32_t offset = 0;

 protected:
  // Placed where the maker says, for one that has asked the scanner itself.
  ParseNode(std::int32_t line, std::int32_t offset) : line(line), offset(offset) {}

 private:
  static void* allocateApart(std::size_t size);
};

struct NodeList {
  ParseNode* head = nullptr;
  ParseNode* tail = nullptr;
  std::int32_t count = 0;

  void append(ParseNode* node) {
    if (tail) tail->next = node;
    else head = node;
    tail = node;
    ++count;
  }
};

}  // namespace kesto::zentrel
