#include "Anordnung.h"
#include "Eingabe.h"
#include "Queue.h"
#include "Seite.h"

#include "FMStart.h"
#include "FrSchild.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "NumberText.h"
#include "PreisDrucken.h"
#include "Preisinfo.h"
#include "Schildhoehe.h"
#include "Startglobale.h"
#include "Warteschlange.h"
#include "frmFrSchild.h"

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <activex/Renderer.h>
#include <services/Today.h>

#include <algorithm>
#include <cmath>

namespace vovida::test {
namespace {

using Mm = kesto::test::MmBox<0.05>;  // figures to a tenth of a millimetre
using kesto::test::alle;
using kesto::test::inMm;
using kesto::activex::DrawOp;
using kesto::activex::PenStyle;
using kesto::activex::PictureOp;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;

// The dotted cutting outlines of a page.
std::vector<Mm> schnittlinien(std::span<const DrawOp> ops) {
  std::vector<Mm> out;
  for (const PolygonOp* p : alle<PolygonOp>(ops))
    if (p->pen.style == PenStyle::Dot) out.push_back(inMm(*p));
  return out;
}

const TextBoxOp* textMit(std::span<const DrawOp> ops, const std::string& anfang) {
  for (const TextBoxOp* t : alle<TextBoxOp>(ops))
    if (t->text.starts_with(anfang)) return t;
  return nullptr;
}

struct Angebot {
  const char* nr;
  const char* statt;
  const char* preis;  // as printed
};
constexpr Angebot kAngebote[] = {
    {"100001", "", "6,99"},
    {"100023", "Statt 9,99", "7,49"},
    {"100050", "Statt 14.999,99 EUR im Frühjahrskatalog", "12.345,67"},
    {"100051", "Statt 14.999,99 EUR im Frühjahrskatalog, nur solange der Vorrat reicht", "1.299,-"}};

// A price's font size and its box, from the sign's left edge and from its share of the height.
struct Lage {
  double groesse;
  double x, y;
  bool operator==(const Lage&) const = default;
};
void PrintTo(const Lage& l, std::ostream* os) { *os << l.groesse << " pt at " << l.x << ", " << l.y; }

class FrSchildZeichnen_ : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    frSchildGlobaleZuruecksetzen();
    heute = std::make_shared<kesto::services::FixedToday>(kesto::services::Date{2026, 12, 10});
    kesto::services::setTodayPort(heute);
    anmelden("FRSCHILD");
    FrSchildEinrichten();
  }
  void TearDown() override {
    kesto::services::setTodayPort(nullptr);
    frSchildGlobaleZuruecksetzen();
    Hauptfenster::TearDown();
  }
  frmFrSchild& editor() { return FormHolen<frmFrSchild>(); }
  void speichern(const QString& nr, const QString& bez1, const QString& preis = QStringLiteral("12,50")) {
    editor().setArtNrText(nr);
    editor().Bez1->setText(bez1);
    editor().PreisEUR->setText(preis);
    editor().Uebernehmen_Click();
  }
  void artikel(int anzahl) {
    for (int i = 1; i <= anzahl; ++i) speichern(QString::number(i), QStringLiteral("Artikel %1").arg(i));
  }
  // The demo articles with the long texts, with "Statt" texts up to a long one.
  void angeboteLesen() {
    for (const Angebot& a : kAngebote) {
      editor().setArtNrText(QString::fromLatin1(a.nr));
      editor().Read_Click();
      editor().Preis_Info->setText(QString::fromUtf8(a.statt));
      editor().Uebernehmen_Click();
    }
  }
  const kesto::activex::VSPrinter& vp() { return start().VSPrinter1; }
  std::span<const DrawOp> seite(int i) { return vp().pages()[i].ops; }
  std::shared_ptr<kesto::services::FixedToday> heute;
};

