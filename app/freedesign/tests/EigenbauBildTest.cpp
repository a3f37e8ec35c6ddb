// The demo design drawn through the main window's own view of the program (font table
// and currencies from the demo server), in both price styles and in the store-brand
// layout. With KESTO_BILDER set, the pages are written there as PNG files.
#include "Eigenbauumgebung.h"

#include "Eigenbau.h"
#include "EigenbauGlobale.h"
#include "Feldwerte.h"
#include "Startglobale.h"

#include <activex/Renderer.h>

#include <QCheckBox>
#include <QColor>

#include <algorithm>
#include <filesystem>

namespace vovida::test {
namespace {

class EigenbauBildTest : public Eigenbauumgebung {
 protected:
  QImage zeichnen(const char* name) {
    EigenbauUmfeld u = eigenbauUmfeld();
    u.RTF = &rtf;
    EigenbauZeichnen(*modell, u);
    const QImage bild = kesto::activex::renderPageImage(u.vp->pages()[0], 72);
    if (const QByteArray ordner = qgetenv("KESTO_BILDER"); !ordner.isEmpty()) {
      bild.save(QString::fromUtf8(ordner) + u'/' + QString::fromUtf8(name) + QStringLiteral(".png"));
    }
    return bild;
  }
  // The colour at a page position in mm, at 72 dpi.
  static QColor bei(const QImage& bild, double x, double y) {
    return bild.pixelColor(static_cast<int>(x / 25.4 * 72), static_cast<int>(y / 25.4 * 72));
  }
  // Pixels darker than light grey in a rectangle of the page, in mm.
  static int tinte(const QImage& bild, double links, double oben, double rechts, double unten) {
    int n = 0;
    for (int y = px(oben); y < px(unten); ++y)
      for (int x = px(links); x < px(rechts); ++x)
        if (qGray(bild.pixel(x, y)) < 160) ++n;
    return n;
  }
  // Ink in the headline's rows between two x, the frames' upright lines left out.
  static int nebenTinte(const QImage& bild, double von, double bis) {
    int n = 0;
    double x = von;
    for (const double linie : {15.0, 20.0, 105.0, 110.0, 1000.0}) {
      if (linie - 0.4 > x) n += tinte(bild, x, 24, std::min(bis, linie - 0.4), 45);
      x = std::max(x, linie + 0.4);
      if (x >= bis) break;
    }
    return n;
  }
  static int px(double millimeter) { return static_cast<int>(millimeter / 25.4 * 72); }
  void demo() {
    modell->lesen(QStringLiteral("Demo"));
    modell->SpeicherName.Text = QStringLiteral("Demo");
    modell->ArtNr.List = {QStringLiteral("200001")};
    modell->ArtNr.Text = QStringLiteral("200001");
    modell->PreisEUR = QStringLiteral("24,90");
    modell->Per = QStringLiteral("m²");
    modell->Preis_Info = QStringLiteral("statt 29,90");
    modell->Grundpreis = QStringLiteral("Grundpreis 1 m² = 24,90");
    modell->t_Artikelinfo = 1;
    // The headline in the narrow headline face is about 85 mm wide: the band holds it.
    modell->t_BreiteTextmarke = QStringLiteral("90");
    modell->chk_PZ[0] = 1;
    modell->txt_PZ_EUR[0] = QStringLiteral("4,90");
    modell->txt_PZ_Per[0] = QStringLiteral("Stk");
    modell->txt_PZ_X[0] = QStringLiteral("150");
    modell->txt_PZ_Y[0] = QStringLiteral("60");
    rtf.setRichText(QStringLiteral("{\\rtf1\\ansi Wandfliese Capri\\par 30 x 60 cm, wei\\'df gl\\'e4nzend\\par}"));
    start().ZweiPreise->setChecked(true);
    start().Grundpreis->setChecked(true);
  }
};

TEST_F(EigenbauBildTest, DemoDesignInBothPriceStyles) {
  demo();
  for (const bool neu : {false, true}) {
    SCOPED_TRACE(neu);
    startglobale().NeuerStil = neu;
    const QImage bild = zeichnen(neu ? "eigenbau-neu" : "eigenbau-alt");
    EXPECT_EQ(bei(bild, 19, 26), QColor(0, 255, 0));   // the text mark, wider than the default
    // The body shows, though the headline before it was white.
    EXPECT_GT(tinte(bild, 22, 53, 103, 70), 50);
    // The headline and its shadow stay inside their band: no ink in the 4 mm beside it
    // but the upright lines of outline (15, 110) and inner frame (20, 105).
    const double x1 = 15 + (95 - zahlWert(modell->t_BreiteTextmarke)) / 2, x2 = x1 + zahlWert(modell->t_BreiteTextmarke);
    EXPECT_EQ(nebenTinte(bild, x1 - 4, x1 - 0.3) + nebenTinte(bild, x2 + 0.3, x2 + 4), 0);
    EXPECT_EQ(bei(bild, 150, 250), QColor(Qt::white)); // nothing outside the sign
  }
}

TEST_F(EigenbauBildTest, DemoDesignInTheStoreBrandLayout) {
  demo();
  modell->chk_Brisal = 1;
  markenbilder();
  const QImage bild = zeichnen("eigenbau-brisal");
  EXPECT_EQ(bei(bild, 22, 21), QColor(200, 0, 0));  // the header picture at the inner frame
  EXPECT_EQ(bei(bild, 24, 126), QColor(0, 0, 160));  // the company sign bottom left
}

}  // namespace
}  // namespace vovida::test
