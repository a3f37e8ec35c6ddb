// Language names ("lang:" display names), class texts and the registration helpers, all
// kept in the classes root of the registry.
#include "Guarded.h"

#include <kestocom/KestoCOM.h>

#include <automation/Bstr.h>
#include <registry/Registry.h>
#include <text/CodePage.h>
#include <text/Compare.h>

#include <new>
#include <string>

namespace kesto::kestocom {
namespace {

namespace reg = kesto::registry;
constexpr auto kRoot = reg::Hive::ClassesRoot;
constexpr std::string_view kLanguageKey = "Moniker\\lang";

std::string clsidKey(REFCLSID clsid) { return "CLSID\\" + kesto::automation::formatGuid(clsid); }

class LanguageName final : public IComponentName {
 public:
  explicit LanguageName(std::string language) : language_(std::move(language)) {}

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IUnknown::iid || riid == IComponentName::iid) {
      *object = static_cast<IComponentName*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT Bind(const char16_t*, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    std::optional<std::string> data;
    for (const auto& [name, value] : reg::values(kRoot, kLanguageKey))
      if (kesto::text::equalsNoCase(std::string_view(name), std::string_view(language_))) data = reg::toText(value);
    if (!data) return MK_E_NOOBJECT;
    auto clsid = kesto::automation::parseGuid(*data);
    if (!clsid) return MK_E_NOOBJECT;
    return COM_CreateInstance(*clsid, nullptr, riid, object);
  }

 private:
  ~LanguageName() = default;
  std::string language_;
  ULONG refs_ = 1;
};

HRESULT classText(REFCLSID clsid, const char* subkey, BSTR* text) {
  if (!text) return E_POINTER;
  *text = nullptr;
  std::string key = clsidKey(clsid);
  if (*subkey) key += std::string("\\") + subkey;
  auto value = reg::getString(kRoot, key, "");
  if (!value) return REGDB_E_CLASSNOTREG;
  *text = kesto::automation::Bstr::fromUtf8(*value).detach();
  return *text ? S_OK : E_OUTOFMEMORY;
}


}  // namespace
}  // namespace kesto::kestocom

using namespace kesto::kestocom;

KESTOCOM_API HRESULT COM_MkParseName(const char16_t* displayName, std::int32_t* eaten, IComponentName** name) {
  if (!displayName || !eaten || !name) return E_POINTER;
  *name = nullptr;
  *eaten = 0;
  std::u16string_view text(displayName);
  constexpr std::u16string_view prefix = u"lang:";
  if (text.size() <= prefix.size() || !kesto::text::equalsNoCase(text.substr(0, prefix.size()), prefix))
    return MK_E_SYNTAX;
  return guarded([&] {
    *name = new LanguageName(kesto::text::utf16ToUtf8(text.substr(prefix.size())));
    *eaten = static_cast<std::int32_t>(text.size());
    return S_OK;
  });
}

KESTOCOM_API HRESULT COM_GetDisplayNameFromClsid(REFCLSID clsid, BSTR* text) {
  return guarded([&] { return classText(clsid, "DisplayName", text); });
}
KESTOCOM_API HRESULT COM_GetDescriptionFromClsid(REFCLSID clsid, BSTR* text) {
  return guarded([&] { return classText(clsid, "Description", text); });
}
KESTOCOM_API HRESULT COM_GetProgIDFromClsid(REFCLSID clsid, BSTR* text) {
  return guarded([&] { return classText(clsid, "ProgID", text); });
}

KESTOCOM_API HRESULT COM_RegisterLanguageName(const char* name, REFCLSID clsid, std::int32_t add) {
  if (!name || !*name) return E_INVALIDARG;
  return guarded([&] {
    const std::string data = kesto::automation::formatGuid(clsid);
    if (add) {
      reg::setValue(kRoot, kLanguageKey, name, data);
      return S_OK;
    }
    // Only our own registration goes: another class may own the same name.
    auto current = reg::getString(kRoot, kLanguageKey, name);
    if (current && kesto::text::equalsNoCase(std::string_view(*current), std::string_view(data)))
      reg::deleteValue(kRoot, kLanguageKey, name);
    return S_OK;
  });
}

KESTOCOM_API HRESULT COM_RegisterClass(REFCLSID clsid, const char* progId, const char* libraryPath,
                                       const char* displayName, const char* description, std::int32_t add) {
  if (!progId || !*progId) return E_INVALIDARG;
  return guarded([&] {
    const std::string key = clsidKey(clsid);
    const std::string guid = kesto::automation::formatGuid(clsid);
    if (!add) {
      reg::deleteTree(kRoot, key);
      reg::deleteTree(kRoot, progId);
      return S_OK;
    }
    if (!libraryPath || libraryPath[0] != '/') return E_INVALIDARG;
    reg::setValue(kRoot, key, "", std::string(progId));
    reg::setValue(kRoot, key + "\\InprocServer32", "", std::string(libraryPath));
    reg::setValue(kRoot, key + "\\ProgID", "", std::string(progId));
    if (displayName) reg::setValue(kRoot, key + "\\DisplayName", "", std::string(displayName));
    if (description) reg::setValue(kRoot, key + "\\Description", "", std::string(description));
    reg::setValue(kRoot, std::string(progId) + "\\CLSID", "", guid);
    return S_OK;
  });
}
