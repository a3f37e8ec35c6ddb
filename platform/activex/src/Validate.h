#pragma once

// Checks of values handed to the preview control.
#include "activex/Length.h"
#include "activex/PreviewError.h"

#include <cmath>
#include <initializer_list>
#include <string>

namespace kesto::activex {

[[noreturn]] inline void invalidValue(const std::string& what)
{
    throw PreviewError(PreviewError::invalidValue, "Ungültiger Wert für " + what);
}

inline void requireFinite(std::initializer_list<Length> lengths, const char* what)
{
    for (Length l : lengths)
        if (!std::isfinite(l.units()))
            invalidValue(what);
}

} // namespace kesto::activex
