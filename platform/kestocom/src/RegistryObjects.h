// Built-in classes for self-registration: a registry editor with a key cursor and a
// component-category registrar.
#pragma once

#include "ComObject.h"

#include <kestocom/LanguageService.h>

#include <string>
#include <vector>

namespace kesto::kestocom {

class RegistryEditor final : public IRegistryEditor, public RefCounted {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return addRef(); }
  ULONG Release() override { return release(); }

  HRESULT OpenRoot(std::int32_t root, const char16_t* key) override;
  HRESULT CloseKey() override;
  HRESULT OpenKey(const char16_t* name) override;
  HRESULT CreateKey(const char16_t* name, std::int32_t open) override;
  HRESULT DeleteKeyTree(const char16_t* name) override;
  HRESULT SetValue(const char16_t* name, const char16_t* data) override;
  HRESULT QueryValue(const char16_t* name, BSTR* data) override;
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT DeleteValue(const char16_t* name) override;

 private:
  std::string below(const char16_t* name) const;
  std::vector<std::string> keys_;  // opened keys, the root first
};

class CategoryRegistrar final : public ICategoryRegistrar, public RefCounted {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return addRef(); }
  ULONG Release() override { return release(); }

  HRESULT Reserved3() override { return E_NOTIMPL; }
  HRESULT RegisterCategory(REFGUID category, REFCLSID clsid) override;
  HRESULT Reserved5() override { return E_NOTIMPL; }
  HRESULT UnregisterCategory(REFGUID category, REFCLSID clsid) override;
};

}  // namespace kesto::kestocom
