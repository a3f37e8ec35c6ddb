// The tile layout as the user reaches it: the main window's refresh with the tile editor
// loaded from the demo server, its message for a size that is no number, and the label
// printed on the printer of "A7". KESTO_SCREENSHOTS names a folder to keep the pictures
// and the PDF in.
#include "Hauptfenster.h"

#include "Fensterliste.h"
#include "Fliesen.h"
#include "Fliesendaten.h"
#include "Fliesenschild.h"
#include "Fliesenschildseite.h"
#include "frmFliesenSchild.h"

#include "Anordnung.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <activex/Page.h>
#include <activex/Renderer.h>
#include <registry/Settings.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace vovida::test {
namespace {

using kesto::activex::EllipseOp;
using kesto::activex::PictureOp;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;

class FliesenschildFensterTest : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    fliesendatenZuruecksetzen();
    FliesenEditorwerteVergessen();
    WeggelasseneZeilenVergessen();
    FliesenEinrichten();
  }
  void TearDown() override {
    fliesendatenZuruecksetzen();
    FliesenEditorwerteVergessen();
    Hauptfenster::TearDown();
  }
  frmFliesenSchild& editor() { return FormHolen<frmFliesenSchild>(); }
  std::span<const kesto::activex::DrawOp> seite() {
    const auto& vp = start().VSPrinter1;
    EXPECT_FALSE(vp.documentOpen());
    EXPECT_EQ(vp.PageCount(), 1);
    EXPECT_EQ(vp.PreviewPage(), vp.PageCount());
    return vp.PageCount() > 0 ? vp.pages()[0].ops : std::span<const kesto::activex::DrawOp>{};
  }
  static QString ordner() { return QString::fromUtf8(qgetenv("KESTO_SCREENSHOTS")); }
  // The page painted as the preview does, kept when a folder is named.
  QImage bild(const char* name) {
    const QImage seite = kesto::activex::renderPageImage(start().VSPrinter1.pages()[0], kDpi);
    if (!ordner().isEmpty()) seite.save(ordner() + u'/' + QString::fromUtf8(name));
    return seite;
  }
  static int grau(const QImage& bild, double xMm, double yMm) {
    return qGray(bild.pixel(static_cast<int>(xMm / 25.4 * kDpi), static_cast<int>(yMm / 25.4 * kDpi)));
  }
  static constexpr double kDpi = 100;
  void saleSign200002() {
    anmelden("FVK");
    editor().mBodenfliese_Click();
    editor().ArtNr->setCurrentText(QStringLiteral("200002"));
    editor().ArtikelLaden_Click();
    // The sign's price is the one typed, not the database's.
    editor().PreisEUR->selectAll();
    QTest::keyClicks(editor().PreisEUR, QStringLiteral("24,90"));
    start().Aktualisieren_Click();
  }
};

TEST_F(FliesenschildFensterTest, DemoSaleSign200002WithElevenSubArticles) {
  saleSign200002();
  EXPECT_TRUE(boxTexte().empty());
  const auto ops = seite();
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 3u);
  EXPECT_EQ(inMm(*polygone[0]), (Mm{7, 15, 170, 240}));
  EXPECT_NEAR(inMm(*polygone[1]).x, 177.85, 1e-9);
  const auto bilder = alle<PictureOp>(ops);
  ASSERT_EQ(bilder.size(), 1u);
  EXPECT_EQ(inMm(bilder[0]->box), (Mm{49.5, 18.4, 85, 25.5}));
  // Every one of the eleven rows has an alias, so each puts its packaging line in the strip.
  int streifen = 0;
  for (const TextBoxOp* t : alle<TextBoxOp>(ops))
    if (t->text.starts_with("VKE: ") && t->text.find(" LoB: ") != std::string::npos) ++streifen;
  EXPECT_EQ(streifen, 11);
  EXPECT_EQ(texte(ops, "200002").size(), 1u);
  const QImage seite = bild("fliesenschild-200002.png");
  EXPECT_LT(grau(seite, 7, 100), 128);  // the sign's heavy frame
  EXPECT_GT(grau(seite, 3, 100), 200);  // the page outside it
}

