// Where a turned price label goes on a free-design page: inside the inner frame and clear
// of the lines above it, as near to its own place as that allows.
#pragma once

#include <QPolygonF>
#include <QRectF>

#include <activex/Page.h>

#include <span>

namespace vovida {

// The outline of what a price routine drew on an otherwise empty page: the smallest
// rectangle turned by grad that holds every band, frame and wedge of the label.
QPolygonF Etikettumriss(std::span<const kesto::activex::DrawOp> ops, double grad);

struct Preisplatzierung {
  double dx = 0, dy = 0;  // the label moves by this, mm
  double hub = 0;         // the lines above it move up by this, mm
};

// The least change that keeps the label inside rahmen and clear of the lines and of the
// fixed areas (pictures): the place as given when it fits; else moved across into the
// frame, up where it reaches below the frame or lies on a picture, and down as far as it
// must (the frame and the pictures allowing) to clear the lines; where it cannot, the
// lines rise above it.
Preisplatzierung PreisPlatzieren(const QPolygonF& etikett, const QRectF& rahmen, std::span<const QRectF> zeilen,
                                 std::span<const QRectF> feste);

}  // namespace vovida
