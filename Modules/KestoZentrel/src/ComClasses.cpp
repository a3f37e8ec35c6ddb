// The language object behind both coclasses (they differ only in the source mode), the
// class factories and the object map.
#include "ComClasses.h"

#include "Language.h"
#include "Enumerators.h"

#include <kestocom/KestoCOM.h>

#include <atomic>
#include <new>

namespace kesto::zentrel {
namespace {

std::atomic<std::int32_t> locks{0};

class LanguageObject final : public ILanguageService,
                             public ILineColourizer,
                             public ILanguageInfo,
                             public IRoutineLabels,
                             public IKeywordExpander {
 public:
  LanguageObject(bool mac, const CLSID& clsid) : mac_(mac), clsid_(clsid) {}

  // IUnknown, shared by all five interfaces.
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IUnknown::iid || riid == ILanguageService::iid) *object = static_cast<ILanguageService*>(this);
    else if (riid == ILineColourizer::iid) *object = static_cast<ILineColourizer*>(this);
    else if (riid == ILanguageInfo::iid) *object = static_cast<ILanguageInfo*>(this);
    else if (riid == IRoutineLabels::iid) *object = static_cast<IRoutineLabels*>(this);
    else if (riid == IKeywordExpander::iid) *object = static_cast<IKeywordExpander*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override {
    const ULONG count = ++refs_;
    if (count == 1) ++locks;
    return count;
  }
  ULONG Release() override {
    const ULONG count = --refs_;
    if (count == 0) {
      --locks;
      delete this;
    }
    return count;
  }

  // ILanguageService
  HRESULT ParseLines(IAllocator* allocator, ISourceScanner* source, std::uint32_t flags) override {
    return parseLines(mac_, allocator, source, flags);
  }
  HRESULT ParseExpression(IAllocator* allocator, ISourceScanner* source, std::uint32_t flags) override {
    return parseExpressionLine(mac_, allocator, source, flags);
  }
  HRESULT Reserved6(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t) override {
    return E_NOTIMPL;
  }
  HRESULT Reserved7(std::int32_t) override { return E_NOTIMPL; }
  HRESULT Reserved8(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { return E_NOTIMPL; }

  // ILineColourizer
  HRESULT ColourLines(IAllocator* allocator, IAllocator* stateAllocator, ISourceScanner* source, std::uint32_t flags,
                      std::int32_t firstLine, std::int32_t lineCount, std::int32_t* startLine,
                      std::int32_t* linesDone) override {
    return colourLines(mac_, allocator, stateAllocator, source, flags, firstLine, lineCount, startLine, linesDone);
  }

  // ILanguageInfo
  HRESULT EnumAttributes(IEnumColourAttributes** attributes) override {
    if (!attributes) return E_POINTER;
    *attributes = newColourAttributeEnumerator();
    return *attributes ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT GetAttribute(std::uint32_t index, BSTR* name) override { return attributeName(index, name); }
  HRESULT GetDisplayName(BSTR* text) override { return COM_GetDisplayNameFromClsid(clsid_, text); }
  HRESULT GetDescription(BSTR* text) override { return COM_GetDescriptionFromClsid(clsid_, text); }
  HRESULT GetProgID(BSTR* text) override { return COM_GetProgIDFromClsid(clsid_, text); }
  HRESULT GetFlag(std::int32_t* one) override { return one ? (*one = 1, S_OK) : E_POINTER; }

  // IRoutineLabels
  HRESULT ListRoutineLabels(ISourceScanner* source, IEnumRoutineLabels** labels) override {
    return listRoutineLabels(mac_, source, labels);
  }

  // IKeywordExpander
  HRESULT ExpandKeyword(BSTR word, std::uint32_t attributeWord, std::int32_t direction, std::int32_t caseStyle,
                        std::uint32_t flags, BSTR* result) override {
    return expandKeyword(word, attributeWord, direction, caseStyle, flags, result);
  }

 private:
  ~LanguageObject() = default;
  std::atomic<ULONG> refs_{0};
  bool mac_;
  const CLSID& clsid_;
};

// One static factory per coclass; it counts as a server lock while held.
class Factory final : public IComponentFactory {
 public:
  Factory(bool mac, const CLSID& clsid) : mac_(mac), clsid_(clsid) {}

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid != IUnknown::iid && riid != IComponentFactory::iid) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IComponentFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override {
    ++locks;
    return 1;
  }
  ULONG Release() override {
    --locks;
    return 1;
  }
  // The creation reference is taken before the interface is asked for, so a failed
  // request frees the instance and a good one leaves exactly the caller's reference.
  HRESULT CreateInstance(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* made = new (std::nothrow) LanguageObject(mac_, clsid_);
    if (!made) return E_OUTOFMEMORY;
    made->AddRef();
    const HRESULT hr = made->QueryInterface(riid, object);
    made->Release();
    return hr;
  }

 private:
  bool mac_;
  const CLSID& clsid_;
};

Factory intFactory(false, CLSID_KestoZentrel);
Factory macFactory(true, CLSID_KestoZentrel_MAC);

const GUID* const kCategories[] = {&CATID_ZentrelLanguage, nullptr};

const ClassEntry kObjectMap[] = {
    {&CLSID_KestoZentrel, &intFactory, u"KestoZentrel", u"INT", kCategories},
    {&CLSID_KestoZentrel_MAC, &macFactory, u"KestoZentrel_MAC", u"MAC,KESTO,ZTL,INC", kCategories},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace

std::int32_t serverLocks() { return locks; }
const ClassEntry* objectMap() { return kObjectMap; }

}  // namespace kesto::zentrel

using namespace kesto::zentrel;

ZENTREL_COM_API HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  for (const ClassEntry* entry = objectMap(); entry->clsid; ++entry)
    if (*entry->clsid == clsid) return entry->factory->QueryInterface(riid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

ZENTREL_COM_API HRESULT CanUnloadNow() { return serverLocks() == 0 ? S_OK : S_FALSE; }
