#include "Fliesenumgebung.h"

#include "Farbe.h"
#include "Schildarten.h"
#include "Startglobale.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace vovida::test {
namespace {

class FliesenEditorTest : public Fliesenumgebung {};

TEST_F(FliesenEditorTest, TypeItemsSetKindTypeCaptionAndTabFlags) {
  struct Fall {
    QAction* frmFliesenSchild::*punkt;
    const char* plakatart;
    const QString& typ;
    const char* titel;
    const char* flags;
    bool dimensionen;
  };
  const Fall faelle[] = {
      {&frmFliesenSchild::mBodenfliese, "FVK", kBodenfliese, "Fliesenschild Eigenschaften", "0,0,1", true},
      {&frmFliesenSchild::mKuechenfliese, "FVK", kKuechenfliese, "Küchenfliesenschild (klein) Eigenschaften", "0,0,1", true},
      {&frmFliesenSchild::mBestellung, "FVK", kBestellung, "Bestellfliesenschild Eigenschaften", "0,0,1", true},
      {&frmFliesenSchild::mBestellung_klein, "FVK", kBestellung, "Bestellfliesenschild Eigenschaften", "0,0,1", true},
      {&frmFliesenSchild::mFliesenbeschriftung, "A7", kBeschriftung, "Fliesenbeschriftung Eigenschaften", "0,1,0", false},
      {&frmFliesenSchild::mBestellFliesenbeschriftung, "A7", kBestellung, "Bestellfliesenbeschriftung Eigenschaften", "0,1,0", false},
      {&frmFliesenSchild::mWandfliese, "FVK", kWandfliese, "Wandfliesenschild Eigenschaften", "0,0,1", true},
  };
  frmFliesenSchild& f = editor();
  for (const Fall& fall : faelle) {
    QAction* punkt = f.*fall.punkt;
    SCOPED_TRACE(punkt->objectName().toStdString());
    punkt->trigger();
    EXPECT_EQ(startglobale().Plakatart, QString::fromLatin1(fall.plakatart));
    EXPECT_EQ(fliesendaten().Fliesentyp, fall.typ);
    EXPECT_EQ(fliesendaten().Lagerschild, fall.typ != kBestellung);
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8(fall.titel));
    EXPECT_EQ(f.TabFlags, QString::fromLatin1(fall.flags));
    EXPECT_EQ(f.mSchildDimensionen->menuAction()->isEnabled(), fall.dimensionen);
    for (QAction* a : f.mSchildauswahl->actions()) EXPECT_EQ(a->isChecked(), a == punkt);
    // The flags lock nothing: every page can still be chosen.
    for (int tab = 0; tab < 3; ++tab) EXPECT_TRUE(f.TabStrip1->isTabEnabled(tab));
    // Order boxes only for an order sign, the sub-article company number only for stock.
    EXPECT_EQ(f.HVPI->isEnabled(), fall.typ == kBestellung);
    EXPECT_EQ(f.DTamselArtNr->isEnabled(), fall.typ != kBestellung);
  }
}

TEST_F(FliesenEditorTest, TypeItemMakesTheKindCurrentInTheMainWindow) {
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTFLSCH", "Schilderdrucker");
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTFLBESCH", "Etikettendrucker");
  frmFliesenSchild& f = editor();
  EXPECT_TRUE(start().Option(QStringLiteral("FVK"))->isChecked());
  EXPECT_EQ(start().VSPrinter1.PrinterName(), "Schilderdrucker");
  f.mFliesenbeschriftung->trigger();
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("A7"));
  EXPECT_TRUE(start().Option(QStringLiteral("A7"))->isChecked());
  EXPECT_EQ(start().VSPrinter1.PrinterName(), "Etikettendrucker");
  EXPECT_EQ(start().VSPrinter1.PaperSize(), SchildartZu(u"A7")->papier);
  f.mBestellung->trigger();
  EXPECT_TRUE(start().Option(QStringLiteral("FVK"))->isChecked());
  EXPECT_EQ(start().VSPrinter1.PrinterName(), "Schilderdrucker");
  EXPECT_TRUE(fensterliste().geladen<frmFliesenSchild>());  // not reopened
}

