#include "PlakatFenster.h"

#include "Eingabe.h"

#include "Plakat.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "KestoapiHilfen.h"
#include "Preisinfo.h"
#include "Queue.h"
#include "Schildarten.h"
#include "Warteschlange.h"

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <activex/PushToggle.h>
#include <services/FileDialog.h>

#include <filesystem>

namespace vovida::test {
namespace {

using kesto::test::boxtext;
using ::testing::ElementsAre;
using ::testing::StartsWith;

// The shelf-label editor as far as sending needs it: a queue editor named frmRegalBesch
// with its own headline option.
class Regal : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "frmRegalBesch";
  Regal() {
    setObjectName(QString::fromLatin1(kName));
    RadioAktion = new QRadioButton(QStringLiteral("AKTION!"), this);
    RadioAktion->setObjectName(QStringLiteral("RadioAktion"));
    connect(RadioAktion, &QRadioButton::clicked, this, [this] { UeberschriftSetzen(Standardtext("RadioAktion")); });
  }
  QRadioButton* RadioAktion;
};

class PlakatEditor : public PlakatFenster {
 protected:
  void SetUp() override {
    PlakatFenster::SetUp();
    einrichten("A4N");
  }
  // Shown, as the data button shows it.
  frmPlakat& gezeigt() {
    QTest::mouseClick(start().CBDaten, Qt::LeftButton);
    return editor();
  }
  // Switches the countdown off, so that a restart shows.
  void countdownAus() { start().BildAufbauen.setEnabled(false); }
  bool neugestartet() { return start().BildAufbauen.Enabled(); }
  // Typed over the box's text through the window, Enter after it when told.
  static void eingeben(QWidget& feld, const char* text, bool enter) {
    ersetzen(feld, QString::fromUtf8(text));
    if (enter) taste(feld, Qt::Key_Return);
  }
};

TEST_F(PlakatEditor, OpensCollapsedWithTheStandardHeadlineAndLeftAlignment) {
  frmPlakat& e = gezeigt();
  EXPECT_TRUE(e.isVisible());
  EXPECT_EQ(e.windowTitle(), QStringLiteral("Vovida Eigenschaften"));
  EXPECT_EQ(e.BreiteTwips(), frmPlakat::kSchmal);
  EXPECT_TRUE(e.RadioPreise->isChecked());
  EXPECT_EQ(e.Ueberschrift->text(), QStringLiteral("FÜR SEHENSWERTE PREISE."));
  EXPECT_EQ(e.Standardtexte->title(), QStringLiteral(" Überschrift Standardtexte "));
  EXPECT_FALSE(e.B_LB->State());
  EXPECT_TRUE(e.B_Z->State());
  EXPECT_TRUE(e.B_RB->State());
  EXPECT_EQ(e.Ausrichtung(), 6);
  EXPECT_TRUE(e.PreisEUR->isEnabled());  // company 1 keeps its prices in EUR
  EXPECT_FALSE(e.PreisATS->isEnabled());
  EXPECT_EQ(e.HZoom->value(), 100);
  EXPECT_EQ(e.HPos->value(), 120);
  EXPECT_EQ(e.Vpos->value(), 95);
}

TEST_F(PlakatEditor, LetterheadKindsDisableTheHeadlineAndPlainPaperEnablesIt) {
  struct Fall {
    const char* art;
    bool frei;
  };
  const Fall faelle[] = {{"A4F", false}, {"A3N", true}, {"A3F", false}, {"A4N", true}};
  start().show();
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.art);
    QRadioButton* option = start().Option(QString::fromLatin1(f.art));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, option->height() / 2));
    QTest::mouseClick(start().CBDaten, Qt::LeftButton);
    frmPlakat& e = editor();
    EXPECT_EQ(e.Ueberschrift->isEnabled(), f.frei);
    for (QRadioButton* r : {e.RadioAktion, e.RadionBestellung, e.RadioPreise, e.RadioRest, e.RadioWerbung})
      EXPECT_EQ(r->isEnabled(), f.frei);
  }
}

TEST_F(PlakatEditor, HeadlineOptionsSetTheTextAndRestartTheCountdown) {
  frmPlakat& e = gezeigt();
  const std::pair<QRadioButton*, const char*> faelle[] = {{e.RadioAktion, "AKTION!"},
                                                          {e.RadionBestellung, "AUF BESTELLUNG!"},
                                                          {e.RadioRest, "RESTPOSTEN!"},
                                                          {e.RadioWerbung, "AUS UNSERER WERBUNG!"},
                                                          {e.RadioPreise, "FÜR SEHENSWERTE PREISE."}};
  for (const auto& [option, text] : faelle) {
    SCOPED_TRACE(text);
    countdownAus();
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, option->height() / 2));
    EXPECT_EQ(e.Ueberschrift->text(), QString::fromUtf8(text));
    EXPECT_TRUE(neugestartet());
  }
}

