#include "Fliesenschildseite.h"

#include "Anordnung.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Preisinfo.h"
#include "ServerZugriff.h"
#include "Startglobale.h"

#include <QCheckBox>
#include <QLabel>

namespace vovida::test {

using kesto::activex::DrawOp;

void nichtsUnterDemSchild(std::span<const DrawOp> ops) {
  const auto polygone = alle<kesto::activex::PolygonOp>(ops);
  ASSERT_FALSE(polygone.empty());
  const Mm schild = inMm(*polygone[0]);
  for (const kesto::test::Flaeche& f : kesto::test::flaechen(ops))
    EXPECT_LE(f.umriss.boundingRect().bottom(), schild.y + schild.h) << f.text;
  for (const auto* p : polygone) EXPECT_LE(inMm(*p).y + inMm(*p).h, schild.y + schild.h + 1e-6);
}

void Fliesenschildseite::SetUp() {
  Hauptfenster::SetUp();
  fliesendatenZuruecksetzen();
  WeggelasseneZeilenVergessen();
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
