#include "Queue.h"

#include "Eingabe.h"
#include "Seite.h"

#include "FMStart.h"
#include "FrSchild.h"
#include "Fensterliste.h"
#include "Preisinfo.h"
#include "Schildarten.h"
#include "ServerZugriff.h"
#include "Warteschlange.h"
#include "frmFrSchild.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace vovida::test {
namespace {

using ::testing::ElementsAre;

class FrSchildEditor : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    frSchildGlobaleZuruecksetzen();
    anmelden("FRSCHILD");
    FrSchildEinrichten();
  }
  void TearDown() override {
    frSchildGlobaleZuruecksetzen();
    Hauptfenster::TearDown();
  }
  frmFrSchild& editor() { return FormHolen<frmFrSchild>(); }
  void speichern(const QString& nr, const QString& bez1) {
    editor().setArtNrText(nr);
    editor().Bez1->setText(bez1);
    editor().Uebernehmen_Click();
  }
  bool countdownLaeuft() { return start().BildAufbauen.Enabled(); }
  void countdownAnhalten() { start().BildAufbauen.setEnabled(false); }
};

TEST_F(FrSchildEditor, OpensWithTheCompanySizeAndItsInitialTexts) {
  frmFrSchild& e = editor();
  EXPECT_EQ(e.B->text(), QStringLiteral("170"));
  EXPECT_EQ(e.H->text(), QStringLiteral("62"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Bezeichnung 1"));
  EXPECT_EQ(e.Per->text(), QStringLiteral("per"));
  EXPECT_EQ(e.PreisEUR->text(), QStringLiteral("0.000,-"));
  EXPECT_TRUE(e.PreisEUR->isEnabled());
  EXPECT_FALSE(e.PreisATS->isEnabled());
  EXPECT_TRUE(e.ORichtung[0]->isChecked());
  EXPECT_TRUE(e.Liste().isEmpty());
  for (int k = 1; k <= 2; ++k) EXPECT_EQ(e.BildBild[k].size(), QSize(300, 400)) << k;
  EXPECT_FALSE(e.BildBild[0].isNull());
  EXPECT_NE(e.BildBild[1], e.BildBild[2]);
}

TEST_F(FrSchildEditor, StoreWritesTheArrowAndNoHeadlineAndRestartsTheCountdown) {
  frmFrSchild& e = editor();
  e.show();
  QTest::mouseClick(e.ORichtung[2], Qt::LeftButton);
  countdownAnhalten();
  e.setArtNrText(QStringLiteral("100021"));
  e.Bez1->setText(QStringLiteral("Außenputz"));
  e.Bez2->setText(QStringLiteral("Sack 25 kg"));
  e.Bez3->setText(QStringLiteral("weiß"));
  e.Grundpreis->setText(QStringLiteral("1 kg = 0,50"));
  e.PreisEUR->setText(QStringLiteral("12,50"));
  e.Per->setText(QStringLiteral("kg"));
  e.Preis_Info->setText(QStringLiteral("Statt 14,90"));
  QTest::mouseClick(e.Uebernehmen, Qt::LeftButton);
  EXPECT_TRUE(countdownLaeuft());

  const std::pair<const char*, const char*> erwartet[] = {
      {kBezeichnung1, "Außenputz"}, {kBezeichnung2, "Sack 25 kg"}, {kBezeichnung3, "weiß"},
      {kGrundpreis, "1 kg = 0,50"}, {kPreis, "12,50"},           {kPer, "kg"},
      {kInfo, "Statt 14,90"},       {kPfeilRichtung, "2"},       {kUeberschrift, ""}};
  for (const auto& [schluessel, wert] : erwartet)
    EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), schluessel), QString::fromUtf8(wert)) << schluessel;

  // Stored again with another direction: the section is rewritten, the list keeps one item.
  QTest::mouseClick(e.ORichtung[1], Qt::LeftButton);
  QTest::mouseClick(e.Uebernehmen, Qt::LeftButton);
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), kPfeilRichtung), QStringLiteral("1"));
  EXPECT_EQ(e.Liste(), QStringList{QStringLiteral("100021")});
}

TEST_F(FrSchildEditor, AnEmptyNumberJoinsTheListOnceAndWritesNothing) {
  frmFrSchild& e = editor();
  countdownAnhalten();
  e.setArtNrText(QString());
  e.Uebernehmen_Click();
  e.Uebernehmen_Click();
  EXPECT_EQ(e.Liste(), QStringList{QString()});
  EXPECT_TRUE(abschnitte().isEmpty());
  EXPECT_FALSE(countdownLaeuft());
}

