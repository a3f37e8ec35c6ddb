// The demo posters as a user gets them: a picture of the preview page, and three queued
// posters printed into a PDF through the main window's print button. With
// VOVIDA_PLAKAT_AUSGABE set, both are kept in that folder for a person to look at.
#include "PlakatFenster.h"

#include "Eingabe.h"

#include "FMStart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <activex/Renderer.h>
#include <registry/Settings.h>

#include <cstdlib>
#include <filesystem>

namespace vovida::test {
namespace {

namespace fs = std::filesystem;

class PlakatAusgabe : public PlakatFenster {
 protected:
  fs::path ordner() const {
    if (const char* a = std::getenv("VOVIDA_PLAKAT_AUSGABE")) return a;
    return fs::temp_directory_path() / ("vovida-plakat-" + std::to_string(::getpid()));
  }
  void SetUp() override {
    PlakatFenster::SetUp();
    fs::create_directories(ordner());
  }
  void TearDown() override {
    if (!std::getenv("VOVIDA_PLAKAT_AUSGABE")) fs::remove_all(ordner());
    PlakatFenster::TearDown();
  }
  void eingeben(frmPlakat& e, const char* nr) {
    ersetzen(*e.ArtNr->lineEdit(), QString::fromLatin1(nr));
    taste(e, Qt::Key_Return);
  }
};

TEST_F(PlakatAusgabe, DemoPosterAsPictureAndThreePostersAsPdf) {
  const fs::path pdf = ordner() / "plakate-a4n.pdf";
  fs::remove(pdf);
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTPLA4N", "PDF:" + pdf.string());
  einrichten("A4N");
  ASSERT_EQ(start().VSPrinter1.PrinterName(), "PDF:" + pdf.string());
  start().Grundpreis->setChecked(true);
  QTest::mouseClick(start().CBDaten, Qt::LeftButton);
  frmPlakat& e = editor();
  eingeben(e, "100001");
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 1);
  const QImage bild = kesto::activex::renderPageImage(start().VSPrinter1.pages()[0], 100);
  ASSERT_TRUE(bild.save(QString::fromStdString((ordner() / "plakat-a4n.png").string())));

  QTest::mouseClick(e.BildJN, Qt::LeftButton);
  ASSERT_TRUE(e.grab().save(QString::fromStdString((ordner() / "frmPlakat.png").string())));

  eingeben(e, "100003");
  eingeben(e, "100021");
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 3);
  drucker->wirklichDrucken = true;
  QTest::mouseClick(start().Drucken, Qt::LeftButton);
  EXPECT_EQ(drucker->auftraege, (std::vector<std::vector<int>>{{1, 2, 3}}));
  QFile datei(QString::fromStdString(pdf.string()));
  ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
  const QByteArray inhalt = datei.readAll();
  EXPECT_TRUE(inhalt.startsWith("%PDF"));
  EXPECT_EQ(inhalt.count("/Type /Page\n") + inhalt.count("/Type /Page\r") + inhalt.count("/Type /Page "), 3);
}

TEST_F(PlakatAusgabe, OldStyleA3PosterOfTheSecondCompanyAsPicture) {
  einrichten("A3N", "2");
  start().ZweiPreise->setChecked(true);
  QTest::mouseClick(start().CBDaten, Qt::LeftButton);
  eingeben(editor(), "100002");
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(start().VSPrinter1.PageCount(), 1);
  const QImage bild = kesto::activex::renderPageImage(start().VSPrinter1.pages()[0], 70);
  ASSERT_TRUE(bild.save(QString::fromStdString((ordner() / "plakat-a3n-alt.png").string())));
}

}  // namespace
}  // namespace vovida::test
