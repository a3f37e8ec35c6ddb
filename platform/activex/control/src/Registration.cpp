#include <activex/control/Registration.h>

#include <registry/Registry.h>

namespace kesto::activex {

using registry::Hive;

HRESULT registerControl(const ControlClass& control, const std::filesystem::path& library) {
  const std::filesystem::path path = std::filesystem::absolute(library);
  if (FAILED(automation::registerTypeLib(control.typeLib, control.typeLibName, path)))
    return SELFREG_E_TYPELIB;
  if (FAILED(automation::registerInprocServer(control.cls, path))) return SELFREG_E_CLASS;
  try {
    const std::string key = "CLSID\\" + automation::formatGuid(control.cls.clsid);
    registry::setValue(Hive::ClassesRoot, key + "\\InprocServer32", "ThreadingModel", std::string("Apartment"));
    registry::createKey(Hive::ClassesRoot, key + "\\Control");
    registry::createKey(Hive::ClassesRoot, key + "\\Insertable");
    registry::createKey(Hive::ClassesRoot, control.cls.progId + "\\Insertable");
    registry::setValue(Hive::ClassesRoot, key + "\\MiscStatus", "", std::string("0"));
    registry::setValue(Hive::ClassesRoot, key + "\\MiscStatus\\1", "", std::to_string(control.miscStatus));
    registry::setValue(Hive::ClassesRoot, key + "\\ToolboxBitmap32", "",
                       path.string() + ", " + std::to_string(control.toolboxBitmap));
    registry::setValue(Hive::ClassesRoot, key + "\\TypeLib", "", automation::formatGuid(control.typeLib));
    registry::setValue(Hive::ClassesRoot, key + "\\Version", "", control.version);
  } catch (const registry::RegistryError&) {
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT unregisterControl(const ControlClass& control) {
  if (FAILED(automation::unregisterTypeLib(control.typeLib))) return SELFREG_E_TYPELIB;
  if (FAILED(automation::unregisterInprocServer(control.cls))) return SELFREG_E_CLASS;
  return S_OK;
}

}  // namespace kesto::activex
