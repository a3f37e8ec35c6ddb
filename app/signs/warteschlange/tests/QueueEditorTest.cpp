#include "Queue.h"

#include "Eingabe.h"

#include "Fensterliste.h"
#include "Preisinfo.h"
#include "Kestoapi.h"
#include "ServerZugriff.h"
#include "Warteschlange.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <utility>
#include <vector>

namespace vovida::test {
namespace {

using ::testing::ElementsAre;

class QueueEditor : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    schildart(QStringLiteral("A4N"), {});
    anmelden("A4N");
  }
  PosterEditor& poster() { return FormHolen<PosterEditor>(); }
  LabelEditor& etiketten() { return FormHolen<LabelEditor>(); }
  void waehrung(const char* haupt, const char* faktor) {
    fensterliste().holen<Preisinfo>().WWSHW->setText(QString::fromUtf8(haupt));
    fensterliste().holen<Preisinfo>().Faktor->setText(QString::fromUtf8(faktor));
  }
  // Types the fields of an entry and stores it.
  void speichern(Warteschlangenfenster& e, const QString& nr, const QString& bez1) {
    e.setArtNrText(nr);
    e.Bez1->setText(bez1);
    e.Uebernehmen_Click();
  }
};

TEST_F(QueueEditor, StoreWritesTheEightKeysOnceListedAndNeverForAnEmptyNumber) {
  PosterEditor& e = poster();
  e.setArtNrText(QString());
  e.Uebernehmen_Click();
  EXPECT_EQ(e.ArtNr->count(), 0);
  EXPECT_EQ(e.gespeichert, 0);

  e.setArtNrText(QStringLiteral("100021"));
  e.Bez1->setText(QStringLiteral("Außenputz"));
  e.Bez2->setText(QStringLiteral("Sack 25 kg"));
  e.Bez3->setText(QStringLiteral("weiß"));
  e.Grundpreis->setText(QStringLiteral("1 kg = 0,50"));
  e.PreisEUR->setText(QStringLiteral("12,50"));
  e.Ueberschrift->setText(QStringLiteral("AKTION!"));
  e.Per->setText(QStringLiteral("kg"));
  e.Preis_Info->setText(QStringLiteral("Statt 14,90"));
  e.Uebernehmen_Click();
  e.Bez1->setText(QStringLiteral("Außenputz fein"));
  e.Uebernehmen_Click();  // rewritten, not listed twice

  EXPECT_EQ(e.Liste(), QStringList{QStringLiteral("100021")});
  EXPECT_EQ(e.gespeichert, 2);
  const std::pair<const char*, const char*> erwartet[] = {
      {kBezeichnung1, "Außenputz fein"}, {kBezeichnung2, "Sack 25 kg"}, {kBezeichnung3, "weiß"},
      {kGrundpreis, "1 kg = 0,50"},      {kPreis, "12,50"},             {kUeberschrift, "AKTION!"},
      {kPer, "kg"},                      {kInfo, "Statt 14,90"}};
  for (const auto& [schluessel, wert] : erwartet)
    EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), schluessel), QString::fromUtf8(wert)) << schluessel;
  EXPECT_THAT(abschnitte(), ElementsAre(QStringLiteral("100021")));
}

TEST_F(QueueEditor, AnEmptyNumberJoinsTheLabelListOnceAndWritesNothing) {
  LabelEditor& e = etiketten();
  e.setArtNrText(QString());
  e.Uebernehmen_Click();
  e.Uebernehmen_Click();
  EXPECT_EQ(e.Liste(), QStringList{QString()});
  EXPECT_TRUE(abschnitte().isEmpty());
}

TEST_F(QueueEditor, BackslashInANumberIsOneFlatSectionThatReadsBack) {
  for (const char* nr : {"12\\34", "50%", "a%5Cb"})
    EXPECT_NE(Abschnittsname(QString::fromUtf8(nr)).contains(u'\\'), true) << nr;
  EXPECT_NE(Abschnittsname(QStringLiteral("a%5Cb")), Abschnittsname(QStringLiteral("a\\b")));

  PosterEditor& e = poster();
  speichern(e, QStringLiteral("12\\34"), QStringLiteral("Schrägstrich"));
  speichern(e, QStringLiteral("12"), QStringLiteral("Zwölf"));
  EXPECT_THAT(abschnitte(), ElementsAre(QStringLiteral("12"), QStringLiteral("12%5C34")));
  e.Bez1->clear();
  e.setArtNrText(QStringLiteral("12\\34"));
  e.lesen();
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Schrägstrich"));
  EXPECT_EQ(e.Liste(), (QStringList{QStringLiteral("12\\34"), QStringLiteral("12")}));
}