// Real articles, long texts and prices included: everything stays on its sign and no text
// covers another.
TEST_F(FrSchildZeichnen_, EverythingStaysOnItsSignAndNoTextCoversAnother) {
  for (const char* nr : {"100001", "100023", "100050", "100051"}) {
    editor().setArtNrText(QString::fromLatin1(nr));
    editor().Read_Click();
    editor().Uebernehmen_Click();
  }
  start().Grundpreis->setChecked(true);
  FrSchildZeichnen();
  std::vector<kesto::test::Umriss> schilder;
  for (const Mm& m : schnittlinien(seite(0))) schilder.push_back(m);
  ASSERT_EQ(schilder.size(), 4u);
  EXPECT_THAT(kesto::test::anordnungPruefen(seite(0), schilder), ::testing::IsEmpty());
  kesto::test::bilderAblegen(vp().pages(), "FrSchild");
  // The creator's line as a whole, accents and descenders included, lies above line 1.
  const TextBoxOp* ersteller = textMit(seite(0), "Erstellt durch ");
  const TextBoxOp* zeile1 = textMit(seite(0), "Zement");
  ASSERT_TRUE(ersteller && zeile1);
  EXPECT_LE((ersteller->box.top + ersteller->box.height).mm(), zeile1->box.top.mm() + 0.01);
}

// Both price styles, the old one with the secondary price, and long info texts, on signs
// from the lowest height the editor takes up to high ones: the price label keeps between
// the sign's top and its footer lines. A sign too low for its lines is drawn as low as they
// allow.
TEST_F(FrSchildZeichnen_, PriceStylesStayOnTheirSignAndClearOfTheTextsAtEveryHeight) {
  start().ZweiPreise->setChecked(true);
  start().Grundpreis->setChecked(true);
  angeboteLesen();
  const double mindestens = FrSchildMindesthoehe();
  ASSERT_GT(mindestens, 20);
  ASSERT_LT(mindestens, 50);
  for (const bool neuerStil : {false, true})
    for (const char* h : {"0,6", "1", "20", "40", "45", "50", "62", "100"}) {
      const std::string name = std::string(neuerStil ? "Neu" : "Alt") + h;
      SCOPED_TRACE(name);
      startglobale().NeuerStil = neuerStil;
      editor().H->setText(QString::fromLatin1(h));
      FrSchildZeichnen();
      const double hoehe = std::max(*zahlAusText(QString::fromLatin1(h)), mindestens);
      std::vector<std::string> preise;
      for (int p = 0; p < vp().PageCount(); ++p) {
        std::vector<kesto::test::Umriss> schilder;
        for (const Mm& m : schnittlinien(seite(p))) {
          EXPECT_NEAR(m.h, hoehe, 0.05);
          schilder.push_back(m);
        }
        EXPECT_THAT(kesto::test::anordnungPruefen(seite(p), schilder), ::testing::IsEmpty()) << p;
        EXPECT_THAT(kesto::test::formenPruefen(seite(p), schilder), ::testing::IsEmpty()) << p;
        for (const TextBoxOp* t : alle<TextBoxOp>(seite(p))) preise.push_back(t->text);
      }
      // Every sign keeps its price.
      for (const Angebot& a : kAngebote) EXPECT_THAT(preise, ::testing::Contains(::testing::HasSubstr(a.preis)));
      kesto::test::bilderAblegen(vp().pages(), "FrSchild" + name);
    }
}

// Where the label fits, a lower sign changes neither its size nor its place on the sign.
TEST_F(FrSchildZeichnen_, APriceThatFitsKeepsItsSizeAndPlaceAtEveryHeight) {
  start().ZweiPreise->setChecked(true);
  start().Grundpreis->setChecked(true);
  angeboteLesen();
  for (const bool neuerStil : {false, true}) {
    SCOPED_TRACE(neuerStil);
    startglobale().NeuerStil = neuerStil;
    const double anteil = neuerStil ? 0.4 : 0.45;
    std::vector<std::vector<Lage>> jeHoehe;
    for (const double h : {62.0, 100.0, 200.0}) {
      editor().H->setText(QString::number(h));
      FrSchildZeichnen();
      std::vector<Lage> lagen;
      for (int p = 0; p < vp().PageCount(); ++p) {
        const std::vector<Mm> schilder = schnittlinien(seite(p));
        for (const TextBoxOp* t : alle<TextBoxOp>(seite(p)))
          for (const Angebot& a : kAngebote)
            if (t->text == a.preis)
              for (const Mm& m : schilder)
                if (t->box.top.mm() >= m.y && t->box.top.mm() < m.y + m.h)
                  lagen.push_back({t->style.font.size, std::round((t->box.left.mm() - m.x) * 100) / 100,
                                   std::round((t->box.top.mm() - m.y - anteil * h) * 100) / 100});
      }
      ASSERT_EQ(lagen.size(), 8u) << h;  // shadow and price of each of the four
      jeHoehe.push_back(lagen);
    }
    EXPECT_EQ(jeHoehe[0], jeHoehe[2]);
    EXPECT_EQ(jeHoehe[1], jeHoehe[2]);
  }
}

