#include <automation/Activation.h>

#include <registry/Registry.h>

#include <dlfcn.h>

#include <system_error>

namespace reg = kesto::registry;

namespace kesto::automation {

namespace {

constexpr auto kRoot = reg::Hive::ClassesRoot;

std::filesystem::path absolutePath(const std::filesystem::path& p) {
  std::error_code ec;
  auto out = std::filesystem::weakly_canonical(p, ec);
  return ec ? std::filesystem::absolute(p) : out;
}

}  // namespace

HRESULT registerInprocServer(const ClassRegistration& cls, const std::filesystem::path& library) {
  if (cls.progId.empty()) return E_INVALIDARG;
  const std::string clsidKey = "CLSID\\" + formatGuid(cls.clsid);
  try {
    reg::setValue(kRoot, cls.progId, "", cls.description);
    reg::setValue(kRoot, cls.progId + "\\CLSID", "", formatGuid(cls.clsid));
    reg::setValue(kRoot, clsidKey, "", cls.description);
    reg::setValue(kRoot, clsidKey + "\\ProgID", "", cls.progId);
    reg::setValue(kRoot, clsidKey + "\\InprocServer32", "", absolutePath(library).string());
  } catch (const reg::RegistryError&) {
    return REGDB_E_WRITEREGDB;
  }
  return S_OK;
}

HRESULT unregisterInprocServer(const ClassRegistration& cls) {
  if (cls.progId.empty()) return E_INVALIDARG;
  try {
    // A missing tree is already what unregistering wants.
    for (const std::string& key : {cls.progId, "CLSID\\" + formatGuid(cls.clsid)})
      if (reg::keyExists(kRoot, key) && !reg::deleteTree(kRoot, key)) return REGDB_E_WRITEREGDB;
  } catch (const reg::RegistryError&) {
    return REGDB_E_WRITEREGDB;
  }
  return S_OK;
}

HRESULT registerTypeLib(REFGUID libid, std::string_view name, const std::filesystem::path& library) {
  const std::string key = "TypeLib\\" + formatGuid(libid);
  try {
    reg::setValue(kRoot, key, "", std::string(name));
    reg::setValue(kRoot, key, "path", absolutePath(library).string());
  } catch (const reg::RegistryError&) {
    return SELFREG_E_TYPELIB;
  }
  return S_OK;
}

HRESULT unregisterTypeLib(REFGUID libid) {
  const std::string key = "TypeLib\\" + formatGuid(libid);
  try {
    if (reg::keyExists(kRoot, key) && !reg::deleteTree(kRoot, key)) return SELFREG_E_TYPELIB;
  } catch (const reg::RegistryError&) {
    return SELFREG_E_TYPELIB;
  }
  return S_OK;
}

std::filesystem::path modulePath(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return {};
  return absolutePath(info.dli_fname);
}

}  // namespace kesto::automation
