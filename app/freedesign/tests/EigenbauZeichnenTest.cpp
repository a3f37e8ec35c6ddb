#include "Umgebung.h"

#include <gmock/gmock.h>

#include "Anordnung.h"
#include "EigenbauGlobale.h"
#include "EigenbauZeichnen.h"
#include "Schriftdefinitionen.h"
#include "Seite.h"
#include "Startglobale.h"

#include <Pdf.h>
#include <activex/Renderer.h>
#include <registry/Settings.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <set>
#include <variant>

namespace vovida::test {
namespace {

using kesto::activex::LineOp;
using kesto::activex::Page;
using kesto::activex::PenStyle;
using kesto::activex::PolygonOp;
using kesto::activex::RectangleOp;
using kesto::activex::TextBoxOp;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr double kGenau = 1e-6;

using Mm = kesto::test::MmBox<kGenau>;
using kesto::test::alle;
using kesto::test::inMm;

// A design loaded from the defaults, drawn on a preview of its own. No server: the
// editor's boxes and the settings store are all the layout reads.
class EigenbauZeichnenTest : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    eigenbauGlobaleZuruecksetzen();
    auto& g = startglobale();
    g.FontHW = g.FontNW = g.FontPKZHW = g.FontPER = g.FontINFO = QStringLiteral("Arial");
    g.WaehrungszeichenHW = QStringLiteral("öS");
    g.WaehrungszeichenNW = QStringLiteral("€");
    m.lesen(QStringLiteral("Neu"));
    m.SpeicherName.Text = QStringLiteral("Neu");
    m.t_Fileablage = ordner.path() + u'/';
    m.ArtNr.List = {QStringLiteral("100021")};
    m.ArtNr.Text = QStringLiteral("100021");
    m.PreisEUR = QStringLiteral("10,-");
    m.Grundpreis = QStringLiteral("1 kg = 10,-");
    rtf.setRichText(QStringLiteral("{\\rtf1 Eins}"));
    u.vp = &vp;
    u.RTF = &rtf;
    u.RTFText = &rtfText;
    u.ZweiPreise = 1;
    u.Grundpreis = 1;
    u.Faktor = QStringLiteral("13,7603");
    u.PersonalName = QStringLiteral("Demo Benutzer");
    u.WaehrungszeichenHW = g.WaehrungszeichenHW;
    u.WaehrungszeichenNW = g.WaehrungszeichenNW;
    u.heute = QDate(2026, 12, 10);
    u.firmenlogo = ordner.path() + QStringLiteral("\\logo");
  }
  void zeichnen() { EigenbauZeichnen(m, u); }
  const Page& seite(int i = 0) const { return vp.pages()[static_cast<std::size_t>(i)]; }
  std::vector<TextBoxOp> koerper(int i = 0) const {
    std::vector<TextBoxOp> k;
    for (const TextBoxOp* t : alle<TextBoxOp>(seite(i).ops))
      if (t->richText) k.push_back(*t);
    return k;
  }
  // The vertices of the cutting marks: where the two lines of each mark meet.
  std::set<std::pair<double, double>> marken(int i = 0) const {
    std::set<std::pair<double, double>> ecken;
    for (const LineOp* l : alle<LineOp>(seite(i).ops)) ecken.insert({l->from.x.mm(), l->from.y.mm()});
    return ecken;
  }

  QTemporaryDir ordner;
  EigenbauModell m;
  EigenbauUmfeld u;
  kesto::activex::VSPrinter vp;
  RtfCodeKoerper rtf, rtfText;
};

