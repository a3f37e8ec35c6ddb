// An in-process server for the activation tests: exports the four entry points.
#include "SampleObject.h"

#include <automation/Activation.h>

using namespace kesto::automation;

namespace {
const ClassRegistration kSample{sample::kClsid, sample::kProgId, "Kesto test sample"};
}

extern "C" {

KESTO_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != sample::kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  auto factory = ComPtr<IClassFactory>::attach(sample::newSampleFactory());
  return factory->QueryInterface(riid, object);
}

KESTO_EXPORT HRESULT DllCanUnloadNow() { return moduleLockCount() == 0 ? S_OK : S_FALSE; }

KESTO_EXPORT HRESULT DllRegisterServer() {
  return registerInprocServer(kSample, modulePath(reinterpret_cast<const void*>(&DllRegisterServer)));
}

KESTO_EXPORT HRESULT DllUnregisterServer() { return unregisterInprocServer(kSample); }
}