TEST_F(FrSchildZeichnen_, SignsOf62mmStackFourToAPageAndTheFifthOpensPageTwo) {
  artikel(5);
  FrSchildZeichnen();
  ASSERT_EQ(vp().PageCount(), 2);
  EXPECT_FALSE(vp().documentOpen());
  EXPECT_THAT(schnittlinien(seite(0)), ::testing::ElementsAre(Mm{20, 15, 170, 62}, Mm{20, 77, 170, 62},
                                                              Mm{20, 139, 170, 62}, Mm{20, 201, 170, 62}));
  EXPECT_THAT(schnittlinien(seite(1)), ::testing::ElementsAre(Mm{20, 15, 170, 62}));
  // The white inner frame of the first sign, and the fifth sign's texts on page 2.
  std::vector<Mm> weiss;
  for (const PolygonOp* p : alle<PolygonOp>(seite(0)))
    if (p->brush.colour == 0xFFFFFF && p->pen.width.mm() > 0.1 && p->pen.style == PenStyle::Solid)
      weiss.push_back(inMm(*p));
  ASSERT_FALSE(weiss.empty());
  EXPECT_EQ(weiss[0], (Mm{22, 16, 166, 60}));
  ASSERT_NE(textMit(seite(1), "ArtNr.: 5"), nullptr);
  EXPECT_NE(textMit(seite(1), "Artikel 5"), nullptr);
  EXPECT_EQ(textMit(seite(0), "Artikel 5"), nullptr);
}

TEST_F(FrSchildZeichnen_, LeftEdgeAndSignsPerPageFollowTheSize) {
  struct Fall {
    const char* b;
    const char* h;
    double x0;
    int jeSeite;
  };
  const Fall faelle[] = {{"170", "62", 20, 4},   {"190", "100", 10, 2},  {"191", "100", 10, 2},
                         {"193", "100", 8, 2},   {"170", "133,5", 20, 1}, {"170", "300", 20, 1},
                         {"210", "200", 0, 1}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.b) + "@" + f.h);
    const FrSchildSeite s = FrSchildSeiteBerechnen(QString::fromUtf8(f.b), QString::fromUtf8(f.h));
    EXPECT_DOUBLE_EQ(s.x0, f.x0);
    EXPECT_EQ(s.jeSeite, f.jeSeite);
  }
  // A height too low for the sign's lines gives the lowest sign that holds them.
  const double mindestens = FrSchildMindesthoehe();
  for (const char* h : {"1", "0,6"}) {
    const FrSchildSeite s = FrSchildSeiteBerechnen(QStringLiteral("170"), QString::fromUtf8(h));
    EXPECT_EQ(s.hoehe, mindestens) << h;
    EXPECT_EQ(s.jeSeite, 267 / static_cast<int>(mindestens)) << h;
  }
  EXPECT_THROW(FrSchildSeiteBerechnen(QStringLiteral("x"), QStringLiteral("62")), std::runtime_error);
  for (const char* h : {"x", "", "0", "0,4", "-5"})
    EXPECT_THROW(FrSchildSeiteBerechnen(QStringLiteral("170"), QString::fromUtf8(h)), SchildhoeheUngueltig) << h;

  // On the page: B 193 and 100 mm, the third sign opens page 2 and the fourth follows it.
  editor().B->setText(QStringLiteral("193"));
  editor().H->setText(QStringLiteral("100"));
  artikel(4);
  FrSchildZeichnen();
  ASSERT_EQ(vp().PageCount(), 2);
  EXPECT_THAT(schnittlinien(seite(0)), ::testing::ElementsAre(Mm{8, 15, 193, 100}, Mm{8, 115, 193, 100}));
  EXPECT_THAT(schnittlinien(seite(1)), ::testing::ElementsAre(Mm{8, 15, 193, 100}, Mm{8, 115, 193, 100}));
}

