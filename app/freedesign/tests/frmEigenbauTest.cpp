// The free-design editor and the print choice driven as a user does: opened from the
// main window's sign-kind option, typed into and clicked with QTest on shown windows.
#include "Eigenbauumgebung.h"

#include "Eingabe.h"

#include "Eigenbau.h"
#include "EigenbauGlobale.h"
#include "Farbe.h"
#include "Fensterliste.h"
#include "Fliesen.h"
#include "KestoapiHilfen.h"
#include "Preisinfo.h"
#include "Schildfenster.h"
#include "Schildarten.h"
#include "Startglobale.h"
#include "frmEigenbau.h"
#include "frmEigenbauDruckartikel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <activex/ColumnList.h>
#include <Pdf.h>
#include <activex/PushToggle.h>
#include <activex/RTFText2.h>
#include <registry/Settings.h>
#include <services/InputBox.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace vovida::test {
namespace {

// Clicks a check box or option button on its box, where it takes the click.
void ankreuzen(QAbstractButton* knopf) {
  QTest::mouseClick(knopf, Qt::LeftButton, {}, QPoint(6, knopf->height() / 2));
}

// With KESTO_BILDER set, the window is written there as a PNG file.
void bildSpeichern(QWidget& fenster, const char* name) {
  if (const QByteArray ordner = qgetenv("KESTO_BILDER"); !ordner.isEmpty())
    fenster.grab().save(QString::fromUtf8(ordner) + u'/' + QString::fromUtf8(name) + QStringLiteral(".png"));
}

class frmEigenbauTest : public Eigenbauumgebung {
 protected:
  void SetUp() override {
    Eigenbauumgebung::SetUp();
    eingaben = std::make_shared<kesto::services::ScriptedInputBox>();
    kesto::services::setInputBoxPort(eingaben);
    kesto::registry::SaveSetting("Vovida", "Eigenbau", "Fileablage", ablage().toStdString());
    Preisinfo& p = fensterliste().holen<Preisinfo>();
    p.WWSHW->setText(QStringLiteral("EUR"));
    p.Faktor->setText(QStringLiteral("13,7603"));
    EigenbauEintragen();
  }
  void TearDown() override {
    eigenbauModellEntladen();
    setFarbdialog(nullptr);
    kesto::services::setInputBoxPort(nullptr);
    Eigenbauumgebung::TearDown();
  }
  // Chooses the sign kind with the mouse, as the user does; the free design's editor opens.
  void waehlen(const char* code) {
    start().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&start()));
    QRadioButton* option = start().Option(QString::fromUtf8(code));
    ASSERT_NE(option, nullptr);
    ankreuzen(option);
  }
  frmEigenbau* editor() {
    return fensterliste().geladen<frmEigenbau>() ? &fensterliste().holen<frmEigenbau>() : nullptr;
  }
  frmEigenbau& oeffnen() {
    waehlen("EIGENBAU");
    frmEigenbau* f = editor();
    EXPECT_NE(f, nullptr);
    EXPECT_TRUE(f && QTest::qWaitForWindowExposed(f));
    return *f;
  }
  // Picks an entry of a combo box's list with the mouse.
  static void auswaehlen(QComboBox* box, const QString& eintrag) {
    box->showPopup();
    QAbstractItemView* liste = box->view();
    const QModelIndex index = liste->model()->index(box->findText(eintrag), 0);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(index).center());
  }

  // What the store holds of the designs, besides the folder setting.
  static std::set<QString> designwerte() {
    std::set<QString> werte = gespeicherteWerte();
    werte.erase(QStringLiteral("|Fileablage"));
    return werte;
  }

  // The design prints "ArtNr.: ..." on each page, which tells the pages apart.
  static void mitArtikelinfo(const char* design) {
    kesto::registry::SaveSetting("Vovida\\eigenbau", design, "Artikelinfo", "1");
  }
  // Clicks the option of a sign kind in the main window, as the user does.
  void artKlicken(const char* code) {
    aktivieren(start());
    QRadioButton* option = start().Option(QString::fromUtf8(code));
    ASSERT_NE(option, nullptr);
    klicken(*option, QPoint(6, option->height() / 2));
  }
  // Picks an entry of a combo box's list with a click into the list's own window.
  static void eintragKlicken(QComboBox* box, const QString& eintrag) {
    box->showPopup();
    QAbstractItemView* liste = box->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(liste->window()));
    klicken(*liste->viewport(), liste->visualRect(liste->model()->index(box->findText(eintrag), 0)).center());
  }
  // Clicks Druck in the main window; the article choice answers OK and tells its rows.
  // Gives the text of each page of the PDF file that came out.
  std::vector<std::string> druckenInPdf(std::vector<QString>& zeilen) {
    const auto pdf = std::filesystem::temp_directory_path() / ("vovida-eb-" + std::to_string(::getpid()) + ".pdf");
    std::filesystem::remove(pdf);
    start().VSPrinter1.setPrinterName("PDF:" + pdf.string());
    modalSkript.push_back([&](QWidget& fenster) {
      auto& wahl = dynamic_cast<frmEigenbauDruckartikel&>(fenster);
      for (int r = 0; r < wahl.lst_ArtNr->ListCount(); ++r) zeilen.push_back(wahl.lst_ArtNr->List(r));
      QTest::mouseClick(wahl.OKButton, Qt::LeftButton);
    });
    drucker->wirklichDrucken = true;
    klicken(*start().Drucken);
    const std::vector<std::string> seiten = kesto::test::pdfSeitentexte(pdf.string());
    std::filesystem::remove(pdf);
    return seiten;
  }

  std::shared_ptr<kesto::services::ScriptedInputBox> eingaben;
};