TEST_F(PlakatEditor, AlignmentButtonsKeepOneDown) {
  frmPlakat& e = gezeigt();
  struct Fall {
    kesto::activex::PushToggle* geklickt;
    const char* zustand;  // B_LB, B_Z, B_RB: 0 down, 1 up
    int code;
  };
  // From left down: centre goes down and the others up; clicking centre again lifts it
  // and puts left down; right, and right again puts left down; left up puts right down.
  const Fall faelle[] = {{e.B_Z, "101", 7}, {e.B_Z, "011", 6}, {e.B_RB, "110", 8},
                         {e.B_RB, "011", 6}, {e.B_LB, "110", 8}, {e.B_LB, "011", 6}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.zustand);
    countdownAus();
    QTest::mouseClick(f.geklickt, Qt::LeftButton);
    const std::string zustand{e.B_LB->State() ? '1' : '0', e.B_Z->State() ? '1' : '0', e.B_RB->State() ? '1' : '0'};
    EXPECT_EQ(zustand, f.zustand);
    EXPECT_EQ(e.Ausrichtung(), f.code);
    EXPECT_TRUE(neugestartet());
  }
}

TEST_F(PlakatEditor, PicturePanelOpensWidensAndIsOnlyForOneArticle) {
  frmPlakat& e = gezeigt();
  QTest::mouseClick(e.BildJN, Qt::LeftButton);
  EXPECT_EQ(e.BreiteTwips(), frmPlakat::kBreit);
  EXPECT_TRUE(e.Image1->isVisible());
  QTest::mouseClick(e.BildJN, Qt::LeftButton);
  EXPECT_EQ(e.BreiteTwips(), frmPlakat::kSchmal);

  speichern(QStringLiteral("1"), QStringLiteral("Eins"), QStringLiteral("1"));
  EXPECT_TRUE(e.BildJN->isEnabled());
  speichern(QStringLiteral("2"), QStringLiteral("Zwei"), QStringLiteral("2"));
  EXPECT_FALSE(e.BildJN->isEnabled());
  QTest::mouseClick(e.ArtikelLoeschen, Qt::LeftButton);
  EXPECT_TRUE(e.BildJN->isEnabled());
}

TEST_F(PlakatEditor, OpenLoadsTheChosenPictureAndDeleteEmptiesIt) {
  auto dialoge = std::make_shared<kesto::services::ScriptedFileDialog>();
  kesto::services::setFileDialogPort(dialoge);
  frmPlakat& e = gezeigt();
  QTest::mouseClick(e.BildJN, Qt::LeftButton);
  const auto bmp = std::filesystem::temp_directory_path() / "plakat-bild.bmp";
  QImage bild(30, 20, QImage::Format_RGB32);
  bild.fill(Qt::blue);
  ASSERT_TRUE(bild.save(QString::fromStdString(bmp.string())));
  dialoge->choose(bmp.string());
  QTest::mouseClick(e.Oeffnen, Qt::LeftButton);
  ASSERT_EQ(dialoge->shown().size(), 1u);
  EXPECT_EQ(dialoge->shown()[0].filter, frmPlakat::kBildfilter);
  EXPECT_EQ(e.Image1Bild.size(), QSize(30, 20));
  dialoge->cancel();
  QTest::mouseClick(e.Oeffnen, Qt::LeftButton);
  EXPECT_EQ(e.Image1Bild.size(), QSize(30, 20));  // a cancelled dialog keeps it
  QTest::mouseClick(e.Loeschen, Qt::LeftButton);
  EXPECT_TRUE(e.Image1Bild.isNull());
  kesto::services::setFileDialogPort(nullptr);
  std::filesystem::remove(bmp);
}

TEST_F(PlakatEditor, BarsMirrorIntoTheirBoxesAndTheAspectRatioCouplesTheZoom) {
  frmPlakat& e = gezeigt();
  QTest::mouseClick(e.BildJN, Qt::LeftButton);
  e.HPos->setValue(150);
  EXPECT_EQ(e.Hpostext->text(), QStringLiteral("150"));
  e.Vpos->setValue(40);
  EXPECT_EQ(e.Vpostext->text(), QStringLiteral("40"));
  e.HZoom->setValue(80);
  EXPECT_EQ(e.VZoom->value(), 100);
  e.VZoom->setValue(60);
  QTest::mouseClick(e.Seitenverhaeltnis, Qt::LeftButton);
  EXPECT_EQ(e.HZoom->value(), 60);
  EXPECT_EQ(e.HZoomtext->text(), QStringLiteral("60"));
  e.HZoom->setValue(120);
  EXPECT_EQ(e.VZoom->value(), 120);
  EXPECT_EQ(e.VZoomText->text(), QStringLiteral("120"));
  countdownAus();
  aktivieren(e);
  e.HZoom->setFocus();
  taste(e, Qt::Key_Right);
  EXPECT_TRUE(neugestartet());
}

