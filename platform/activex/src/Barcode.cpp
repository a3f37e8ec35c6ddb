#include "activex/Barcode.h"

#include <QPainter>
#include <QPaintEvent>

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kesto::activex {

namespace {

constexpr double kZollMm = 25.4;

int pruefziffer(const QString& zwoelf) {
  int summe = 0;
  for (int i = 0; i < 12; ++i) summe += (zwoelf[i].unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
  return (10 - summe % 10) % 10;
}

struct SymbolLoeschen {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// Draws the symbol's vector form into the rectangle, bars black on white.
bool zeichnen(const QString& ean, QPainter& maler, const QRectF& ziel) {
  std::unique_ptr<zint_symbol, SymbolLoeschen> symbol(ZBarcode_Create());
  if (!symbol) return false;
  symbol->symbology = BARCODE_EANX;
  // The twelve digits: zint appends the check digit we have already verified.
  const QByteArray daten = ean.left(12).toLatin1();
  const auto kodieren = [&] {
    return ZBarcode_Encode_and_Buffer_Vector(symbol.get(), reinterpret_cast<const unsigned char*>(daten.constData()),
                                             static_cast<int>(daten.size()), 0) < ZINT_ERROR &&
           symbol->vector && symbol->vector->width > 0 && symbol->vector->height > 0;
  };
  if (!kodieren()) return false;
  // A rectangle flatter than the symbol gets shorter bars rather than squashed digits.
  const double hoehe = symbol->vector->width * ziel.height() / ziel.width();
  if (hoehe < symbol->vector->height) {
    const float kuerzer = static_cast<float>(symbol->vector->height - hoehe);
    symbol->height = std::max(5.0f, symbol->height - kuerzer);
    ZBarcode_Clear(symbol.get());
    if (!kodieren()) return false;
  }
  const zint_vector& v = *symbol->vector;
  const double sx = ziel.width() / v.width, sy = ziel.height() / v.height;
  maler.save();
  maler.fillRect(ziel, Qt::white);
  maler.setPen(Qt::NoPen);
  maler.setBrush(Qt::black);
  // Bars stretch with the rectangle; the digits keep their shape, set at the smaller scale
  // and centred where the symbol puts them, so that they stay readable in any rectangle.
  for (const zint_vector_rect* r = v.rectangles; r; r = r->next)
    maler.drawRect(QRectF(ziel.left() + r->x * sx, ziel.top() + r->y * sy, r->width * sx, r->height * sy));
  maler.setPen(Qt::black);
  const double s = std::min(sx, sy);
  for (const zint_vector_string* t = v.strings; t; t = t->next) {
    QFont schrift(QStringLiteral("Helvetica"));
    schrift.setPixelSize(std::max(1, static_cast<int>(std::lround(t->fsize * s))));
    maler.setFont(schrift);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(t->text), t->length);
    const double breite = t->width > 0 ? t->width * sx : QFontMetricsF(schrift).horizontalAdvance(text);
    const double x = ziel.left() + t->x * sx;
    const double links = t->halign == 1 ? x : t->halign == 2 ? x - breite : x - breite / 2;
    // y is the text's baseline.
    const double grundlinie = ziel.top() + t->y * sy;
    maler.drawText(QRectF(links, grundlinie - t->fsize * s, breite, t->fsize * s * 1.2),
                   Qt::AlignHCenter | Qt::AlignTop, text);
  }
  maler.restore();
  return true;
}

}  // namespace

Barcode::Barcode(QWidget* parent) : QWidget(parent) {}

void Barcode::setText(const QString& text) {
  text_ = text;
  update();
}

bool Barcode::option(int nummer) const {
  const auto it = optionen_.find(nummer);
  return it != optionen_.end() && it->second;
}

void Barcode::RenderSize(int breite, int hoehe) {
  breite_ = std::max(1, breite);
  hoehe_ = std::max(1, hoehe);
  update();
}

QString Barcode::Ean13(const QString& text) {
  const QString t = text.trimmed();
  if (t.size() != 12 && t.size() != 13) return {};
  for (const QChar c : t)
    if (c < u'0' || c > u'9') return {};
  const QString mitPruefziffer = t.left(12) + QString::number(pruefziffer(t.left(12)));
  if (t.size() == 13 && t != mitPruefziffer) return {};
  return mitPruefziffer;
}

QImage Barcode::Picture() const {
  const QString ean = Ean13(text_);
  if (ean.isEmpty()) return {};
  // Finer than the pixel size, so that every module stays a clean bar in print; the
  // resolution keeps the natural size at the pixel size given.
  const int faktor = std::max(4, static_cast<int>(std::ceil(3.0 * 113 / breite_)));
  QImage bild(breite_ * faktor, hoehe_ * faktor, QImage::Format_RGB32);
  const int punkteJeMeter = static_cast<int>(std::lround(96.0 * faktor / kZollMm * 1000.0));
  bild.setDotsPerMeterX(punkteJeMeter);
  bild.setDotsPerMeterY(punkteJeMeter);
  bild.fill(Qt::white);
  QPainter maler(&bild);
  maler.setRenderHint(QPainter::TextAntialiasing);
  if (!zeichnen(ean, maler, QRectF(0, 0, bild.width(), bild.height()))) return {};
  return bild;
}

void Barcode::paintEvent(QPaintEvent*) {
  QPainter maler(this);
  const QString ean = Ean13(text_);
  if (!ean.isEmpty()) zeichnen(ean, maler, QRectF(rect()));
}

}  // namespace kesto::activex
