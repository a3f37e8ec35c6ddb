// Self-registration of the library: its type library and the classes it serves.
#pragma once

#include <automation/Activation.h>

#include <filesystem>
#include <span>

namespace kesto::object {

// {A98252DD-17D9-11D1-A181-0000F8773CDC}
inline constexpr GUID kTypeLibraryId{
    0xA98252DD, 0x17D9, 0x11D1, {0xA1, 0x81, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xDC}};

// Registers the type library for library, then every class. SELFREG_E_TYPELIB when the
// type library cannot be registered (nothing else is written then), SELFREG_E_CLASS when a
// class cannot.
HRESULT RegisterServer(std::span<const automation::ClassRegistration> classes,
                       const std::filesystem::path& library);

// Unregisters the type library, then deletes every class's ProgID and CLSID trees.
// SELFREG_E_TYPELIB when the type library cannot be unregistered (the classes stay then),
// SELFREG_E_CLASS when a class cannot.
HRESULT UnregisterServer(std::span<const automation::ClassRegistration> classes);

}  // namespace kesto::object