TEST_F(QueueEditor, LoadFillsTheBoxesOfTheMainCurrencyAndIgnoresZeroAndEmpty) {
  PosterEditor& e = poster();
  speichern(e, QStringLiteral("100001"), QStringLiteral("Zement"));
  e.Bez1->setText(QStringLiteral("getippt"));
  for (const char* nr : {"0", ""}) {
    e.setArtNrText(QString::fromUtf8(nr));
    e.lesen();
    EXPECT_EQ(e.Bez1->text(), QStringLiteral("getippt")) << nr;
  }
  e.setArtNrText(QStringLiteral("100002"));  // not stored: every key reads ""
  e.lesen();
  EXPECT_EQ(e.Bez1->text(), QString());
  e.setArtNrText(QStringLiteral("100001"));
  e.lesen();
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Zement"));
}

TEST_F(QueueEditor, ReadFromTheServerStoresTheArticleAndAFailedReadLeavesNoTextOfIt) {
  PosterEditor& e = poster();
  e.Form_Load();
  EXPECT_TRUE(e.PreisEUR->isEnabled());  // company 1 keeps its goods in EUR
  EXPECT_FALSE(e.PreisATS->isEnabled());
  e.setArtNrText(QStringLiteral("100021"));
  e.Read_Click();
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Außenputz"));
  EXPECT_EQ(e.Bez2->text(), QStringLiteral("Sack 25 kg"));
  EXPECT_EQ(e.PreisEUR->text(), QStringLiteral("12,50"));
  EXPECT_EQ(e.PreisATS->text(), QStringLiteral("172,-"));  // 12,5 x 13,7603 = 172,00375
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), kPreis), QStringLiteral("12,50"));
  EXPECT_EQ(e.Liste(), QStringList{QStringLiteral("100021")});

  const std::size_t vorher = boxen->shown().size();
  e.setArtNrText(QStringLiteral("100099"));  // listed in promotion WI, no article record
  e.Read_Click();
  EXPECT_GT(boxen->shown().size(), vorher);
  // Nothing of the article before stays in the boxes; the number stays as typed.
  EXPECT_TRUE(e.Bez1->text().isEmpty());
  EXPECT_TRUE(e.PreisEUR->text().isEmpty());
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("100099"));
  EXPECT_EQ(e.Liste(), QStringList{QStringLiteral("100021")});
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), kBezeichnung1), QStringLiteral("Außenputz"));
  EXPECT_THAT(abschnitte(), ElementsAre(QStringLiteral("100021")));
}

TEST_F(QueueEditor, EnterInTheNumberLoadsAListedArticleReadsAnotherAndRefusesABadLength) {
  PosterEditor& e = poster();
  e.Form_Load();
  speichern(e, QStringLiteral("100001"), QStringLiteral("aus der Warteschlange"));
  const auto eingeben = [&](const char* text) {
    ersetzen(*e.ArtNr->lineEdit(), QString::fromUtf8(text));
    taste(e, Qt::Key_Return);
  };
  eingeben("100001");
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("aus der Warteschlange"));  // no server read
  eingeben("100003");
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Dispersionsfarbe weiß"));
  EXPECT_EQ(e.Liste(), (QStringList{QStringLiteral("100001"), QStringLiteral("100003")}));
  const std::size_t vorher = boxTexte().size();
  eingeben("1234567");
  // Reported once; no read of what is no article number.
  EXPECT_THAT(boxTexte(), ::testing::Contains(std::string("Art.-Nr/EAN kann nur 6,8 oder 13-stellig sein")));
  EXPECT_EQ(boxTexte().size(), vorher + 1);
  EXPECT_EQ(e.Liste().size(), 2);
}

TEST_F(QueueEditor, SearchLeftWithoutAChoiceKeepsTheBoxes) {
  PosterEditor& e = poster();
  e.Bez1->setText(QStringLiteral("getippt"));
  QTest::mouseClick(e.Suchen, Qt::LeftButton);
  EXPECT_THAT(modalGezeigt, ::testing::Contains(std::string("FMArtsu")));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("getippt"));
  EXPECT_TRUE(e.Liste().isEmpty());
}

