#pragma once

#include "activex/Length.h"

#include <QImage>

// Reads a rendered page by page position.
class ImageProbe {
public:
    ImageProbe(QImage image, double dpi) : image_(std::move(image)), dpi_(dpi) {}

    QColor at(kesto::activex::Length x, kesto::activex::Length y) const
    {
        return image_.pixelColor(pixel(x), pixel(y));
    }

    // Dark pixels inside the rectangle between two page positions.
    int darkPixels(kesto::activex::Length left, kesto::activex::Length top, kesto::activex::Length right,
                   kesto::activex::Length bottom) const
    {
        int count = 0;
        for (int y = std::max(0, pixel(top)); y < std::min(image_.height(), pixel(bottom)); ++y)
            for (int x = std::max(0, pixel(left)); x < std::min(image_.width(), pixel(right)); ++x)
                if (qGray(image_.pixel(x, y)) < 128)
                    ++count;
        return count;
    }

    const QImage& image() const { return image_; }

private:
    int pixel(kesto::activex::Length l) const { return static_cast<int>(l.mm() / 25.4 * dpi_); }

    QImage image_;
    double dpi_;
};
