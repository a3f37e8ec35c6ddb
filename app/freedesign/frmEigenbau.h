// The free-design editor window: every control by its name, a view over the editor state
// (EigenbauModell). Handlers put the user's input into the state, run the state's
// operation and show the state again.
#pragma once

#include "Fensterliste.h"
#include "Textkoerper.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace kesto::activex {
class PushToggle;
class RTFText2;
}  // namespace kesto::activex

namespace vovida {

class EigenbauModell;

class frmEigenbau : public QWidget, public Entladbar {
 public:
  static constexpr const char* kName = "frmEigenbau";
  // The window's fixed left edge and width (twips).
  static constexpr int kBreite = 8160;
  static constexpr int kLinks = 4440;
  static constexpr const char* kSchaltflaechen =
      "cfont|csize| |new|open| |cut|copy|paste| |undo|redo| |bold|italic|uline|colour| |left|right|centre|bullet";

  frmEigenbau();
  ~frmEigenbau() override;

  // Outside the tabs.
  QComboBox* SpeicherName;
  QCheckBox* c_Werbetext;
  QPushButton* Uebernehmen;
  QPushButton* pb_Abbrechen;
  QPushButton* Löschen;
  QLineEdit* t_Fileablage;
  QTabBar* TabFeld;
  std::array<QGroupBox*, 6> Frame{};  // 1 to 5

  // Article and prices.
  QComboBox* ArtNr;
  QPushButton* Read;
  QPushButton* Suchen;
  QPushButton* ArtNrLöschen;
  QLineEdit* Bez1;
  QLineEdit* Bez2;
  QLineEdit* Bez3;
  QPushButton* b_TextÜbernehmen;
  QLineEdit* PreisDB;
  QLineEdit* PreisATS;
  QLineEdit* PreisEUR;
  QLineEdit* Per;
  QLineEdit* Grundpreis;
  QLineEdit* Preis_Info;
  kesto::activex::PushToggle* B_LB;
  kesto::activex::PushToggle* B_Z;
  kesto::activex::PushToggle* B_RB;
  QLineEdit* t_BreiteStern;
  QLineEdit* t_HöheStern;
  QCheckBox* t_GrundpreisDatum;
  QCheckBox* t_Artikelinfo;
  QCheckBox* c_Preis;

  // Headline and text mark.
  QLineEdit* Ueberschrift;
  QRadioButton* RadioKein;
  QRadioButton* RadioPreise1;
  QRadioButton* RadionBestellung;
  QRadioButton* RadioRest;
  QRadioButton* RadioPreise;
  QRadioButton* RadioAktion;
  QRadioButton* RadioWerbung;
  QCheckBox* c_Textmarke;
  QLineEdit* t_BreiteTextmarke;
  QLineEdit* t_HöheTextmarke;
  QPushButton* Farbe;
  QCheckBox* chk_Brisal;

  // Fonts, sizes, page and copy.
  QPushButton* b_SchriftDefÜberschrift;
  QPushButton* b_SchriftDefPreis;
  QPushButton* b_SchriftDefGrundpreis;
  QPushButton* b_SchriftDefInfo;
  QPushButton* b_SchriftdefZusatzPreise;
  QLineEdit* B;
  QLineEdit* H;
  QLineEdit* t_EinrückungLR;
  QLineEdit* t_EinrückungOU;
  QRadioButton* O_Hoch;
  QRadioButton* O_Quer;
  QLineEdit* t_SrLinks;
  QLineEdit* t_SrOben;
  QComboBox* ÜbernehmenName;
  QPushButton* b_SchriftDefÜbernehmen;

  // Extra prices 0 to 5.
  std::array<QCheckBox*, 6> chk_PZ{};
  std::array<QLineEdit*, 6> txt_PZ_Preisinfo{}, txt_PZ_Per{}, txt_PZ_ATS{}, txt_PZ_EUR{}, txt_PZ_X{}, txt_PZ_Y{};
  std::array<kesto::activex::PushToggle*, 6> b_LBZP{}, b_ZZP{}, b_RBZP{};

  // Hidden: loads the bodies of the listed articles for the layout.
  kesto::activex::RTFText2* RTFText;

  // The editor state this window shows.
  EigenbauModell& modell() const;
  // The body of RTFText.
  Textkoerper& RTFTextKoerper() { return *rtfTextKoerper_; }

  // Prepares the main window's body and loads the first design; false when the user
  // cancelled the name prompt, and the caller then unloads the window.
  bool Form_Load();
  void Form_Unload() override;
  // Shows the state in the controls (after a load from elsewhere, e.g. the page bar).
  void Anzeigen();

  void TabFeld_Click();
  void ArtNr_KeyUp(int taste);
  void ArtNr_Click();
  void Suchen_Click() { ArtNr_KeyUp(36); }
  void Farbe_Click();
  void pb_Abbrechen_Click();
  // The size and indents as the margins of the main window's body.
  void RTFRaenderSetzen();
  // Turns the preview to the page of the current article.
  void BlattAnzeigen();

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void aufbauen();
  void verbinden();
  // A text box bound to a text of the state, with the handler its change runs.
  void textfeld(QLineEdit* feld, std::function<QString&()> wert, std::function<void()> aenderung = {});
  void knopf(QPushButton* knopf, std::function<void()> klick);
  // Runs a handler as a window event, then shows the state.
  void handeln(const std::function<void()>& handler);
  void tasteLoslassen(QObject* objekt, int taste);

  std::unique_ptr<Textkoerper> rtfTextKoerper_;
  int sichtbaresFrame_ = 1;
};

// Shows the editor modeless over the main window (loading it first); a cancelled name
// prompt leaves it unloaded.
void frmEigenbauZeigen();

}  // namespace vovida