TEST_F(FrSchildZeichnen_, ABadHeightIsReportedOnceThroughTheMainWindow) {
  start().SchildartWaehlen(QStringLiteral("FRSCHILD"));
  for (const char* h : {"x", "0,4"}) {
    SCOPED_TRACE(h);
    editor().H->setText(QString::fromUtf8(h));
    const std::size_t vorher = boxen->shown().size();
    start().BildAufbauen.setEnabled(true);
    start().Aktualisieren_Click();
    ASSERT_EQ(boxen->shown().size(), vorher + 1);
    EXPECT_THAT(boxen->shown().back().text, ::testing::HasSubstr("Ungültige Schildhöhe"));
    EXPECT_FALSE(start().BildAufbauen.Enabled());
    EXPECT_FALSE(vp().documentOpen());
  }
}

TEST_F(FrSchildZeichnen_, OneListedArticleDrawsTheBoxesTwoDrawTheQueue) {
  speichern(QStringLiteral("1"), QStringLiteral("gespeichert 1"));
  editor().Bez1->setText(QStringLiteral("getippt"));
  FrSchildZeichnen();
  EXPECT_NE(textMit(seite(0), "getippt"), nullptr);
  EXPECT_EQ(textMit(seite(0), "gespeichert 1"), nullptr);

  speichern(QStringLiteral("2"), QStringLiteral("gespeichert 2"));
  editor().setArtNrText(QStringLiteral("1"));
  editor().Bez1->setText(QStringLiteral("getippt"));
  FrSchildZeichnen();
  EXPECT_NE(textMit(seite(0), "gespeichert 1"), nullptr);
  EXPECT_NE(textMit(seite(0), "gespeichert 2"), nullptr);
  EXPECT_EQ(textMit(seite(0), "getippt"), nullptr);

  // An empty list still draws one sign from the boxes.
  fensterliste().entladen<frmFrSchild>();
  FrSchildZeichnen();
  ASSERT_EQ(vp().PageCount(), 1);
  EXPECT_EQ(schnittlinien(seite(0)).size(), 1u);
  EXPECT_NE(textMit(seite(0), "Bezeichnung 1"), nullptr);
}

TEST_F(FrSchildZeichnen_, StoredPricesAreShownInBothCurrencies) {
  struct Fall {
    const char* haupt;
    const char* faktor;
    const char* gespeichert;
    const char* ats;
    const char* eur;
  };
  const Fall faelle[] = {
      {"ATS", "8", "100", "100,-", "12,50"},
      {"EUR", "13,7603", "12,50", "172,-", "12,50"},
      {"EUR", "13,7603", "", "0,-", "0,-"},
      {"EUR", "0", "12,50", "", "12,50"},  // no factor to convert with
  };
  for (const char* nr : {"1", "2"}) WarteschlangeSchreiben(QString::fromUtf8(nr), kBezeichnung1, QStringLiteral("x"));
  editor().ArtNr->addItem(QStringLiteral("1"));
  editor().ArtNr->addItem(QStringLiteral("2"));
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.haupt) + " " + f.gespeichert);
    fensterliste().holen<Preisinfo>().WWSHW->setText(QString::fromUtf8(f.haupt));
    fensterliste().holen<Preisinfo>().Faktor->setText(QString::fromUtf8(f.faktor));
    WarteschlangeSchreiben(QStringLiteral("2"), kPreis, QString::fromUtf8(f.gespeichert));
    const Schildtexte d = FrSchildTexte(editor(), 1);
    EXPECT_EQ(d.preisATS.toStdString(), f.ats);
    EXPECT_EQ(d.preisEUR.toStdString(), f.eur);
    EXPECT_EQ(d.artNr, QStringLiteral("2"));
  }
}

TEST_F(FrSchildZeichnen_, FooterCreatorAndBasePriceLines) {
  speichern(QStringLiteral("100021"), QStringLiteral("Außenputz"));
  editor().Grundpreis->setText(QStringLiteral("1 kg = 0,50"));
  start().Grundpreis->setChecked(false);
  FrSchildZeichnen();
  EXPECT_EQ(textMit(seite(0), "1 kg = 0,50"), nullptr);
  const TextBoxOp* ersteller = textMit(seite(0), "Erstellt durch ");
  ASSERT_NE(ersteller, nullptr);
  EXPECT_EQ(ersteller->text, "Erstellt durch " + kestoapi().PersonalName.toStdString());
  EXPECT_FALSE(kestoapi().PersonalName.isEmpty());
  EXPECT_EQ(ersteller->style.font.name.find("Arial"), 0u);
  const TextBoxOp* datum = textMit(seite(0), "Datum: ");
  ASSERT_NE(datum, nullptr);
  EXPECT_EQ(datum->text, "Datum: 10.12.2026");
  ASSERT_NE(textMit(seite(0), "ArtNr.: 100021"), nullptr);

  start().Grundpreis->setChecked(true);
  FrSchildZeichnen();
  EXPECT_NE(textMit(seite(0), "1 kg = 0,50"), nullptr);
}

