// Holds one reference of an interface pointer and releases it at scope exit.
#pragma once

namespace kesto::zentrel {

template <class T>
struct Released {
  T* p = nullptr;
  Released() = default;
  explicit Released(T* held) : p(held) {}
  Released(const Released&) = delete;
  Released& operator=(const Released&) = delete;
  ~Released() {
    if (p) p->Release();
  }
};

}  // namespace kesto::zentrel