// Choosing another kind and then the free design again, with its editor open all along:
// Druck sends the free design's pages, not the other kind's sheet the preview still shows.
TEST_F(frmEigenbauTest, BackToTheFreeDesignDruckPrintsItsPages) {
  FliesenEinrichten();
  for (const char* nr : {"200001", "200002"}) design("Demo", nr, "50");
  mitArtikelinfo("Demo");
  oeffnen();
  zeitVergeht(std::chrono::milliseconds(500));
  artKlicken("FVK");
  zeitVergeht(std::chrono::milliseconds(500));
  artKlicken("EIGENBAU");
  std::vector<QString> zeilen;
  const std::vector<std::string> seiten = druckenInPdf(zeilen);
  ASSERT_EQ(seiten.size(), 2u);
  EXPECT_NE(seiten[0].find("ArtNr.: 200001"), std::string::npos) << seiten[0];
  EXPECT_NE(seiten[1].find("ArtNr.: 200002"), std::string::npos) << seiten[1];
}

// An article deleted just before Druck is neither in the choice nor on the sheet.
TEST_F(frmEigenbauTest, ADeletedArticleIsNotPrinted) {
  for (const char* nr : {"200001", "200003", "200005"}) design("Demo", nr, "50");
  mitArtikelinfo("Demo");
  frmEigenbau& f = oeffnen();
  zeitVergeht(std::chrono::milliseconds(500));
  ASSERT_EQ(start().VSPrinter1.PageCount(), 3);
  aktivieren(f);
  eintragKlicken(f.ArtNr, QStringLiteral("200003"));
  ASSERT_EQ(f.ArtNr->currentText(), u"200003");
  klicken(*f.ArtNrLöschen);
  std::vector<QString> zeilen;
  const std::vector<std::string> seiten = druckenInPdf(zeilen);
  ASSERT_EQ(zeilen.size(), 2u);
  EXPECT_TRUE(zeilen[0].startsWith(u";200001;")) << zeilen[0].toStdString();
  EXPECT_TRUE(zeilen[1].startsWith(u";200005;")) << zeilen[1].toStdString();
  ASSERT_EQ(seiten.size(), 2u);
  EXPECT_NE(seiten[0].find("ArtNr.: 200001"), std::string::npos) << seiten[0];
  EXPECT_NE(seiten[1].find("ArtNr.: 200005"), std::string::npos) << seiten[1];
  EXPECT_EQ(seiten[1].find("200003"), std::string::npos) << seiten[1];
}

