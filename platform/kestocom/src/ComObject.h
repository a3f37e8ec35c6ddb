// Reference counting shared by the library's objects: starts at 1 for the creator and
// deletes the object when the last reference goes.
#pragma once

#include <atomic>
#include <cstdint>

namespace kesto::kestocom {

class RefCounted {
 public:
  virtual ~RefCounted() = default;
  std::uint32_t addRef() { return ++refs_; }
  std::uint32_t release() {
    std::uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<std::uint32_t> refs_{1};
};

}  // namespace kesto::kestocom