TEST_F(FrSchildEditor, StoredDirectionsOtherThanTheThreeReadAsNone) {
  struct Fall {
    const char* gespeichert;
    int richtung;
  };
  const Fall faelle[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 0}, {"-1", 0}, {"x", 0},
                         {"", 0},  {"1,5", 0}, {"65538", 0}, {" 2 ", 2}};
  frmFrSchild& e = editor();
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.gespeichert);
    frSchildGlobale().Pfeilrichtung = 1;
    WarteschlangeSchreiben(QStringLiteral("4711"), kPfeilRichtung, QString::fromUtf8(f.gespeichert));
    e.setArtNrText(QStringLiteral("4711"));
    countdownAnhalten();
    EXPECT_NO_THROW(e.lesen());
    EXPECT_EQ(frSchildGlobale().Pfeilrichtung, f.richtung);
    EXPECT_TRUE(e.ORichtung[f.richtung]->isChecked());
    EXPECT_EQ(&e.Pfeilbild(), &e.BildBild[f.richtung]);
    EXPECT_FALSE(countdownLaeuft());  // ticked without a restart
  }
}

TEST_F(FrSchildEditor, LoadFillsTheBoxesAndNoHeadline) {
  frmFrSchild& e = editor();
  WarteschlangeSchreiben(QStringLiteral("7"), kBezeichnung2, QStringLiteral("zwei"));
  WarteschlangeSchreiben(QStringLiteral("7"), kPreis, QStringLiteral("9,90"));
  WarteschlangeSchreiben(QStringLiteral("7"), kInfo, QStringLiteral("Statt 12"));
  WarteschlangeSchreiben(QStringLiteral("7"), kUeberschrift, QStringLiteral("AKTION!"));
  e.setArtNrText(QStringLiteral("7"));
  e.lesen();
  EXPECT_EQ(e.Bez1->text(), QString());
  EXPECT_EQ(e.Bez2->text(), QStringLiteral("zwei"));
  EXPECT_EQ(e.PreisEUR->text(), QStringLiteral("9,90"));
  EXPECT_EQ(e.Preis_Info->text(), QStringLiteral("Statt 12"));
  EXPECT_FALSE(e.Ueberschrift->isVisible());
}

// The arrow is part of the sheet: a new direction redraws it.
TEST_F(FrSchildEditor, DirectionOptionsSetTheProgramWideDirectionAndRestartTheCountdown) {
  frmFrSchild& e = editor();
  e.show();
  countdownAnhalten();
  QTest::mouseClick(e.ORichtung[1], Qt::LeftButton);
  EXPECT_EQ(frSchildGlobale().Pfeilrichtung, 1);
  EXPECT_TRUE(countdownLaeuft());
  QTest::mouseClick(e.ORichtung[2], Qt::LeftButton);
  EXPECT_EQ(frSchildGlobale().Pfeilrichtung, 2);
  // It outlives the window, and a new window shows it.
  QTest::mouseClick(e.pb_Abbrechen, Qt::LeftButton);
  ASSERT_FALSE(fensterliste().geladen<frmFrSchild>());
  EXPECT_EQ(frSchildGlobale().Pfeilrichtung, 2);
  EXPECT_TRUE(editor().ORichtung[2]->isChecked());
}

TEST_F(FrSchildEditor, StandardTextsGoIntoThePriceInformation) {
  frmFrSchild& e = editor();
  e.show();
  const std::pair<QRadioButton*, const char*> faelle[] = {{e.RadioAktion, "AKTION!"},
                                                          {e.RadionBestellung, "AUF BESTELLUNG!"},
                                                          {e.RadioRest, "RESTPOSTEN!"},
                                                          {e.RadioWerbung, "AUS UNSERER WERBUNG!"},
                                                          {e.RadioLeer, ""}};
  for (const auto& [option, text] : faelle) {
    SCOPED_TRACE(text);
    countdownAnhalten();
    e.Preis_Info->setText(QStringLiteral("alt"));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(4, option->height() / 2));
    EXPECT_EQ(e.Preis_Info->text(), QString::fromUtf8(text));
    EXPECT_TRUE(countdownLaeuft());
  }
}

