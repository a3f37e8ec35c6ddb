// The main window: the page preview on which every sign is drawn, the sign-kind options,
// the refresh countdown and the switches that steer the layouts. Loading it runs the
// start-up; closing it saves the sign kind and ends the program.
#pragma once

#include "Zeitgeber.h"

#include <QImage>
#include <QMainWindow>

#include <activex/QtPrintPort.h>
#include <activex/VSPrinter.h>

#include <map>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;

namespace kesto::activex {
class PreviewWidget;
class RTFText2;
}

namespace vovida {

class VPNavBar;

// "<anfang>" + 14 blanks + "Firma: ..." + 5 blanks + "Filiale: ..." + 5 blanks + "Benutzer: ...".
QString Fenstertitel(const QString& anfang);

class FMStart : public QMainWindow {
 public:
  static constexpr const char* kName = "FMStart";
  FMStart();
  ~FMStart() override;

  kesto::activex::VSPrinter VSPrinter1;
  Zeitgeber BildAufbauen;
  kesto::activex::PreviewWidget* Vorschau;
  VPNavBar* VPNav;
  QCheckBox* AutoAktualisieren;
  QCheckBox* Raster;
  QCheckBox* ZweiPreise;
  QCheckBox* Grundpreis;
  QLineEdit* Druckanzahl;
  QPushButton* Drucken;
  QPushButton* Aktualisieren;
  QPushButton* CBDaten;
  kesto::activex::RTFText2* RTF;
  QSplitter* ctSplit;
  QWidget* ctSize1;
  QWidget* ctSize2;
  QGroupBox* Frame1;
  QGroupBox* Frame4;
  QLabel* Label4;
  QLabel* Logo;
  QLabel* Schild;
  QLabel* SchildTamsel;
  QImage SchildBild;
  QImage SchildTamselBild;
  QImage LogoBild;

  // Loads the company logo into Logo and LogoBild; a file that cannot be read keeps the
  // picture there is and gives false.
  bool LogoLaden(const QString& datei);

  // The option button of a sign-kind code.
  QRadioButton* Option(const QString& code) const;

  // The start-up sequence; ends the program when no login succeeds.
  void Form_Load();
  void Form_Resize();
  // Saves the sign kind, disconnects and ends the program.
  [[noreturn]] void Form_Unload();

  // Makes the code current: the option handlers of the twelve kinds.
  void SchildartWaehlen(const QString& code);
  void OPlakatA4N_Click() { SchildartWaehlen(QStringLiteral("A4N")); }
  void OPlakatA3N_Click() { SchildartWaehlen(QStringLiteral("A3N")); }
  void OPlakatA4F_Click() { SchildartWaehlen(QStringLiteral("A4F")); }
  void OPlakatA3F_Click() { SchildartWaehlen(QStringLiteral("A3F")); }
  void ORegalschild_Click() { SchildartWaehlen(QStringLiteral("SCHILD")); }

  void Aktualisieren_Click();
  // An edit or a new sign kind: the preview no longer shows the sheet that Druck must
  // print, so Druck draws it again first.
  void VorschauVeraltet() { vorschauAktuell_ = false; }
  bool VorschauAktuell() const { return vorschauAktuell_; }
  void CBDaten_Click();
  void DruckerWaehlen(int papier, const QString& schluessel, bool editor);

  // Prints the preview on the printer of the sign kind, as many times as the copies box
  // says, in one job; the free design prints only the pages its article choice ticks.
  void Drucken_Click();
  void Druckanzahl_Change();
  void Druckanzahl_Click();

  void mLogin_Click();
  void mSchriftNeuLesen_Click();

  // The rich-text control's notification 11: its appearance is imposed again.
  void RTF_Ereignis11();
  static constexpr const char* kRTFSchaltflaechen =
      "cfont|csize| |new|open| |cut|copy|paste| |undo|redo| |bold|italic|uline|colour| |left|centre|right|bullet";

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
  void resizeEvent(QResizeEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void aufbauen();
  void menuesAufbauen();
  void vorschauEreignis(kesto::activex::PreviewEvent ereignis);
  bool kopienPruefen();
  std::map<QString, QRadioButton*> optionen_;
  bool vorschauAktuell_ = false;
  kesto::activex::QtPrintPort drucker_;
};

// Stores the current sign kind as the one the next start opens with. Before a login has
// chosen one (empty) the stored kind stays as the run before left it.
void SchildartSichern();

}  // namespace vovida
