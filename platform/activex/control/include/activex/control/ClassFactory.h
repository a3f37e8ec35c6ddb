// The class object an in-process control server hands out for one of its classes.
#pragma once

#include <automation/ComObject.h>

#include <functional>

namespace kesto::activex {

class ClassFactory final : public automation::ComObject<ClassFactory, IClassFactory> {
 public:
  using Creator = std::function<automation::ComPtr<IUnknown>()>;
  explicit ClassFactory(Creator create) : create_(std::move(create)) {}

  HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      return create_()->QueryInterface(riid, object);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT LockServer(BOOL lock) override {
    lock ? automation::lockModule() : automation::unlockModule();
    return S_OK;
  }

 private:
  Creator create_;
};

}  // namespace kesto::activex
