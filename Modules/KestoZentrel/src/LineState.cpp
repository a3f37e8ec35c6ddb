#include <Parser/LineState.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace kesto::zentrel {

std::uint16_t blockLength(const std::uint8_t* block) {
  std::uint16_t n;
  std::memcpy(&n, block, 2);
  return n;
}

bool isNullBlock(const std::uint8_t* block) { return block && blockLength(block) == kNullBlockLength; }

std::size_t blockSize(const std::uint8_t* block) {
  std::uint16_t n = blockLength(block);
  return n == kNullBlockLength ? 2 : std::size_t{n} + 2;
}

bool blockEqual(const std::uint8_t* a, const std::uint8_t* b) {
  if (!a || !b) return a == b;
  const std::size_t size = blockSize(a);
  return size == blockSize(b) && std::memcmp(a, b, size) == 0;
}

namespace {

std::uint8_t* allocate(std::size_t size, IAllocator* allocator) {
  void* p = allocator ? allocator->Allocate(size) : std::malloc(size);
  if (!p) throw std::bad_alloc();
  return static_cast<std::uint8_t*>(p);
}

}  // namespace

std::uint8_t* blockCopy(const std::uint8_t* block) {
  std::uint8_t* p = allocate(blockSize(block), nullptr);
  std::memcpy(p, block, blockSize(block));
  return p;
}

std::uint8_t* blockCopy(const std::uint8_t* block, IAllocator* allocator) {
  std::uint8_t* p = allocate(blockSize(block), allocator);
  std::memcpy(p, block, blockSize(block));
  return p;
}

std::uint8_t* blockMake(const std::uint8_t* bytes, std::size_t n, IAllocator* allocator) {
  if (n >= kNullBlockLength) throw std::length_error("line state too long");
  std::uint8_t* p = allocate(n + 2, allocator);
  const std::uint16_t length = static_cast<std::uint16_t>(n);
  std::memcpy(p, &length, 2);
  if (n) std::memcpy(p + 2, bytes, n);
  return p;
}

std::uint8_t* nullBlockMake(IAllocator* allocator) {
  std::uint8_t* p = allocate(2, allocator);
  std::memcpy(p, &kNullBlockLength, 2);
  return p;
}

}  // namespace kesto::zentrel
