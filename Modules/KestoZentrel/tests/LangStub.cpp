// Stand-in language services for embedded SQL and HTML: each colours every token of its
// section with its own attribute word, as the real services would colour the text.
#include "RoutineExtensions.h"

#include <atomic>
#include <new>

namespace {

constexpr CLSID kSqlStub{0x5E3A0001, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x01}};
constexpr CLSID kHtmlStub{0x5E3A0002, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x02}};

class StubService final : public ILanguageService {
 public:
  explicit StubService(std::uint32_t word) : word_(word) {}
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid != IUnknown::iid && riid != ILanguageService::iid) return *object = nullptr, E_NOINTERFACE;
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (!left) delete this;
    return left;
  }
  HRESULT ParseLines(IAllocator*, ISourceScanner* source, std::uint32_t) override {
    return kesto::zentrel::colourEmbeddedText(source, word_);
  }
  HRESULT ParseExpression(IAllocator*, ISourceScanner*, std::uint32_t) override { return E_NOTIMPL; }
  HRESULT Reserved6(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t) override {
    return E_NOTIMPL;
  }
  HRESULT Reserved7(std::int32_t) override { return E_NOTIMPL; }
  HRESULT Reserved8(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { return E_NOTIMPL; }

 private:
  std::atomic<ULONG> refs_{1};
  std::uint32_t word_;
};

class StubFactory final : public IComponentFactory {
 public:
  explicit StubFactory(std::uint32_t word) : word_(word) {}
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid != IUnknown::iid && riid != IComponentFactory::iid) return *object = nullptr, E_NOINTERFACE;
    *object = this;
    return S_OK;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT CreateInstance(REFIID riid, void** object) override {
    auto* made = new (std::nothrow) StubService(word_);
    if (!made) return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(riid, object);
    made->Release();
    return hr;
  }

 private:
  std::uint32_t word_;
};

StubFactory sqlFactory((2u << 10) | 9);
StubFactory htmlFactory((5u << 10) | 29);

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (clsid == kSqlStub) return sqlFactory.QueryInterface(riid, object);
  if (clsid == kHtmlStub) return htmlFactory.QueryInterface(riid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}
