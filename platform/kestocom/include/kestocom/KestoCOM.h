// Exported entry points of the component library. Every function answers an HRESULT and
// never throws.
#pragma once

#include <kestocom/Interfaces.h>

#include <cstddef>
#include <cstdint>

#define KESTOCOM_API extern "C" __attribute__((visibility("default")))

// Built-in classes.
constexpr CLSID CLSID_ComponentAllocator{0x1D371AC0, 0x74F0, 0x11D3, {0x89, 0xEC, 0, 0, 0, 0, 0, 0}};
constexpr CLSID CLSID_ColouringScanner{0xEED86E20, 0x5BA1, 0x11D3, {0x9E, 0x0C, 0x00, 0x90, 0x27, 0x12, 0xCA, 0x93}};

// Classes by CLSID: the built-ins, else the library registered under
// CLSID\{clsid}\InprocServer32 in the classes root, loaded with dlopen and asked through
// its export "GetClassObject".
KESTOCOM_API HRESULT COM_GetClassFactory(REFCLSID clsid, IComponentFactory** factory);
KESTOCOM_API HRESULT COM_CreateInstance(REFCLSID clsid, IUnknown* outer, REFIID riid, void** object);

// "lang:" followed by a language name; *eaten receives the characters used.
KESTOCOM_API HRESULT COM_MkParseName(const char16_t* displayName, std::int32_t* eaten, IComponentName** name);

KESTOCOM_API HRESULT COM_GetDisplayNameFromClsid(REFCLSID clsid, BSTR* text);
KESTOCOM_API HRESULT COM_GetDescriptionFromClsid(REFCLSID clsid, BSTR* text);
KESTOCOM_API HRESULT COM_GetProgIDFromClsid(REFCLSID clsid, BSTR* text);

// A scanner over its own copy of a text (lines split at LF, CRLF or CR).
KESTOCOM_API HRESULT COM_CreateTextSource(const char16_t* name, const char16_t* text, std::size_t length,
                                          ISourceScanner** source);

// A line collection over caller-owned line objects (the array is copied, the objects not).
KESTOCOM_API HRESULT COM_CreateLineCollection(LineObject* const* lines, std::int32_t count,
                                              ILineCollection** collection);

// Memory of blocks the library's objects hand out (enumerator items).
KESTOCOM_API void* COM_MemAlloc(std::size_t bytes);
KESTOCOM_API void COM_MemFree(void* block);

// Registration helpers: register a language name ("lang" moniker) and a class's keys.
KESTOCOM_API HRESULT COM_RegisterLanguageName(const char* name, REFCLSID clsid, std::int32_t add);
KESTOCOM_API HRESULT COM_RegisterClass(REFCLSID clsid, const char* progId, const char* libraryPath,
                                       const char* displayName, const char* description, std::int32_t add);
