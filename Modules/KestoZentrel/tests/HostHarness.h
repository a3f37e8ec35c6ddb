// An editor host's side of the tests: the real shared library loaded with dlopen and
// registered in a fresh registry, classes created through the component library by CLSID.
#pragma once

#include "ShellHarness.h"

#include "ComClasses.h"

#include <dlfcn.h>

#include <string>
#include <vector>

namespace kesto::zentrel::testing {

template <class T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
  void** out() { return reinterpret_cast<void**>(&p); }
};

using ServerFn = HRESULT (*)();

class Host : public FreshRegistry {
 protected:
  void SetUp() override {
    FreshRegistry::SetUp();
    library_ = dlopen(ZENTREL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    ASSERT_EQ(call("DllRegisterServer"), S_OK);
  }
  void TearDown() override {
    if (library_) dlclose(library_);
    FreshRegistry::TearDown();
  }
  // An entry the library does not export fails the test instead of crashing it.
  template <class Fn>
  Fn entry(const char* name) {
    void* symbol = dlsym(library_, name);
    EXPECT_NE(symbol, nullptr) << name << " is not exported";
    return reinterpret_cast<Fn>(symbol);
  }
  HRESULT call(const char* name) {
    auto fn = entry<ServerFn>(name);
    return fn ? fn() : E_NOTIMPL;
  }

  template <class I>
  static void create(const CLSID& clsid, Ref<I>& object) {
    ASSERT_EQ(COM_CreateInstance(clsid, nullptr, I::iid, object.out()), S_OK);
    ASSERT_NE(object.p, nullptr);
  }

  static Ref<ISourceScanner> source(const std::u16string& text) {
    Ref<ISourceScanner> s;
    COM_CreateTextSource(u"host", text.data(), text.size(), &s.p);
    return s;
  }

  static std::vector<std::string> masks(ISourceScanner* source) { return sourceMasks(source); }

  void* library_ = nullptr;
};

}  // namespace kesto::zentrel::testing
