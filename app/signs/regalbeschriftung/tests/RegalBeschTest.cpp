#include "Queue.h"

#include "Eingabe.h"
#include "Regal.h"

#include "FMStart.h"
#include "Farbe.h"
#include "Fensterliste.h"
#include "Regalbeschriftung.h"
#include "Schildfenster.h"
#include "ServerZugriff.h"
#include "Warteschlange.h"
#include "Plakat.h"
#include "VPNavBar.h"
#include "Startglobale.h"
#include "frmPlakat.h"
#include "frmRegalBesch.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <activex/Barcode.h>
#include <activex/Page.h>
#include <activex/VSPrinter.h>

namespace vovida::test {
namespace {

class RegalBeschTest : public Regalumgebung {
 protected:
  void TearDown() override {
    setFarbdialog(nullptr);
    Regalumgebung::TearDown();
  }
  frmRegalBesch& gezeigt() {
    frmRegalBesch& e = editor();
    e.show();
    return e;
  }
  QString groesseAufServer() { return ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("RBESCH-BH")); }
};

TEST_F(RegalBeschTest, OpensGreenWithTheSharedSizeAndTheActionHeadline) {
  frmRegalBesch& e = editor();
  EXPECT_EQ(e.windowTitle(), QStringLiteral("Eigenschaften Regalbeschriftung"));
  EXPECT_EQ(e.TextMarkeFarbe, 0xFF00u);
  EXPECT_EQ(e.B->text(), QStringLiteral("170"));
  EXPECT_EQ(e.H->text(), QStringLiteral("50"));
  EXPECT_EQ(e.Ueberschrift->text(), QStringLiteral("AKTION!"));
  EXPECT_TRUE(e.RadioAktion->isChecked());
  EXPECT_EQ(e.Farbe->toolTip(), QStringLiteral("Farbe TextMarke"));
  EXPECT_FALSE(e.Barcode1->isVisibleTo(&e));
  EXPECT_TRUE(e.PreisEUR->isEnabled());  // the demo firm keeps euros
  EXPECT_FALSE(e.PreisATS->isEnabled());
  // REGAL_FENSTER_PNG names a file for a picture of the window.
  if (const QByteArray datei = qgetenv("REGAL_FENSTER_PNG"); !datei.isEmpty()) {
    e.show();
    e.grab().save(QString::fromLocal8Bit(datei));
  }
}

TEST_F(RegalBeschTest, StoringRestartsTheCountdownAndAnEmptyNumberJoinsOnce) {
  frmRegalBesch& e = gezeigt();
  start().BildAufbauen.setEnabled(false);
  e.setArtNrText(QString());
  QTest::mouseClick(e.Uebernehmen, Qt::LeftButton);
  QTest::mouseClick(e.Uebernehmen, Qt::LeftButton);
  EXPECT_EQ(e.Liste(), QStringList{QString()});
  EXPECT_TRUE(WarteschlangeAbschnitte().isEmpty());
  EXPECT_FALSE(start().BildAufbauen.Enabled());

  e.setArtNrText(QStringLiteral("100001"));
  e.Bez1->setText(QStringLiteral("Zement"));
  QTest::mouseClick(e.Uebernehmen, Qt::LeftButton);
  EXPECT_TRUE(start().BildAufbauen.Enabled());
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100001"), kBezeichnung1), QStringLiteral("Zement"));
}

TEST_F(RegalBeschTest, ChoosingTheSeventhItemShowsPageTwo) {
  einreihen(7);
  frmRegalBesch& e = gezeigt();
  start().Aktualisieren_Click();
  auto& vorschau = start().VSPrinter1;
  ASSERT_EQ(vorschau.PageCount(), 2);
  vorschau.setPreviewPage(1);
  e.Bez1->clear();

  // Down from the first item to the seventh, as a user steps through the list.
  e.ArtNr->setCurrentIndex(0);
  aktivieren(e);
  klicken(*e.ArtNr->lineEdit());
  for (int i = 0; i < 6; ++i) taste(e, Qt::Key_Down);
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("100007"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Artikel 100007"));
  EXPECT_EQ(vorschau.PreviewPage(), 2);
  taste(e, Qt::Key_Up);
  taste(e, Qt::Key_Up);  // item 5: the last label of page 1
  EXPECT_EQ(vorschau.PreviewPage(), 1);
}

TEST_F(RegalBeschTest, SaveAsksAndWritesTheSizeForAllCancelKeepsIt) {
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    frmRegalBesch& e = gezeigt();
    e.B->setText(QStringLiteral("180"));
    e.H->setText(QStringLiteral("40,5"));
    boxen->answer(ok ? IDOK : IDCANCEL);
    QTest::mouseClick(e.Save, Qt::LeftButton);
    const auto gefragt = neueBoxen();
    ASSERT_EQ(gefragt.size(), 1u);
    EXPECT_EQ(gefragt[0].text, "Sind Sie Sicher?\r\nEinstellungen werden für alle übernommen!");
    EXPECT_EQ(gefragt[0].title, "Speichern");
    EXPECT_EQ(gefragt[0].flags & MB_TYPEMASK, MB_OKCANCEL);
    boxenVorher = boxen->shown().size();

    EXPECT_EQ(groesseAufServer(), ok ? QStringLiteral("180@40,5") : QStringLiteral("170@50"));
    fensterliste().entladen<frmRegalBesch>();
    EXPECT_EQ(editor().B->text(), ok ? QStringLiteral("180") : QStringLiteral("170"));
    EXPECT_EQ(editor().H->text(), ok ? QStringLiteral("40,5") : QStringLiteral("50"));
    fensterliste().entladen<frmRegalBesch>();
  }
}

TEST_F(RegalBeschTest, SizeBoxesTakeThreeDigitsAndOneDecimal) {
  frmRegalBesch& e = gezeigt();
  ersetzen(*e.B, QStringLiteral("1234"));
  const auto gemeldet = neueBoxen();
  ASSERT_EQ(gemeldet.size(), 1u);
  EXPECT_EQ(gemeldet[0].title, "Fehler Wertgrenzen Überschritten!");
  EXPECT_NE(gemeldet[0].text.find("Zu viele Vorkommastellen Eingegeben!"), std::string::npos);

  klicken(*e.H);
  start().BildAufbauen.setEnabled(false);
  taste(e, Qt::Key_Return);
  EXPECT_TRUE(start().BildAufbauen.Enabled());
}

TEST_F(RegalBeschTest, DataButtonShowsTheEditorAndFocusSelectsTheNumber) {
  QTest::mouseClick(start().CBDaten, Qt::LeftButton);
  ASSERT_TRUE(fensterliste().geladen<frmRegalBesch>());
  frmRegalBesch& e = editor();
  EXPECT_TRUE(e.isVisible());
  e.setArtNrText(QStringLiteral("100001"));
  e.activateWindow();
  QApplication::setActiveWindow(&e);
  e.Bez1->setFocus();
  e.ArtNr->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(e.ArtNr->lineEdit()->selectedText(), QStringLiteral("100001"));
}

TEST_F(RegalBeschTest, ChosenColourFillsTheMarkUntilTheWindowOpensAgain) {
  std::vector<std::uint32_t> anfaenge;
  setFarbdialog([&](std::uint32_t anfang) {
    anfaenge.push_back(anfang);
    return std::optional<std::uint32_t>(255);
  });
  einreihen(1);
  frmRegalBesch& e = gezeigt();
  QTest::mouseClick(e.Farbe, Qt::LeftButton);
  EXPECT_EQ(anfaenge, std::vector<std::uint32_t>{0xFF00});
  RegalschilderDrucken();
  const auto farbe = [&] {
    for (const auto& op : start().VSPrinter1.pages()[0].ops)
      if (const auto* ellipse = std::get_if<kesto::activex::EllipseOp>(&op)) return ellipse->brush.colour;
    return 0xFFFFFFFFu;
  };
  EXPECT_EQ(farbe(), 255u);

  setFarbdialog([](std::uint32_t) { return std::nullopt; });  // cancelled: the colour stays
  QTest::mouseClick(e.Farbe, Qt::LeftButton);
  EXPECT_EQ(e.TextMarkeFarbe, 255u);

  fensterliste().entladen<frmRegalBesch>();
  RegalschilderDrucken();
  EXPECT_EQ(farbe(), 0xFF00u);
}

TEST_F(RegalBeschTest, EscHidesAndKeepsTheFields) {
  frmRegalBesch& e = gezeigt();
  e.Bez1->setText(QStringLiteral("bleibt"));
  aktivieren(e);
  taste(e, Qt::Key_Escape);
  EXPECT_FALSE(e.isVisible());
  ASSERT_TRUE(fensterliste().geladen<frmRegalBesch>());
  EXPECT_EQ(editor().Bez1->text(), QStringLiteral("bleibt"));
}

TEST_F(RegalBeschTest, CancelClearsTheWholeQueue) {
  einreihen(3);
  WarteschlangeSchreiben(QStringLiteral("100001"), kInfo, QStringLiteral("x"));
  QTest::mouseClick(gezeigt().pb_Abbrechen, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<frmRegalBesch>());
  EXPECT_TRUE(WarteschlangeAbschnitte().isEmpty());
  EXPECT_TRUE(neueBoxen().empty());
}

TEST_F(RegalBeschTest, ClosingKeepsWhatAnotherOpenEditorStillLists) {
  einreihen(2);
  PosterEditor& andere = FormHolen<PosterEditor>();
  andere.ArtNr->addItem(QStringLiteral("100002"));
  gezeigt().close();
  QApplication::processEvents();
  EXPECT_FALSE(fensterliste().geladen<frmRegalBesch>());
  EXPECT_EQ(WarteschlangeAbschnitte(), QStringList{QStringLiteral("100002")});
}

TEST_F(RegalBeschTest, SendingToThePosterEditorHandsOverExactlyThisList) {
  PlakatEinrichten();
  frmPlakat& plakat = FormHolen<frmPlakat>();
  for (const char* alt : {"100009", "100008", "100007", "100006"}) plakat.ArtNr->addItem(QString::fromLatin1(alt));
  einreihen(3);
  frmRegalBesch& e = gezeigt();
  e.setArtNrText(QStringLiteral("100002"));
  QTest::mouseClick(e.cbSenden, Qt::LeftButton);

  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("A4N"));
  EXPECT_FALSE(fensterliste().geladen<frmRegalBesch>());
  EXPECT_EQ(plakat.Liste(), (QStringList{QStringLiteral("100001"), QStringLiteral("100002"), QStringLiteral("100003")}));
  for (const QString& nr : plakat.Liste())
    EXPECT_EQ(WarteschlangeLesen(nr, kUeberschrift), QStringLiteral("Für Sehenswerte Preise.")) << nr.toStdString();
  EXPECT_EQ(plakat.ArtNrText(), QStringLiteral("100002"));
  EXPECT_EQ(plakat.Bez1->text(), QStringLiteral("Artikel 100002"));
  EXPECT_EQ(plakat.Ueberschrift->text(), QStringLiteral("Für Sehenswerte Preise."));
}