TEST_F(EigenbauZeichnenTest, DefaultDesignDrawsItsPartsWhereTheyBelong) {
  zeichnen();
  ASSERT_EQ(vp.PageCount(), 1);
  EXPECT_FALSE(vp.documentOpen());

  const auto rechtecke = alle<RectangleOp>(seite().ops);
  ASSERT_EQ(rechtecke.size(), 1u);
  EXPECT_EQ(inMm(rechtecke[0]->box), (Mm{25, 23.125, 75, 25}));
  EXPECT_EQ(rechtecke[0]->brush.colour, 65280u);

  const auto polygone = alle<PolygonOp>(seite().ops);
  ASSERT_GE(polygone.size(), 2u);
  const PolygonOp& umriss = *polygone[polygone.size() - 2];
  const PolygonOp& rahmen = *polygone.back();
  EXPECT_NEAR(umriss.points[0].x.mm(), 15, kGenau);
  EXPECT_NEAR(umriss.points[0].y.mm(), 15, kGenau);
  EXPECT_NEAR(umriss.points[2].x.mm(), 110, kGenau);
  EXPECT_NEAR(umriss.points[2].y.mm(), 135, kGenau);
  EXPECT_EQ(umriss.pen.style, PenStyle::Dot);
  EXPECT_NEAR(rahmen.points[0].x.mm(), 20, kGenau);
  EXPECT_NEAR(rahmen.points[0].y.mm(), 20, kGenau);
  EXPECT_NEAR(rahmen.points[2].x.mm(), 105, kGenau);
  EXPECT_NEAR(rahmen.points[2].y.mm(), 130, kGenau);
  EXPECT_NEAR(rahmen.pen.width.units(), 12, kGenau);

  const auto k = koerper();
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(inMm(k[0].box), (Mm{21, 52.25, 83, 42.75}));
  EXPECT_EQ(k[0].text, "{\\rtf1 Eins}");
  EXPECT_FALSE(vp.RichText());

  // The base-price line 1.5 x F (F = 5) above the price top of 107.5.
  bool grundpreis = false;
  for (const TextBoxOp* t : alle<TextBoxOp>(seite().ops)) {
    if (t->text == "1 kg = 10,-") {
      grundpreis = true;
      EXPECT_NEAR(t->box.top.mm(), 107.5 - 7.5, kGenau);
      EXPECT_NEAR(t->box.left.mm(), 25, kGenau);
    }
  }
  EXPECT_TRUE(grundpreis);

  // Cutting mark 2: from (210, 15), 92.5 long, to the left.
  bool marke2 = false;
  for (const LineOp* l : alle<LineOp>(seite().ops)) {
    if (std::abs(l->from.x.mm() - 210) < kGenau && std::abs(l->from.y.mm() - 15) < kGenau && l->from.y == l->to.y) {
      marke2 = true;
      EXPECT_NEAR(l->to.x.mm(), 210 - 92.5, kGenau);
    }
  }
  EXPECT_TRUE(marke2);
}

// The headline lies on its text mark: set smaller where it is wider than the mark, and
// across the sign where there is no mark.
TEST_F(EigenbauZeichnenTest, TheHeadlineKeepsToItsTextMark) {
  const auto kopfzeile = [&] {
    QRectF r;
    for (const kesto::test::Flaeche& f : kesto::test::flaechen(seite().ops))
      if (std::holds_alternative<kesto::activex::TextOp>(seite().ops[f.op])) r |= f.umriss.boundingRect();
    return r;
  };
  struct Fall {
    const char* breite;
    int textmarke, marke;
    double links, rechts;
  };
  // Without a mark, and in the store-brand layout, inside the inner frame (5 mm in).
  for (const Fall& f : {Fall{"75", 1, 0, 25, 100}, Fall{"40", 1, 0, 42.5, 82.5}, Fall{"75", 0, 0, 20, 105},
                        Fall{"75", 1, 1, 20, 105}}) {
    SCOPED_TRACE(testing::Message() << f.breite << " " << f.textmarke << " " << f.marke);
    m.t_BreiteTextmarke = QString::fromUtf8(f.breite);
    m.c_Textmarke = f.textmarke;
    m.chk_Brisal = f.marke;
    m.Ueberschrift = QStringLiteral("FÜR SEHENSWERTE PREISE!");
    zeichnen();
    const QRectF k = kopfzeile();
    ASSERT_FALSE(k.isEmpty());
    EXPECT_GE(k.left(), f.links - 0.1);
    EXPECT_LE(k.right(), f.rechts + 0.1);
  }
}