TEST_F(FrSchildEditor, ReadFromTheServerStoresTheArticleWithTheDirection) {
  frmFrSchild& e = editor();
  e.show();
  frSchildGlobale().Pfeilrichtung = 1;
  ersetzen(*e.ArtNr->lineEdit(), QStringLiteral("100021"));
  taste(e, Qt::Key_Return);
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Außenputz"));
  EXPECT_EQ(e.Liste(), QStringList{QStringLiteral("100021")});
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), kPreis), QStringLiteral("12,50"));
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100021"), kPfeilRichtung), QStringLiteral("1"));
  EXPECT_TRUE(countdownLaeuft());

  e.setArtNrText(QStringLiteral("100099"));  // no such article: nothing stored, no text of 100021 left
  e.Read_Click();
  EXPECT_TRUE(e.Bez1->text().isEmpty());
  EXPECT_THAT(abschnitte(), ElementsAre(QStringLiteral("100021")));
}

TEST_F(FrSchildEditor, SizeBoxesTakeThreeDigitsAndOneDecimal) {
  struct Fall {
    const char* eingabe;
    const char* box;  // start of the message, "" = none
  };
  const Fall faelle[] = {{"62", ""}, {"62,5", ""}, {"999", ""}, {"1000", "Zu viele Vorkommastellen"},
                         {"62,25", "Zu viele Nachkommastellen"}};
  frmFrSchild& e = editor();
  for (QLineEdit* box : {e.B, e.H}) {
    for (const Fall& f : faelle) {
      SCOPED_TRACE(std::string(box->objectName().toStdString()) + " " + f.eingabe);
      const std::size_t vorher = boxen->shown().size();
      box->setText(QString::fromUtf8(f.eingabe));
      const auto gezeigt = boxen->shown();
      if (*f.box == 0) {
        EXPECT_EQ(gezeigt.size(), vorher);
      } else {
        ASSERT_GT(gezeigt.size(), vorher);
        EXPECT_THAT(gezeigt[vorher].text, ::testing::StartsWith(f.box));
      }
    }
  }
}

TEST_F(FrSchildEditor, EnterInTheSizeRestartsTheCountdown) {
  frmFrSchild& e = editor();
  aktivieren(e);
  klicken(*e.H);
  countdownAnhalten();
  taste(e, Qt::Key_A);
  EXPECT_FALSE(countdownLaeuft());
  taste(e, Qt::Key_Return);
  EXPECT_TRUE(countdownLaeuft());
}

TEST_F(FrSchildEditor, SaveAsksAndWritesTheSizeOnlyOnOk) {
  frmFrSchild& e = editor();
  e.show();
  EXPECT_EQ(e.Save->text(), QStringLiteral("&Größe speichern"));  // German, as the whole window
  e.B->setText(QStringLiteral("180"));
  e.H->setText(QStringLiteral("88,5"));
  boxen->answer(IDCANCEL);
  QTest::mouseClick(e.Save, Qt::LeftButton);
  ASSERT_EQ(boxen->shown().size(), 1u);
  EXPECT_EQ(boxen->shown()[0].text, "Sind Sie Sicher?\r\nEinstellungen werden für alle übernommen!");
  EXPECT_EQ(boxen->shown()[0].title, "Speichern");
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FRSCH-BH")), QStringLiteral("170@62"));

  boxen->answer(IDOK);
  QTest::mouseClick(e.Save, Qt::LeftButton);
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FRSCH-BH")), QStringLiteral("180@88,5"));
  fensterliste().entladen<frmFrSchild>();
  EXPECT_EQ(editor().H->text(), QStringLiteral("88,5"));  // a fresh window reads it back
}

TEST_F(FrSchildEditor, ChoosingAListItemShowsThePageItIsDrawnOn) {
  struct Fall {
    const char* hoehe;
    int seite;  // of the third item
  };
  const Fall faelle[] = {{"100", 2}, {"200", 3}, {"62", 1}};
  frmFrSchild& e = editor();
  e.show();
  for (const char* nr : {"1", "2", "3"}) speichern(QString::fromUtf8(nr), QStringLiteral("Text ") + QString::fromUtf8(nr));
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.hoehe);
    e.H->setText(QString::fromUtf8(f.hoehe));
    FrSchildZeichnen();
    start().VSPrinter1.setPreviewPage(1);
    e.ArtNr->setCurrentIndex(1);
    aktivieren(e);
    klicken(*e.ArtNr->lineEdit());
    taste(e, Qt::Key_Down);  // the user picks the third item
    EXPECT_EQ(e.ArtNrText(), QStringLiteral("3"));
    EXPECT_EQ(e.Bez1->text(), QStringLiteral("Text 3"));
    EXPECT_EQ(start().VSPrinter1.PreviewPage(), f.seite);
  }
}

