#include "activex/Page.h"
#include "activex/PreviewError.h"

namespace kesto::activex {

bool isKnownPaperSize(int paperSize)
{
    return paperSize == 8 || paperSize == 9 || paperSize == 11;
}

PaperDimensions paperDimensions(int paperSize)
{
    switch (paperSize) {
    case 8: return {297, 420};   // A3
    case 9: return {210, 297};   // A4
    case 11: return {148, 210};  // A5
    default:
        throw PreviewError(PreviewError::invalidValue,
                           "Ungültiges Papierformat " + std::to_string(paperSize));
    }
}

} // namespace kesto::activex
