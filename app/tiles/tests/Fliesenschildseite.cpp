#include "Fliesenschildseite.h"

#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Preisinfo.h"
#include "ServerZugriff.h"
#include "Startglobale.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace vovida::test {

using kesto::activex::Box;
using kesto::activex::DrawOp;
using kesto::activex::Point;

bool Mm::operator==(const Mm& o) const {
  auto gleich = [](double a, double b) { return std::abs(a - b) < 0.005; };
  return gleich(x, o.x) && gleich(y, o.y) && gleich(b, o.b) && gleich(h, o.h);
}

std::ostream& operator<<(std::ostream& out, const Mm& m) {
  return out << "(" << m.x << ", " << m.y << ", " << m.b << ", " << m.h << ")";
}

Mm inMm(const Box& box) { return {box.left.mm(), box.top.mm(), box.width.mm(), box.height.mm()}; }

Mm inMm(const kesto::activex::PolygonOp& polygon) {
  double x1 = 1e9, y1 = 1e9, x2 = -1e9, y2 = -1e9;
  for (const Point& p : polygon.points) {
    x1 = std::min(x1, p.x.mm()), y1 = std::min(y1, p.y.mm());
    x2 = std::max(x2, p.x.mm()), y2 = std::max(y2, p.y.mm());
  }
  return {x1, y1, x2 - x1, y2 - y1};
}

std::vector<const kesto::activex::TextBoxOp*> texte(std::span<const DrawOp> ops, const QString& text) {
  std::vector<const kesto::activex::TextBoxOp*> out;
  const std::string gesucht = text.toStdString();
  for (const auto* op : alle<kesto::activex::TextBoxOp>(ops))
    if (op->text == gesucht) out.push_back(op);
  return out;
}

void Fliesenschildseite::SetUp() {
  Hauptfenster::SetUp();
  fliesendatenZuruecksetzen();
  anmelden("A4N");
}

void Fliesenschildseite::TearDown() {
  fliesendatenZuruecksetzen();
  Hauptfenster::TearDown();
}

FliesenschildUmfeld Fliesenschildseite::umfeld(const char* plakatart) {
  FliesenschildUmfeld u;
  u.vp = &start().VSPrinter1;
  u.parameter = FliesenparameterLesen();
  u.Plakatart = QString::fromLatin1(plakatart);
  u.B = QStringLiteral("100");
  u.H = QStringLiteral("70");
  QImage logo(40, 12, QImage::Format_RGB32);
  logo.fill(Qt::darkBlue);
  u.Logo = logo;
  const Preisinfo& preise = fensterliste().holen<Preisinfo>();
  u.waehrungen = {preise.ETHW->text(), preise.Faktor->text(), startglobale().WaehrungszeichenHW,
                  startglobale().WaehrungszeichenNW, start().ZweiPreise->isChecked()};
  u.PersonalName = kestoapi().PersonalName;
  u.NeuerStil = startglobale().NeuerStil;
  return u;
}

std::span<const DrawOp> Fliesenschildseite::zeichnen(const FliesenschildUmfeld& u) {
  FliesenschilderDrucken(daten(), u);
  const auto& vp = start().VSPrinter1;
  EXPECT_FALSE(vp.documentOpen());
  EXPECT_EQ(vp.PageCount(), 1);
  return vp.pages()[0].ops;
}

void Fliesenschildseite::parameter(const char* schluessel, const char* wert) {
  ParameterSchreiben(QStringLiteral("PLAKAT"), QString::fromLatin1(schluessel), QString::fromUtf8(wert));
}

}  // namespace vovida::test