// The main article's packaging sentence under the alias, by the demo articles' figures;
// an empty VRM gives none instead of costing the whole sign.
TEST_F(FliesenschildFensterTest, PackagingSentenceOfTheDemoArticles) {
  anmelden("FVK");
  editor().mWandfliese_Click();
  const struct {
    const char *nr, *satz;
  } faelle[] = {
      {"200020", "15 m² entspricht 1,5 m² die Verpackung zu 10 m² entspricht 15 m²."},
      {"200021", ""},
      {"200022", "1 m² entspricht 1,5 m²."},
      {"200023", ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.nr);
    editor().ArtNr->setCurrentText(QString::fromLatin1(f.nr));
    editor().ArtikelLaden_Click();
    start().Aktualisieren_Click();
    EXPECT_TRUE(boxTexte().empty());
    const auto ops = seite();
    // The sentence's box: under the alias, across the sign less two gaps each side.
    const auto satz = std::find_if(ops.begin(), ops.end(), [](const kesto::activex::DrawOp& op) {
      const auto* t = std::get_if<TextBoxOp>(&op);
      return t && std::abs(t->box.left.mm() - (7 + 2.1 * 1.7)) < 1e-6;
    });
    ASSERT_NE(satz, ops.end());
    EXPECT_EQ(std::get<TextBoxOp>(*satz).text, f.satz);
  }
}

TEST_F(FliesenschildFensterTest, LabelOnTheA7PrinterAsPdf) {
  const QString dir = ordner().isEmpty() ? QString::fromStdString(std::filesystem::temp_directory_path().string())
                                         : ordner();
  const QString pdf = dir + QStringLiteral("/fliesenbeschriftung-") +
                      (ordner().isEmpty() ? QString::number(::getpid()) : QStringLiteral("PRTFLBESCH")) +
                      QStringLiteral(".pdf");
  QFile::remove(pdf);
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTFLBESCH", ("PDF:" + pdf).toStdString());
  anmelden("A7");
  EXPECT_EQ(start().VSPrinter1.PrinterName(), ("PDF:" + pdf).toStdString());
  editor().ArtNr->setCurrentText(QStringLiteral("200002"));
  editor().ArtikelLaden_Click();
  editor().TextMarkeFarbe = 0x80FFFF;
  editor().PreisEUR->selectAll();
  QTest::keyClicks(editor().PreisEUR, QStringLiteral("24,90"));
  start().Aktualisieren_Click();
  EXPECT_TRUE(boxTexte().empty());

  const auto ops = seite();
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 2u);
  EXPECT_EQ(inMm(*polygone[0]), (Mm{7, 15, 100, 70}));  // "FBESCH-BH" 100@70 in the boxes
  EXPECT_EQ(inMm(*polygone[1]), (Mm{9, 17, 96, 66}));
  const auto ovale = alle<EllipseOp>(ops);
  ASSERT_EQ(ovale.size(), 1u);
  EXPECT_EQ(inMm(ovale[0]->box), (Mm{13, 21, 88, 11.5}));
  EXPECT_EQ(ovale[0]->brush.colour, 0x80FFFFu);
  EXPECT_TRUE(alle<PictureOp>(ops).empty());
  const QImage seite = bild("fliesenbeschriftung.png");
  EXPECT_GT(grau(seite, 10, 80), 200);  // the white field
  EXPECT_LT(qBlue(seite.pixel(static_cast<int>(57 / 25.4 * kDpi), static_cast<int>(30 / 25.4 * kDpi))), 200);

  drucker->wirklichDrucken = true;
  start().Drucken_Click();
  EXPECT_EQ(drucker->auftraege, (std::vector<std::vector<int>>{{1}}));
  QFile datei(pdf);
  ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
  const QByteArray inhalt = datei.readAll();
  EXPECT_TRUE(inhalt.startsWith("%PDF"));
  EXPECT_EQ(inhalt.count("/Type /Page\n") + inhalt.count("/Type /Page\r") + inhalt.count("/Type /Page "), 1);
  datei.close();
  if (ordner().isEmpty()) QFile::remove(pdf);
}