TEST_F(EigenbauZeichnenTest, PriceMarkSitsAboveTheBottomFrameAndTheBodyEndsAboveIt) {
  EigenbauSeite s;
  s.abstand = 5;
  s.preis = QStringLiteral("10");
  const EigenbauPreisblock p = EigenbauPreisBerechnen(m, u, s);
  EXPECT_NEAR(p.preisOben, 107.5, kGenau);
  EXPECT_EQ(p.umgerechnet, u"137,60");
  EXPECT_EQ(p.umgerechnetZeichen, u"öS");
  EXPECT_EQ(p.zeichen, u"€");

  // F27: without a price the body reaches down to the inner frame.
  m.c_Preis = 0;
  zeichnen();
  const auto k = koerper();
  ASSERT_EQ(k.size(), 1u);
  EXPECT_NEAR(k[0].box.top.mm() + k[0].box.height.mm(), 15 + 120 - 5, kGenau);
  // A body too low for a box draws none.
  m.t_HöheTextmarke = QStringLiteral("100");
  zeichnen();
  EXPECT_TRUE(koerper().empty());
}

TEST_F(EigenbauZeichnenTest, CuttingMarksFollowTheOrientation) {
  m.c_Preis = 0;  // only the marks draw lines
  struct Fall {
    bool hoch, quer;
    std::vector<int> marken;
  };
  const double L = 15, T = 15, B = 95, H = 120;
  const std::pair<double, double> ecke[] = {{0, T},     {210, T},     {297, T},   {0, T + H},
                                            {210, T + H}, {297, T + H}, {L, 0},     {L, 297},
                                            {L, 210},   {L + B, 0},   {L + B, 297}, {L + B, 210}};
  for (const Fall& f : {Fall{true, false, {1, 2, 4, 5, 7, 8, 10, 11}}, Fall{false, true, {1, 3, 4, 6, 7, 9, 10, 12}},
                        Fall{false, false, {1, 4, 7, 10}}}) {
    SCOPED_TRACE(f.hoch ? "hoch" : f.quer ? "quer" : "keine");
    m.O_Hoch = f.hoch;
    m.O_Quer = f.quer;
    zeichnen();
    std::set<std::pair<double, double>> erwartet;
    for (int nr : f.marken) erwartet.insert(ecke[nr - 1]);
    EXPECT_EQ(marken(), erwartet);
    EXPECT_EQ(alle<LineOp>(seite().ops).size(), 2 * f.marken.size());
  }
}

TEST_F(EigenbauZeichnenTest, EmptyListBeginsAndEndsTheDocumentWithoutAPage) {
  // F25
  m.ArtNr.List.clear();
  zeichnen();
  ASSERT_EQ(vp.PageCount(), 1);  // the blank page a document begins with
  EXPECT_TRUE(seite().ops.empty());
  EXPECT_FALSE(vp.documentOpen());
}