TEST_F(FliesenEditorTest, LabelOptionOfTheMainWindowLeavesTheEditorOnTheLabelling) {
  start().Option(QStringLiteral("A7"))->click();
  ASSERT_TRUE(fensterliste().geladen<frmFliesenSchild>());
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("A7"));
  EXPECT_EQ(fliesendaten().Fliesentyp, kBeschriftung);
  EXPECT_TRUE(FormHolen<frmFliesenSchild>().mFliesenbeschriftung->isChecked());
}

TEST_F(FliesenEditorTest, HeadlineOptionsWriteTheirTexts) {
  frmFliesenSchild& f = editor();
  const std::pair<QRadioButton*, const char*> faelle[] = {{f.RadioAktion, "AKTION!"},
                                                          {f.RadionBestellung, "AUF BESTELLUNG!"},
                                                          {f.RadioRest, "RESTPOSTEN!"},
                                                          {f.RadioWerbung, "AUS UNSERER WERBUNG!"},
                                                          {f.RadioPreise, "SEHENSWERTE PREISE"}};
  for (const auto& [option, text] : faelle) {
    ankreuzen(option);
    EXPECT_EQ(f.Ueberschrift->text(), QString::fromUtf8(text));
  }
}

TEST_F(FliesenEditorTest, TabsShowTheirPage) {
  frmFliesenSchild& f = editor();
  EXPECT_TRUE(f.Frame1[0]->isVisible());
  seite(f, 3);
  EXPECT_EQ(f.AktuellerTab, 3);
  EXPECT_TRUE(f.Frame1[2]->isVisible());
  EXPECT_FALSE(f.Frame1[0]->isVisible());
  EXPECT_TRUE(f.Uebernehmen->isVisible());
}

TEST_F(FliesenEditorTest, ColourButtonTakesTheDialogsColour) {
  std::uint32_t angeboten = 0;
  setFarbdialog([&](std::uint32_t anfang) -> std::optional<std::uint32_t> {
    angeboten = anfang;
    return 0x00FF00;
  });
  frmFliesenSchild& f = editor();
  klicken(f.Farbe);
  setFarbdialog(nullptr);
  EXPECT_EQ(angeboten, 0xFF0000u);
  EXPECT_EQ(f.TextMarkeFarbe, 0x00FF00u);
}

TEST_F(FliesenEditorTest, UpOnRowFourSwapsPos3AndPos4) {
  automatik(false);
  speichern(kWandfliese, "200001", "Pos3", "200103|Dekor|Drei||m²|1|Stk|1|1|1|1");
  speichern(kWandfliese, "200001", "Pos4", "200104|Bild|Vier||m²|1|Stk|1|1|1|1");
  frmFliesenSchild& f = editor();
  seite(f, 3);
  detailWaehlen(*f.Detail, 4);
  ASSERT_EQ(fliesendaten().AktuelleZeile, 4);
  EXPECT_EQ(f.DAlias->text(), QStringLiteral("Vier"));
  klicken(f.up);
  const auto werte = speicher(kWandfliese, "200001");
  EXPECT_EQ(werte.at("Pos3"), "200104|Bild|Vier||m²|1|Stk|1|1|1|1");
  EXPECT_EQ(werte.at("Pos4"), "200103|Dekor|Drei||m²|1|Stk|1|1|1|1");
  EXPECT_EQ(fliesendaten().AktuelleZeile, 3);
  EXPECT_EQ(f.Detail->currentRow(), 2);
  EXPECT_EQ(f.DAlias->text(), QStringLiteral("Vier"));
  EXPECT_EQ(fliesendaten().unter(4, 3), QStringLiteral("Drei"));
}

