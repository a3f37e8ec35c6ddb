// The currency window, the printer assignment, the about window and the progress log.
#include "Umgebung.h"

#include <gmock/gmock.h>

#include "FMStart.h"
#include "Fensterliste.h"
#include "FMArtsu.h"
#include "Platzierung.h"
#include "Preisinfo.h"
#include "ServerZugriff.h"
#include "frmAbout.h"
#include "frmDruckerfestlegung.h"
#include "frmProgrammverlauf.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <registry/Registry.h>
#include <registry/Settings.h>
#include <registry/WinReg.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace vovida::test {
namespace {

namespace reg = kesto::registry;

class KleineFensterTest : public Umgebung {
 protected:
  void anmelden() {
    serverStarten();
    anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("demo"));
    fensterliste().holen<FMStart>().Form_Load();
  }
  static void loeschenNachLaden() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  static QString drucker(const char* schluessel) {
    return QString::fromStdString(reg::GetSetting("Vovida", "Drucker", schluessel, "<fehlt>"));
  }
};

TEST_F(KleineFensterTest, CurrencyWindowReadsTheEuroGroupWithADecimalComma) {
  anmelden();
  // The start-up filled it once.
  Preisinfo& info = fensterliste().holen<Preisinfo>();
  EXPECT_EQ(info.WWSHW->text(), QStringLiteral("EUR"));
  EXPECT_EQ(info.Faktor->text(), QStringLiteral("13,7603"));
  EXPECT_EQ(info.ENDDAT->text(), QStringLiteral("31.12.2030"));
  EXPECT_EQ(info.Code->text(), QStringLiteral("ATS"));

  ParameterSchreiben(QStringLiteral("EURO"), QStringLiteral("WWSHW"), QStringLiteral("ATS"));
  ParameterSchreiben(QStringLiteral("EURO"), QStringLiteral("EURFAKT"), QStringLiteral("1.5"));
  PreisinfoZeigen();
  EXPECT_TRUE(info.isVisible());
  EXPECT_EQ(info.WWSHW->text(), QStringLiteral("ATS"));
  EXPECT_EQ(info.Faktor->text(), QStringLiteral("1,5"));

  // The close box only hides it: the others still read what it holds.
  info.close();
  EXPECT_FALSE(info.isVisible());
  ASSERT_TRUE(fensterliste().geladen<Preisinfo>());
  EXPECT_EQ(fensterliste().holen<Preisinfo>().WWSHW->text(), QStringLiteral("ATS"));
  EXPECT_EQ(fensterliste().holen<Preisinfo>().Faktor->text(), QStringLiteral("1,5"));
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(KleineFensterTest, PriceChangeWritesOnlyTheBoxOfTheMainCurrency) {
  struct Fall {
    const char* waehrung;
    const char* preis;
    const char* ats;
    const char* eur;
  };
  const Fall faelle[] = {
      {"EUR", "1234,5", "alt", "1.234,50"},
      {"ATS", "12", "12,-", "alt"},
      {"", "12", "alt", "alt"},
      {"DEM", "12", "alt", "alt"},
      {"EUR", "zwölf", "alt", "alt"},
      {"ATS", "", "alt", "alt"},
  };
  Preisinfo& info = fensterliste().holen<Preisinfo>();
  for (const Fall& f : faelle) {
    QLineEdit preis(QString::fromUtf8(f.preis));
    QLineEdit ats(QStringLiteral("alt"));
    QLineEdit eur(QStringLiteral("alt"));
    info.WWSHW->setText(QString::fromUtf8(f.waehrung));
    info.Preis_Change(preis, ats, eur);
    EXPECT_EQ(ats.text(), QString::fromUtf8(f.ats)) << f.waehrung << " " << f.preis;
    EXPECT_EQ(eur.text(), QString::fromUtf8(f.eur)) << f.waehrung << " " << f.preis;
  }
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(KleineFensterTest, PrinterAssignmentWithoutSettingsShowsAndSavesTheServerNames) {
  anmelden();
  ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("PRTREGAL"), QStringLiteral("Regaldrucker"));
  DruckerfestlegungZeigen(&fensterliste().holen<FMStart>());
  frmDruckerfestlegung& fenster = fensterliste().holen<frmDruckerfestlegung>();
  EXPECT_TRUE(fenster.isVisible());
  EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Windows Drucker Festlegen"));
  EXPECT_EQ(fenster.Feld("PRTREGAL")->text(), QStringLiteral("Regaldrucker"));
  EXPECT_EQ(fenster.Feld("PRTGARTENS")->text(), QStringLiteral("Standard"));
  EXPECT_EQ(fenster.Feld("PRTREGAL"), fenster.findChild<QLineEdit*>(QStringLiteral("prtRegal")));

  fenster.Uebernehmen->click();
  loeschenNachLaden();
  EXPECT_FALSE(fensterliste().geladen<frmDruckerfestlegung>());
  const auto gespeichert = reg::GetAllSettings("Vovida", "Drucker");
  ASSERT_EQ(gespeichert.size(), kDruckerschluessel.size());
  for (std::size_t i = 0; i < gespeichert.size(); ++i) EXPECT_EQ(gespeichert[i].first, kDruckerschluessel[i].schluessel);
  EXPECT_EQ(drucker("PRTREGAL"), QStringLiteral("Regaldrucker"));
  EXPECT_EQ(drucker("PRTPLA4N"), QStringLiteral("Standard"));
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(KleineFensterTest, SavedPrinterIsKeptPerSignKindAndAnEmptyNameHidesTheServers) {
  anmelden();
  reg::SaveSetting("Vovida", "Drucker", "PRTPLA3N", "PDF:/tmp/a3.pdf");
  DruckerfestlegungZeigen(nullptr);
  frmDruckerfestlegung& fenster = fensterliste().holen<frmDruckerfestlegung>();
  EXPECT_EQ(fenster.Feld("PRTPLA3N")->text(), QStringLiteral("PDF:/tmp/a3.pdf"));
  fenster.Feld("PRTPLA4F")->setText(QStringLiteral("PDF:/tmp/a4f.pdf"));
  fenster.Feld("PRTPLA4N")->clear();
  fenster.Uebernehmen_Click();
  loeschenNachLaden();

  EXPECT_EQ(drucker("PRTPLA4N"), QString());
  DruckerfestlegungZeigen(nullptr);
  EXPECT_EQ(fensterliste().holen<frmDruckerfestlegung>().Feld("PRTPLA4N")->text(), QString());
  EXPECT_EQ(fensterliste().holen<frmDruckerfestlegung>().Feld("PRTPLA4F")->text(), QStringLiteral("PDF:/tmp/a4f.pdf"));

  // The main window picks the printer of the sign kind's key.
  FMStart& start = fensterliste().holen<FMStart>();
  start.DruckerWaehlen(8, QStringLiteral("PRTPLA3N"), false);
  EXPECT_EQ(start.VSPrinter1.PrinterName(), "PDF:/tmp/a3.pdf");
  start.DruckerWaehlen(9, QStringLiteral("PRTPLA4F"), false);
  EXPECT_EQ(start.VSPrinter1.PrinterName(), "PDF:/tmp/a4f.pdf");
  start.DruckerWaehlen(9, QStringLiteral("PRTPLA4N"), false);
  EXPECT_EQ(start.VSPrinter1.PrinterName(), "");
  start.DruckerWaehlen(9, QStringLiteral("PRTREGAL"), false);
  EXPECT_EQ(start.VSPrinter1.PrinterName(), "Standard");
}

TEST_F(KleineFensterTest, CancelAfterEditingLeavesTheSettingsAlone) {
  anmelden();
  reg::SaveSetting("Vovida", "Drucker", "PRTPERSON", "Etikettendrucker");
  DruckerfestlegungZeigen(nullptr);
  frmDruckerfestlegung& fenster = fensterliste().holen<frmDruckerfestlegung>();
  fenster.Feld("PRTPERSON")->setText(QStringLiteral("anders"));
  fenster.Feld("PRTFLSCH")->setText(QStringLiteral("anders"));
  fenster.ctPush1->click();
  loeschenNachLaden();
  EXPECT_FALSE(fensterliste().geladen<frmDruckerfestlegung>());
  EXPECT_EQ(drucker("PRTPERSON"), QStringLiteral("Etikettendrucker"));
  EXPECT_EQ(reg::GetAllSettings("Vovida", "Drucker").size(), 1u);
}

TEST_F(KleineFensterTest, WindowsOpenInsideTheAvailableScreenArea) {
  FensterImBildschirmHalten();
  const QRect bereich = QGuiApplication::primaryScreen()->availableGeometry();
  auto& start = fensterliste().holen<FMStart>();  // asks for 1024 x 768
  start.move(bereich.right() - 50, bereich.top() - 30);
  auto& suche = fensterliste().holen<FMArtsu>();
  suche.move(bereich.left() - 200, bereich.bottom() - 10);
  for (QWidget* w : {static_cast<QWidget*>(&start), static_cast<QWidget*>(&suche)}) {
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(bereich.contains(w->frameGeometry())) << w->objectName().toStdString();
    w->hide();
  }
}

class AboutTest : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    name_ = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Vovida"));
  }
  void TearDown() override {
    QCoreApplication::setApplicationName(name_);
    setProgrammstarter(nullptr);
    reg::deleteKey(reg::Hive::LocalMachine, kMsinfo);
    reg::deleteKey(reg::Hive::LocalMachine, kOrt);
    std::error_code ec;
    std::filesystem::remove_all(ordner_, ec);
    Umgebung::TearDown();
  }
  void starterAufzeichnen(bool gelingt) {
    setProgrammstarter([this, gelingt](const QString& programm) {
      gestartet.push_back(programm);
      return gelingt;
    });
  }
  static constexpr const char* kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  static constexpr const char* kOrt = "SOFTWARE\\Microsoft\\Shared Tools Location";
  QStringList gestartet;
  QString name_;
  std::filesystem::path ordner_ = std::filesystem::temp_directory_path() / ("vovida-msinfo-" + std::to_string(::getpid()));
};

