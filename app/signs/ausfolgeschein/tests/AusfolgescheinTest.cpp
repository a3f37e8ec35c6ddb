#include "Hauptfenster.h"
#include "Anordnung.h"
#include "Seite.h"

#include "Eingabe.h"

#include "Ausfolgeschein.h"
#include "Bilder.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "ServerZugriff.h"
#include "frmAusfolgeschein.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

#include <gmock/gmock.h>

#include <activex/Barcode.h>
#include <activex/RTFText2.h>
#include <activex/Renderer.h>
#include <registry/Registry.h>
#include <registry/Settings.h>
#include <services/FileDialog.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vovida::test {
namespace {

using Mm = kesto::test::MmBox<0.05>;  // figures to a tenth of a millimetre
using kesto::test::alle;
using kesto::test::inMm;
using kesto::activex::DrawOp;
using kesto::activex::PictureOp;
using kesto::activex::TextBoxOp;

// The user's whole settings store as text.
std::string einstellungen(const std::string& pfad = {}) {
  using namespace kesto::registry;
  std::string out = pfad + "\n";
  for (const auto& [name, wert] : values(Hive::CurrentUser, pfad))
    out += "  " + name + "=" + (std::holds_alternative<std::string>(wert) ? std::get<std::string>(wert) : "#") + "\n";
  for (const std::string& unter : subkeys(Hive::CurrentUser, pfad))
    out += einstellungen(pfad.empty() ? unter : pfad + "\\" + unter);
  return out;
}

class AusfolgescheinTest : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    dialoge = std::make_shared<kesto::services::ScriptedFileDialog>();
    kesto::services::setFileDialogPort(dialoge);
    anmelden("AUSFOLGESCHEIN");
    AusfolgescheinEinrichten();
  }
  void TearDown() override {
    kesto::services::setFileDialogPort(nullptr);
    Hauptfenster::TearDown();
  }
  frmAusfolgeschein& schein() { return FormHolen<frmAusfolgeschein>(); }
  void lesen(const char* nummer) {
    schein().ArtNr->setText(QString::fromLatin1(nummer));
    schein().Read_Click();
  }
  std::span<const DrawOp> zeichnen() {
    AusfolgescheinZeichnen();
    return start().VSPrinter1.pages()[0].ops;
  }
  std::shared_ptr<kesto::services::ScriptedFileDialog> dialoge;
};

TEST_F(AusfolgescheinTest, LoadSetsUpTheTextFromTheTemplateAndTheLogo) {
  frmAusfolgeschein& f = schein();
  EXPECT_EQ(f.AusfolgeRft->ButtonList(), frmAusfolgeschein::kSchaltflaechen);
  EXPECT_EQ(f.AusfolgeRft->LeftMargin(), 1);
  EXPECT_EQ(f.AusfolgeRft->RightMargin(), 9);
  EXPECT_EQ(f.AusfolgeRft->DefaultFontName(), "Helvetica");
  EXPECT_TRUE(f.AusfolgeRft->LanguageFile().ends_with("/rt20_de.lan"));
  EXPECT_TRUE(f.AusfolgeRft->Loaded());
  EXPECT_TRUE(f.AusfolgeRft->document()->toPlainText().contains(QStringLiteral("Übernahme prüfen")));
  EXPECT_FALSE(start().LogoBild.isNull());
  EXPECT_EQ(f.BreiteTwips(), frmAusfolgeschein::kSchmal);
}

TEST_F(AusfolgescheinTest, ReadFillsDescriptionsBarCodeAndPicture) {
  struct Fall {
    const char* nummer;
    const char* strichcode;
    bool bild;
  };
  const Fall faelle[] = {{"100001", "2205001000013", true}, {"4711", "2205000047118", false}};
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.nummer);
    lesen(fall.nummer);
    EXPECT_EQ(schein().Barcode1->Text(), QString::fromLatin1(fall.strichcode));
    EXPECT_FALSE(schein().Barcode1->Picture().isNull());
  }
  EXPECT_EQ(schein().Bez1->text(), QStringLiteral("Dübel-Sortiment"));
  EXPECT_EQ(schein().Image1Bild.size(), QSize(300, 400));  // 100001's picture kept after 4711
}

