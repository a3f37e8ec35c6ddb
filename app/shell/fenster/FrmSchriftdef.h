// The font-definition editor "Schriftartendefinition": picks a slot of the font table,
// shows its size, colours, outline or frame, spacing, corrections, shadow and price
// extras, draws a sample on its own preview, and applies the slot on this workstation
// only ("1 Mal") or saves it to the slot's server parameters ("Speichern").
#pragma once

#include "Farbe.h"

#include <QString>
#include <QTabBar>
#include <QWidget>

#include <activex/VSPrinter.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace kesto::activex {
class PreviewWidget;
}

namespace vovida {

// Tabs that can be locked one by one: "0" in the lock list opens a tab, anything else
// locks it. Tabs count from 1.
class Registerleiste : public QTabBar {
 public:
  Registerleiste(const QString& beschriftungen, QWidget* parent);
  void setSperren(const QString& liste);
  int Tab() const { return currentIndex() + 1; }
  // Selects the tab and always reports it, also when it was selected already.
  void setTab(int tab);
  std::function<void(int tab)> gewechselt;
};

// The navigation control: "first" and "previous" on one, "next" and "last" on the other.
enum class Navschritt { Erster, Zurueck, Weiter, Letzter };
class Navigation : public QWidget {
 public:
  Navigation(const char* name, Navschritt links, Navschritt rechts, QWidget* parent);
  std::function<void(Navschritt)> Click;
};

class FrmSchriftdef : public QWidget {
 public:
  static constexpr const char* kName = "FrmSchriftdef";
  // Loading runs Form_Load: the slot list of SchriftNrVon..SchriftNrBis of this moment.
  FrmSchriftdef();

  QComboBox* Beschreibung;
  QComboBox* P2;
  Registerleiste* RegisterSchrift;
  QGroupBox* FrameA;
  QGroupBox* FrameE;
  QGroupBox* FrameB;
  QGroupBox* FramePreisZusatz;
  QLineEdit* SchriftGroesze;
  Farbe* SchriftFarbe;
  QCheckBox* Kontur;
  QLineEdit* RandKorrektur;
  QLineEdit* TopKorrektur;
  QLineEdit* ZeichenAbstand;
  Farbe* SchattenFarbe;
  QLineEdit* SchattenabstandHor;
  QLineEdit* SchattenabstandVer;
  QLineEdit* ZeilenAbstand;
  Farbe* StiftFarbe;
  Farbe* PinselFarbe;
  // The ten price extras in the order of field 10.
  QLineEdit* Kommastellen;
  QLineEdit* KommastellenHoehe;
  QLineEdit* Waehrungskz;
  QLineEdit* WaehrungskzHoehe;
  QLineEdit* Nebenwaehrung;
  QLineEdit* NebenwaehrungHoehe;
  QLineEdit* NwKommast;
  QLineEdit* NwKommastHoehe;
  QLineEdit* NwWaehrungskz;
  QLineEdit* NwWaehrungskzHoehe;
  QPushButton* EinMal;
  QPushButton* Speichern;
  Navigation* NavAB;
  Navigation* NavAUF;
  kesto::activex::VSPrinter Vorschau;
  kesto::activex::PreviewWidget* VorschauAnsicht;  // objectName "Vorschau"
  QGroupBox* Vorschaufarme;
  QLineEdit* Vorschautext;
  QComboBox* cmbZoom;
  QCheckBox* Raster;

  void Form_Load();
  void Beschreibung_Click();
  void P2_Change();
  void SchriftLaden();
  void VorschauZeichnen();
  void RegisterSchrift_Click(int tab);
  void EinMal_Click();
  void Speichern_Click();
  void NavAB_Click(Navschritt schritt);
  void NavAUF_Click(Navschritt schritt);
  void cmbZoom_Click();
  void Synchronize();
  static QString KennungAusFarbe(std::uint32_t farbe);

  // The slot in P2, when it names one of the table (1 to 72); other texts are ignored.
  std::optional<int> Slot() const;

 private:
  void aufbauen();
  void preisZusatzAufbauen();
  void verbinden();
  void slotWaehlen(int slot);
  std::array<QLineEdit*, 10> preisZusatzFelder() const;
  QString preisZusatz() const;
  bool beschaeftigt_ = false;
};

// The text of the editor's slot field, loading the editor (not showing it) when needed.
QString SchriftdefSlotText();

// The menu command of the main window: the editor, not modal, over its owner.
void SchriftartendefinitionZeigen(QWidget* besitzer);

}  // namespace vovida