// The price of the demo sign measured on a page of its own, as the layout prints it.
PreisAusmass preisMessen(const QString& preis, const QString& zeichen, double x0, double y, double breite) {
  kesto::activex::VSPrinter probe;
  probe.StartDoc();
  QString p = preis;
  PreisAusmass ausmass;
  PreisDrucken(p, zeichen, QStringLiteral("per"), QString(), 64, probe, x0, y, breite, PreisOptionen{}, ausmass);
  probe.EndDoc();
  return ausmass;
}

TEST_F(FrSchildZeichnen_, TheArrowSitsAtThePriceCornerAndStaysWithinTheSign) {
  startglobale().NeuerStil = true;
  start().ZweiPreise->setChecked(false);
  fensterliste().holen<Preisinfo>().ETHW->setText(QStringLiteral("EUR"));
  frmFrSchild& e = editor();
  e.show();
  QTest::mouseClick(e.ORichtung[2], Qt::LeftButton);
  speichern(QStringLiteral("1"), QStringLiteral("Artikel"), QStringLiteral("12,50"));
  e.Preis_Info->clear();
  const QString zeichen = startglobale().WaehrungszeichenNW;
  const PreisAusmass breit = preisMessen(QStringLiteral("12,50"), zeichen, 20, 15 + 0.4 * 62, 170);
  ASSERT_GT(breit.runter, 0);
  // A sign just wider than the price leaves little room: the arrow is capped.
  const int schmal = static_cast<int>(std::ceil(breit.quer)) + 6;
  struct Fall {
    int b;
    bool gekappt;
  };
  for (const Fall& f : {Fall{170, false}, Fall{schmal, true}}) {
    SCOPED_TRACE(f.b);
    e.B->setText(QString::number(f.b));
    const double x0 = std::round((210.0 - f.b) / 2);  // no halves: b is even
    const PreisAusmass m = preisMessen(QStringLiteral("12,50"), zeichen, x0, 15 + 0.4 * 62, f.b);
    const double r = m.rechtsObenX - x0;
    const double frei = 0.8 * (f.b - r);
    const double a = std::min(m.runter * 0.6, frei);
    EXPECT_EQ(frei < m.runter * 0.6, f.gekappt);
    FrSchildZeichnen();
    const auto bilder = alle<PictureOp>(seite(0));
    ASSERT_EQ(bilder.size(), 1u);
    EXPECT_EQ(bilder[0]->image, e.BildBild[2]);
    const Mm box = inMm(bilder[0]->box);
    EXPECT_EQ(box, (Mm{m.rechtsObenX, m.rechtsObenY, a, a / 3 * 4}));
    EXPECT_LE(box.x + box.b, x0 + f.b);
  }
}

TEST_F(FrSchildZeichnen_, UpChosenLastShowsOnEverySignWhateverEachStored) {
  startglobale().NeuerStil = true;
  frmFrSchild& e = editor();
  e.show();
  const int gespeichert[] = {2, 0, 2};
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(e.ORichtung[gespeichert[i]], Qt::LeftButton);
    speichern(QString::number(i + 1), QStringLiteral("A"));
  }
  e.setArtNrText(QStringLiteral("1"));
  e.lesen();  // loads direction 2
  QTest::mouseClick(e.ORichtung[1], Qt::LeftButton);
  FrSchildZeichnen();
  const auto bilder = alle<PictureOp>(seite(0));
  ASSERT_EQ(bilder.size(), 3u);
  for (const PictureOp* b : bilder) EXPECT_EQ(b->image, e.BildBild[1]);

  // The old style draws no arrow at all.
  startglobale().NeuerStil = false;
  FrSchildZeichnen();
  EXPECT_TRUE(alle<PictureOp>(seite(0)).empty());
  EXPECT_EQ(schnittlinien(seite(0)).size(), 3u);
}

