#include "PlakatFenster.h"

#include "Plakat.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "NumberText.h"
#include "Preisinfo.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "Warteschlange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace vovida::test {
namespace {

using Mm = kesto::test::MmBox<0.05>;  // figures to a tenth of a millimetre
using kesto::test::alle;
using kesto::test::inMm;
using kesto::test::boxtext;
using kesto::activex::PictureOp;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;
using kesto::activex::TextOp;

// The frame polygons of a page: black outlines of the frame's size or larger.
std::vector<const PolygonOp*> rahmen(std::span<const kesto::activex::DrawOp> ops, double s) {
  std::vector<const PolygonOp*> out;
  for (const PolygonOp* p : alle<PolygonOp>(ops))
    if (inMm(*p).b > 180 * s) out.push_back(p);
  return out;
}

// The line spacing of a font slot, mm.
double abstand(int slot) { return zahlAusText(Schriftdefinitionen()(slot, 4)).value_or(-1); }

std::vector<const TextOp*> kipp(std::span<const kesto::activex::DrawOp> ops) {
  std::vector<const TextOp*> out;
  for (const TextOp* t : alle<TextOp>(ops))
    if (t->style.font.name == "Kipp" && t->at.y.mm() < 150) out.push_back(t);
  return out;
}

class PlakatLayout : public PlakatFenster {
 protected:
  // One article read from the server, as the user reads it in the editor.
  std::span<const kesto::activex::DrawOp> einArtikel(const char* nr = "100001") {
    editor().setArtNrText(QString::fromLatin1(nr));
    editor().Read_Click();
    PlakatZeichnen();
    return seiten()[0].ops;
  }
  void preisPruefen(const char* art) {
    einrichten(art);
    const double s = PlakatseiteZu(QString::fromLatin1(art)).massstab;
    const int a = PlakatseiteZu(QString::fromLatin1(art)).versatz;
    const auto ops = einArtikel();
    // The whole part of 6,99 in the price slot's own size.
    const auto texte = alle<TextBoxOp>(ops);
    const auto preis = std::find_if(texte.begin(), texte.end(), [&](const TextBoxOp* t) {
      return t->text.starts_with("6") && t->style.font.size == groesse(27 + a);
    });
    ASSERT_NE(preis, texte.end());
    EXPECT_GT((*preis)->box.top.mm(), 195 + (s - 1) * 50);  // on A3 below the moved texts
    EXPECT_LT((*preis)->box.top.mm(), 195 * s + 100);
    EXPECT_GT((*preis)->box.left.mm(), 0);
    EXPECT_LT((*preis)->box.left.mm(), 210 * s);
  }
  void briefpapierPruefen(const char* art) {
    einrichten(art);
    const auto ops = einArtikel();
    EXPECT_TRUE(rahmen(ops, 1).empty());
    EXPECT_TRUE(alle<PictureOp>(ops).empty());
    EXPECT_TRUE(kipp(ops).empty());
    EXPECT_NE(boxtext(ops, "Zement"), nullptr);
  }
};

TEST_F(PlakatLayout, OneArticleA4NPosterLiesWhereThePageTableSays) {
  einrichten("A4N");
  ASSERT_TRUE(startglobale().NeuerStil);
  start().Grundpreis->setChecked(true);
  const auto ops = einArtikel();
  ASSERT_EQ(seiten().size(), 1u);

  const auto frames = rahmen(ops, 1);
  ASSERT_EQ(frames.size(), 2u);  // before and after the pictures and headline
  for (const PolygonOp* r : frames) {
    EXPECT_EQ(inMm(*r), (Mm{10, 10, 190, 277}));
    EXPECT_NEAR(r->pen.width.units(), 12, 1e-9);
  }
  const auto bilder = alle<PictureOp>(ops);
  ASSERT_EQ(bilder.size(), 2u);
  EXPECT_EQ(inMm(bilder[0]->box), (Mm{10.2, 10.2, 190, 60.6}));
  EXPECT_EQ(inMm(bilder[1]->box), (Mm{11, 271.5, 92, 15}));

  const auto kopf = kipp(ops);
  ASSERT_FALSE(kopf.empty());
  EXPECT_NEAR(kopf[0]->at.y.mm(), 76, 0.01);
  EXPECT_EQ(kopf[0]->style.font.size, groesse(7));
  std::string kopfText;
  for (const TextOp* t : kopf) kopfText += t->text;
  EXPECT_EQ(kopfText, "FÜR SEHENSWERTE PREISE.");

  struct Zeile {
    std::string text;
    double y;
    int slot;
  };
  const Zeile zeilen[] = {{"Zement CEM II 42,5", 103, 19},
                          {"Sack 25 kg", 117, 19},
                          {editor().Bez3->text().toStdString(), 131, 19},
                          {editor().Grundpreis->text().toStdString(), 145, 23},
                          {"ArtNr.: 100001 Datum: 11.12.2026", 159, 23}};
  const auto texte = alle<TextBoxOp>(ops);
  for (const Zeile& z : zeilen) {
    SCOPED_TRACE(z.text);
    const auto it = std::find_if(texte.begin(), texte.end(),
                                 [&](const TextBoxOp* t) { return t->text == z.text && std::abs(t->box.top.mm() - z.y) < 0.01; });
    ASSERT_NE(it, texte.end());
    EXPECT_NEAR((*it)->box.left.mm(), 34, 0.01);
    EXPECT_NEAR((*it)->box.width.mm(), 142, 0.01);
    EXPECT_EQ((*it)->style.font.size, groesse(z.slot));
  }
  const TextBoxOp* ersteller = boxtext(ops, "Erstellt durch ");
  ASSERT_NE(ersteller, nullptr);
  EXPECT_EQ(ersteller->text, "Erstellt durch " + kestoapi().PersonalName.toStdString() + " ");
  EXPECT_NEAR(ersteller->box.left.mm(), 10, 0.01);
  EXPECT_NEAR(ersteller->box.top.mm(), 6, 0.01);
  EXPECT_EQ(ersteller->style.font.size, groesse(31));
  EXPECT_EQ(ersteller->style.font.name, "Arial");
}

TEST_F(PlakatLayout, A4PriceLiesInItsSlotBelow195AcrossThePage) { preisPruefen("A4N"); }
TEST_F(PlakatLayout, A3PriceStaysBelow195InTheNextSlot) { preisPruefen("A3N"); }

TEST_F(PlakatLayout, A3ScalesPositionsAndTakesTheNextSlot) {
  einrichten("A3N");
  const double s = 297.0 / 210.0;
  const auto ops = einArtikel();
  const auto frames = rahmen(ops, s);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(inMm(*frames[0]), (Mm{10 * s, 10 * s, 190 * s, 277 * s}));
  const auto bilder = alle<PictureOp>(ops);
  ASSERT_EQ(bilder.size(), 2u);
  EXPECT_EQ(inMm(bilder[0]->box), (Mm{10.2 * s, 10.2 * s, 190 * s, 60.615 * s}));
  EXPECT_EQ(inMm(bilder[1]->box), (Mm{11 * s, 271.5 * s, 92 * s, 14.996 * s}));
  const auto kopf = kipp(ops);
  ASSERT_FALSE(kopf.empty());
  EXPECT_NEAR(kopf[0]->at.y.mm(), 76 * s, 0.01);
  EXPECT_EQ(kopf[0]->style.font.size, groesse(8));
  const TextBoxOp* bez = boxtext(ops, "Zement");
  ASSERT_NE(bez, nullptr);
  EXPECT_NEAR(bez->box.left.mm(), 34 * s, 0.01);
  EXPECT_NEAR(bez->box.top.mm(), 103 * s, 0.01);
  EXPECT_NEAR(bez->box.width.mm(), 142 * s, 0.01);
  EXPECT_EQ(bez->style.font.size, groesse(20));
  const TextBoxOp* fuss = boxtext(ops, "ArtNr.: ");
  ASSERT_NE(fuss, nullptr);
  // The line step is the A3 slot's spacing, not scaled.
  EXPECT_NEAR(fuss->box.top.mm(), 103 * s + 4 * abstand(20), 0.01);
  EXPECT_EQ(fuss->style.font.size, groesse(24));
  const TextBoxOp* ersteller = boxtext(ops, "Erstellt durch ");
  ASSERT_NE(ersteller, nullptr);
  EXPECT_NEAR(ersteller->box.top.mm(), 6 * s, 0.01);
  EXPECT_EQ(ersteller->style.font.size, groesse(32));
}

TEST_F(PlakatLayout, A4LetterheadHasNoFramePicturesOrHeadline) { briefpapierPruefen("A4F"); }
TEST_F(PlakatLayout, A3LetterheadHasNoFramePicturesOrHeadline) { briefpapierPruefen("A3F"); }

TEST_F(PlakatLayout, OnePagePerQueuedArticleAndTheEditorsPictureOnlyBelowTwo) {
  einrichten("A4N");
  QImage bild(40, 30, QImage::Format_RGB32);
  bild.fill(Qt::red);
  editor().Image1Bild = bild;
  struct Fall {
    int artikel;
    std::size_t seiten;
    bool bild;
  };
  const Fall faelle[] = {{0, 1, true}, {1, 1, true}, {3, 3, false}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.artikel);
    editor().ArtNr->clear();
    for (int i = 0; i < f.artikel; ++i)
      speichern(QStringLiteral("50%1").arg(i), QStringLiteral("Artikel %1").arg(i), QStringLiteral("1%1,50").arg(i));
    PlakatZeichnen();
    ASSERT_EQ(seiten().size(), f.seiten);
    for (std::size_t p = 0; p < f.seiten; ++p) {
      const auto ops = seiten()[p].ops;
      const bool editorBild = std::any_of(ops.begin(), ops.end(), [&](const auto& op) {
        const auto* b = std::get_if<PictureOp>(&op);
        return b && b->image == bild;
      });
      EXPECT_EQ(editorBild, f.bild);
      if (f.artikel >= 2) {
        // The page's texts come from its section, not from the boxes.
        EXPECT_NE(boxtext(ops, "Artikel " + std::to_string(p)), nullptr) << p;
        EXPECT_NE(boxtext(ops, "ArtNr.: 50" + std::to_string(p)), nullptr) << p;
      }
    }
  }
  // The editor's picture at the bars' place and zoom.
  editor().ArtNr->clear();
  PlakatZeichnen();
  const auto bilder = alle<PictureOp>(seiten()[0].ops);
  const auto eigenes = std::find_if(bilder.begin(), bilder.end(), [&](const PictureOp* b) { return b->image == bild; });
  ASSERT_NE(eigenes, bilder.end());
  EXPECT_NEAR((*eigenes)->box.left.mm(), 120, 0.01);
  EXPECT_NEAR((*eigenes)->box.top.mm(), 95, 0.01);
}