// An order sign's numbers are unknown to the server: moving a row takes its price along,
// reads nothing and says nothing.
TEST_F(FliesenEditorTest, UpOnAnOrderRowMovesItsWholeRow) {
  speichern(kBestellung, "910000", "Pos1", "910001|Bordüre|Bord||Stk|1|||||1");
  speichern(kBestellung, "910000", "Pos2", "910002|Dekor|Dek||Stk|1|||||1");
  frmFliesenSchild& f = editor();
  const std::size_t vorher = boxTexte().size();
  f.mBestellung->trigger();
  ASSERT_EQ(f.ArtNr->currentText(), u"910000");
  EXPECT_EQ(boxTexte().size(), vorher) << boxTexte().back();
  seite(f, 3);
  for (const auto& [zeile, preis] : {std::pair{1, "12,50"}, std::pair{2, "8,90"}}) {
    detailWaehlen(*f.Detail, zeile);
    eingeben(*f.DPreisEUR, QString::fromLatin1(preis));
    klicken(f.Uebernehmen);
  }
  ASSERT_EQ(fliesendaten().unter(1, 5), u"12,50");
  ASSERT_EQ(fliesendaten().unter(2, 5), u"8,90");
  klicken(f.up);
  EXPECT_EQ(boxTexte().size(), vorher) << boxTexte().back();
  const Fliesendaten& d = fliesendaten();
  EXPECT_EQ(d.AktuelleZeile, 1);
  EXPECT_EQ(d.unter(1, 1), u"910002");
  EXPECT_EQ(d.unter(1, 2), u"Dekor");
  EXPECT_EQ(d.unter(1, 5), u"8,90");
  EXPECT_EQ(d.unter(2, 1), u"910001");
  EXPECT_EQ(d.unter(2, 2), u"Bordüre");
  EXPECT_EQ(d.unter(2, 5), u"12,50");
  EXPECT_EQ(f.DPreisEUR->text(), u"8,90");
}

// With automatic tile data, a row added by hand is moved like the others, never dropped.
TEST_F(FliesenEditorTest, UpOnARowAddedByHandKeepsIt) {
  automatik(true);
  frmFliesenSchild& f = editor();
  eingeben(*f.ArtNr, QStringLiteral("200001"));
  int zeilen = 0;
  while (zeilen < kUnterzeilen && !fliesendaten().zeileLeer(zeilen + 1)) ++zeilen;
  ASSERT_GE(zeilen, 1);
  ASSERT_LT(zeilen, kUnterzeilen);
  seite(f, 3);
  detailWaehlen(*f.Detail, zeilen + 1);
  eingeben(*f.subArtikelNummer, QStringLiteral("200120"));
  ASSERT_EQ(fliesendaten().unter(zeilen + 1, 1), u"200120");
  const QString darueber = fliesendaten().unter(zeilen, 1);
  klicken(f.up);
  EXPECT_EQ(fliesendaten().unter(zeilen, 1), u"200120");
  EXPECT_EQ(fliesendaten().unter(zeilen + 1, 1), darueber);
  EXPECT_EQ(fliesendaten().AktuelleZeile, zeilen);
}

TEST_F(FliesenEditorTest, UpOnRowOneAndDownOnRowElevenDoNothing) {
  automatik(false);
  speichern(kWandfliese, "200001", "Pos1", "200101|Dekor|Eins||m²|1|Stk|1|1|1|1");
  speichern(kWandfliese, "200001", "Pos11", "200111|Bild|Elf||m²|1|Stk|1|1|1|1");
  frmFliesenSchild& f = editor();
  seite(f, 3);
  const auto vorher = speicher(kWandfliese, "200001");
  detailWaehlen(*f.Detail, 1);
  klicken(f.up);
  EXPECT_EQ(fliesendaten().AktuelleZeile, 1);
  detailWaehlen(*f.Detail, 11);
  klicken(f.down);
  EXPECT_EQ(fliesendaten().AktuelleZeile, 11);
  EXPECT_EQ(speicher(kWandfliese, "200001"), vorher);
}

TEST_F(FliesenEditorTest, AnotherTypeListsOnlyItsOwnArticles) {
  automatik(false);
  speichern(kWandfliese, "200001", "Alias", "W");
  speichern(kBodenfliese, "200002", "Alias", "B1");
  speichern(kBodenfliese, "200004", "Alias", "B2");
  frmFliesenSchild& f = editor();
  ASSERT_EQ(f.ArtNr->count(), 1);
  f.mBodenfliese->trigger();
  ASSERT_EQ(f.ArtNr->count(), 2);
  EXPECT_EQ(f.ArtNr->itemText(0), QStringLiteral("200002"));
  EXPECT_EQ(f.ArtNr->currentText(), QStringLiteral("200002"));
  EXPECT_EQ(f.Bez1->text(), QStringLiteral("Bodenfliese Toscana"));
}