TEST_F(EigenbauZeichnenTest, SeveralArticlesDrawTheirStoredEntriesOneFromTheTemplate) {
  QFile vorlage(ordner.path() + QStringLiteral("/logo/eigenbau.rtf"));
  ASSERT_TRUE(QDir().mkpath(ordner.path() + QStringLiteral("/logo")));
  ASSERT_TRUE(vorlage.open(QIODevice::WriteOnly));
  vorlage.write("{\\rtf1 VORLAGE}");
  vorlage.close();
  for (const char* nr : {"1", "2"}) {
    QFile f(ordner.path() + QStringLiteral("/Neu") + QString::fromUtf8(nr) + QStringLiteral(".rtf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("{\\rtf1 Text ") + nr + '}');
  }
  kesto::registry::SaveSetting("Vovida\\Eigenbau\\Neu\\Artikel", "1", "Preis", "5,-");
  kesto::registry::SaveSetting("Vovida\\Eigenbau\\Neu\\Artikel", "1", "Grundpreis", "GP eins");
  kesto::registry::SaveSetting("Vovida\\Eigenbau\\Neu\\Artikel\\1", "ZPreis3", "AnzeigeJN", "1");
  kesto::registry::SaveSetting("Vovida\\Eigenbau\\Neu\\Artikel\\1", "ZPreis3", "Preis", "2,-");
  m.ArtNr.List = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
  m.t_Artikelinfo = 1;
  m.PreisEUR = QStringLiteral("nicht gelesen");
  zeichnen();
  ASSERT_EQ(vp.PageCount(), 3);
  EXPECT_EQ(koerper(0)[0].text, "{\\rtf1 Text 1}");
  EXPECT_EQ(koerper(1)[0].text, "{\\rtf1 Text 2}");
  EXPECT_EQ(koerper(2)[0].text, "{\\rtf1 VORLAGE}");
  auto texte = [&](int i) {
    std::vector<std::string> t;
    for (const TextBoxOp* b : alle<TextBoxOp>(seite(i).ops)) t.push_back(b->text);
    return t;
  };
  EXPECT_THAT(texte(0), ::testing::Contains("GP eins"));
  EXPECT_THAT(texte(0), ::testing::Contains("ArtNr.: 1 Datum: 10.12.2026"));
  EXPECT_THAT(texte(1), ::testing::Contains("ArtNr.: 2 Datum: 10.12.2026"));
  EXPECT_THAT(texte(1), ::testing::Contains("0.000,-"));  // an article without entries
  EXPECT_THAT(texte(0), ::testing::Contains("Erstellt durch Demo Benutzer"));
  for (int i = 0; i < 3; ++i)
    for (const auto& t : texte(i)) EXPECT_EQ(t.find("nicht gelesen"), std::string::npos);
}

// The store-brand layout shows every line of the body, as the editor does: the header
// picture moves the body's top, not the bottom it may reach, which is as far above the
// base-price line as in the plain layout, or just above the price label where that rises
// higher (to keep clear of the company sign).
TEST_F(EigenbauZeichnenTest, TheStoreBrandLayoutShowsTheWholeBody) {
  rtf.setRichText(QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}}\\pard\\qc\\f0"
                                 "\\fs40\\b Bezeichnung 1\\b0\\par\\fs28 Bezeichnung 2\\par Bezeichnung 3\\par"
                                 "\\fs20 Solange der Vorrat reicht. Gr\\'f6\\'dfen und Farben nach Verf\\'fcgbarkeit.\\par}"));
  const auto unten = [&] {
    const TextBoxOp k = koerper().at(0);
    return k.box.top.mm() + k.box.height.mm();
  };
  const auto grundpreis = [&] { return kesto::test::texte(seite().ops, "1 kg = 10,-").at(0)->box.top.mm(); };
  const auto preis = [&] {
    double oben = 1e9;
    for (const kesto::test::Flaeche& f : kesto::test::flaechen(seite().ops))
      if (f.text == "(Band)") oben = std::min(oben, f.umriss.boundingRect().top());
    return oben;
  };
  zeichnen();
  const double abstand = grundpreis() - unten();
  m.chk_Brisal = 1;
  zeichnen();
  // The label's outline squares off its wedge, which lifts its top a little above the bands.
  EXPECT_NEAR(unten(), std::min(grundpreis() - abstand, preis() - 0.5), 0.3);
  const std::string pdf = ordner.path().toStdString() + "/marke.pdf";
  kesto::activex::exportPdf(vp.pages(), pdf);
  const std::vector<std::string> seiten = kesto::test::pdfSeitentexte(pdf);
  ASSERT_EQ(seiten.size(), 1u);
  EXPECT_NE(seiten[0].find("Verfügbarkeit."), std::string::npos) << seiten[0];
}

