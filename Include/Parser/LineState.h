// Length-prefixed byte blocks: a u16 length N and N bytes, or the null block whose length
// word is 0xFFFF. Per-line parser state is stored and compared in this form.
#pragma once

#include <kestocom/Interfaces.h>

#include <cstddef>
#include <cstdint>

namespace kesto::zentrel {

constexpr std::uint16_t kNullBlockLength = 0xFFFF;

std::uint16_t blockLength(const std::uint8_t* block);
std::size_t blockSize(const std::uint8_t* block);
bool isNullBlock(const std::uint8_t* block);
bool blockEqual(const std::uint8_t* a, const std::uint8_t* b);
// Copies on the C heap (release with free) or through an allocator; std::bad_alloc when
// no memory is left.
std::uint8_t* blockCopy(const std::uint8_t* block);
std::uint8_t* blockCopy(const std::uint8_t* block, IAllocator* allocator);
// A new block of `n` bytes (or the null block) through the allocator, or the C heap when
// the allocator is null.
std::uint8_t* blockMake(const std::uint8_t* bytes, std::size_t n, IAllocator* allocator);
std::uint8_t* nullBlockMake(IAllocator* allocator);

}  // namespace kesto::zentrel
