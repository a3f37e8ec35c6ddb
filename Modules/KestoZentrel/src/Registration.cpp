// Self-registration of the server: each class's keys, its "lang" names and its component
// category, written through the component library's registry and category objects.
#include "ComClasses.h"
#include "Released.h"

#include <automation/OleString.h>
#include <kestocom/KestoCOM.h>
#include <text/CodePage.h>

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace kesto::zentrel {
namespace {


std::u16string wide(std::string_view utf8) { return kesto::text::utf8ToUtf16(utf8); }

// The absolute path of this library, so that a host loads exactly the registered file.
std::u16string modulePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<const void*>(&modulePath), &info) || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  if (!realpath(info.dli_fname, resolved)) return wide(info.dli_fname);
  return wide(resolved);
}

std::vector<std::u16string> splitNames(std::u16string_view names) {
  std::vector<std::u16string> parts;
  for (std::size_t b = 0; b <= names.size();) {
    std::size_t e = names.find(u',', b);
    if (e == std::u16string_view::npos) e = names.size();
    if (e > b) parts.emplace_back(names.substr(b, e - b));
    b = e + 1;
  }
  return parts;
}

// Runs the steps in order and answers the first failure; no step runs after one fails.
class Steps {
 public:
  Steps& operator()(HRESULT hr) {
    if (SUCCEEDED(result_) && FAILED(hr)) result_ = hr;
    return *this;
  }
  bool ok() const { return SUCCEEDED(result_); }
  HRESULT result() const { return result_; }

 private:
  HRESULT result_ = S_OK;
};

HRESULT setDefault(IRegistryEditor* editor, const char16_t* key, const std::u16string& value) {
  Steps step;
  step(editor->CreateKey(key, 1));
  if (step.ok()) step(editor->SetValue(u"", value.c_str()))(editor->CloseKey());
  return step.result();
}

HRESULT writeClassRegistration(const ClassEntry& entry, bool add) {
  Released<IRegistryEditor> editor;
  Steps step;
  step(COM_CreateInstance(CLSID_RegistryEditor, nullptr, IRegistryEditor::iid, reinterpret_cast<void**>(&editor.p)));
  if (!step.ok()) return step.result();
  const std::u16string clsid = wide(kesto::automation::formatGuid(*entry.clsid));
  const std::u16string progId = entry.progId;
  const std::u16string text = u"Kesto Zentrel";
  step(editor.p->OpenRoot(1, u""));
  if (add) {
    const std::u16string module = modulePath();
    if (module.empty()) return E_FAIL;
    step(editor.p->CreateKey(u"CLSID", 1))(editor.p->CreateKey(clsid.c_str(), 1));
    if (step.ok()) {
      step(editor.p->SetValue(u"", progId.c_str()))(setDefault(editor.p, u"InprocServer32", module))(
          setDefault(editor.p, u"ProgID", progId))(setDefault(editor.p, u"DisplayName", text))(
          setDefault(editor.p, u"Description", text))(editor.p->CloseKey())(editor.p->CloseKey());
    }
    step(editor.p->CreateKey(u"Moniker", 1))(editor.p->CreateKey(u"lang", 1));
    for (const auto& name : splitNames(entry.monikerNames)) step(editor.p->SetValue(name.c_str(), clsid.c_str()));
    step(editor.p->CloseKey())(editor.p->CloseKey());
    step(editor.p->CreateKey(progId.c_str(), 1));
    step(setDefault(editor.p, u"CLSID", clsid))(editor.p->CloseKey());
    return step.result();
  }
  if (SUCCEEDED(editor.p->OpenKey(u"CLSID"))) {
    step(editor.p->DeleteKeyTree(clsid.c_str()))(editor.p->CloseKey());
  }
  if (SUCCEEDED(editor.p->OpenKey(u"Moniker")) && SUCCEEDED(editor.p->OpenKey(u"lang"))) {
    // A name that another class has taken over stays with that class.
    for (const auto& name : splitNames(entry.monikerNames)) {
      BSTR data = nullptr;
      if (editor.p->QueryValue(name.c_str(), &data) == S_OK && std::u16string_view(data) == clsid)
        step(editor.p->DeleteValue(name.c_str()));
      SysFreeString(data);
    }
  }
  step(editor.p->OpenRoot(1, u""))(editor.p->DeleteKeyTree(progId.c_str()));
  return step.result();
}

HRESULT registerCategories(const ClassEntry& entry, bool add, Released<ICategoryRegistrar>& registrar) {
  if (!entry.categories || !entry.categories[0]) return S_OK;
  if (!registrar.p) {
    const HRESULT hr = COM_CreateInstance(CLSID_CategoryRegistrar, nullptr, ICategoryRegistrar::iid,
                                          reinterpret_cast<void**>(&registrar.p));
    if (FAILED(hr)) return hr;
  }
  Steps step;
  for (const GUID* const* c = entry.categories; *c; ++c)
    step(add ? registrar.p->RegisterCategory(**c, *entry.clsid) : registrar.p->UnregisterCategory(**c, *entry.clsid));
  return step.result();
}

// Every class and category is tried; the first failure is the answer.
HRESULT registerServer(bool add) {
  try {
    Steps step;
    Released<ICategoryRegistrar> registrar;
    for (const ClassEntry* entry = objectMap(); entry->clsid; ++entry) {
      const HRESULT written = writeClassRegistration(*entry, add);
      const HRESULT categories = registerCategories(*entry, add, registrar);
      step(written)(categories);
    }
    return step.result();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace
}  // namespace kesto::zentrel

ZENTREL_COM_API HRESULT DllRegisterServer() { return kesto::zentrel::registerServer(true); }
ZENTREL_COM_API HRESULT DllUnregisterServer() { return kesto::zentrel::registerServer(false); }
