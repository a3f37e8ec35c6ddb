#include <kestoobject/Registration.h>

#include <kestoobject/ErrorTexts.h>

namespace kesto::object {

HRESULT RegisterServer(std::span<const automation::ClassRegistration> classes,
                       const std::filesystem::path& library) {
  if (FAILED(automation::registerTypeLib(kTypeLibraryId, text(TextId::Title), library)))
    return SELFREG_E_TYPELIB;
  for (const automation::ClassRegistration& cls : classes)
    if (FAILED(automation::registerInprocServer(cls, library))) return SELFREG_E_CLASS;
  return S_OK;
}

HRESULT UnregisterServer(std::span<const automation::ClassRegistration> classes) {
  if (FAILED(automation::unregisterTypeLib(kTypeLibraryId))) return SELFREG_E_TYPELIB;
  for (const automation::ClassRegistration& cls : classes)
    if (FAILED(automation::unregisterInprocServer(cls))) return SELFREG_E_CLASS;
  return S_OK;
}

}  // namespace kesto::object
