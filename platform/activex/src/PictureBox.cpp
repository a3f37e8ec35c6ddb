#include "activex/Page.h"

#include <algorithm>

namespace kesto::activex {

Box drawnBox(const PictureOp& op)
{
    const Box& b = op.box;
    if (!op.keepAspect || op.image.isNull() || b.width.units() <= 0 || b.height.units() <= 0)
        return b;
    // The image's own proportion, pixels weighed by their resolution where it differs by axis.
    const double dpmX = op.image.dotsPerMeterX() > 0 ? op.image.dotsPerMeterX() : 1;
    const double dpmY = op.image.dotsPerMeterY() > 0 ? op.image.dotsPerMeterY() : 1;
    const double iw = op.image.width() / dpmX, ih = op.image.height() / dpmY;
    const double scale = std::min(b.width.units() / iw, b.height.units() / ih);
    const Length w = units(iw * scale), h = units(ih * scale);
    return {b.left + (b.width - w) / 2, b.top + (b.height - h) / 2, w, h};
}

} // namespace kesto::activex
