// Memory for large per-call arrays that stays with the process when a call is done: the
// next call takes the same blocks again. An editor colours the same routine over and over;
// fresh blocks of that size would be mapped, faulted in and returned to the system on
// every call, which costs more than the colouring itself. Each library that includes this
// has its own instance.
#pragma once

#include <cstddef>
#include <memory_resource>
#include <mutex>
#include <new>
#include <vector>

namespace kesto::kestocom {

class RetainedMemory final : public std::pmr::memory_resource {
 public:
  // Blocks kept for reuse, at most this many bytes in all.
  static constexpr std::size_t kKeepBytes = std::size_t{64} << 20;

  // The one instance; never destroyed, so that a block given back during the process's
  // exit still finds it.
  static RetainedMemory& shared() {
    static auto* memory = new RetainedMemory;
    return *memory;
  }

  // A block that remembers its size, given back with `give` alone.
  void* take(std::size_t bytes) {
    {
      std::lock_guard lock(mutex_);
      // The smallest kept block that is large enough, and not far too large.
      std::size_t best = kept_.size();
      for (std::size_t i = 0; i < kept_.size(); ++i) {
        const std::size_t capacity = capacityOf(kept_[i]);
        if (capacity >= bytes && capacity / 4 <= bytes &&
            (best == kept_.size() || capacity < capacityOf(kept_[best])))
          best = i;
      }
      if (best != kept_.size()) {
        void* block = kept_[best];
        kept_[best] = kept_.back();
        kept_.pop_back();
        keptBytes_ -= capacityOf(block);
        return block;
      }
    }
    if (bytes > static_cast<std::size_t>(-1) - kHeader) throw std::bad_alloc();
    void* block = static_cast<std::byte*>(::operator new(bytes + kHeader)) + kHeader;
    capacityOf(block) = bytes;
    return block;
  }

  void give(void* block) noexcept {
    if (!block) return;
    {
      std::lock_guard lock(mutex_);
      const std::size_t capacity = capacityOf(block);
      if (keptBytes_ + capacity <= kKeepBytes) {
        try {
          kept_.push_back(block);
          keptBytes_ += capacity;
          return;
        } catch (const std::bad_alloc&) {
          // Not kept: freed below.
        }
      }
    }
    ::operator delete(static_cast<std::byte*>(block) - kHeader);
  }

 private:
  // A block's capacity sits in front of it; the header keeps the block aligned like malloc's.
  static constexpr std::size_t kHeader = alignof(std::max_align_t);
  static std::size_t& capacityOf(void* block) {
    return *reinterpret_cast<std::size_t*>(static_cast<std::byte*>(block) - kHeader);
  }

  RetainedMemory() = default;
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    if (alignment > kHeader) return ::operator new(bytes, std::align_val_t{alignment});
    return take(bytes);
  }
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override {
    if (alignment > kHeader) return ::operator delete(block, bytes, std::align_val_t{alignment});
    give(block);
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

  std::mutex mutex_;
  std::vector<void*> kept_;  // blocks given back, each with its header
  std::size_t keptBytes_ = 0;
};

}  // namespace kesto::kestocom