// What tells two sheets apart: their drawing, texts and pictures.
bool gleichesBlatt(const kesto::activex::Page& a, const kesto::activex::Page& b) {
  if (a.ops.size() != b.ops.size()) return false;
  const auto bilderA = alle<PictureOp>(a.ops), bilderB = alle<PictureOp>(b.ops);
  const auto texteA = alle<TextBoxOp>(a.ops), texteB = alle<TextBoxOp>(b.ops);
  return std::equal(bilderA.begin(), bilderA.end(), bilderB.begin(), bilderB.end(),
                    [](const PictureOp* x, const PictureOp* y) { return x->image == y->image; }) &&
         std::equal(texteA.begin(), texteA.end(), texteB.begin(), texteB.end(),
                    [](const TextBoxOp* x, const TextBoxOp* y) { return x->text == y->text; });
}

// A switch of the sheet clicked just before Druck is on the page that is sent, though the
// countdown has not redrawn the preview yet.
TEST_F(FrSchildZeichnen_, DruckSendsTheSheetOfTheSwitchJustClicked) {
  fensterliste().holen<Preisinfo>().ETHW->setText(QStringLiteral("EUR"));
  frmFrSchild& e = editor();
  e.show();
  start().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&start()));
  e.setArtNrText(QStringLiteral("100008"));
  e.Read_Click();
  struct Fall {
    const char* name;
    bool neuerStil;  // the arrow belongs to the new style, the second price to the old
    std::function<QWidget*()> schalter;
  };
  const std::vector<Fall> faelle{{"Pfeilrichtung", true, [&] { return e.ORichtung[2]; }},
                                 {"ZweiPreise", false, [&] { return start().ZweiPreise; }},
                                 {"Grundpreis", true, [&] { return start().Grundpreis; }},
                                 {"Raster", true, [&] { return start().Raster; }}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    startglobale().NeuerStil = f.neuerStil;
    start().Aktualisieren_Click();
    const kesto::activex::Page vorher = vp().pages().back();
    QWidget* schalter = f.schalter();
    aktivieren(*schalter->window());
    klicken(*schalter, QPoint(6, schalter->height() / 2));
    drucker->gedruckt.clear();
    klicken(*start().Drucken);
    ASSERT_EQ(drucker->gedruckt.size(), 1u);
    EXPECT_FALSE(gleichesBlatt(drucker->gedruckt[0], vorher));
    FrSchildZeichnen();
    EXPECT_TRUE(gleichesBlatt(drucker->gedruckt[0], vp().pages().back()));
  }
}

// An outdoor page of the demo as the user sees it; KESTO_SCREENSHOTS names a folder to
// keep it.
TEST_F(FrSchildZeichnen_, DemoPageOnPaper) {
  startglobale().NeuerStil = true;
  frmFrSchild& e = editor();
  e.show();
  for (const char* nr : {"100021", "100003", "100001", "100006", "100002"}) {
    e.setArtNrText(QString::fromUtf8(nr));
    e.Read_Click();
  }
  QTest::mouseClick(e.ORichtung[1], Qt::LeftButton);
  FrSchildZeichnen();
  ASSERT_EQ(vp().PageCount(), 2);
  const QImage bild = kesto::activex::renderPageImage(vp().pages()[0], 100);
  if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty())
    bild.save(QString::fromUtf8(ordner) + QStringLiteral("/freigelaendeschild-seite1.png"));
  // Every sign has dark ink in its upper and its lower half, and nothing lies below the last.
  const double proMm = 100 / 25.4;
  const auto dunkel = [&](double vonMm, double bisMm) {
    int n = 0;
    for (int y = static_cast<int>(vonMm * proMm); y < static_cast<int>(bisMm * proMm); ++y)
      for (int x = static_cast<int>(25 * proMm); x < static_cast<int>(185 * proMm); ++x)
        if (qGray(bild.pixel(x, y)) < 100) ++n;
    return n;
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const double y0 = 15 + 62.0 * i;
    EXPECT_GT(dunkel(y0 + 3, y0 + 31), 200);
    EXPECT_GT(dunkel(y0 + 31, y0 + 59), 200);
  }
  EXPECT_EQ(dunkel(265, 295), 0);
}

}  // namespace
}  // namespace vovida::test