TEST_F(AusfolgescheinTest, MissingPictureIsReportedAndKeepsThePicture) {
  lesen("100001");
  const QImage vorher = schein().Image1Bild;
  const std::size_t boxenVorher = boxen->shown().size();
  lesen("100002");
  const auto gezeigt = boxen->shown();
  ASSERT_EQ(gezeigt.size(), boxenVorher + 1);
  EXPECT_EQ(gezeigt.back().text, "Automatische Bildauswahl gescheitert\r\nBitte Artikelbild händisch angeben");
  EXPECT_EQ(gezeigt.back().title, "Fehler bei der Automatischen Bildauswahl");
  EXPECT_EQ(schein().Image1Bild, vorher);
  EXPECT_EQ(schein().Bez1->text(), QStringLiteral("Fliesenkleber Flex"));
}

TEST_F(AusfolgescheinTest, NumbersThatAreNoSixDigitsGiveNoBarCode) {
  for (const char* nummer : {"12a", "1234567"}) {
    schein().Barcode1->setText(QStringLiteral("2205001000013"));
    schein().ArtNr->setText(QString::fromLatin1(nummer));
    schein().Read_Click();
    EXPECT_TRUE(schein().Barcode1->Picture().isNull()) << nummer;
  }
}

TEST_F(AusfolgescheinTest, EnterInTheNumberReadsTheArticleAndAClickChangesNoText) {
  frmAusfolgeschein& f = schein();
  aktivieren(f);
  klicken(*f.ArtNr);
  EXPECT_EQ(f.ArtNr->text(), QString());
  tippen(f, QStringLiteral("100003"));
  taste(f, Qt::Key_Return);
  EXPECT_EQ(f.ArtNr->text(), QStringLiteral("100003"));
  EXPECT_EQ(f.Bez1->text(), QStringLiteral("Dispersionsfarbe weiß"));
  EXPECT_FALSE(f.Image1Bild.isNull());
  EXPECT_TRUE(boxTexte().empty());

  // A number of the wrong length: one box, and no read of it.
  ersetzen(*f.ArtNr, QStringLiteral("0100001"));
  taste(f, Qt::Key_Return);
  EXPECT_EQ(boxTexte(), std::vector<std::string>{"Art.-Nr/EAN kann nur 6,8 oder 13-stellig sein"});
  EXPECT_EQ(f.Bez1->text(), QStringLiteral("Dispersionsfarbe weiß"));
}