TEST_F(PlakatEditor, ValueBoxesCheckDigitsOnEveryKeyAndTheRangeOnEnter) {
  frmPlakat& e = gezeigt();
  QTest::mouseClick(e.BildJN, Qt::LeftButton);
  struct Fall {
    QLineEdit* feld;
    QScrollBar* balken;
    const char* getippt;
    int wert;         // the bar afterwards
    const char* box;  // start of the reported box, "" = none
  };
  const Fall faelle[] = {
      {e.HZoomtext, e.HZoom, "55", 55, ""},
      {e.HZoomtext, e.HZoom, "300", 100, "Wert zu groß eingegeben!"},
      {e.VZoomText, e.VZoom, "1234", 100, "Zu viele Vorkommastellen Eingegeben!"},
      {e.VZoomText, e.VZoom, "5,5", 100, "Zu viele Nachkommastellen Eingegeben!"},
      {e.Hpostext, e.HPos, "12,5", 12, ""},
      {e.Hpostext, e.HPos, "5", 120, "Wert zu klein eingegeben!"},
      {e.Vpostext, e.Vpos, "199", 199, ""},
      {e.Vpostext, e.Vpos, "20", 95, "Wert zu klein eingegeben!"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.getippt);
    f.balken->setValue(f.balken == e.HZoom || f.balken == e.VZoom ? 100 : f.balken == e.HPos ? 120 : 95);
    f.feld->clear();  // Ctrl+A's key-up would check what the case before left there
    countdownAus();
    const std::size_t vorher = boxen->shown().size();
    eingeben(*f.feld, f.getippt, true);
    EXPECT_EQ(f.balken->value(), f.wert);
    const auto gezeigt = boxen->shown();
    if (*f.box == 0) {
      EXPECT_EQ(gezeigt.size(), vorher);
      EXPECT_TRUE(neugestartet());
    } else {
      ASSERT_GT(gezeigt.size(), vorher);
      EXPECT_THAT(gezeigt[vorher].text, StartsWith(f.box));
      EXPECT_EQ(gezeigt[vorher].title, "Fehler Wertgrenzen Überschritten!");
      EXPECT_FALSE(neugestartet());
    }
  }
}

TEST_F(PlakatEditor, ShowPageChangesOnlyToAPageThePreviewHas) {
  frmPlakat& e = gezeigt();
  for (const char* nr : {"1", "2", "3"}) speichern(QString::fromLatin1(nr), QStringLiteral("X"), QStringLiteral("1"));
  auto& vp = start().VSPrinter1;
  struct Fall {
    int seiten;        // pages in the preview
    const char* text;  // ArtNr
    int gezeigt;       // shown page afterwards (from 1)
  };
  const Fall faelle[] = {{3, "2", 2}, {3, "3", 3}, {2, "3", 1}, {3, "9", 1}, {3, "1", 1}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    vp.StartDoc();
    for (int i = 1; i < f.seiten; ++i) vp.NewPage();
    vp.EndDoc();
    vp.setPreviewPage(1);
    e.setArtNrText(QString::fromLatin1(f.text));
    e.BlattAnzeigen();
    EXPECT_EQ(vp.PreviewPage(), f.gezeigt);
  }
}

