#include "Hauptfenster.h"

#include "Eingabe.h"

#include <gmock/gmock.h>

#include "FMPass.h"
#include "Fensterliste.h"
#include "PlakatGlobal.h"
#include "Schildfenster.h"
#include "Schildarten.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"
#include "VPNavBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

#include <activex/RTFText2.h>
#include <Pdf.h>
#include <registry/Settings.h>
#include <services/Cursor.h>

#include <filesystem>
#include <map>
#include <stdexcept>

namespace vovida::test {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Auftraege = std::vector<std::vector<int>>;

class FMStartTest : public Hauptfenster {
 protected:
  void kopienSetzen(const char* text) {
    const QSignalBlocker sperre(start().Druckanzahl);
    start().Druckanzahl->setText(QString::fromUtf8(text));
  }
  QAction* menue(const char* name) { return start().findChild<QAction*>(QString::fromUtf8(name)); }
  // The boxes shown since the given count.
  std::vector<kesto::services::MessageBoxRequest> boxenAb(std::size_t ab) const {
    const auto alle = boxen->shown();
    return {alle.begin() + static_cast<std::ptrdiff_t>(std::min(ab, alle.size())), alle.end()};
  }
};

TEST_F(FMStartTest, BurstOfEditsRedrawsOnceHalfASecondAfterTheLast) {
  schildart(QStringLiteral("A4N"), {QStringLiteral("100021")});
  anmelden();
  for (const bool automatisch : {true, false}) {
    SCOPED_TRACE(automatisch);
    start().AutoAktualisieren->setChecked(automatisch);
    const int vorher = gezeichnet;
    for (int i = 0; i < 10; ++i) {
      VorschauTimerNeustart();
      zeitVergeht(milliseconds(100));
    }
    EXPECT_EQ(gezeichnet, vorher);
    zeitVergeht(milliseconds(399));
    EXPECT_EQ(gezeichnet, vorher);
    zeitVergeht(milliseconds(1));
    EXPECT_EQ(gezeichnet, vorher + (automatisch ? 1 : 0));
    zeitVergeht(milliseconds(2000));
    EXPECT_EQ(gezeichnet, vorher + (automatisch ? 1 : 0));
    EXPECT_FALSE(start().BildAufbauen.Enabled());
  }
  start().Aktualisieren->click();
  EXPECT_EQ(gezeichnet, 3);  // start-up, one tick, the button
}

TEST_F(FMStartTest, KindWithoutLayoutKeepsTheDocumentShowsItsLastPageAndStopsTheCountdown) {
  schildart(QStringLiteral("A4N"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
  anmelden();
  auto& vorschau = start().VSPrinter1;
  vorschau.setPreviewPage(1);
  start().SchildartWaehlen(QStringLiteral("AKTION"));
  VorschauTimerNeustart();
  start().Aktualisieren_Click();
  EXPECT_EQ(gezeichnet, 1);
  EXPECT_EQ(vorschau.PageCount(), 3);
  EXPECT_EQ(vorschau.PreviewPage(), 3);
  EXPECT_FALSE(start().BildAufbauen.Enabled());
}

TEST_F(FMStartTest, LayoutErrorStopsTheCountdownAndIsReportedOnce) {
  anmelden();
  SchildartDienste kaputt;
  kaputt.zeichnen = [] { throw std::runtime_error("Schrift fehlt"); };
  SchildartEintragen(QStringLiteral("A4N"), kaputt);
  VorschauTimerNeustart();
  zeitVergeht(milliseconds(500));
  zeitVergeht(milliseconds(5000));
  ASSERT_EQ(boxTexte().size(), 1u);
  EXPECT_EQ(boxTexte()[0], "Fehler beim Zeichnen der Vorschau:\r\nSchrift fehlt");
  EXPECT_EQ(kesto::services::cursorShape(), kesto::services::CursorShape::Default);
}

struct Druckfall {
  const char* name;
  const char* plakatart;
  int artikel;
  bool dialogAntwort;
  std::vector<bool> haken;  // the free design's article choice
  std::vector<std::string> boxen;
  Auftraege auftraege;
};

void PrintTo(const Druckfall& fall, std::ostream* os) { *os << fall.name; }

class Drucken : public FMStartTest, public ::testing::WithParamInterface<Druckfall> {};

TEST_P(Drucken, PrintsEachCopyAfterTheDialog) {
  const Druckfall& fall = GetParam();
  const QString code = QString::fromUtf8(fall.plakatart);
  QStringList artikel;
  for (int i = 0; i < fall.artikel; ++i) artikel << QString::number(100021 + i);
  schildart(code, artikel);
  setEigenbauDruckauswahl([&] { return fall.haken; });
  anmelden(fall.plakatart);
  ASSERT_EQ(start().VSPrinter1.PageCount(), fall.artikel);
  drucker->dialogAntwort = fall.dialogAntwort;
  kopienSetzen("2");
  start().Drucken->click();
  EXPECT_EQ(boxTexte(), fall.boxen);
  EXPECT_EQ(drucker->dialoge, 1);
  EXPECT_EQ(drucker->auftraege, fall.auftraege);
}

const std::string kGemeinsam = "Sie haben mehrere Artikel eingegeben diese werden nun gemeinsam ausgedruckt!";

INSTANTIATE_TEST_SUITE_P(
    Faelle, Drucken,
    ::testing::Values(Druckfall{"PosterQueue", "A3F", 3, true, {}, {kGemeinsam}, {{1, 2, 3, 1, 2, 3}}},
                      Druckfall{"OnePoster", "A4N", 1, true, {}, {}, {{1, 1}}},
                      Druckfall{"DialogCancelled", "A4N", 3, false, {}, {kGemeinsam}, {}},
                      Druckfall{"ShelfLabels", "SCHILD", 3, true, {}, {}, {{1, 2, 3, 1, 2, 3}}},
                      Druckfall{"FreeDesignTickedRows", "EIGENBAU", 3, true, {true, false, true}, {}, {{1, 3, 1, 3}}},
                      // A ticked row without its page prints nothing for that row.
                      Druckfall{"FreeDesignMissingPage", "EIGENBAU", 1, true, {false, true}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A sheet whose drawing failed half way is never printed, not even after a second try.
TEST_F(FMStartTest, DruckSaysTheSheetIsIncompleteWhenItCannotBeDrawn) {
  schildart(QStringLiteral("A4N"), {QStringLiteral("100021")});
  anmelden();
  SchildartDienste halb;
  halb.zeichnen = [this] {
    start().VSPrinter1.StartDoc();
    start().VSPrinter1.Text("halb");
    throw std::runtime_error("Schrift fehlt");
  };
  SchildartEintragen(QStringLiteral("A4N"), halb);
  VorschauTimerNeustart();
  const auto vorher = boxen->shown().size();
  start().Drucken->click();
  EXPECT_EQ(drucker->dialoge, 0);
  EXPECT_TRUE(drucker->auftraege.empty());
  const auto neu = boxenAb(vorher);
  ASSERT_EQ(neu.size(), 2u);
  EXPECT_EQ(neu[0].text, "Fehler beim Zeichnen der Vorschau:\r\nSchrift fehlt");
  EXPECT_THAT(neu[1].text, HasSubstr("Die Vorschau ist unvollständig"));
}

TEST_F(FMStartTest, CopiesOutsideTheRangeAreRefusedBeforeThePrintDialog) {
  schildart(QStringLiteral("A4N"), {QStringLiteral("100021")});
  anmelden();
  const std::string zuKlein = "Wert zu klein eingegeben!\r\nKleinster erlaubter Wert : 1";
  const std::string zuGross = "Wert zu groß eingegeben!\r\nGrößter erlaubter Wert : 99";
  for (const auto& [text, box] : std::vector<std::pair<const char*, std::string>>{
           {"", zuKlein}, {"0", zuKlein}, {"100", zuGross}, {"-", zuKlein}}) {
    SCOPED_TRACE(text);
    const auto vorher = boxen->shown().size();
    kopienSetzen(text);
    start().Drucken_Click();
    const auto neu = boxenAb(vorher);
    ASSERT_EQ(neu.size(), 1u);
    EXPECT_EQ(neu[0].text, box);
    EXPECT_EQ(neu[0].title, "Fehler Wertgrenzen Überschritten!");
    EXPECT_EQ(start().Druckanzahl->selectedText(), start().Druckanzahl->text());
  }
  EXPECT_EQ(drucker->dialoge, 0);
  EXPECT_TRUE(drucker->auftraege.empty());
}

TEST_F(FMStartTest, EmptyPreviewSaysThereIsNothingToPrint) {
  schildart(QStringLiteral("A4N"), {});
  anmelden();
  ASSERT_TRUE(std::all_of(start().VSPrinter1.pages().begin(), start().VSPrinter1.pages().end(),
                          [](const kesto::activex::Page& p) { return p.ops.empty(); }));
  start().Drucken->click();
  EXPECT_EQ(boxTexte(), std::vector<std::string>{"Die Vorschau ist leer. Es gibt nichts zu drucken!"});
  EXPECT_EQ(drucker->dialoge, 0);
  EXPECT_TRUE(drucker->auftraege.empty());
}

TEST_F(FMStartTest, TypedCopiesAreCheckedForRangeAndDigitsOnce) {
  anmelden();
  start().Druckanzahl->setText(QStringLiteral("100"));
  EXPECT_EQ(boxTexte(), (std::vector<std::string>{"Wert zu groß eingegeben!\r\nGrößter erlaubter Wert : 99",
                                                  "Zu viele Vorkommastellen Eingegeben!\r\nMaximal Erlaubt sind : 2"}));
  start().Druckanzahl->setText(QStringLiteral("12"));
  EXPECT_EQ(boxTexte().size(), 2u);

  start().Druckanzahl->deselect();
  QMouseEvent klick(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(start().Druckanzahl, &klick);
  EXPECT_EQ(start().Druckanzahl->selectedText(), QStringLiteral("12"));
}

TEST_F(FMStartTest, SwitchingBetweenVariantsOfOnePaperSize) {
  int editoren = 0;
  for (const char* code : {"A3N", "A3F", "A4N", "A4F"}) {
    schildart(QString::fromUtf8(code), {QStringLiteral("100021")});
    SchildartDienste d = *SchildartDiensteZu(QString::fromUtf8(code));
    d.editorZeigen = [&] { ++editoren; };
    SchildartEintragen(QString::fromUtf8(code), d);
  }
  anmelden("A3N");
  editoren = 0;
  // The other A3 variant keeps its editor and only redraws.
  start().OPlakatA3F_Click();
  EXPECT_EQ(editoren, 0);
  EXPECT_TRUE(start().BildAufbauen.Enabled());
  EXPECT_EQ(start().VSPrinter1.PaperSize(), 8);
  start().OPlakatA4N_Click();
  EXPECT_EQ(editoren, 1);
  EXPECT_EQ(start().VSPrinter1.PaperSize(), 9);
  start().BildAufbauen.setEnabled(false);
  start().OPlakatA4F_Click();
  EXPECT_EQ(editoren, 2);
  EXPECT_TRUE(start().BildAufbauen.Enabled());
}

TEST_F(FMStartTest, PrintsCopiesIntoThePdfPrinterOfTheSignKind) {
  const auto pdf = std::filesystem::temp_directory_path() / ("vovida-druck-" + std::to_string(::getpid()) + ".pdf");
  std::filesystem::remove(pdf);
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTPLA3N", "PDF:" + pdf.string());
  schildart(QStringLiteral("A3N"), {QStringLiteral("100021"), QStringLiteral("100022")});
  anmelden("A3N");
  EXPECT_EQ(start().VSPrinter1.PrinterName(), "PDF:" + pdf.string());
  EXPECT_EQ(start().VSPrinter1.PaperSize(), 8);
  drucker->wirklichDrucken = true;
  kopienSetzen("2");
  menue("Print")->trigger();
  EXPECT_EQ(drucker->auftraege, (Auftraege{{1, 2, 1, 2}}));
  // The file holds both copies of both pages: one job, written once.
  const std::vector<std::string> seiten = kesto::test::pdfSeitentexte(pdf.string());
  ASSERT_EQ(seiten.size(), 4u);
  for (std::size_t s = 0; s < seiten.size(); ++s)
    EXPECT_THAT(seiten[s], HasSubstr(s % 2 == 0 ? "100021" : "100022")) << "page " << s + 1;
  std::filesystem::remove(pdf);
}

// Prints through Qt without a dialog and keeps each job's PDF under its own name, so that
// a second job cannot hide behind the first.
class PdfJeAuftrag final : public kesto::activex::QtPrintPort {
 public:
  void print(std::span<const kesto::activex::Page> seiten, const std::string& name) override {
    QtPrintPort::print(seiten, name);
    const std::filesystem::path datei = name.substr(std::string_view("PDF:").size());
    const auto ziel = datei.string() + "." + std::to_string(dateien.size() + 1);
    std::filesystem::rename(datei, ziel);
    dateien.push_back(ziel);
  }
  std::vector<std::string> dateien;

 protected:
  bool runDialog(QPrinter&) override { return true; }
};

class PdfDrucken : public FMStartTest {
 protected:
  PdfJeAuftrag port;  // outlives the window's tear-down, which unhooks it
};

TEST_F(PdfDrucken, AllCopiesLeaveAsOneJob) {
  const auto pdf = std::filesystem::temp_directory_path() / ("vovida-kopien-" + std::to_string(::getpid()) + ".pdf");
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTPLA3N", "PDF:" + pdf.string());
  schildart(QStringLiteral("A3N"), {QStringLiteral("100021"), QStringLiteral("100022"), QStringLiteral("100023")});
  anmelden("A3N");
  start().VSPrinter1.setPrintPort(&port);
  kopienSetzen("2");
  menue("Print")->trigger();
  ASSERT_EQ(port.dateien.size(), 1u);
  const std::vector<std::string> seiten = kesto::test::pdfSeitentexte(port.dateien[0]);
  ASSERT_EQ(seiten.size(), 6u);
  for (std::size_t s = 0; s < seiten.size(); ++s)
    EXPECT_THAT(seiten[s], HasSubstr(std::to_string(100021 + s % 3))) << "page " << s + 1;
  std::filesystem::remove(port.dateien[0]);
}

TEST_F(FMStartTest, ReloadingFontsKeepsTheLastFiveSlots) {
  anmelden();
  Schriftdefinitionen()(70, 0) = QStringLiteral("eigen");
  const QString erste = Schriftdefinitionen()(1, 0);
  Schriftdefinitionen()(1, 0) = QStringLiteral("alt");
  menue("mSchriftNeuLesen")->trigger();
  EXPECT_EQ(Schriftdefinitionen()(70, 0), QStringLiteral("eigen"));
  EXPECT_EQ(Schriftdefinitionen()(1, 0), erste);
}

TEST_F(FMStartTest, LoginCommandShowsTheLoginWindowWithAnEmptyPassword) {
  anmelden();
  FMPass& pass = fensterliste().holen<FMPass>();
  pass.BPASSWORT->setText(QStringLiteral("geheim"));
  menue("mLogin")->trigger();
  EXPECT_TRUE(pass.isVisible());
  EXPECT_TRUE(pass.BPASSWORT->text().isEmpty());
}

TEST_F(FMStartTest, AltDOpensTheFileMenuAndEachLetterOpensOneThing) {
  anmelden();
  aktivieren(start());
  taste(start(), Qt::Key_D, Qt::AltModifier);
  auto* datei = start().findChild<QMenu*>(QStringLiteral("Datei"));
  ASSERT_NE(datei, nullptr);
  EXPECT_TRUE(datei->isVisible());
  EXPECT_FALSE(start().Drucken->hasFocus());
  datei->close();

  std::map<QKeySequence, QString> buchstaben;
  const auto eintragen = [&](const QString& text) {
    const QKeySequence kuerzel = QKeySequence::mnemonic(text);
    if (kuerzel.isEmpty()) return;
    const auto [it, neu] = buchstaben.emplace(kuerzel, text);
    EXPECT_TRUE(neu) << text.toStdString() << " and " << it->second.toStdString();
  };
  for (const QAbstractButton* knopf : start().findChildren<QAbstractButton*>()) eintragen(knopf->text());
  for (const QAction* menue : start().menuBar()->actions()) eintragen(menue->text());
  EXPECT_TRUE(buchstaben.count(QKeySequence(Qt::ALT | Qt::Key_D)));
}

TEST_F(FMStartTest, EndOfDocumentAndUserPagingSynchroniseTheBar) {
  schildart(QStringLiteral("SCHILD"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
  anmelden("SCHILD");
  EXPECT_EQ(start().VPNav->lblPage->text(), QStringLiteral("Seite 3 von 3"));
  start().VSPrinter1.userShowPage(2);
  EXPECT_EQ(start().VPNav->lblPage->text(), QStringLiteral("Seite 2 von 3"));
  // Paging in the preview does not move the editor; only the bar's scroll bar does.
  EXPECT_TRUE(gezeigteArtikel.empty());
  start().VSPrinter1.userSetZoom(75);
  EXPECT_EQ(start().VPNav->cmbZoom->currentText(), QStringLiteral("75%"));
}

// Typing into the free design's text raises notification 11: the window then imposes its
// toolbar and the three flags, and keeps the text typed.
TEST_F(FMStartTest, RichTextNotificationImposesTheToolbar) {
  schildart(QStringLiteral("EIGENBAU"), {QStringLiteral("1")});
  anmelden("EIGENBAU");
  kesto::activex::RTFText2& rtf = *start().RTF;
  start().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&start()));
  ASSERT_TRUE(rtf.isVisible());
  rtf.setButtonList("bold");
  rtf.setEditState(false);
  rtf.setLoaded(false);
  QTest::mouseClick(rtf.editor()->viewport(), Qt::LeftButton);
  QTest::keyClicks(rtf.editor(), "Hallo");
  EXPECT_EQ(rtf.ButtonList(), FMStart::kRTFSchaltflaechen);
  EXPECT_TRUE(rtf.EditState());
  EXPECT_TRUE(rtf.Loaded());
  EXPECT_EQ(rtf.toolbar()->actions().size(), 22);  // 17 buttons, 5 gaps
  EXPECT_EQ(rtf.document()->toPlainText(), QStringLiteral("Hallo"));
}

}  // namespace
}  // namespace vovida::test
