// Reference counting and QueryInterface for objects that implement interfaces, plus the
// module lock count that DllCanUnloadNow reads.
#pragma once

#include <automation/ComPtr.h>
#include <automation/Interfaces.h>

#include <atomic>
#include <tuple>
#include <type_traits>
#include <utility>

namespace kesto::automation {

// Live objects and LockServer locks of this module (each shared library that links this
// library has its own count).
long moduleLockCount();
void lockModule();
void unlockModule();

// Implements IUnknown for `Derived`, which implements `Interfaces...`. An object starts
// with one reference, owned by whoever made it (see create()). While alive it locks the
// module. Derived may override queryExtra() to answer further interface identifiers.
template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
 public:
  template <class... Args>
  static ComPtr<Derived> create(Args&&... args) {
    return ComPtr<Derived>::attach(new Derived(std::forward<Args>(args)...));
  }

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    void* found = nullptr;
    if (riid == IID_IUnknown) found = static_cast<IUnknown*>(static_cast<First*>(this));
    if (!found) found = queryExtra(riid);
    if (!found) ((found = found ? found : match<Interfaces>(riid)), ...);
    if (!found) return E_NOINTERFACE;
    AddRef();
    *object = found;
    return S_OK;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() { lockModule(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;
  virtual ~ComObject() { unlockModule(); }

  // The object as IUnknown without a new reference.
  IUnknown* unknown() { return static_cast<IUnknown*>(static_cast<First*>(this)); }
  virtual void* queryExtra(REFIID) { return nullptr; }

 private:
  using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;

  template <class I>
  void* match(REFIID riid) {
    if (riid == I::iid) return static_cast<I*>(this);
    if constexpr (std::is_base_of_v<IDispatch, I>)
      if (riid == IID_IDispatch) return static_cast<IDispatch*>(static_cast<I*>(this));
    return nullptr;
  }

  std::atomic<ULONG> refs_{1};
};

}  // namespace kesto::automation