TEST_F(frmEigenbauTest, WithoutADesignTheNameIsAskedUntilGivenThenTheDefaultsShow) {
  eingaben->answer("");
  eingaben->answer("Sommer");
  frmEigenbau& f = oeffnen();
  ASSERT_EQ(eingaben->shown().size(), 2u);
  EXPECT_EQ(eingaben->shown()[0].title, "Vovida Eigenbau Nahmenseingabe");
  EXPECT_EQ(f.windowTitle(), u"Eigenschaften des Eigenbauplakates");
  EXPECT_EQ(f.SpeicherName->currentText(), u"Sommer");
  EXPECT_EQ(f.B->text(), u"95");
  EXPECT_EQ(f.H->text(), u"120");
  EXPECT_EQ(f.Ueberschrift->text(), u"SEHENSWERTE PREISE");
  EXPECT_EQ(f.t_BreiteTextmarke->text(), u"75");
  EXPECT_EQ(f.t_SrLinks->text(), u"15");
  EXPECT_TRUE(f.c_Werbetext->isChecked());
  EXPECT_TRUE(f.c_Preis->isChecked());
  EXPECT_FALSE(f.B_Z->State());
  EXPECT_TRUE(f.B_LB->State());
  EXPECT_EQ(eigenbauGlobale().EigenbauAusrichtung, 2);
  EXPECT_FALSE(f.PreisATS->isEnabled());
  EXPECT_TRUE(f.RTFText->isHidden());
  EXPECT_EQ(f.t_Fileablage->text(), ablage());
  // The body is the template, in the main window's rich-text control.
  EXPECT_TRUE(QString::fromStdString(start().RTF->Rtf()).contains(u"VORLAGE"));
  EXPECT_TRUE(start().RTF->Loaded());
  bildSpeichern(f, "frmEigenbau");
}

TEST_F(frmEigenbauTest, CancellingTheNamePromptUnloadsTheEditor) {
  // F22
  eingaben->cancel();
  waehlen("EIGENBAU");
  EXPECT_EQ(eingaben->shown().size(), 1u);
  EXPECT_EQ(editor(), nullptr);
  EXPECT_TRUE(designwerte().empty());
}

TEST_F(frmEigenbauTest, ADesignNameWithASlashIsRefusedAndNothingIsWritten) {
  // F21
  eingaben->answer("Sommer");
  frmEigenbau& f = oeffnen();
  ersetzen(*f.SpeicherName->lineEdit(), QStringLiteral("a/b"));
  QTest::mouseClick(f.Uebernehmen, Qt::LeftButton);
  ASSERT_EQ(boxTexte().size(), 1u);
  EXPECT_EQ(boxTexte()[0], "Der Name \"a/b\" darf weder \"\\\" noch \"/\" noch \"..\" enthalten!");
  EXPECT_TRUE(designwerte().empty());
  EXPECT_TRUE(dateien().isEmpty());
}

struct Randfall {
  const char* name;
  std::function<void(frmEigenbau&)> tun;
  std::function<void(frmEigenbau&)> pruefen;
};

void PrintTo(const Randfall& fall, std::ostream* os) { *os << fall.name; }

class Randfaelle : public frmEigenbauTest, public ::testing::WithParamInterface<Randfall> {};

