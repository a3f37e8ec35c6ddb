#include "Umgebung.h"
#include "Eingabe.h"

#include <gmock/gmock.h>

#include "Anmeldung.h"
#include "FMPass.h"
#include "FMServer.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "PlakatGlobal.h"
#include "Schildarten.h"
#include "Splash.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Startglobale.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>

#include <registry/Settings.h>
#include <services/Cursor.h>

#include <algorithm>

namespace vovida::test {
namespace {

using ::testing::HasSubstr;

class StartTest : public Umgebung {
 protected:
  FMStart& start() { return fensterliste().holen<FMStart>(); }
  void anmelden() {
    anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("demo"));
    start().Form_Load();
  }
};

TEST_F(StartTest, StartUpLogsInAndFillsTheGlobals) {
  serverStarten();
  anmelden();
  const KestoapiGlobale& g = kestoapi();
  EXPECT_EQ(g.Benutzerkennung, QStringLiteral("DEMO|Demo Benutzer"));
  EXPECT_EQ(g.Abteilung, QStringLiteral("Verwaltung"));
  EXPECT_EQ(start().windowTitle(), QStringLiteral("Ferrix Preisplakat              Firma: 1     Filiale: 0     Benutzer: Demo Benutzer"));
  const Startglobale& sg = startglobale();
  EXPECT_EQ(sg.SchriftNrVon, 3);
  EXPECT_EQ(sg.SchriftNrBis, 67);
  EXPECT_EQ(sg.WaehrungszeichenHW, QStringLiteral("öS"));
  EXPECT_EQ(sg.WaehrungszeichenNW, QStringLiteral("€"));
  EXPECT_EQ(sg.FontHW, QStringLiteral("Kipp"));
  EXPECT_EQ(sg.FontINFO, QStringLiteral("Arial"));
  EXPECT_TRUE(sg.NeuerStil);  // "neu" with a picture folder set
  EXPECT_EQ(sg.Plakatart, QStringLiteral("A4N"));
  EXPECT_TRUE(start().Option(QStringLiteral("A4N"))->isChecked());
  EXPECT_TRUE(start().Grundpreis->isChecked());
  for (const Schildart& art : kSchildarten) EXPECT_TRUE(start().Option(QString::fromUtf8(art.code))->isEnabled()) << art.code;
  // The font table is loaded, slot kinds from the descriptions.
  EXPECT_FALSE(Schriftdefinitionen()(1, 0).isEmpty());
  EXPECT_FALSE(Schriftdefinitionen()(72, 0).isEmpty());
  EXPECT_EQ(modalGezeigt, std::vector<std::string>{"FMPass"});
  EXPECT_TRUE(boxTexte().empty());
  // No sign module filled the table in: the preview stays empty.
  EXPECT_EQ(start().VSPrinter1.PageCount(), 0);
  EXPECT_FALSE(fensterliste().geladen<Splash>());
}

TEST_F(StartTest, SavedSignKindIsSelectedAndUnknownOneSelectsNothing) {
  serverStarten();
  kesto::registry::SaveSetting("Vovida", "Einstellungen", "Plakatart", "FRSCHILD");
  anmelden();
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("FRSCHILD"));
  EXPECT_TRUE(start().Option(QStringLiteral("FRSCHILD"))->isChecked());
  EXPECT_EQ(start().VSPrinter1.PrinterName(), "Standard");

  fensterliste().alleEntladen();
  startglobaleZuruecksetzen();
  kesto::registry::SaveSetting("Vovida", "Einstellungen", "Plakatart", "XYZ");
  anmelden();
  EXPECT_TRUE(startglobale().Plakatart.isEmpty());
}