// An extra price whose place was stored empty draws where one never placed does.
TEST_F(EigenbauZeichnenTest, AnExtraPriceStoredWithoutAPlaceDrawsAtTheDefaultPlace) {
  for (const char* nr : {"1", "2"}) {
    const std::string app = std::string("Vovida\\Eigenbau\\Neu\\Artikel\\") + nr;
    kesto::registry::SaveSetting(app, "ZPreis3", "AnzeigeJN", "1");
    kesto::registry::SaveSetting(app, "ZPreis3", "Preis", "2,-");
  }
  kesto::registry::SaveSetting("Vovida\\Eigenbau\\Neu\\Artikel\\1", "ZPreis3", "X-Wert", "");
  kesto::registry::SaveSetting("Vovida\\Eigenbau\\Neu\\Artikel\\1", "ZPreis3", "Y-Wert", " ");
  m.ArtNr.List = {QStringLiteral("1"), QStringLiteral("2")};
  ASSERT_NO_THROW(zeichnen());
  ASSERT_EQ(vp.PageCount(), 2);
  const auto umrisse = [&](int i) {
    std::vector<Mm> u;
    for (const TextBoxOp* b : alle<TextBoxOp>(seite(i).ops)) u.push_back(inMm(b->box));
    for (const PolygonOp* p : alle<PolygonOp>(seite(i).ops)) u.push_back(inMm(*p));
    return u;
  };
  EXPECT_EQ(umrisse(0), umrisse(1));
}

TEST_F(EigenbauZeichnenTest, FailedConversionPrintsNoSecondPrice) {
  // F26: a price or factor that is no number gives "   " and "", never an earlier page's.
  struct Fall {
    const char* preis;
    const char* faktor;
    int zweiPreise;
    const char* umgerechnet;
    const char* zeichen;
  };
  for (const Fall& f : {Fall{"10", "13,7603", 1, "137,60", "öS"}, Fall{"15%", "13,7603", 1, "   ", ""},
                        Fall{"10", "", 1, "   ", ""}, Fall{"10", "abc", 1, "   ", ""},
                        Fall{"10", "13,7603", 0, "   ", ""}}) {
    SCOPED_TRACE(std::string(f.preis) + " " + f.faktor);
    u.Faktor = QString::fromUtf8(f.faktor);
    u.ZweiPreise = f.zweiPreise;
    QString umgerechnet = QStringLiteral("alt"), zeichen = QStringLiteral("alt");
    EigenbauUmrechnen(QString::fromUtf8(f.preis), u, umgerechnet, zeichen);
    EXPECT_EQ(umgerechnet, QString::fromUtf8(f.umgerechnet));
    EXPECT_EQ(zeichen, QString::fromUtf8(f.zeichen));
  }
}

TEST_F(EigenbauZeichnenTest, NewStyleMeasuresTheStarWithoutDrawingOnThePage) {
  u.NeuerStil = true;
  m.c_Preis = 0;
  m.c_Werbetext = 0;
  EigenbauSeite s;
  s.preis = QStringLiteral("10,-");
  vp.StartDoc();
  const std::size_t vorher = vp.pages().back().ops.size();
  const EigenbauPreisblock p = EigenbauPreisBerechnen(m, u, s);
  EXPECT_EQ(vp.pages().back().ops.size(), vorher);
  vp.EndDoc();
  EXPECT_GT(p.sternBreite, 0);
  EXPECT_GT(p.sternHoehe, 0);
  EXPECT_NE(m.t_HöheStern, u"25");
  EXPECT_NEAR(p.preisOben, 15 + 120 - p.sternHoehe - 2.5, kGenau);
}

TEST_F(EigenbauZeichnenTest, ANonNumericSizeEndsTheRun) {
  m.B = QStringLiteral("breit");
  EXPECT_ANY_THROW(zeichnen());
}

}  // namespace
}  // namespace vovida::test
