// Reference-counting smart pointer for interfaces.
#pragma once

#include <automation/DispatchException.h>
#include <automation/Interfaces.h>

#include <utility>

namespace kesto::automation {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(T* p) : p_(p) { if (p_) p_->AddRef(); }  // takes a new reference
  ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr o) noexcept { std::swap(p_, o.p_); return *this; }
  ~ComPtr() { if (p_) p_->Release(); }

  // Adopts a reference the caller already owns.
  static ComPtr attach(T* p) { ComPtr c; c.p_ = p; return c; }
  T* detach() { return std::exchange(p_, nullptr); }
  void reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
  // Releases the current pointer and hands out its address for an out parameter.
  T** put() { reset(); return &p_; }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  T* get() const { return p_; }
  T* operator->() const { return checked(); }
  T& operator*() const { return *checked(); }
  explicit operator bool() const { return p_ != nullptr; }

  // QueryInterface for U; null when the object does not offer it.
  template <class U>
  ComPtr<U> as() const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(U::iid, out.putVoid());
    return out;
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }

 private:
  T* checked() const {
    if (!p_) throw ComError(E_POINTER, "null interface pointer used");
    return p_;
  }
  T* p_ = nullptr;
};

}  // namespace kesto::automation