TEST_F(QueueEditor, RemovingKeepsTheSectionAndShowsTheFirstRemainingArticle) {
  PosterEditor& e = poster();
  for (const char* nr : {"1", "2", "3"}) speichern(e, QString::fromUtf8(nr), QStringLiteral("Text ") + QString::fromUtf8(nr));
  e.setArtNrText(QStringLiteral("2"));
  e.ArtikelLoeschen_Click();
  EXPECT_EQ(e.Liste(), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("1"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Text 1"));
  for (const char* nr : {"1", "3"}) {
    e.setArtNrText(QString::fromUtf8(nr));
    e.ArtikelLoeschen_Click();
  }
  EXPECT_TRUE(e.Liste().isEmpty());
  EXPECT_EQ(e.ArtNrText(), QString());
  EXPECT_THAT(abschnitte(), ElementsAre(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")));
}

TEST_F(QueueEditor, CurrencyBoxesKeepInStepAndConvertNothingThatIsNoNumber) {
  struct Fall {
    const char* haupt;
    const char* faktor;
    const char* eingabe;  // typed into the box of the main currency
    const char* andere;   // the other box afterwards; "alt" = unchanged
  };
  const Fall faelle[] = {
      {"EUR", "13,7603", "12,5", "172,-"},
      {"EUR", "13,7603", "0,01", "0,14"},
      {"ATS", "8", "100", "12,50"},
      {"ATS", "13,7603", "1000", "72,67"},
      {"EUR", "13,7603", "-", "alt"},
      {"EUR", "13,7603", "abc", "alt"},  // nothing left after filtering
      {"EUR", "13,7603", ",", "alt"},    // F29: no number
      {"EUR", "13,7603", "15%", "alt"},
      {"ATS", "0", "100", "alt"},        // F29: factor 0
      {"EUR", "x", "12", "alt"},
      {"ATS", "", "100", "alt"},
  };
  PosterEditor& e = poster();
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.haupt) + " " + f.faktor + " " + f.eingabe);
    waehrung(f.haupt, f.faktor);
    const bool ats = QString::fromUtf8(f.haupt) == u"ATS";
    QLineEdit& haupt = ats ? *e.PreisATS : *e.PreisEUR;
    QLineEdit& andere = ats ? *e.PreisEUR : *e.PreisATS;
    haupt.setText(QStringLiteral("start"));
    andere.setText(QStringLiteral("alt"));
    EXPECT_NO_THROW(haupt.setText(QString::fromUtf8(f.eingabe)));
    EXPECT_EQ(andere.text(), QString::fromUtf8(f.andere));
  }
  // The other box converts nothing back.
  waehrung("EUR", "13,7603");
  e.PreisEUR->setText(QStringLiteral("1"));
  e.PreisATS->setText(QStringLiteral("999"));
  EXPECT_EQ(e.PreisEUR->text(), QStringLiteral("1"));
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(QueueEditor, DatabasePriceGoesToTheMainCurrencyAndEnterFormatsTheBox) {
  PosterEditor& e = poster();
  waehrung("ATS", "13,7603");
  e.PreisDB->setText(QStringLiteral("99.9"));
  EXPECT_EQ(e.PreisDB->text(), QStringLiteral("99,9"));
  EXPECT_EQ(e.PreisATS->text(), QStringLiteral("99,90"));
  EXPECT_EQ(e.PreisEUR->text(), QStringLiteral("7,26"));

  e.PreisATS->setEnabled(true);
  ersetzen(*e.PreisATS, QStringLiteral("1234,5x"));
  taste(e, Qt::Key_Return);
  EXPECT_EQ(e.PreisATS->text(), QStringLiteral("1.234,50"));
  EXPECT_EQ(e.PreisATS->selectedText(), e.PreisATS->text());
}

TEST_F(QueueEditor, ClosingOneEditorKeepsTheSectionsAnotherLoadedEditorLists) {
  PosterEditor& a = poster();
  LabelEditor& b = etiketten();
  for (const char* nr : {"1", "2"}) speichern(a, QString::fromUtf8(nr), QStringLiteral("A"));
  for (const char* nr : {"2", "3"}) speichern(b, QString::fromUtf8(nr), QStringLiteral("B"));
  speichern(a, QStringLiteral("4"), QStringLiteral("A"));
  a.setArtNrText(QStringLiteral("4"));
  a.ArtikelLoeschen_Click();  // removed from the list, section kept
  ASSERT_THAT(abschnitte(), ElementsAre("1", "2", "3", "4"));

  a.close();
  EXPECT_FALSE(fensterliste().geladen<PosterEditor>());
  EXPECT_THAT(abschnitte(), ElementsAre("2", "3"));
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("2"), kBezeichnung1), QStringLiteral("B"));

  QTest::mouseClick(b.pb_Abbrechen, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<LabelEditor>());
  EXPECT_TRUE(abschnitte().isEmpty());
}