TEST_F(PlakatLayout, AHeadlineSlotPerOptionAndSlot7WhenNoneIsSelected) {
  einrichten("A4N");
  frmPlakat& e = editor();
  struct Fall {
    QRadioButton* option;
    int slot;
  };
  const Fall faelle[] = {{e.RadioPreise, 7}, {e.RadionBestellung, 60}, {e.RadioAktion, 3},
                         {e.RadioRest, 11},  {e.RadioWerbung, 15},     {nullptr, 7}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.slot);
    for (QRadioButton* r : {e.RadioPreise, e.RadionBestellung, e.RadioAktion, e.RadioRest, e.RadioWerbung}) {
      r->setAutoExclusive(false);
      r->setChecked(r == f.option);
    }
    e.Ueberschrift->setText(QStringLiteral("Eigene Zeile"));
    PlakatZeichnen();
    const auto kopf = kipp(seiten()[0].ops);
    ASSERT_FALSE(kopf.empty());
    EXPECT_EQ(kopf[0]->style.font.size, groesse(f.slot));
    EXPECT_EQ(kopf[0]->text, "E");  // the edited headline, not the option's text
  }
}

TEST_F(PlakatLayout, PlakatHOfEmptyOrZeroGivesTheTenMillimetreBottom) {
  einrichten("A4N");
  for (const char* wert : {"", "0", "20"}) {
    SCOPED_TRACE(wert);
    ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("PLAKAT-H"), QString::fromLatin1(wert));
    PlakatZeichnen();
    const double p = *wert == '2' ? 20 : 10;
    const auto frames = rahmen(seiten()[0].ops, 1);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(inMm(*frames[0]), (Mm{10, 10, 190, 287 - p}));
    const auto bilder = alle<PictureOp>(seiten()[0].ops);
    ASSERT_EQ(bilder.size(), 2u);
    EXPECT_NEAR(bilder[1]->box.top.mm(), 281.5 - p, 0.01);
  }
}

