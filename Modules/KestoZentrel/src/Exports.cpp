// The library's exported entry points; the COM classes join them later.
#include "FlatColour.h"

// Keeps the flat entry in the shared library although nothing here calls it.
[[maybe_unused]] static const void* const kExports[] = {
    reinterpret_cast<const void*>(&NewSyntaxColor),
    reinterpret_cast<const void*>(&NewSyntaxColorFree),
};
