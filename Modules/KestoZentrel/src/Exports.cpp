// The library's exported entry points: the flat colouring entry and the class server.
#include "ComClasses.h"
#include "FlatColour.h"

// Keeps the entries in the shared library although nothing here calls them.
[[maybe_unused]] static const void* const kExports[] = {
    reinterpret_cast<const void*>(&NewSyntaxColor),
    reinterpret_cast<const void*>(&NewSyntaxColorFree),
    reinterpret_cast<const void*>(&GetClassObject),
    reinterpret_cast<const void*>(&CanUnloadNow),
    reinterpret_cast<const void*>(&DllRegisterServer),
    reinterpret_cast<const void*>(&DllUnregisterServer),
};