TEST_F(PlakatEditor, ChoosingAListItemLoadsItAndShowsItsPageAndABadOneIsRemoved) {
  frmPlakat& e = gezeigt();
  speichern(QStringLiteral("1"), QStringLiteral("Eins"), QStringLiteral("1"));
  speichern(QStringLiteral("2"), QStringLiteral("Zwei"), QStringLiteral("2"));
  e.ArtNr->addItem(QStringLiteral("12,5"));  // as a sent list may hold it
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 3);
  e.ArtNr->setCurrentIndex(0);
  aktivieren(e);
  klicken(*e.ArtNr->lineEdit());
  taste(e, Qt::Key_Down);
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("2"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Zwei"));
  EXPECT_EQ(start().VSPrinter1.PreviewPage(), 2);
  const std::size_t vorher = boxen->shown().size();
  taste(e, Qt::Key_Down);
  ASSERT_EQ(boxen->shown().size(), vorher + 1);
  EXPECT_THAT(boxen->shown().back().text, StartsWith("Zu viele Nachkommastellen Eingegeben!"));
  EXPECT_THAT(e.Liste(), ElementsAre("1", "2"));
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("1"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Eins"));
}

TEST_F(PlakatEditor, ReadByEnterDrawsThePosterAndShowsItsPage) {
  frmPlakat& e = gezeigt();
  for (const char* nr : {"100001", "100003", "100021"}) eingeben(*e.ArtNr->lineEdit(), nr, true);
  EXPECT_THAT(e.Liste(), ElementsAre("100001", "100003", "100021"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Außenputz"));
  e.ArtNr->setCurrentIndex(1);
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 3);
  EXPECT_EQ(start().VSPrinter1.PreviewPage(), 2);
  EXPECT_NE(boxtext(start().VSPrinter1.pages()[1].ops, "Dispersionsfarbe"), nullptr);
}

TEST_F(PlakatEditor, ScannedEanIsReadAsItsArticleAndHomeOpensTheSearch) {
  frmPlakat& e = gezeigt();
  // Another maker's EAN-13 and EAN-8: the server knows their articles.
  const QString ean13 = EANPruefziffer(QStringLiteral("400638110037"), false);
  eingeben(*e.ArtNr->lineEdit(), ean13.toUtf8().constData(), true);
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("100002"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Fliesenkleber Flex"));
  // The company's own EAN carries the number in places 3 to 8.
  eingeben(*e.ArtNr->lineEdit(), "2010000300005", true);
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("100003"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Dispersionsfarbe weiß"));
  EXPECT_THAT(e.Liste(), ElementsAre("100002", "100003"));

  taste(e, Qt::Key_Home);
  EXPECT_THAT(modalGezeigt, ::testing::Contains(std::string("FMArtsu")));
}

TEST_F(PlakatEditor, AWrongNumberIsReportedOnceAndNotRead) {
  frmPlakat& e = gezeigt();
  const std::size_t vorher = boxen->shown().size();
  eingeben(*e.ArtNr->lineEdit(), "0100001", true);
  ASSERT_EQ(boxen->shown().size(), vorher + 1);
  EXPECT_EQ(boxen->shown().back().text, "Art.-Nr/EAN kann nur 6,8 oder 13-stellig sein");
  EXPECT_TRUE(e.Liste().isEmpty());
}

TEST_F(PlakatEditor, LeavingAPriceBoxFormatsItAndTheFocusGoesWhereTheUserSentIt) {
  frmPlakat& e = gezeigt();
  QLineEdit& preis = e.Hauptpreisfeld();
  eingeben(preis, "12,5", false);
  taste(e, Qt::Key_Tab);
  tippen(e, "7");
  EXPECT_EQ(preis.text(), QStringLiteral("12,50"));
  EXPECT_FALSE(preis.hasFocus());

  eingeben(preis, "3", false);
  klicken(*e.ArtNr->lineEdit());
  tippen(e, "100021");
  EXPECT_EQ(preis.text(), QStringLiteral("3,-"));
  EXPECT_TRUE(e.ArtNrText().endsWith(QStringLiteral("100021")));
}

TEST_F(PlakatEditor, ClosingClearsTheQueueUnlessItWasSent) {
  struct Fall {
    const char* wie;
    QStringList bleiben;
  };
  const Fall faelle[] = {{"Abbrechen", {}}, {"Schliessen", {}}, {"Senden", {"1", "2"}}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.wie);
    frmPlakat& e = gezeigt();
    speichern(QStringLiteral("1"), QStringLiteral("Eins"), QStringLiteral("1"));
    speichern(QStringLiteral("2"), QStringLiteral("Zwei"), QStringLiteral("2"));
    const std::string wie = f.wie;
    if (wie == "Abbrechen") {
      QTest::mouseClick(e.pb_Abbrechen, Qt::LeftButton);
    } else if (wie == "Schliessen") {
      e.close();
    } else {
      SchildartDienste regal;
      regal.editorZeigen = [] { FormZeigen<Regal>(&fensterliste().holen<FMStart>()); };
      SchildartEintragen(QStringLiteral("SCHILD"), regal);
      QTest::mouseClick(e.cbSenden, Qt::LeftButton);
      Regal& r = FormHolen<Regal>();
      EXPECT_THAT(r.Liste(), ElementsAre("1", "2"));
      EXPECT_EQ(r.ArtNrText(), QStringLiteral("2"));
      EXPECT_EQ(r.Ueberschrift->text(), QStringLiteral("AKTION!"));
      EXPECT_EQ(r.Bez1->text(), QStringLiteral("Zwei"));
      EXPECT_TRUE(start().Option(QStringLiteral("SCHILD"))->isChecked());
      for (const char* nr : {"1", "2"})
        EXPECT_EQ(WarteschlangeLesen(QString::fromLatin1(nr), kUeberschrift), QStringLiteral("AKTION!"));
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(fensterliste().geladen<frmPlakat>());
    EXPECT_EQ(abschnitte(), f.bleiben);
    fensterliste().entladen<Regal>();
    WarteschlangeLeeren();
    QTest::mouseClick(start().Option(QStringLiteral("A4N")), Qt::LeftButton);
  }
}

}  // namespace
}  // namespace vovida::test