TEST_F(AusfolgescheinTest, OpenStartsInThePictureFolderOfTheAutomaticRead) {
  schein().ArtNr->setText(QStringLiteral("100006"));
  const QString bild = PfadAbbilden(frmAusfolgeschein::Bildordner() + QStringLiteral("\\ausfolgeschein\\100006.jpg"));
  dialoge->choose(bild.toStdString());
  QTest::mouseClick(schein().Oeffnen, Qt::LeftButton);
  ASSERT_EQ(dialoge->shown().size(), 1u);
  const std::string start = dialoge->shown()[0].fileName;
  EXPECT_EQ(start, bild.toStdString());
  EXPECT_NE(start.find("bilder_ausfolge"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(start));
  EXPECT_EQ(schein().Image1Bild.size(), QSize(300, 400));
  QTest::mouseClick(schein().Loeschen, Qt::LeftButton);
  EXPECT_TRUE(schein().Image1Bild.isNull());
}

TEST_F(AusfolgescheinTest, BothCopiesLieWhereTheSlipPutsThem) {
  lesen("100001");
  const auto ops = zeichnen();
  const auto bilder = alle<PictureOp>(ops);
  const auto texte = alle<TextBoxOp>(ops);
  ASSERT_EQ(bilder.size(), 6u);  // logo, picture, bar code per copy
  ASSERT_EQ(texte.size(), 8u);   // title, two lines, rich text per copy
  for (int kopie = 0; kopie < 2; ++kopie) {
    SCOPED_TRACE(kopie);
    const double v = kopie * 148.5;
    EXPECT_EQ(inMm(bilder[3 * kopie]->box), (Mm{115, v + 7, 75, 22.5}));
    EXPECT_EQ(inMm(bilder[3 * kopie + 1]->box), (Mm{15, v + 57, 42.75, 57}));
    const Mm strichcode = inMm(bilder[3 * kopie + 2]->box);
    EXPECT_EQ(strichcode, (Mm{70, v + 75, 36.5, 20.9}));
    const TextBoxOp& titel = *texte[4 * kopie];
    EXPECT_EQ(titel.text, "AUSFOLGESCHEIN");
    EXPECT_EQ(titel.style.font.name, "KIPP");
    EXPECT_NEAR(titel.box.left.mm(), 10, 0.01);
    EXPECT_NEAR(titel.box.top.mm(), v + 15, 0.01);
    EXPECT_NEAR(titel.box.width.mm(), 90, 0.01);
    EXPECT_EQ(texte[4 * kopie + 1]->text, "Zement CEM II 42,5");
    EXPECT_NEAR(texte[4 * kopie + 1]->box.top.mm(), v + 35, 0.01);
    EXPECT_NEAR(texte[4 * kopie + 2]->box.top.mm(), v + 41, 0.01);
    const TextBoxOp& rich = *texte[4 * kopie + 3];
    EXPECT_TRUE(rich.richText);
    EXPECT_EQ(inMm(rich.box), (Mm{110, v + 34, 95, 90}));
    EXPECT_NE(rich.text.find("\\'dc"), std::string::npos);  // the template's umlauts
  }
  EXPECT_FALSE(start().VSPrinter1.RichText());
  EXPECT_FALSE(start().VSPrinter1.documentOpen());
}

TEST_F(AusfolgescheinTest, OkKeepsTheEditsAndCancelGoesBackToTheTemplate) {
  lesen("100001");
  schein().AusfolgeRft->setRtf("{\\rtf1 Eigener Text\\par}");
  QTest::mouseClick(schein().OKButton, Qt::LeftButton);
  EXPECT_FALSE(schein().isVisible());
  auto texte = alle<TextBoxOp>(zeichnen());
  EXPECT_EQ(texte[1]->text, "Zement CEM II 42,5");
  EXPECT_NE(texte[3]->text.find("Eigener Text"), std::string::npos);

  QTest::mouseClick(schein().CancelButton, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<frmAusfolgeschein>());
  texte = alle<TextBoxOp>(zeichnen());
  EXPECT_EQ(texte[1]->text, "Bezeichnung 1");
  EXPECT_EQ(texte[3]->text.find("Eigener Text"), std::string::npos);
  EXPECT_NE(texte[3]->text.find("Abholung"), std::string::npos);
  EXPECT_EQ(alle<PictureOp>(start().VSPrinter1.pages()[0].ops).size(), 2u);  // the logos only
}

TEST_F(AusfolgescheinTest, TextButtonTwiceRestoresTheWidth) {
  frmAusfolgeschein& f = schein();
  f.show();
  QTest::mouseClick(f.RFTJN, Qt::LeftButton);
  EXPECT_EQ(f.BreiteTwips(), frmAusfolgeschein::kBreit);
  QTest::mouseClick(f.RFTJN, Qt::LeftButton);
  EXPECT_EQ(f.BreiteTwips(), frmAusfolgeschein::kSchmal);
}

TEST_F(AusfolgescheinTest, TypingInTheTextAnswersNotificationEleven) {
  frmAusfolgeschein& f = schein();
  f.show();
  f.AusfolgeRft->setEditState(false);
  f.AusfolgeRft->setLoaded(false);
  QTest::mouseClick(f.AusfolgeRft->editor()->viewport(), Qt::LeftButton);
  QTest::keyClicks(f.AusfolgeRft->editor(), "x");
  EXPECT_TRUE(f.AusfolgeRft->EditState());
  EXPECT_TRUE(f.AusfolgeRft->Loaded());
}

TEST_F(AusfolgescheinTest, MissingTemplateAndLogoDoNotStopTheEditor) {
  schein();  // an earlier opening loaded the logo
  fensterliste().entladen<frmAusfolgeschein>();
  const QImage logo = start().LogoBild;
  ASSERT_FALSE(logo.isNull());
  const QString leer = QDir::temp().filePath(QStringLiteral("kein-logo"));
  QDir().mkpath(leer);
  ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO"), QString(leer).replace(u'/', u'@'));
  frmAusfolgeschein& f = schein();
  EXPECT_TRUE(f.AusfolgeRft->document()->toPlainText().isEmpty());
  EXPECT_EQ(f.AusfolgeRft->ButtonList(), frmAusfolgeschein::kSchaltflaechen);
  EXPECT_EQ(start().LogoBild, logo);
  EXPECT_EQ(boxen->shown().size(), 0u);
}

TEST_F(AusfolgescheinTest, LogoRatioThatIsNoNumberGivesNoLogo) {
  for (const char* wert : {"", "x", "0"}) {
    ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("F-LOGO-QZM"), QString::fromLatin1(wert));
    const auto bilder = alle<PictureOp>(zeichnen());
    EXPECT_EQ(bilder.size(), 0u) << wert;  // no logo; no picture or bar code read yet
  }
  ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("F-LOGO-QZM"), QStringLiteral("0,5"));
  const auto bilder = alle<PictureOp>(zeichnen());
  ASSERT_EQ(bilder.size(), 2u);
  EXPECT_EQ(inMm(bilder[0]->box), (Mm{115, 7, 75, 37.5}));
}