TEST_P(Randfaelle, AsTheUserTypesAndClicks) {
  eingaben->answer("Sommer");
  frmEigenbau& f = oeffnen();
  GetParam().tun(f);
  GetParam().pruefen(f);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Randfaelle,
    ::testing::Values(
        Randfall{"EuroTenAndEnter",
                 [](frmEigenbau& f) {
                   QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(0).center());
                   ersetzen(*f.PreisEUR, QStringLiteral("10"));
                   taste(f, Qt::Key_Return);
                 },
                 [](frmEigenbau& f) {
                   EXPECT_EQ(f.PreisEUR->text(), u"10,-");
                   EXPECT_EQ(f.PreisATS->text(), u"137,60");
                   EXPECT_FALSE(f.PreisATS->isEnabled());
                   EXPECT_EQ(f.PreisEUR->selectedText(), u"10,-");
                 }},
        Randfall{"ArticleNumberAndEnter",
                 [](frmEigenbau& f) {
                   ersetzen(*f.ArtNr->lineEdit(), QStringLiteral("100003"));
                   taste(f, Qt::Key_Return);
                 },
                 [](frmEigenbau& f) { EXPECT_EQ(f.Bez1->text(), u"Dispersionsfarbe weiß"); }},
        Randfall{"ScannedEanAndEnter",
                 [](frmEigenbau& f) {
                   const QString ean = EANPruefziffer(QStringLiteral("400638110000"), false);
                   ersetzen(*f.ArtNr->lineEdit(), ean);
                   taste(f, Qt::Key_Return);
                 },
                 [](frmEigenbau& f) {
                   EXPECT_EQ(f.ArtNr->currentText(), u"100001");
                   EXPECT_EQ(f.Bez1->text(), u"Zement CEM II 42,5");
                 }},
        Randfall{"WidthClampedInPortrait",
                 [](frmEigenbau& f) {
                   QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(2).center());
                   ersetzen(*f.B, QStringLiteral("500"));
                 },
                 [](frmEigenbau& f) {
                   EXPECT_TRUE(f.Frame[3]->isVisible());
                   EXPECT_FALSE(f.Frame[1]->isVisible());
                   EXPECT_EQ(f.B->text(), u"180");
                 }},
        Randfall{"WidthClampedInLandscape",
                 [](frmEigenbau& f) {
                   QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(2).center());
                   ankreuzen(f.O_Quer);
                   ersetzen(*f.B, QStringLiteral("500"));
                 },
                 [](frmEigenbau& f) { EXPECT_EQ(f.B->text(), u"267"); }},
        Randfall{"TextMarkNoWiderThanTheSign",
                 [](frmEigenbau& f) {
                   QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(1).center());
                   ersetzen(*f.t_BreiteTextmarke, QStringLiteral("200"));
                 },
                 [](frmEigenbau& f) { EXPECT_EQ(f.t_BreiteTextmarke->text(), u"95"); }},
        Randfall{"LeftButtonClickedTwice",
                 [](frmEigenbau& f) {
                   QTest::mouseClick(f.B_LB, Qt::LeftButton);
                   QTest::mouseClick(f.B_LB, Qt::LeftButton);
                 },
                 [](frmEigenbau& f) {
                   EXPECT_TRUE(f.B_LB->State());
                   EXPECT_TRUE(f.B_Z->State());
                   EXPECT_FALSE(f.B_RB->State());
                   EXPECT_EQ(eigenbauGlobale().EigenbauAusrichtung, 1);  // F31 as it stands
                 }},
        Randfall{"NoHeadlineNoTextMark",
                 [](frmEigenbau& f) { ankreuzen(f.c_Werbetext); },
                 [](frmEigenbau& f) {
                   EXPECT_FALSE(f.c_Textmarke->isChecked());
                   EXPECT_FALSE(f.c_Textmarke->isEnabled());
                 }},
        Randfall{"StandardHeadline",
                 [](frmEigenbau& f) {
                   QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(1).center());
                   ankreuzen(f.RadioRest);
                 },
                 [](frmEigenbau& f) { EXPECT_EQ(f.Ueberschrift->text(), u"RESTPOSTEN!"); }},
        Randfall{"TextMarkColourFromTheDialog",
                 [](frmEigenbau& f) {
                   setFarbdialog([](std::uint32_t) { return std::optional<std::uint32_t>(255); });
                   QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(1).center());
                   QTest::mouseClick(f.Farbe, Qt::LeftButton);
                 },
                 [](frmEigenbau&) { EXPECT_EQ(eigenbauModell().TextMarkeFarbe, 255); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(frmEigenbauTest, ChoosingADesignFromTheListLoadsItOnce) {
  // F19
  design("Anna", "1", "11");
  design("Berta", "2", "22");
  frmEigenbau& f = oeffnen();
  EXPECT_EQ(f.SpeicherName->currentText(), u"Anna");
  std::vector<QString> gelesen;
  eigenbauModell().artikelLesen = [&](const QString& nr, QVector<QVariant>& daten) {
    gelesen.push_back(nr);
    daten[13] = QStringLiteral("Fehler");
  };
  auswaehlen(f.SpeicherName, QStringLiteral("Berta"));
  EXPECT_EQ(gelesen, std::vector<QString>{QStringLiteral("2")});
  EXPECT_EQ(f.ArtNr->currentText(), u"2");
  QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(3).center());
  EXPECT_EQ(f.txt_PZ_X[0]->text(), u"22");
}

TEST_F(frmEigenbauTest, ThePageBarMovesTheEditorToTheArticle) {
  design("Bar", "1", "11");
  design("Bar", "2", "22");
  frmEigenbau& f = oeffnen();
  aktivieren(f);
  klicken(*f.TabFeld, f.TabFeld->tabRect(3).center());
  ersetzen(*f.txt_PZ_X[0], QStringLiteral("99"));  // edited, not saved
  SchildfensterZu(QStringLiteral("EIGENBAU"))->artikelZeigen(QStringLiteral("2"));
  EXPECT_EQ(f.ArtNr->currentText(), u"2");
  EXPECT_EQ(f.txt_PZ_X[0]->text(), u"22");
  EXPECT_EQ(kesto::registry::GetSetting("Vovida\\Eigenbau\\Bar\\Artikel\\1", "ZPreis0", "X-Wert"), "11");
}

