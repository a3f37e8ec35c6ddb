#include "Regal.h"
#include "Seite.h"

#include "AOBStandard.h"
#include "FMStart.h"
#include "Preisinfo.h"
#include "Startglobale.h"
#include "NumberText.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Regalbeschriftung.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Warteschlange.h"
#include "frmRegalBesch.h"

#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <activex/Barcode.h>
#include <activex/Renderer.h>
#include <activex/VSPrinter.h>

namespace vovida::test {
namespace {

using Mm = kesto::test::MmBox<0.05>;  // figures to a tenth of a millimetre
using kesto::test::alle;
using kesto::test::inMm;
using kesto::activex::DrawOp;
using kesto::activex::EllipseOp;
using kesto::activex::Page;
using kesto::activex::PenStyle;
using kesto::activex::PictureOp;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;

Mm rahmen(const PolygonOp& p) {
  const double x = p.points[0].x.mm(), y = p.points[0].y.mm();
  return {x, y, p.points[2].x.mm() - x, p.points[2].y.mm() - y};
}

// The dotted outer frames of a page: one per label.
std::vector<const PolygonOp*> etiketten(const Page& seite) {
  std::vector<const PolygonOp*> out;
  for (const PolygonOp* p : alle<PolygonOp>(seite.ops))
    if (p->pen.style == PenStyle::Dot) out.push_back(p);
  return out;
}

// The operations of label n (from 0) of a page: from its dotted frame to the next one.
std::span<const DrawOp> etikett(const Page& seite, int n) {
  std::vector<std::size_t> anfaenge;
  for (std::size_t i = 0; i < seite.ops.size(); ++i)
    if (const auto* p = std::get_if<PolygonOp>(&seite.ops[i]); p && p->pen.style == PenStyle::Dot) anfaenge.push_back(i);
  const std::size_t von = anfaenge.at(n);
  const std::size_t bis = n + 1 < static_cast<int>(anfaenge.size()) ? anfaenge[n + 1] : seite.ops.size();
  return std::span<const DrawOp>(seite.ops).subspan(von, bis - von);
}

class RegalTest : public Regalumgebung {
 protected:
  void hoehe(const QString& h) {
    const QSignalBlocker sperre(editor().H);  // any text, as a stored size may hold it
    editor().H->setText(h);
  }
  const kesto::activex::VSPrinter& vorschau() { return start().VSPrinter1; }
};

TEST_F(RegalTest, SizeComesFromTheServerAndFivePerPageOpenPageTwoAtLabelSix) {
  EXPECT_EQ(editor().B->text(), QStringLiteral("170"));
  EXPECT_EQ(editor().H->text(), QStringLiteral("50"));
  einreihen(6);
  RegalschilderDrucken();
  ASSERT_EQ(vorschau().PageCount(), 2);
  const auto seite1 = etiketten(vorschau().pages()[0]);
  ASSERT_EQ(seite1.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rahmen(*seite1[i]), (Mm{20, 15.0 + 50 * i, 170, 50})) << i;
  const auto seite2 = etiketten(vorschau().pages()[1]);
  ASSERT_EQ(seite2.size(), 1u);
  EXPECT_EQ(rahmen(*seite2[0]), (Mm{20, 15, 170, 50}));
  EXPECT_FALSE(vorschau().documentOpen());
}

TEST_F(RegalTest, FirstLabelLiesWhereTheLayoutPutsIt) {
  einreihen({QStringLiteral("100001"), QStringLiteral("100002")});
  RegalschilderDrucken();
  const auto ops = etikett(vorschau().pages()[0], 0);

  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 2u);
  EXPECT_EQ(rahmen(*polygone[0]), (Mm{20, 15, 170, 50}));
  EXPECT_EQ(polygone[0]->pen.style, PenStyle::Dot);
  EXPECT_EQ(polygone[0]->brush.style, kesto::activex::BrushStyle::None);
  EXPECT_EQ(rahmen(*polygone[1]), (Mm{22, 16, 166, 48}));
  EXPECT_DOUBLE_EQ(polygone[1]->pen.width.units(), 10);
  EXPECT_EQ(polygone[1]->brush.colour, 0xFFFFFFu);
  EXPECT_EQ(polygone[1]->brush.style, kesto::activex::BrushStyle::Solid);

