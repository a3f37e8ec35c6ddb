// A host that loads libKestoObject.so, leaves a connected Factory and one whose Connect
// failed alive, and ends the process: the end must be quiet.
//   exit-host LIBRARY CONNECT-TEXT FAILING-CONNECT-TEXT
#include <kestoobject/Guids.h>

#include <automation/Dispatch.h>

#include <dlfcn.h>

#include <cstdio>

using namespace kesto::automation;

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  void* library = ::dlopen(argv[1], RTLD_NOW);
  if (!library) {
    std::fprintf(stderr, "%s\n", ::dlerror());
    return 3;
  }
  using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
  const auto get = reinterpret_cast<GetClassObject>(::dlsym(library, "DllGetClassObject"));
  ComPtr<IClassFactory> classFactory;
  if (!get || get(kesto::object::kClsidFactory, IID_IClassFactory, classFactory.putVoid()) != S_OK) return 4;
  IDispatch* connected = nullptr;
  IDispatch* failed = nullptr;
  classFactory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&connected));
  classFactory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&failed));
  if (!connected || !failed) return 5;
  if (!Dispatch(connected).call("Connect", argv[2]).toBool()) return 6;
  Dispatch article(Dispatch(connected).call("OpenId", "FRX.ArtHaupt1", "1||100001").dispatch());
  if (Dispatch(failed).call("Connect", argv[3]).toBool()) return 7;
  // Nothing is released: the process ends with all of it held.
  article.object()->AddRef();
  return 0;
}