TEST_F(FliesenEditorTest, EnterOnAnUnlistedNumber) {
  frmFliesenSchild& f = editor();
  eingeben(*f.ArtNr, QStringLiteral("200003"));
  EXPECT_GE(f.ArtNr->findText(QStringLiteral("200003")), 0);
  f.mBestellung->trigger();
  f.HVPI->setEnabled(false);
  eingeben(*f.ArtNr, QStringLiteral("200005"));
  EXPECT_LT(f.ArtNr->findText(QStringLiteral("200005")), 0);
  EXPECT_TRUE(f.HVPI->isEnabled());
}

TEST_F(FliesenEditorTest, ExplanationOptionIsKeptPerUser) {
  frmFliesenSchild& f = editor();
  EXPECT_TRUE(f.chk_HArt_Erklaerung->isChecked());
  seite(f, 2);
  ankreuzen(f.chk_HArt_Erklaerung);
  EXPECT_EQ(kesto::registry::GetSetting("Vovida", "Einstellungen", "Erklärung Hauptartikel Anzeigen"), "0");
  fensterliste().entladen<frmFliesenSchild>();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(editor().chk_HArt_Erklaerung->isChecked());
}

TEST_F(FliesenEditorTest, BurstOfEditsRedrawsOnceHalfASecondAfterTheLast) {
  frmFliesenSchild& f = editor();
  int gezeichnet = 0;
  SchildartDienste dienste = *SchildartDiensteZu(QStringLiteral("FVK"));
  dienste.zeichnen = [&] { ++gezeichnet; };
  SchildartEintragen(QStringLiteral("FVK"), dienste);
  zeitVergeht(1000ms);
  gezeichnet = 0;
  for (int i = 0; i < 3; ++i) {
    eingeben(*f.Alias, QStringLiteral("A%1").arg(i));
    zeitVergeht(200ms);
  }
  zeitVergeht(299ms);
  EXPECT_EQ(gezeichnet, 0);
  zeitVergeht(1ms);
  EXPECT_EQ(gezeichnet, 1);
  zeitVergeht(2000ms);
  EXPECT_EQ(gezeichnet, 1);
}

TEST_F(FliesenEditorTest, PriceEntryFillsTheOtherCurrencyAndTheRecords) {
  frmFliesenSchild& f = editor();
  eingeben(*f.ArtNr, QStringLiteral("200001"));
  seite(f, 3);
  eingeben(*f.DPreisEUR, QStringLiteral("12,5"));
  EXPECT_EQ(f.DPreisDB->text(), QStringLiteral("12,5"));
  EXPECT_EQ(f.DPreisEUR->text(), QStringLiteral("12,50"));
  EXPECT_EQ(f.DPreisATS->text(), QStringLiteral("172,-"));  // 172,00375 at factor 13,7603
  EXPECT_EQ(fliesendaten().unter(1, 5), QStringLiteral("12,50"));
  seite(f, 2);
  eingeben(*f.PreisEUR, QStringLiteral("39,9"));
  EXPECT_EQ(fliesendaten().haupt(10), QStringLiteral("39,90"));
  // An order sign's database box keeps what it is given.
  f.mBestellung->trigger();
  f.PreisDB->setText(QStringLiteral("1.5"));
  EXPECT_EQ(f.PreisDB->text(), QStringLiteral("1.5"));
}