TEST_F(FliesenschildFensterTest, LabelSizeThatIsNoNumberIsReportedOnce) {
  anmelden("A7");
  editor().B->setText(QString());
  start().Aktualisieren_Click();
  EXPECT_EQ(boxTexte(), std::vector<std::string>{"Fehler beim Zeichnen der Vorschau:\r\n"
                                                 "Fliesenbeschriftung: Breite und Höhe müssen Zahlen größer 0 sein."});
  for (const auto& s : start().VSPrinter1.pages()) EXPECT_TRUE(s.ops.empty());
  EXPECT_FALSE(start().VSPrinter1.documentOpen());
}

// The sale-sign option with the editor on labelling draws nothing, and the label drawn
// before does not stay on the preview.
TEST_F(FliesenschildFensterTest, SaleSignKindWithLabellingTypeLeavesAnEmptyDocument) {
  anmelden("A7");
  start().Aktualisieren_Click();
  ASSERT_FALSE(start().VSPrinter1.pages()[0].ops.empty());
  start().SchildartWaehlen(QStringLiteral("FVK"));
  ASSERT_EQ(fliesendaten().Fliesentyp, kBeschriftung);
  start().Aktualisieren_Click();
  EXPECT_TRUE(boxTexte().empty());
  for (const auto& s : start().VSPrinter1.pages()) EXPECT_TRUE(s.ops.empty());
  EXPECT_FALSE(start().VSPrinter1.documentOpen());
}

// The small sign's table has room for three of the eleven rows of 200002: the fourth would
// stand on the table's lower edge, the others below the sign. They are not drawn, and the
// user is told how many were left off, once for the same sign.
TEST_F(FliesenschildFensterTest, SmallSignLeavesOffTheRowsThatDoNotFitAndSaysHowMany) {
  anmelden("FVK");
  editor().mKuechenfliese_Click();
  editor().ArtNr->setCurrentText(QStringLiteral("200002"));
  editor().ArtikelLaden_Click();
  start().Aktualisieren_Click();
  const std::vector<std::string> meldung{
      "8 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen."};
  EXPECT_EQ(boxTexte(), meldung);
  const auto ops = seite();
  kesto::test::bilderAblegen(start().VSPrinter1.pages(), "Fliese-klein-200002");
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 3u);
  EXPECT_EQ(inMm(*polygone[0]), (Mm{7, 15, 170, 120}));
  nichtsUnterDemSchild(ops);
  EXPECT_EQ(texte(ops, "Cotto UN").size(), 1u);  // row 3
  EXPECT_TRUE(texte(ops, "Linea ST").empty());   // row 4

  // The countdown's redraw of the same sign says nothing more.
  start().Aktualisieren_Click();
  EXPECT_EQ(boxTexte(), meldung);
}

// With the editor open and no sub-article, its empty price box leaves "0,00" in the first
// row's price: the empty table draws no price band for it.
TEST_F(FliesenschildFensterTest, EmptyTableDrawsNoPriceBand) {
  anmelden("FVK");
  editor().mWandfliese_Click();
  start().Aktualisieren_Click();
  EXPECT_TRUE(boxTexte().empty());
  const auto ops = seite();
  kesto::test::bilderAblegen(start().VSPrinter1.pages(), "Fliese-leer");
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 3u);
  const Mm tabelle = inMm(*polygone[2]);
  // In the table only its headers.
  std::vector<std::string> inTabelle;
  for (const kesto::test::Flaeche& f : kesto::test::flaechen(ops))
    if (f.text != "(Band)" && f.umriss.boundingRect().top() >= tabelle.y) inTabelle.push_back(f.text);
  EXPECT_THAT(inTabelle, ::testing::UnorderedElementsAre("Zusatz", "Bezeichnung", "Art.Nr.", "VP Inh.", "Preis"));
  EXPECT_EQ(std::count_if(polygone.begin(), polygone.end(), [&](const PolygonOp* p) { return inMm(*p).y > tabelle.y; }),
            0);
}

}  // namespace
}  // namespace vovida::test