TEST_F(PlakatLayout, BasePriceLineOnlyWhenTickedAndTheFooterStays) {
  einrichten("A4N");
  for (const bool an : {true, false}) {
    start().Grundpreis->setChecked(an);
    const auto ops = einArtikel();
    EXPECT_EQ(boxtext(ops, editor().Grundpreis->text().toStdString()) != nullptr, an);
    EXPECT_NEAR(boxtext(ops, "ArtNr.: ")->box.top.mm(), 159, 0.01);
  }
}

TEST_F(PlakatLayout, TheSecondCompanyConvertsStoredPricesThroughItsFactor) {
  einrichten("A4N", "2");
  ASSERT_FALSE(startglobale().NeuerStil);
  ASSERT_EQ(fensterliste().holen<Preisinfo>().WWSHW->text(), QStringLiteral("ATS"));
  ASSERT_EQ(fensterliste().holen<Preisinfo>().Faktor->text(), QStringLiteral("13,7603"));
  start().ZweiPreise->setChecked(true);
  speichern(QStringLiteral("1"), QStringLiteral("Erster"), QStringLiteral("137,60"));
  speichern(QStringLiteral("2"), QStringLiteral("Zweiter"), QStringLiteral("275,21"));
  PlakatZeichnen();
  ASSERT_EQ(seiten().size(), 2u);
  // Page texts of the old style's two prices: the EUR price first.
  const char* euro[] = {"|10,-|", "|20,-|"};
  for (std::size_t p = 0; p < 2; ++p) {
    std::string alles = "|";
    for (const TextOp* t : alle<TextOp>(seiten()[p].ops)) alles += t->text + "|";
    for (const TextBoxOp* t : alle<TextBoxOp>(seiten()[p].ops)) alles += t->text + "|";
    SCOPED_TRACE(alles);
    EXPECT_NE(alles.find(euro[p]), std::string::npos);
    EXPECT_NE(alles.find(p == 0 ? "|öS  137,60|" : "|öS  275,21|"), std::string::npos);
  }
}