TEST_F(AboutTest, LoadShowsTitleAndVersion) {
  const Programmversion alt = programmversion();
  programmversion() = {2, 3, 0};
  AboutZeigen();
  frmAbout& about = fensterliste().holen<frmAbout>();
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Info zu Vovida"));
  EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Vovida"));
  EXPECT_EQ(about.lblVersion->text(), QStringLiteral("2.3.0"));
  EXPECT_EQ(VersionText({1, 0, 12}), QStringLiteral("1.0.12"));
  about.cmdOK->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(fensterliste().geladen<frmAbout>());
  programmversion() = alt;
}

TEST_F(AboutTest, KeyValuesAsText) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kMsinfo, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr), ERROR_SUCCESS);
  const unsigned char zehn[] = {0x0A, 0x00, 0x00, 0x00};
  const unsigned char gross[] = {0x78, 0x56, 0x34, 0x12};
  const char pfad[] = "C:\\Programme\\msinfo32.exe";
  ASSERT_EQ(RegSetValueEx(h, "Zehn", 0, REG_DWORD, zehn, 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(h, "Gross", 0, REG_DWORD, gross, 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(h, "PATH", 0, REG_SZ, reinterpret_cast<const unsigned char*>(pfad), sizeof pfad), ERROR_SUCCESS);
  RegCloseKey(h);

  struct Fall {
    const char* schluessel;
    const char* wert;
    bool gefunden;
    const char* text;
  };
  const Fall faelle[] = {
      {kMsinfo, "Zehn", true, "10"},
      {kMsinfo, "Gross", true, "305419896"},
      {kMsinfo, "PATH", true, "C:\\Programme\\msinfo32.exe"},
      {kMsinfo, "Fehlt", false, "vorher"},
      {"SOFTWARE\\Gibt es nicht", "PATH", false, "vorher"},
  };
  for (const Fall& f : faelle) {
    QString text = QStringLiteral("vorher");
    EXPECT_EQ(GetKeyValue(HKEY_LOCAL_MACHINE, QString::fromUtf8(f.schluessel), QString::fromUtf8(f.wert), text), f.gefunden) << f.wert;
    EXPECT_EQ(text, QString::fromUtf8(f.text)) << f.wert;
  }
}

TEST_F(AboutTest, SystemInformationStartsTheRegisteredProgramOrSaysItIsMissing) {
  starterAufzeichnen(true);
  frmAbout& about = fensterliste().holen<frmAbout>();
  about.cmdSysInfo->click();
  EXPECT_TRUE(gestartet.isEmpty());
  ASSERT_EQ(boxen->shown().size(), 1u);
  EXPECT_EQ(boxen->shown()[0].text, "Systeminformationen sind momentan nicht verfügbar");
  EXPECT_EQ(boxen->shown()[0].title, "Vovida");
  EXPECT_EQ(boxen->shown()[0].flags, static_cast<unsigned>(MB_OK));

  // The folder of the second key counts only when the program is in it.
  std::filesystem::create_directories(ordner_);
  reg::setValue(reg::Hive::LocalMachine, kOrt, "MSINFO", ordner_.string());
  about.StartSysInfo();
  EXPECT_TRUE(gestartet.isEmpty());
  EXPECT_EQ(boxen->shown().size(), 2u);
  std::ofstream(ordner_ / "MSINFO32.EXE") << "x";
  about.StartSysInfo();
  ASSERT_EQ(gestartet.size(), 1);
  EXPECT_EQ(gestartet[0], QString::fromStdString((ordner_ / "MSINFO32.EXE").string()));

  reg::setValue(reg::Hive::LocalMachine, kMsinfo, "PATH", "/usr/bin/systeminfo");
  about.StartSysInfo();
  ASSERT_EQ(gestartet.size(), 2);
  EXPECT_EQ(gestartet[1], QStringLiteral("/usr/bin/systeminfo"));
  EXPECT_EQ(boxen->shown().size(), 2u);

  // A program that does not start is reported like a missing one.
  starterAufzeichnen(false);
  about.StartSysInfo();
  EXPECT_EQ(boxen->shown().size(), 3u);
}

TEST_F(KleineFensterTest, ProgressLogAddsNewestFirstAndOnlyHidesOnClose) {
  frmProgrammverlauf& log = fensterliste().holen<frmProgrammverlauf>();
  EXPECT_EQ(log.windowTitle(), QStringLiteral("Programmverlauf"));
  log.StatusText();
  EXPECT_EQ(log.Zeile(0), QStringLiteral(";;"));
  log.StatusText(QStringLiteral("Druck"), QStringLiteral("Seite"), QStringLiteral("a;b"));
  EXPECT_EQ(log.Zeile(0), QStringLiteral("Druck;Seite;a;b"));
  EXPECT_EQ(log.Verlauf->topLevelItem(0)->text(0), QStringLiteral("Druck"));
  EXPECT_EQ(log.Verlauf->topLevelItem(0)->text(2), QStringLiteral("a;b"));
  EXPECT_EQ(log.Zeile(1), QStringLiteral(";;"));

  log.show();
  log.close();
  EXPECT_FALSE(log.isVisible());
  ASSERT_TRUE(fensterliste().geladen<frmProgrammverlauf>());
  EXPECT_EQ(log.Verlauf->topLevelItemCount(), 2);

  // One row more than the list keeps: the oldest goes.
  for (int i = 0; i < frmProgrammverlauf::kZeilenGrenze - 1; ++i) log.StatusText(QString::number(i));
  EXPECT_EQ(log.Verlauf->topLevelItemCount(), frmProgrammverlauf::kZeilenGrenze);
  EXPECT_EQ(log.Zeile(0), QStringLiteral("%1;;").arg(frmProgrammverlauf::kZeilenGrenze - 2));
  EXPECT_EQ(log.Zeile(frmProgrammverlauf::kZeilenGrenze - 1), QStringLiteral("Druck;Seite;a;b"));
}

}  // namespace
}  // namespace vovida::test