TEST_F(StartTest, WrongPasswordAndInactiveUserAreRefusedUntilALoginSucceeds) {
  serverStarten();
  anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("falsch"));
  anmeldungSkript(QStringLiteral("ALTMANN"), QStringLiteral("alt"));
  anmelden();
  const auto texte = boxTexte();
  ASSERT_EQ(texte.size(), 2u);
  EXPECT_EQ(texte[0], "Passwort Falsch oder Benutzer nicht Aktiv.");
  EXPECT_EQ(texte[1], "Passwort Falsch oder Benutzer nicht Aktiv.");
  EXPECT_EQ(boxen->shown()[0].title, "Anmeldung an Kesto.");
  EXPECT_EQ(kestoapi().LoginBenutzer, QStringLiteral("DEMO"));
  EXPECT_FALSE(kestoapi().LoginFehlgeschlagen);
  EXPECT_EQ(modalGezeigt.size(), 3u);
}

// Closing the login window the ways a window manager and a keyboard offer is "Abbruch".
TEST_F(StartTest, ClosingTheLoginWindowEndsTheProgramAsAbbruchDoes) {
  const std::vector<std::pair<const char*, std::function<void(FMPass&)>>> wege = {
      {"close box or Alt+F4", [](FMPass& pass) { pass.windowHandle()->close(); }},
      {"Escape", [](FMPass& pass) { taste(pass, Qt::Key_Escape); }},
  };
  serverStarten();
  for (const auto& [weg, schliessen] : wege) {
    SCOPED_TRACE(weg);
    const std::size_t boxenVorher = boxen->shown().size();
    modalGezeigt.clear();
    programmendeZuruecksetzen();
    programm = std::make_shared<kesto::services::RecordingProgram>();
    kesto::services::setProgramPort(programm);
    modalSkript.push_back([&schliessen](QWidget& fenster) {
      auto& pass = dynamic_cast<FMPass&>(fenster);
      pass.BUSER->setText(QStringLiteral("DEMO"));
      aktivieren(pass);
      schliessen(pass);
    });
    // Should the closed window log in again, the second showing gives up by its button.
    modalSkript.push_back([](QWidget& fenster) { dynamic_cast<FMPass&>(fenster).BUAusst_Click(); });
    EXPECT_THROW(start().Form_Load(), kesto::services::ProgramEnded);
    EXPECT_EQ(programm->endedWith(), 0);
    EXPECT_EQ(boxen->shown().size(), boxenVorher) << "no \"Passwort Falsch\" for a closed window";
    EXPECT_EQ(modalGezeigt, std::vector<std::string>{"FMPass"});
    EXPECT_TRUE(kestoapi().Benutzerkennung.isEmpty());
    modalSkript.clear();
    fensterliste().alleEntladen();
  }
}

TEST_F(StartTest, UnknownUserIsReportedWithTheStep) {
  serverStarten();
  anmeldungSkript(QStringLiteral("NIEMAND"), QStringLiteral("x"));
  anmelden();
  ASSERT_FALSE(boxen->shown().empty());
  EXPECT_EQ(boxen->shown()[0].title, "Kesto Zugriffsfehler");
  EXPECT_THAT(boxen->shown()[0].text, HasSubstr("Vorgang: Anmeldung mit nicht existierendem Personalcode."));
  EXPECT_EQ(kestoapi().Benutzerkennung, QStringLiteral("DEMO|Demo Benutzer"));
}

TEST_F(StartTest, ServerDownEndsTheProgramAfterThreeAttempts) {
  serverStarten(/*abweisen=*/true);
  uhr->laufend = true;  // the waits between the attempts
  anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("demo"));
  EXPECT_THROW(start().Form_Load(), kesto::services::ProgramEnded);
  EXPECT_EQ(programm->endedWith(), 0);
  EXPECT_EQ(fabriken, 3);
  // The object library reports the refused link in boxes of its own; these are ours.
  std::vector<kesto::services::MessageBoxRequest> anmeldung;
  for (const auto& b : boxen->shown())
    if (b.title == "Anmeldung an Kesto") anmeldung.push_back(b);
  std::vector<std::string> texte;
  for (const auto& b : anmeldung) texte.push_back(b.text);
  ASSERT_EQ(texte.size(), 3u);
  EXPECT_EQ(texte[0], "Server nicht erreicht! Bitte überprüfen Sie die Verbindungseinstellungen\r\nNoch 2 Verbindungsversuche bis zum Abbruch.");
  EXPECT_EQ(texte[1], "Server nicht erreicht! Bitte überprüfen Sie die Verbindungseinstellungen\r\nNoch 1 Verbindungsversuche bis zum Abbruch.");
  EXPECT_EQ(texte[2], "Server nach 3 Versuchen nicht erreichbar!\r\nAbbruch");
  EXPECT_EQ(anmeldung[0].flags, MB_OK);
  EXPECT_EQ(anmeldung[2].flags, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(modalGezeigt, (std::vector<std::string>{"FMPass", "FMServer", "FMServer"}));
  EXPECT_TRUE(kestoapi().Benutzerkennung.isEmpty());
}