TEST_F(frmEigenbauTest, ALandscapeDesignLeavesTheNextSignKindUpright) {
  schildart(QStringLiteral("A4N"), {QStringLiteral("100021")});
  design("Quer", "1", "11");
  frmEigenbau& f = oeffnen();
  QTest::mouseClick(f.TabFeld, Qt::LeftButton, {}, f.TabFeld->tabRect(2).center());
  ankreuzen(f.O_Quer);
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 1);
  EXPECT_EQ(start().VSPrinter1.pages()[0].orientation, kesto::activex::PageOrientation::Landscape);
  waehlen("A4N");
  ASSERT_NE(editor(), nullptr);  // the free design's editor stays open
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 1);
  EXPECT_EQ(start().VSPrinter1.pages()[0].orientation, kesto::activex::PageOrientation::Portrait);
}

TEST_F(frmEigenbauTest, PrintChoiceListsTheArticlesAndPrintsTheTickedPages) {
  for (const char* nr : {"200001", "200002", "999999"}) design("Demo", nr, "50");
  mitArtikelinfo("Demo");
  const auto pdf = std::filesystem::temp_directory_path() / ("vovida-eigenbau-" + std::to_string(::getpid()) + ".pdf");
  std::filesystem::remove(pdf);
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTPLA4N", "PDF:" + pdf.string());
  oeffnen();
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 3);
  std::vector<QString> zeilen, unbekannt;
  std::vector<std::int16_t> nachUmkehren;
  modalSkript.push_back([&](QWidget& fenster) {
    auto& wahl = dynamic_cast<frmEigenbauDruckartikel&>(fenster);
    kesto::activex::ColumnList& liste = *wahl.lst_ArtNr;
    for (int r = 0; r < liste.ListCount(); ++r) {
      zeilen.push_back(liste.List(r));
      EXPECT_EQ(liste.ItemMark(r), 1);
    }
    unbekannt = {liste.ColumnText(2, 2), liste.ColumnText(2, 3)};
    wahl.show();
    bildSpeichern(wahl, "frmEigenbauDruckartikel");
    QTest::mouseClick(wahl.cmd_Auswahl[2], Qt::LeftButton);
    QTest::mouseClick(wahl.cmd_Auswahl[2], Qt::LeftButton);
    for (int r = 0; r < liste.ListCount(); ++r) nachUmkehren.push_back(liste.ItemMark(r));
    QTest::mouseClick(wahl.cmd_Auswahl[0], Qt::LeftButton);
    for (const int r : {0, 2}) {
      liste.setCurrentItem(liste.topLevelItem(r));
      QTest::keyClick(&liste, Qt::Key_Space);
    }
    QTest::mouseClick(wahl.OKButton, Qt::LeftButton);
  });
  drucker->wirklichDrucken = true;
  start().Druckanzahl->setText(QStringLiteral("2"));
  QTest::mouseClick(start().Drucken, Qt::LeftButton);
  ASSERT_EQ(zeilen.size(), 3u);
  EXPECT_EQ(zeilen[0], u";200001;Wandfliese Capri");
  EXPECT_TRUE(zeilen[1].startsWith(u";200002;"));
  // An article the server does not know is listed all the same, without a text.
  EXPECT_EQ(unbekannt, (std::vector<QString>{QStringLiteral("999999"), QString()}));
  EXPECT_EQ(nachUmkehren, (std::vector<std::int16_t>{1, 1, 1}));
  EXPECT_EQ(drucker->auftraege, (std::vector<std::vector<int>>{{1, 3, 1, 3}}));
  EXPECT_FALSE(fensterliste().geladen<frmEigenbauDruckartikel>());
  // Both copies of both ticked pages are in the one file that came out.
  const std::vector<std::string> seiten = kesto::test::pdfSeitentexte(pdf.string());
  ASSERT_EQ(seiten.size(), 4u);
  for (std::size_t s = 0; s < seiten.size(); ++s) {
    EXPECT_NE(seiten[s].find(s % 2 == 0 ? "ArtNr.: 200001" : "ArtNr.: 999999"), std::string::npos)
        << "page " << s + 1 << ": " << seiten[s];
    EXPECT_EQ(seiten[s].find("200002"), std::string::npos) << "page " << s + 1;
  }
  std::filesystem::remove(pdf);
}

}  // namespace
}  // namespace vovida::test