TEST_F(RegalBeschTest, ThePosterEditorSendsItsListHereWithTheActionHeadline) {
  PlakatEinrichten();
  start().Option(QStringLiteral("A4N"))->setChecked(true);
  frmPlakat& plakat = FormHolen<frmPlakat>();
  plakat.show();
  for (const char* nr : {"100004", "100005"}) {
    plakat.setArtNrText(QString::fromLatin1(nr));
    plakat.Bez1->setText(QStringLiteral("Plakat ") + QString::fromLatin1(nr));
    plakat.Uebernehmen_Click();
  }
  editor().RadioRest_Click();
  QTest::mouseClick(plakat.cbSenden, Qt::LeftButton);

  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("SCHILD"));
  frmRegalBesch& e = editor();
  EXPECT_EQ(e.Liste(), (QStringList{QStringLiteral("100004"), QStringLiteral("100005")}));
  EXPECT_TRUE(e.RadioAktion->isChecked());
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("100005"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Plakat 100005"));
  EXPECT_EQ(e.Ueberschrift->text(), QStringLiteral("AKTION!"));
  EXPECT_EQ(WarteschlangeLesen(QStringLiteral("100004"), kUeberschrift), QStringLiteral("AKTION!"));
}

// The page bar moves the editor to the first label of the page it shows.
TEST_F(RegalBeschTest, PageBarShowsTheFirstLabelOfThePageInTheEditor) {
  einreihen(7);
  start().Aktualisieren_Click();
  ASSERT_EQ(start().VSPrinter1.PageCount(), 2);
  editor().Bez1->clear();
  start().VPNav->scrlPage->setValue(1);
  EXPECT_EQ(editor().ArtNrText(), QStringLiteral("100001"));
  start().VPNav->scrlPage->setValue(2);
  EXPECT_EQ(editor().ArtNrText(), QStringLiteral("100006"));
  EXPECT_EQ(editor().Bez1->text(), QStringLiteral("Artikel 100006"));

  const QSignalBlocker sperre(editor().H);
  editor().H->setText(QStringLiteral("x"));
  EXPECT_EQ(SchildfensterZu(QStringLiteral("SCHILD"))->ArtNr().size(), 7);
}

}  // namespace
}  // namespace vovida::test
