// The two registered classes of the language service, their factories, the server's
// exported entry points and its self-registration.
#pragma once

#include <kestocom/LanguageService.h>

#include <cstdint>

#define ZENTREL_COM_API extern "C" __attribute__((visibility("default")))

constexpr CLSID CLSID_KestoZentrel{0x16FF6000, 0x07A5, 0x11D3, {0xA0, 0x3F, 0x00, 0x80, 0xC7, 0x4A, 0xF1, 0x9F}};
constexpr CLSID CLSID_KestoZentrel_MAC{0xC05D40BA, 0xF67A, 0x11D3, {0x9C, 0x7D, 0x00, 0xC0, 0x4F, 0x79, 0x12, 0xDD}};
constexpr GUID CATID_ZentrelLanguage{0xFB407D7E, 0xB290, 0x11D3, {0x95, 0x60, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};

ZENTREL_COM_API HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object);
ZENTREL_COM_API HRESULT CanUnloadNow();
ZENTREL_COM_API HRESULT DllRegisterServer();
ZENTREL_COM_API HRESULT DllUnregisterServer();

namespace kesto::zentrel {

// The server lock count: live instances and factory locks.
std::int32_t serverLocks();

// One coclass of the object map.
struct ClassEntry {
  const CLSID* clsid;
  IComponentFactory* factory;
  const char16_t* progId;
  const char16_t* monikerNames;  // comma-separated "lang" names
  const GUID* const* categories;  // null-ended
};
const ClassEntry* objectMap();  // ended by an entry with a null clsid

}  // namespace kesto::zentrel