TEST_F(StartTest, FailedChangeOfUserKeepsThePreviousUser) {
  serverStarten();
  anmelden();
  const QString titel = start().windowTitle();
  start().show();
  FMPass& pass = fensterliste().holen<FMPass>();
  pass.BUSER->setText(QStringLiteral("ALTMANN"));
  pass.BPASSWORT->setText(QStringLiteral("alt"));
  pass.BUSpeich_Click();
  EXPECT_EQ(kestoapi().LoginBenutzer, QStringLiteral("DEMO"));
  EXPECT_EQ(kestoapi().Benutzerkennung, QStringLiteral("DEMO|Demo Benutzer"));
  EXPECT_EQ(start().windowTitle(), titel);
  EXPECT_TRUE(pass.isVisible());
  // The next operation connects again for the previous user.
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE")), QStringLiteral("neu"));

  pass.BUSER->setText(QStringLiteral("MAIER"));
  pass.BPASSWORT->setText(QStringLiteral("maier"));
  pass.BUSpeich_Click();
  EXPECT_EQ(kestoapi().Benutzerkennung, QStringLiteral("MAIER|Maier Franz"));
  EXPECT_TRUE(start().windowTitle().startsWith(QStringLiteral("Ferrix Korrespondenz              Firma: 1")));
  EXPECT_FALSE(pass.isVisible());
}

TEST_F(StartTest, IdleConnectionDropsThirtySecondsAfterTheLastOperation) {
  serverStarten();
  anmelden();
  ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE"));
  ASSERT_TRUE(verbunden());
  zeitVergeht(std::chrono::milliseconds(29999));
  EXPECT_TRUE(verbunden());
  zeitVergeht(std::chrono::milliseconds(1));
  EXPECT_FALSE(verbunden());
  EXPECT_FALSE(fensterliste().holen<FMServer>().Lock.Enabled());
  // The next operation connects again with a new factory.
  const int vorher = fabriken;
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE")), QStringLiteral("neu"));
  EXPECT_EQ(fabriken, vorher + 1);
}

TEST_F(StartTest, ParametersAreReadAndWrittenButNeverCreated) {
  serverStarten();
  anmelden();
  const QString gruppe = QStringLiteral("PLAKAT");
  EXPECT_EQ(ParameterText(gruppe, QStringLiteral("WKZ")), QStringLiteral("öS@X"));
  EXPECT_EQ(ParameterText(gruppe, QStringLiteral("WKZ"), true), QStringLiteral("Währungskennzeichen HW@NW"));

  const QVariant fehlt = ParameterLesen(gruppe, QStringLiteral("NIXDA"), false, QStringLiteral("vorgabe"));
  EXPECT_EQ(fehlt.toString(), QStringLiteral("vorgabe"));
  ASSERT_EQ(boxen->shown().size(), 1u);
  EXPECT_THAT(boxen->shown()[0].text, HasSubstr("Vorgang: Lese Parameter Gruppe PLAKAT Objekt NIXDA."));
  EXPECT_FALSE(ParameterLesen(gruppe, QStringLiteral("NIXDA")).isValid());

  ParameterSchreiben(gruppe, QStringLiteral("PLAKAT-H"), QStringLiteral("Größe 12"));
  EXPECT_EQ(ParameterText(gruppe, QStringLiteral("PLAKAT-H")), QStringLiteral("Größe 12"));
  const auto anzahl = boxen->shown().size();
  ParameterSchreiben(gruppe, QStringLiteral("NEU-X"), QStringLiteral("1"));
  ASSERT_EQ(boxen->shown().size(), anzahl + 1);
  EXPECT_THAT(boxen->shown().back().text, HasSubstr("Schreibe Parameter Gruppe PLAKAT Objekt NEU-X"));
  EXPECT_EQ(ParameterLesen(gruppe, QStringLiteral("NEU-X"), false, QStringLiteral("-")).toString(), QStringLiteral("-"));
  EXPECT_EQ(Serverarbeitstiefe(), 0);
}