TEST_F(PlakatLayout, PriceOrFactorThatIsNoNumberConvertsNothing) {
  einrichten("A4N", "2");
  start().ZweiPreise->setChecked(true);
  Preisinfo& info = fensterliste().holen<Preisinfo>();
  struct Fall {
    const char* faktor;
    const char* preis;
  };
  const Fall faelle[] = {{"13,7603", ","}, {"13,7603", "15%"}, {"0", "100"}, {"abc", "100"}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.faktor) + " " + f.preis);
    editor().ArtNr->clear();
    info.Faktor->setText(QString::fromLatin1(f.faktor));
    for (const char* nr : {"1", "2"}) {
      speichern(QString::fromLatin1(nr), QStringLiteral("X"), QString());
      WarteschlangeSchreiben(QString::fromLatin1(nr), kPreis, QString::fromLatin1(f.preis));
    }
    EXPECT_NO_THROW(PlakatZeichnen());
    EXPECT_EQ(seiten().size(), 2u);
  }
}

TEST_F(PlakatLayout, ARedrawWithTheEditorClosedDrawsAFreshEditor) {
  einrichten("A4N");
  speichern(QStringLiteral("1"), QStringLiteral("Eins"), QStringLiteral("1"));
  editor().Ueberschrift->setText(QStringLiteral("ALT"));
  fensterliste().entladen<frmPlakat>();
  PlakatZeichnen();
  ASSERT_TRUE(fensterliste().geladen<frmPlakat>());
  ASSERT_EQ(seiten().size(), 1u);
  EXPECT_EQ(boxtext(seiten()[0].ops, "Eins"), nullptr);
  std::string kopf;
  for (const TextOp* t : kipp(seiten()[0].ops)) kopf += t->text;
  EXPECT_EQ(kopf, "FÜR SEHENSWERTE PREISE.");
}

TEST_F(PlakatLayout, SixHundredPostersAreSixHundredPages) {
  einrichten("A4F");
  frmPlakat& e = editor();
  for (int i = 0; i < 600; ++i) e.ArtNr->addItem(QString::number(1000 + i));
  PlakatZeichnen();
  ASSERT_EQ(seiten().size(), 600u);
  EXPECT_NE(boxtext(seiten()[599].ops, "ArtNr.: 1599 "), nullptr);
}

}  // namespace
}  // namespace vovida::test
