// The registry editor and the category registrar that in-process servers register
// themselves through, both over the classes root of the registry stand-in.
#include "RegistryObjects.h"

#include "Guarded.h"

#include <automation/Bstr.h>
#include <automation/Types.h>
#include <registry/Registry.h>
#include <text/CodePage.h>

#include <new>
#include <string>
#include <vector>

namespace kesto::kestocom {
namespace {

namespace reg = kesto::registry;
constexpr auto kRoot = reg::Hive::ClassesRoot;

std::string narrow(const char16_t* text) { return text ? kesto::text::utf16ToUtf8(text) : std::string(); }


template <class Interface>
HRESULT answer(Interface* self, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IUnknown::iid || riid == Interface::iid) {
    *object = self;
    self->AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

}  // namespace

HRESULT RegistryEditor::QueryInterface(REFIID riid, void** object) { return answer<IRegistryEditor>(this, riid, object); }

std::string RegistryEditor::below(const char16_t* name) const {
  std::string path = keys_.empty() ? std::string() : keys_.back();
  const std::string leaf = narrow(name);
  if (!path.empty() && !leaf.empty()) path += '\\';
  return path + leaf;
}

HRESULT RegistryEditor::OpenRoot(std::int32_t root, const char16_t* key) {
  if (root != 1) return E_INVALIDARG;
  keys_.clear();
  keys_.push_back(narrow(key));
  return S_OK;
}

HRESULT RegistryEditor::CloseKey() {
  if (keys_.size() <= 1) return E_UNEXPECTED;
  keys_.pop_back();
  return S_OK;
}

HRESULT RegistryEditor::OpenKey(const char16_t* name) {
  if (keys_.empty() || !name) return E_UNEXPECTED;
  return guarded([&] {
    const std::string path = below(name);
    if (!reg::keyExists(kRoot, path)) return REGDB_E_READREGDB;
    keys_.push_back(path);
    return S_OK;
  });
}

HRESULT RegistryEditor::CreateKey(const char16_t* name, std::int32_t open) {
  if (keys_.empty() || !name || !*name) return E_INVALIDARG;
  return guarded([&] {
    const std::string path = below(name);
    reg::createKey(kRoot, path);
    if (open) keys_.push_back(path);
    return S_OK;
  });
}

HRESULT RegistryEditor::DeleteKeyTree(const char16_t* name) {
  if (keys_.empty() || !name || !*name) return E_INVALIDARG;
  return guarded([&] {
    reg::deleteTree(kRoot, below(name));  // an absent tree is already gone
    return S_OK;
  });
}

HRESULT RegistryEditor::SetValue(const char16_t* name, const char16_t* data) {
  if (keys_.empty() || keys_.back().empty()) return E_UNEXPECTED;
  return guarded([&] {
    reg::setValue(kRoot, keys_.back(), narrow(name), narrow(data));
    return S_OK;
  });
}

HRESULT RegistryEditor::QueryValue(const char16_t* name, BSTR* data) {
  if (!data) return E_POINTER;
  *data = nullptr;
  if (keys_.empty()) return E_UNEXPECTED;
  return guarded([&] {
    auto value = reg::getString(kRoot, keys_.back(), narrow(name));
    if (!value) return S_FALSE;
    *data = kesto::automation::Bstr::fromUtf8(*value).detach();
    return *data ? S_OK : E_OUTOFMEMORY;
  });
}

HRESULT RegistryEditor::DeleteValue(const char16_t* name) {
  if (keys_.empty() || keys_.back().empty()) return E_UNEXPECTED;
  return guarded([&] {
    reg::deleteValue(kRoot, keys_.back(), narrow(name));
    return S_OK;
  });
}

HRESULT CategoryRegistrar::QueryInterface(REFIID riid, void** object) {
  return answer<ICategoryRegistrar>(this, riid, object);
}

// Component Categories\{catid} names the category; the class lists it under
// CLSID\{clsid}\Implemented Categories.
HRESULT CategoryRegistrar::RegisterCategory(REFGUID category, REFCLSID clsid) {
  return guarded([&] {
    const std::string cat = kesto::automation::formatGuid(category);
    reg::createKey(kRoot, "Component Categories\\" + cat);
    reg::createKey(kRoot, "CLSID\\" + kesto::automation::formatGuid(clsid) + "\\Implemented Categories\\" + cat);
    return S_OK;
  });
}

HRESULT CategoryRegistrar::UnregisterCategory(REFGUID category, REFCLSID clsid) {
  return guarded([&] {
    const std::string key = "CLSID\\" + kesto::automation::formatGuid(clsid) + "\\Implemented Categories";
    reg::deleteTree(kRoot, key + "\\" + kesto::automation::formatGuid(category));
    if (reg::keyExists(kRoot, key) && reg::subkeys(kRoot, key).empty()) reg::deleteKey(kRoot, key);
    return S_OK;
  });
}

}  // namespace kesto::kestocom
