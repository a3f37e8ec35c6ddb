// The start-up sequence of the main window and the choice of a sign kind.
#include "Anmeldung.h"
#include "Bilder.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "PlakatGlobal.h"
#include "Preisinfo.h"
#include "Schildarten.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Splash.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QRadioButton>

#include <registry/Settings.h>
#include <services/Cursor.h>

namespace vovida {

namespace {

QString plakat(const char* schluessel) { return ParameterText(QStringLiteral("PLAKAT"), QString::fromLatin1(schluessel)); }

// From step 6 on a step that fails is skipped and the start-up goes on.
template <class Schritt>
void schritt(const char* status, Schritt&& s) {
  if (status) StartstatusZeigen(QString::fromUtf8(status));
  serverFehlerAbfangen([&] { s(); }, [](const ServerFehler&) {});
}

// A parameter read as a number 0 to 255: 0 unticked, anything else ticked.
void ankreuzen(QCheckBox* kaestchen, const char* schluessel) {
  bool ok = false;
  const int wert = plakat(schluessel).trimmed().toInt(&ok);
  if (!ok || wert < 0 || wert > 255) return;
  kaestchen->setChecked(wert != 0);
}

bool bildZeigen(QLabel* feld, QImage& ziel, const QString& datei) {
  const std::optional<QImage> bild = BildLaden(datei);
  if (!bild) return false;
  ziel = *bild;
  feld->setPixmap(QPixmap::fromImage(ziel));
  return true;
}

}  // namespace

bool FMStart::LogoLaden(const QString& datei) { return bildZeigen(Logo, LogoBild, datei); }

void FMStart::Form_Load() {
  Startglobale& sg = startglobale();
  do {
    kestoapi().LoginErzwingen = true;
  } while (!Anmelden());
  setWindowTitle(Fenstertitel(QStringLiteral("Ferrix Preisplakat")));

  kesto::services::setCursorShape(kesto::services::CursorShape::Wait);
  QApplication::processEvents();
  Splash& splash = fensterliste().holen<Splash>();
  splash.show();
  splash.repaint();

  sg.SchriftNrVon = 3;
  sg.SchriftNrBis = 67;

  StartstatusZeigen(QStringLiteral("Währungsinformationen Laden"));
  Preisinfo& preisinfo = fensterliste().holen<Preisinfo>();
  preisinfo.Anzeige();

  schritt("Grundpreisauszeichnung?", [&] { ankreuzen(Grundpreis, "GRUNDPREIS"); });
  schritt(nullptr, [&] {
    const QDate ende = QDate::fromString(preisinfo.ENDDAT->text(), QStringLiteral("dd.MM.yyyy"));
    if (ende.isValid() && QDate::currentDate() < ende) ankreuzen(ZweiPreise, "DOPPEL");
  });
  schritt("Währungskennzeichen", [&] {
    const QString wkz = plakat("WKZ");
    sg.WaehrungszeichenHW = TeilString(wkz, QStringLiteral("@"), 1);
    sg.WaehrungszeichenNW = TeilString(wkz, QStringLiteral("@"), 2);
    if (sg.WaehrungszeichenNW.toUpper() == u"X") sg.WaehrungszeichenNW = QStringLiteral("€");
  });
  schritt("Fontarten Lesen", [&] {
    sg.FontHW = plakat("FONT_HW");
    sg.FontNW = plakat("FONT_NW");
    sg.FontPKZHW = plakat("FONT_PKZHW");
    sg.FontPER = plakat("FONT_PER");
    sg.FontINFO = plakat("FONT_INFO");
  });
  QString ordner;
  schritt("Firmenlogo Laden", [&] { ordner = TextErsetzen(plakat("FIRMENLOGO"), QStringLiteral("@"), QStringLiteral("\\")); });
  schritt("Brisal Laden", [&] {
    const QString stil = plakat("STYLE").toLower();
    if (ordner.isEmpty()) return;
    if (stil == u"alt") {
      sg.NeuerStil = false;
      bildZeigen(Schild, SchildBild, ordner + QStringLiteral("\\brisal.bmp"));
      bildZeigen(SchildTamsel, SchildTamselBild, ordner + QStringLiteral("\\tamsel40x.bmp"));
    } else if (stil == u"neu") {
      sg.NeuerStil = true;
      bildZeigen(Schild, SchildBild, ordner + QStringLiteral("\\tamselbrisal.bmp"));
      bildZeigen(SchildTamsel, SchildTamselBild, ordner + QStringLiteral("\\tamsel40xn.bmp"));
    }
  });
  schritt("Menüeinstellungen Laden", [&] {
    const QString menue = plakat("MENUE");
    for (const Schildart& art : kSchildarten) {
      const bool gesperrt = TeilString(menue, QStringLiteral("@"), art.menueFeld).toUpper() == u"A";
      Option(QString::fromUtf8(art.code))->setEnabled(!gesperrt);
    }
  });
  schritt("Schriftarten Laden", [&] { SchriftenLaden(true); });
  schritt("Startschildtype festlegen", [&] {
    QString code = QString::fromStdString(kesto::registry::GetSetting("Vovida", "Einstellungen", "Plakatart", "A4N"));
    if (code.isEmpty()) code = QStringLiteral("A4N");
    // Ticking runs the handler; an option that is ticked already is chosen again.
    if (QRadioButton* option = Option(code)) {
      if (option->isChecked())
        SchildartWaehlen(code);
      else
        option->setChecked(true);
    }
  });
  schritt("Schildzeichnen", [&] {
    Form_Resize();
    Aktualisieren_Click();
  });
  splash.hide();
  fensterliste().entladen<Splash>();
  kesto::services::setCursorShape(kesto::services::CursorShape::Default);
}

void FMStart::SchildartWaehlen(const QString& code) {
  const Schildart* art = SchildartZu(code);
  if (!art) return;
  Startglobale& sg = startglobale();
  const QString vorher = sg.Plakatart;
  const SchildartDienste* dienste = SchildartDiensteZu(code);
  if (dienste && dienste->vorAuswahl) dienste->vorAuswahl();
  sg.Plakatart = code;
  if (code == u"AKTION") {
    // Paper, printer and layout stay as they are.
    if (dienste && dienste->editorZeigen) dienste->editorZeigen();
    return;
  }
  // Another kind draws another sheet, also when its editor is open already and so does
  // not restart the countdown itself.
  VorschauTimerNeustart();
  const auto andere = [&](const char* a, const char* b) {
    return (code == QLatin1String(a) && vorher == QLatin1String(b)) || (code == QLatin1String(b) && vorher == QLatin1String(a));
  };
  const QString drucker = QString::fromUtf8(art->drucker);
  // Between the variants of one paper size the editor stays as it is.
  DruckerWaehlen(art->papier, drucker, !andere("A3N", "A3F"));
  if (dienste && dienste->nachAuswahl) dienste->nachAuswahl();
}

}  // namespace vovida