TEST_F(FliesenEditorTest, RedrawWithTheEditorClosedKeepsKindAndPrinterTogether) {
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTFLSCH", "Schilderdrucker");
  frmFliesenSchild& f = editor();
  f.mFliesenbeschriftung->trigger();
  klicken(f.ctPush1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // The layout reads what the closed editor held: the labelling stays.
  start().Aktualisieren_Click();
  const QString art = startglobale().Plakatart;
  EXPECT_TRUE(start().Option(art)->isChecked()) << art.toStdString();
  EXPECT_EQ(start().VSPrinter1.PrinterName(), art == u"FVK" ? "Schilderdrucker" : "Standard");
}

TEST_F(FliesenEditorTest, CancelKeepsRecordsTypeAndKind) {
  frmFliesenSchild& f = editor();
  f.mKuechenfliese->trigger();
  eingeben(*f.ArtNr, QStringLiteral("200001"));
  klicken(f.ctPush1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(fensterliste().geladen<frmFliesenSchild>());
  EXPECT_EQ(fliesendaten().Fliesentyp, kKuechenfliese);
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("FVK"));
  EXPECT_EQ(fliesendaten().unter(1, 1), QStringLiteral("200101"));
}

// A label size that is no number never reaches the company-wide parameter; one stored so
// before reads as the default, said once, and the label draws.
TEST_F(FliesenEditorTest, LabelSizesAreCheckedBeforeTheyAreStored) {
  const QString vorher = ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FBESCH-BH"));
  frmFliesenSchild& f = editor();
  f.mFliesenbeschriftung->trigger();
  for (const auto& [b, h] : {std::pair{"abc", "70"}, std::pair{"100", ""}, std::pair{"0", "70"}}) {
    SCOPED_TRACE(std::string(b) + "@" + h);
    const std::size_t boxenVorher = boxTexte().size();
    f.B->setText(QString::fromLatin1(b));
    f.H->setText(QString::fromLatin1(h));
    aktivieren(f);
    test::klicken(*f.Save);
    EXPECT_EQ(boxTexte().size(), boxenVorher + 1);
    EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FBESCH-BH")), vorher);
  }
  f.B->setText(QStringLiteral("90"));
  f.H->setText(QStringLiteral("60"));
  test::klicken(*f.Save);
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FBESCH-BH")), QStringLiteral("90@60"));

  ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("FBESCH-BH"), QStringLiteral("abc@70"));
  fensterliste().entladen<frmFliesenSchild>();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const std::size_t boxenVorher = boxTexte().size();
  frmFliesenSchild& neu = editor();
  neu.mFliesenbeschriftung->trigger();
  EXPECT_EQ(neu.B->text(), u"100");
  EXPECT_EQ(neu.H->text(), u"70");
  start().Aktualisieren_Click();
  ASSERT_EQ(boxTexte().size(), boxenVorher + 1);
  EXPECT_NE(boxTexte().back().find("abc@70"), std::string::npos) << boxTexte().back();
  EXPECT_GT(start().VSPrinter1.pages()[0].ops.size(), 0u);
}

// The texts of the preview's pages, in drawing order.
std::vector<std::string> vorschautexte(const kesto::activex::VSPrinter& vp) {
  std::vector<std::string> texte;
  for (const kesto::activex::Page& seite : vp.pages())
    for (const kesto::activex::DrawOp& op : seite.ops) {
      if (const auto* t = std::get_if<kesto::activex::TextOp>(&op)) texte.push_back(t->text);
      if (const auto* t = std::get_if<kesto::activex::TextBoxOp>(&op)) texte.push_back(t->text);
    }
  return texte;
}

// Closing the editor keeps the sign: the redraw reads the records and the type, not a
// freshly reset editor.
TEST_F(FliesenEditorTest, AfterCancelTheRedrawDrawsTheSignThatWasEdited) {
  frmFliesenSchild& f = editor();
  f.mBodenfliese->trigger();
  eingeben(*f.ArtNr, QStringLiteral("200004"));
  eingeben(*f.PreisEUR, QStringLiteral("39,95"));
  aktivieren(start());
  test::klicken(*start().Aktualisieren);
  const std::vector<std::string> offen = vorschautexte(start().VSPrinter1);
  ASSERT_NE(std::find(offen.begin(), offen.end(), "200004"), offen.end());
  aktivieren(f);
  test::klicken(*f.ctPush1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(fensterliste().geladen<frmFliesenSchild>());
  aktivieren(start());
  test::klicken(*start().Aktualisieren);
  EXPECT_FALSE(fensterliste().geladen<frmFliesenSchild>());
  EXPECT_EQ(fliesendaten().Fliesentyp, kBodenfliese);
  EXPECT_EQ(fliesendaten().haupt(10), QStringLiteral("39,95"));
  EXPECT_EQ(vorschautexte(start().VSPrinter1), offen);
}

}  // namespace
}  // namespace vovida::test