  const auto ellipsen = alle<EllipseOp>(ops);
  ASSERT_EQ(ellipsen.size(), 1u);
  const Mm ellipse = inMm(ellipsen[0]->box);
  EXPECT_EQ((Mm{ellipse.x, ellipse.y, ellipse.x + ellipse.b, ellipse.y + ellipse.h}), (Mm{28, 19, 135.6, 37}));
  EXPECT_EQ(ellipsen[0]->brush.colour, 65280u);
  EXPECT_DOUBLE_EQ(ellipsen[0]->pen.width.units(), 12);

  const auto bilder = alle<PictureOp>(ops);
  ASSERT_EQ(bilder.size(), 1u);
  EXPECT_EQ(inMm(bilder[0]->box), (Mm{147.5, 17, 34, 8}));

  const auto texte = alle<TextBoxOp>(ops);
  const auto text = [&](const std::string& anfang) -> const TextBoxOp* {
    for (const TextBoxOp* t : texte)
      if (t->text.rfind(anfang, 0) == 0) return t;
    return nullptr;
  };
  ASSERT_TRUE(text("ArtNr.: 100001"));
  EXPECT_NEAR(text("ArtNr.: ")->box.left.mm(), 20 + 0.76 * 170, 0.01);
  EXPECT_EQ(text("ArtNr.: ")->style.align, 4);
  ASSERT_TRUE(text("Datum: "));
  EXPECT_EQ(text("Datum: ")->style.align, 5);
  ASSERT_TRUE(text("Erstellt durch "));
  EXPECT_EQ(text("Erstellt durch ")->text, "Erstellt durch " + kestoapi().PersonalName.toStdString());
  ASSERT_TRUE(text("Artikel 100001"));
  EXPECT_NEAR(text("Artikel 100001")->box.left.mm(), 35, 0.3);  // plus the slot's margin correction
}

// The price: what the price routine draws for slot 30 at (101.6, 37.5), width 83.3.
TEST_F(RegalTest, PriceGoesIntoItsSlotAcrossTheRightHalf) {
  einreihen({QStringLiteral("100001"), QStringLiteral("100002")});
  RegalschilderDrucken();
  const auto ops = etikett(vorschau().pages()[0], 0);
  std::vector<const TextBoxOp*> preis;
  for (const TextBoxOp* t : alle<TextBoxOp>(ops))
    if (t->text == "12" || t->text.find("50") != std::string::npos) preis.push_back(t);
  ASSERT_FALSE(preis.empty());
  for (const TextBoxOp* t : preis) {
    SCOPED_TRACE(t->text);
    EXPECT_GE(t->box.left.mm(), 101.6 - 0.5);
    EXPECT_LE(t->box.left.mm() + t->box.width.mm(), 101.6 + 83.3 + 0.5);
    EXPECT_GE(t->box.top.mm(), 30);
    EXPECT_LE(t->box.top.mm(), 65);
  }
}

struct Hoehenfall {
  const char* h;
  int seiten;         // for seven labels; 0: the run stops with the message
  int aufSeiteZwei;   // labels on page 2
};

class Hoehen : public RegalTest, public ::testing::WithParamInterface<Hoehenfall> {};

TEST_P(Hoehen, GiveLabelsPerPageOrOneMessage) {
  const Hoehenfall& fall = GetParam();
  einreihen(7);
  RegalschilderDrucken();  // a valid document to begin with
  hoehe(QString::fromUtf8(fall.h));
  start().Aktualisieren_Click();
  if (fall.seiten == 0) {
    EXPECT_EQ(neueBoxtexte(), std::vector<std::string>{"Fehler beim Zeichnen der Vorschau:\r\nUngültige Schildhöhe"});
    EXPECT_FALSE(vorschau().documentOpen());
    return;
  }
  EXPECT_TRUE(neueBoxtexte().empty());
  ASSERT_EQ(vorschau().PageCount(), fall.seiten);
  ASSERT_EQ(static_cast<int>(etiketten(vorschau().pages()[1]).size()), fall.aufSeiteZwei);
  EXPECT_NEAR(etiketten(vorschau().pages()[1])[0]->points[0].y.mm(), 15, 0.01);  // the top slot
}

INSTANTIATE_TEST_SUITE_P(Regal, Hoehen,
                         ::testing::Values(Hoehenfall{"40", 2, 1}, Hoehenfall{"50", 2, 2}, Hoehenfall{"267", 7, 1},
                                           Hoehenfall{"300", 7, 1}, Hoehenfall{"0", 0, 0}, Hoehenfall{"x", 0, 0}),
                         [](const auto& info) { return std::string("H_") + (info.param.h[0] == 'x' ? "x" : info.param.h); });

TEST_F(RegalTest, OneListedArticleOrNoneDrawsOneLabelFromTheUnsavedFields) {
  for (const bool eines : {false, true}) {
    SCOPED_TRACE(eines);
    frmRegalBesch& e = editor();
    e.ArtNr->clear();
    if (eines) einreihen({QStringLiteral("100001")});
    e.setArtNrText(QStringLiteral("100002"));
    e.Bez1->setText(QStringLiteral("ungespeichert"));
    RegalschilderDrucken();
    ASSERT_EQ(vorschau().PageCount(), 1);
    ASSERT_EQ(etiketten(vorschau().pages()[0]).size(), 1u);
    bool gefunden = false;
    for (const TextBoxOp* t : alle<TextBoxOp>(vorschau().pages()[0].ops)) gefunden = gefunden || t->text == "ungespeichert";
    EXPECT_TRUE(gefunden);
  }
}

TEST_F(RegalTest, UnknownArticleGetsNoBarCodeAndTheNextOneItsOwn) {
  einreihen({QStringLiteral("100001"), QStringLiteral("999999"), QStringLiteral("100002")});
  RegalschilderDrucken();
  const Page& seite = vorschau().pages()[0];
  EXPECT_EQ(alle<PictureOp>(etikett(seite, 0)).size(), 1u);
  EXPECT_TRUE(alle<PictureOp>(etikett(seite, 1)).empty());
  const auto dritter = alle<PictureOp>(etikett(seite, 2));
  ASSERT_EQ(dritter.size(), 1u);

  QString ean;
  {
    Serverarbeit arbeit;
    ServerObjekt windows(KlasseOeffnen(QStringLiteral("FRX.Windows")));
    ean = alsText(windows->call("EANNr", alsVariant(kestoapi().Firma), alsVariant(QStringLiteral("100002"))));
  }
  kesto::activex::Barcode erwartet;
  erwartet.setText(ean);
  erwartet.RenderSize(136, 32);  // the 34 x 8 mm box at 4 pixels per mm
  EXPECT_EQ(dritter[0]->image, erwartet.Picture());
  EXPECT_EQ(editor().Barcode1->Text(), ean);
  EXPECT_EQ(Serverarbeitstiefe(), 0);
  EXPECT_TRUE(neueBoxtexte().empty());
}

TEST_F(RegalTest, AFailureAfterTheBarCodeEndsTheRunAndTheDocument) {
  einreihen({QStringLiteral("100001"), QStringLiteral("100002")});
  Schriftdefinitionen()(26, 4) = QStringLiteral("x");  // the date line's spacing
  start().Aktualisieren_Click();
  ASSERT_EQ(neueBoxtexte().size(), 1u);
  EXPECT_EQ(neueBoxtexte()[0].rfind("Fehler beim Zeichnen der Vorschau:", 0), 0u);
  EXPECT_FALSE(vorschau().documentOpen());
  EXPECT_EQ(etiketten(vorschau().pages()[0]).size(), 1u);  // the second label is never begun
  EXPECT_EQ(Serverarbeitstiefe(), 0);
}

TEST_F(RegalTest, HeadlineStyleFollowsTheOptionForEveryLabel) {
  const auto groesse = [](int slot) { return zahlAusText(Schriftdefinitionen()(slot, 1)).value_or(-1); };
  Schriftdefinitionen()(14, 1) = QStringLiteral("31");  // told apart from "Aktion"'s slot 6
  ASSERT_NE(groesse(14), groesse(6));
  einreihen({QStringLiteral("100001"), QStringLiteral("100002")});
  WarteschlangeSchreiben(QStringLiteral("100002"), kUeberschrift, QStringLiteral("AKTION!"));
  editor().RadioRest_Click();
  RegalschilderDrucken();
  const Page& seite = vorschau().pages()[0];
  for (int n = 0; n < 2; ++n) {
    const auto zeichen = alle<kesto::activex::TextOp>(etikett(seite, n));
    ASSERT_FALSE(zeichen.empty()) << n;
    EXPECT_EQ(zeichen.front()->style.font.name, "Kipp");
    EXPECT_DOUBLE_EQ(zeichen.front()->style.font.size, groesse(14)) << n;
  }
}

// The old style prints the second currency only while "ZweiPreise" is ticked; the stored
// euro price gives the schilling price through the factor.
TEST_F(RegalTest, SecondCurrencyFollowsTheTwoPricesBox) {
  startglobale().NeuerStil = false;
  einreihen(2);
  const double faktor = zahlAusText(fensterliste().holen<Preisinfo>().Faktor->text()).value();
  const std::string schilling = PreisFormatieren(rundenGerade(12.5 * faktor, 2)).toStdString();
  for (const bool zwei : {false, true}) {
    SCOPED_TRACE(zwei);
    start().ZweiPreise->setChecked(zwei);
    RegalschilderDrucken();
    int gefunden = 0;
    for (const TextBoxOp* t : alle<TextBoxOp>(etikett(vorschau().pages()[0], 1)))
      if (t->text.find(schilling.substr(0, 3)) != std::string::npos) ++gefunden;
    EXPECT_EQ(gefunden > 0, zwei) << schilling;
    if (const QByteArray datei = qgetenv("REGAL_ALT_PNG"); zwei && !datei.isEmpty())
      kesto::activex::renderPageImage(vorschau().pages()[0], 100).save(QString::fromLocal8Bit(datei));
  }
}

// A page of labels as a person sees it: ink in every label, the mark green, nothing
// outside the strips. REGAL_PNG names a file to keep the picture in.
TEST_F(RegalTest, RenderedPageShowsFiveLabels) {
  einreihen(5);
  RegalschilderDrucken();
  const QImage bild = kesto::activex::renderPageImage(vorschau().pages()[0], 100);
  if (const QByteArray datei = qgetenv("REGAL_PNG"); !datei.isEmpty()) bild.save(QString::fromLocal8Bit(datei));
  const auto px = [&](double x, double y) { return bild.pixelColor(int(x / 25.4 * 100), int(y / 25.4 * 100)); };
  for (int n = 0; n < 5; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(px(33, 28 + 50 * n), QColor(0, 255, 0));  // inside the text mark, left of the headline
    EXPECT_EQ(px(30, 58 + 50 * n), QColor(255, 255, 255));  // the white field under the mark
  }
  EXPECT_EQ(px(100, 280), QColor(255, 255, 255));  // below the fifth label
}

}  // namespace
}  // namespace vovida::test