TEST_F(FrSchildEditor, APageBeyondThePreviewOrABadHeightKeepsThePage) {
  frmFrSchild& e = editor();
  for (const char* nr : {"1", "2", "3"}) speichern(QString::fromUtf8(nr), QStringLiteral("T"));
  FrSchildZeichnen();  // 62 mm: one page
  start().VSPrinter1.setPreviewPage(1);
  for (const char* hoehe : {"100", "x", "0"}) {
    SCOPED_TRACE(hoehe);
    e.H->setText(QString::fromUtf8(hoehe));
    e.setArtNrText(QStringLiteral("3"));
    EXPECT_NO_THROW(e.ArtNr_Click());
    EXPECT_EQ(start().VSPrinter1.PreviewPage(), 1);
  }
}

// A height too low for the sign's lines: the editor finds the page the layout draws on.
TEST_F(FrSchildEditor, ALowSignIsFoundOnThePageItIsDrawnOn) {
  frmFrSchild& e = editor();
  for (int i = 1; i <= 12; ++i) speichern(QString::number(i), QStringLiteral("T"));
  e.H->setText(QStringLiteral("20"));
  FrSchildZeichnen();
  auto& vp = start().VSPrinter1;
  ASSERT_GT(vp.PageCount(), 1);
  int seite = 0;
  for (int p = 0; p < vp.PageCount(); ++p)
    for (const auto* t : kesto::test::alle<kesto::activex::TextBoxOp>(vp.pages()[p].ops))
      if (t->text == "ArtNr.: 12") seite = p + 1;
  ASSERT_GT(seite, 1);
  vp.setPreviewPage(1);
  e.setArtNrText(QStringLiteral("12"));
  e.ArtNr_Click();
  EXPECT_EQ(vp.PreviewPage(), seite);
}

TEST_F(FrSchildEditor, ClosingClearsEveryQueuedSectionButThoseAnotherEditorLists) {
  frmFrSchild& e = editor();
  LabelEditor& andere = FormHolen<LabelEditor>();
  for (const char* nr : {"1", "2", "3"}) speichern(QString::fromUtf8(nr), QStringLiteral("F"));
  andere.ArtNr->addItem(QStringLiteral("2"));
  ASSERT_THAT(abschnitte(), ElementsAre("1", "2", "3"));
  QTest::mouseClick(e.pb_Abbrechen, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<frmFrSchild>());
  EXPECT_THAT(abschnitte(), ElementsAre("2"));
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("2"), kBezeichnung1), QStringLiteral("F"));

  // Alone, closing by the title bar clears the whole queue, sections and all.
  fensterliste().entladen<LabelEditor>();
  frmFrSchild& neu = editor();
  speichern(QStringLiteral("4"), QStringLiteral("G"));
  neu.close();
  EXPECT_FALSE(fensterliste().geladen<frmFrSchild>());
  EXPECT_TRUE(abschnitte().isEmpty());
}

TEST_F(FrSchildEditor, TheDataButtonShowsTheEditorOfTheKind) {
  ASSERT_NE(SchildartDiensteZu(QStringLiteral("FRSCHILD")), nullptr);
  start().SchildartWaehlen(QStringLiteral("FRSCHILD"));
  QTest::mouseClick(start().CBDaten, Qt::LeftButton);
  ASSERT_TRUE(fensterliste().geladen<frmFrSchild>());
  EXPECT_TRUE(editor().isVisible());
  EXPECT_EQ(editor().windowTitle(), QStringLiteral("Eigenschaften Freiflächenschild"));
  EXPECT_FALSE(editor().cbSenden->isVisible());
  // The window as the user sees it; KESTO_SCREENSHOTS names a folder to keep it.
  editor().resize(editor().sizeHint());
  const QImage bild = editor().grab().toImage();
  EXPECT_GT(bild.width(), 300);
  if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty())
    bild.save(QString::fromUtf8(ordner) + QStringLiteral("/frmFrSchild.png"));
}

}  // namespace
}  // namespace vovida::test