// However the program ends, the queued entries and each editor's list are there at the next
// start: "Beenden", or a server that stays away through the reconnect attempts.
TEST_F(QueueEditor, TheEndOfTheProgramKeepsTheQueueAndTheNextStartListsItAgain) {
  const std::vector<std::pair<const char*, std::function<void()>>> enden = {
      {"Beenden", [] { AlleFormulareEntladen(); }},
      {"server lost", [this] {
         serverAnhalten();
         uhr->laufend = true;  // the waits between the attempts
         ServerTrennen();
         ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE"));
       }},
  };
  for (const auto& [ende, beenden] : enden) {
    SCOPED_TRACE(ende);
    for (const char* nr : {"1", "2"}) speichern(poster(), QString::fromUtf8(nr), QStringLiteral("A"));
    speichern(etiketten(), QStringLiteral("3"), QStringLiteral("B"));
    EXPECT_THROW(beenden(), kesto::services::ProgramEnded);
    EXPECT_THAT(abschnitte(), ElementsAre("1", "2", "3"));

    programmendeZuruecksetzen();
    EXPECT_EQ(poster().Liste(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(etiketten().Liste(), QStringList{QStringLiteral("3")});
    poster().setArtNrText(QStringLiteral("2"));
    poster().lesen();
    EXPECT_EQ(poster().Bez1->text(), QStringLiteral("A"));
    // Closing the editors still clears what they list.
    poster().close();
    EXPECT_THAT(abschnitte(), ElementsAre("3"));
    etiketten().close();
  }
}

TEST_F(QueueEditor, SendingReplacesTheTargetListAndClosingAfterItKeepsTheQueue) {
  PosterEditor& quelle = poster();
  LabelEditor& ziel = etiketten();
  for (const char* nr : {"9", "8", "7", "6"}) ziel.ArtNr->addItem(QString::fromUtf8(nr));
  for (const char* nr : {"1", "2"}) speichern(quelle, QString::fromUtf8(nr), QStringLiteral("Q"));
  quelle.setArtNrText(QStringLiteral("2"));
  quelle.SendenAn(ziel, QStringLiteral("AKTION!"));
  quelle.GesendetSchliessen();

  EXPECT_EQ(ziel.Liste(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
  EXPECT_EQ(ziel.ArtNrText(), QStringLiteral("2"));
  EXPECT_FALSE(fensterliste().geladen<PosterEditor>());
  EXPECT_THAT(abschnitte(), ElementsAre("1", "2"));
  for (const char* nr : {"1", "2"})
    EXPECT_EQ(WarteschlangeLesen(QString::fromUtf8(nr), kUeberschrift), QStringLiteral("AKTION!"));
  ziel.lesen();
  EXPECT_EQ(ziel.Bez1->text(), QStringLiteral("Q"));
}

TEST_F(QueueEditor, ListChoiceChecksTheNumberInDigitMode) {
  struct Fall {
    const char* text;
    bool gut;
    const char* box;  // start of the box text, "" = none
  };
  const Fall faelle[] = {
      {"100021", true, ""},
      {"1234567890123", true, ""},
      {"12345678901234", false, "Zu viele Vorkommastellen Eingegeben!"},
      {"12,5", false, "Zu viele Nachkommastellen Eingegeben!"},
  };
  PosterEditor& e = poster();
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    const std::size_t vorher = boxen->shown().size();
    e.setArtNrText(QString::fromUtf8(f.text));
    EXPECT_EQ(e.ArtNrPruefen(), f.gut);
    const auto gezeigt = boxen->shown();
    if (*f.box == 0) {
      EXPECT_EQ(gezeigt.size(), vorher);
    } else {
      ASSERT_EQ(gezeigt.size(), vorher + 1);
      EXPECT_THAT(gezeigt.back().text, ::testing::StartsWith(f.box));
      EXPECT_EQ(gezeigt.back().title, "Fehler Wertgrenzen Überschritten!");
    }
  }
}

TEST_F(QueueEditor, HeadlineTextsOfTheOptionButtons) {
  EXPECT_EQ(Standardtext("RadioPreise"), QStringLiteral("FÜR SEHENSWERTE PREISE."));
  EXPECT_EQ(Standardtext("RadionBestellung"), QStringLiteral("AUF BESTELLUNG!"));
  EXPECT_EQ(Standardtext("Radio"), QString());
  PosterEditor& e = poster();
  e.UeberschriftSetzen(Standardtext("RadioRest"));
  EXPECT_EQ(e.Ueberschrift->text(), QStringLiteral("RESTPOSTEN!"));
  EXPECT_TRUE(start().BildAufbauen.Enabled());
}

}  // namespace
}  // namespace vovida::test
