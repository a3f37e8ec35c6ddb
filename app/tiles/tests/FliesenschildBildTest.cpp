// The demo tile signs as the user sees them, painted from the recorded page;
// KESTO_SCREENSHOTS names a folder to keep the pictures in.
#include "Fliesenschildseite.h"

#include <activex/Renderer.h>

#include <QImage>

namespace vovida::test {
namespace {

constexpr double kDpi = 100;

class FliesenschildBildTest : public Fliesenschildseite {
 protected:
  QImage seite(const char* name) {
    const QImage bild = kesto::activex::renderPageImage(start().VSPrinter1.pages()[0], kDpi);
    if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty())
      bild.save(QString::fromUtf8(ordner) + u'/' + QString::fromUtf8(name));
    return bild;
  }
  static QRgb bei(const QImage& bild, double xMm, double yMm) {
    return bild.pixel(static_cast<int>(xMm / 25.4 * kDpi), static_cast<int>(yMm / 25.4 * kDpi));
  }
  void saleSignData() {
    Fliesendaten& d = daten();
    d.typSetzen(kBodenfliese);
    const char* haupt[] = {"Nordic", "1.", "", "", "PEI 3", "Lagernd", "30x60 cm", "Ja", "9001234567890",
                           "39,90", "39,90", "m²", "F12", "QM", "6", "1,08", "1"};
    for (int f = 1; f <= 17; ++f) d.haupt(f) = QString::fromUtf8(haupt[f - 1]);
    d.haupt(18) = QStringLiteral("F12");
    const char* arten[] = {"Bordüre", "Bordüre", "Dekor", "Bild", "Einleger", "Boden", "Unifliese", "Stufen",
                           "Stufen m. Nase", "Sockelleiste", "Listelle"};
    for (int r = 1; r <= kUnterzeilen; ++r) {
      d.unter(r, 1) = QString::number(200100 + r);
      d.unter(r, 2) = QString::fromUtf8(arten[r - 1]);
      d.unter(r, 3) = QStringLiteral("Capri ") + QString::number(r);
      d.unter(r, 4) = QStringLiteral("ST");
      d.unter(r, 5) = QString::number(r + 2) + QStringLiteral(",90");
      d.unter(r, 7) = QStringLiteral("Z");
      d.unter(r, 9) = QStringLiteral("90012345") + QString::number(10000 + r);
      d.unter(r, 10) = r % 3 ? QStringLiteral("0") : QStringLiteral("1");
      d.unter(r, 11) = QStringLiteral("ST");
      d.unter(r, 12) = QStringLiteral("10");
      d.unter(r, 13) = QStringLiteral("1,5");
      d.unter(r, 14) = QStringLiteral("15");
      d.unter(r, 15) = QStringLiteral("L");
    }
  }
};

TEST_F(FliesenschildBildTest, DemoSaleSignWithElevenSubArticles) {
  saleSignData();
  FliesenschildUmfeld u = umfeld("FVK");
  u.ArtNr = QStringLiteral("200002");
  u.Fliesentype = QStringLiteral("Bodenfliese");
  zeichnen(u);
  const QImage bild = seite("fliesenschild-200002.png");
  // The sign's heavy frame on its left edge, the page outside it white.
  EXPECT_LT(qGray(bei(bild, 7, 100)), 128);
  EXPECT_GT(qGray(bei(bild, 3, 100)), 200);
}

TEST_F(FliesenschildBildTest, DemoLabel) {
  saleSignData();
  daten().typSetzen(kBeschriftung);
  FliesenschildUmfeld u = umfeld("A7");
  u.ArtNr = QStringLiteral("200002");
  u.Ueberschrift = QStringLiteral("SEHENSWERTE PREISE");
  u.textmarkeFarbe = 0x80FFFF;  // light yellow
  zeichnen(u);
  const QImage bild = seite("fliesenbeschriftung.png");
  EXPECT_GT(qGray(bei(bild, 12, 60)), 200);  // the white field
}

}  // namespace
}  // namespace vovida::test