TEST_F(StartTest, CommandLinesQuoteTheirArgumentsAndSplitTheOutput) {
  serverStarten();
  anmelden();
  EXPECT_EQ(ServerAusfuehren(QStringLiteral("D ^%XTT")), QString());
  // A user code that tries to break out of its string is refused as a whole by the server.
  EXPECT_EQ(ServerAusfuehren(QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=") + ServerZeichenkette(QStringLiteral("X\",FIL=9"))), QString());
  EXPECT_TRUE(boxTexte().empty());
  QStringList liste;
  const int n = ServerAbfrage(QStringLiteral("D ABTNR^FRXCLSU"), QChar(0xFF), liste);
  EXPECT_EQ(n, 8);  // the demo departments, one of them without staff
  EXPECT_EQ(liste[1], QStringLiteral("10`Baustoffe"));
  EXPECT_EQ(ServerAbfrage(QStringLiteral("D GIBTESNICHT"), QChar(0xFF), liste), 0);
  EXPECT_THAT(boxTexte().back(), HasSubstr("DBCallD Aufruf von FRX.Windwos Xecute D GIBTESNICHT"));
}

TEST_F(StartTest, ArticleRecordOfADemoArticleAndOfAnUnknownOne) {
  serverStarten();
  anmelden();
  QVector<QVariant> d(kArtikelDatenGroesse);
  ArtikelLesen(QStringLiteral("100021"), d);
  EXPECT_EQ(d[13].toString(), QStringLiteral("Ok"));
  EXPECT_EQ(d[0].toString(), QStringLiteral("Außenputz"));
  EXPECT_EQ(d[1].toString(), QStringLiteral("Sack 25 kg"));
  EXPECT_DOUBLE_EQ(d[3].toDouble(), 12.5);
  EXPECT_EQ(d[4].toString(), QStringLiteral("Sack"));
  EXPECT_EQ(d[5].toString(), QStringLiteral("25 kg (Grundpreis 1kg = 0,50 EUR)"));
  EXPECT_EQ(d[6].toString().size(), 13);
  EXPECT_TRUE(boxTexte().empty());

  QVector<QVariant> ohne(kArtikelDatenGroesse);
  ArtikelLesen(QStringLiteral("100006"), ohne);
  EXPECT_EQ(ohne[13].toString(), QStringLiteral("Ok"));
  EXPECT_EQ(ohne[5].toString(), QString());

  QVector<QVariant> unbekannt(kArtikelDatenGroesse, QStringLiteral("alt"));
  const std::size_t boxenVorher = boxTexte().size();
  ArtikelLesen(QStringLiteral("999999"), unbekannt);
  EXPECT_EQ(unbekannt[13].toString(), QStringLiteral("Fehler"));
  EXPECT_EQ(unbekannt[0].toString(), QStringLiteral("alt"));
  ASSERT_EQ(boxTexte().size(), boxenVorher + 1);
  EXPECT_THAT(boxTexte().back(), HasSubstr("Angeforderte Artikelnummer (999999) nicht bekannt!"));
  // The program's German first; the library's English only as detail after it.
  EXPECT_THAT(boxTexte().back(), HasSubstr("\r\nDas Objekt der Klasse FRX.ArtHaupt1 konnte auf dem Server nicht "
                                           "geöffnet werden.\r\nEinzelheiten: Failure to create FRX.ArtHaupt1."));
  EXPECT_EQ(kesto::services::cursorShape(), kesto::services::CursorShape::Default);

  QVector<QVariant> leer(kArtikelDatenGroesse, QStringLiteral("x"));
  const int vorher = fabriken;
  ArtikelLesen(QStringLiteral("0"), leer);
  EXPECT_EQ(leer[13].toString(), QStringLiteral("x"));
  EXPECT_EQ(fabriken, vorher);
}