TEST_F(AusfolgescheinTest, TheSlipLeavesTheSettingsStoreAlone) {
  const std::string vorher = einstellungen();
  lesen("100001");
  schein().AusfolgeRft->setRtf("{\\rtf1 neu}");
  QTest::mouseClick(schein().OKButton, Qt::LeftButton);
  zeichnen();
  QTest::mouseClick(schein().CancelButton, Qt::LeftButton);
  zeichnen();
  EXPECT_EQ(einstellungen(), vorher);
}

// Long descriptions stay in their lines: line 1 never runs over line 2, nothing leaves its half.
TEST_F(AusfolgescheinTest, LongDescriptionsStayInTheirLines) {
  const std::vector<kesto::test::Umriss> haelften{{0, 0, 210, 148.5}, {0, 148.5, 210, 148.5}};
  for (const char* nummer : {"100001", "100023", "100050", "100051", "getippt"}) {
    SCOPED_TRACE(nummer);
    if (std::string(nummer) == "getippt") {  // lines typed longer than any article's
      schein().Bez1->setText(QString(3, u'W') + QStringLiteral(" Verlängerungskabel mit Schutzkontakt 25 m orange"));
      schein().Bez2->setText(QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitänsmütze"));
    } else {
      lesen(nummer);
    }
    EXPECT_THAT(kesto::test::anordnungPruefen(zeichnen(), haelften), ::testing::IsEmpty());
    kesto::test::bilderAblegen(start().VSPrinter1.pages(), std::string("Ausfolgeschein-") + nummer);
  }
}

// The demo slip of 100001 as the user sees it; KESTO_SCREENSHOTS names a folder to keep it.
TEST_F(AusfolgescheinTest, DemoSlipOnThePage) {
  lesen("100001");
  zeichnen();
  // A resolution at which half the page is a whole number of pixels (1000), so that the
  // halves compare pixel for pixel.
  const QImage seite = kesto::activex::renderPageImage(start().VSPrinter1.pages()[0], 25.4 * 1000 / 148.5);
  if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty())
    seite.save(QString::fromUtf8(ordner) + QStringLiteral("/ausfolgeschein-100001.png"));
  // Both halves alike: the lower copy is the upper one 148.5 mm further down.
  const int halbe = 1000;
  int gleich = 0, dunkel = 0;
  for (int y = 0; y < halbe; ++y)
    for (int x = 0; x < seite.width(); ++x) {
      const QRgb oben = seite.pixel(x, y);
      if (qGray(oben) < 128) {
        ++dunkel;
        if (std::abs(qGray(oben) - qGray(seite.pixel(x, y + halbe))) < 40) ++gleich;
      }
    }
  EXPECT_GT(dunkel, 1000);
  EXPECT_GT(gleich, dunkel * 9 / 10);
}

}  // namespace
}  // namespace vovida::test