TEST_F(StartTest, BoxesOfTheObjectLibraryShowTheProgramsGermanTextWithTheLibrarysAsDetail) {
  kesto::services::messageBox("Send to Server failed", "KestoObject", MB_ICONSTOP | MB_TASKMODAL);
  kesto::services::messageBox("Class  FRX.Artikel  not released. \n Disconnect will not be performed!", "KestoObject");
  ShellEinrichten();  // a second set-up puts no second front before the boxes
  kesto::services::messageBox("unbekannt", "KestoObject");
  kesto::services::messageBox("Passwort Falsch", "Anmeldung an Kesto");
  const auto gezeigt = boxen->shown();
  ASSERT_EQ(gezeigt.size(), 4u);
  EXPECT_EQ(gezeigt[0].title, "Kesto Zugriffsfehler");
  EXPECT_EQ(gezeigt[0].text, "Die Anfrage konnte nicht an den Server gesendet werden.\r\nEinzelheiten: Send to Server failed");
  EXPECT_EQ(gezeigt[0].flags, MB_ICONSTOP | MB_TASKMODAL);
  EXPECT_EQ(gezeigt[1].text.rfind("Die Klasse FRX.Artikel ist noch in Gebrauch; die Verbindung wird nicht getrennt.\r\n"
                                  "Einzelheiten: Class  FRX.Artikel  not released.", 0),
            0u);
  EXPECT_EQ(gezeigt[2].text, "Der Server hat den Vorgang nicht ausgeführt.\r\nEinzelheiten: unbekannt");
  EXPECT_EQ(gezeigt[3].title, "Anmeldung an Kesto");
  EXPECT_EQ(gezeigt[3].text, "Passwort Falsch");
}

TEST_F(StartTest, SignKindDrawsItsTestPageOnThePreview) {
  serverStarten();
  int gezeichnet = 0;
  SchildartDienste dienste;
  dienste.zeichnen = [&] {
    ++gezeichnet;
    auto& p = fensterliste().holen<FMStart>().VSPrinter1;
    p.StartDoc();
    p.setFontName("Arial");
    p.setFontSize(24);
    p.setCurrentX(kesto::activex::mm(20));
    p.setCurrentY(kesto::activex::mm(30));
    p.Text("Testseite");
    p.NewPage();
    p.DrawLine(kesto::activex::mm(10), kesto::activex::mm(10), kesto::activex::mm(200), kesto::activex::mm(10));
    p.EndDoc();
  };
  SchildartEintragen(QStringLiteral("A4N"), dienste);
  anmelden();
  EXPECT_EQ(gezeichnet, 1);
  const auto& vorschau = start().VSPrinter1;
  ASSERT_EQ(vorschau.PageCount(), 2);
  EXPECT_EQ(vorschau.PreviewPage(), 2);  // the last page is shown
  EXPECT_EQ(vorschau.PaperSize(), 9);
  EXPECT_FALSE(vorschau.pages()[0].ops.empty());

  // An edit restarts the countdown; the redraw follows 500 ms after the last one.
  VorschauTimerNeustart();
  zeitVergeht(std::chrono::milliseconds(400));
  VorschauTimerNeustart();
  zeitVergeht(std::chrono::milliseconds(400));
  EXPECT_EQ(gezeichnet, 1);
  zeitVergeht(std::chrono::milliseconds(100));
  EXPECT_EQ(gezeichnet, 2);
  zeitVergeht(std::chrono::milliseconds(1000));
  EXPECT_EQ(gezeichnet, 2);
}

}  // namespace
}  // namespace vovida::test
