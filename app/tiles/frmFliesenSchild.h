// The tile-sign editor: sign type, header text and colour, the main tile article with its
// tile data and packaging figures, and up to eleven sub-articles in the user's order. It
// fills the tile-sign records and the per-type memory; the layout reads the records and
// some of these controls.
#pragma once

#include "Fensterliste.h"
#include "Fliesendaten.h"
#include "Tastatur.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace vovida {

class frmFliesenSchild : public QWidget, public Entladbar {
 public:
  static constexpr const char* kName = "frmFliesenSchild";
  // Enter, and the key that opens the article search.
  static constexpr int kEnter = kTasteEnter;
  static constexpr int kSuche = kTastePos1;

  frmFliesenSchild();
  ~frmFliesenSchild() override;

  // Menus.
  QMenuBar* Menue;
  QMenu* mSchildauswahl;
  QAction* mWandfliese;
  QAction* mBodenfliese;
  QAction* mKuechenfliese;
  QAction* mBestellung;
  QAction* mBestellung_klein;
  QAction* mFliesenbeschriftung;
  QAction* mBestellFliesenbeschriftung;
  QMenu* mSchildDimensionen;
  QAction* mBearbeiten;

  // The folder tabs and their pages (Frame1(1..3) are Frame1[0..2]).
  QTabBar* TabStrip1;
  std::array<QWidget*, 3> Frame1{};
  // Kept for the folder-tab control; they switch nothing on the tabs.
  QString TabFlags;
  int AktuellerTab = 1;

  // Page 1.
  QLineEdit* Ueberschrift;
  QRadioButton* RadioAktion;
  QRadioButton* RadionBestellung;
  QRadioButton* RadioPreise;
  QRadioButton* RadioRest;
  QRadioButton* RadioWerbung;
  QPushButton* Farbe;
  std::uint32_t TextMarkeFarbe = 0xFF0000;  // the colour dialog's colour
  QLineEdit* B;
  QLineEdit* H;
  QPushButton* Save;
  QPushButton* Uebernehmen;
  QPushButton* ctPush1;

  // Page 2.
  QComboBox* ArtNr;
  QPushButton* Suchen;
  QPushButton* ArtikelLaden;
  QPushButton* ArtikelLoeschen;
  QLineEdit* Bez1;
  QLineEdit* Bez2;
  QLineEdit* Alias;
  QLineEdit* Sortierung;
  QComboBox* Fliesentype;
  QLineEdit* Abriebgruppe;
  QLineEdit* Verfuegbarkeit;
  QLineEdit* Groesze;
  QLineEdit* frostsicher;
  QLineEdit* Regalnummer;
  QLineEdit* TamselArtNr;
  QComboBox* Per;
  QComboBox* HVKE;
  QLineEdit* HVPI;
  QLineEdit* HVRM;
  QLineEdit* HVPM;
  QLineEdit* PreisDB;
  QLineEdit* PreisATS;
  QLineEdit* PreisEUR;
  QCheckBox* chk_HArt_Erklaerung;

  // Page 3.
  QListWidget* Detail;
  QComboBox* subArtikelNummer;
  QPushButton* subSuchen;
  QPushButton* subArtikelLaden;
  QPushButton* up;
  QPushButton* down;
  QComboBox* ZeilenText;
  QLineEdit* DAlias;
  QLineEdit* DBezeichnung;
  QLineEdit* DBezeichnung2;
  QLineEdit* DTamselArtNr;
  QComboBox* DPer;
  QLineEdit* DPreisDB;
  QLineEdit* DPreisATS;
  QLineEdit* DPreisEUR;
  QCheckBox* DInfo;
  QComboBox* SVKE;
  QLineEdit* SVPI;
  QLineEdit* SVRM;
  QLineEdit* SVPM;
  QCheckBox* chk_SubErklaerungAnzeigen;

  // The opening (runs when the window is loaded).
  void Form_Load();
  // Closing leaves the records, the type and what the layout reads of this window.
  void Form_Unload() override;
  // Reads "PLAKAT"/"FLIESEN": automatic tile data when it is "A" after upper-casing.
  void Erstellung();

  // Sign-type items.
  void mWandfliese_Click();
  void mBodenfliese_Click();
  void mKuechenfliese_Click();
  void mBestellung_Click();
  void mBestellung_klein_Click();
  void mFliesenbeschriftung_Click();
  void mBestellFliesenbeschriftung_Click();
  void mBearbeiten_Click();
  void TabStrip1_Click();

  // Article handling (frmFliesenSchildArtikel.cpp).
  void ArtNr_KeyDown(int keyCode);
  void ArtikelLaden_Click();
  void ArtNr_Click();
  void ArtikelLoeschen_Click();
  void Suchen_Click();
  void subArtikelNummer_KeyDown(int keyCode);
  void subArtikelLaden_Click() { subArtikelNummer_KeyDown(kEnter); }
  void subSuchen_Click() { subArtikelNummer_KeyDown(kSuche); }
  void Detail_Click();
  void up_Click();
  void down_Click();
  void DInfo_Click();
  void Farbe_Click();
  void Save_Click();
  void ctPush1_Click();
  void chk_HArt_Erklaerung_Click();

  // Records and memory (frmFliesenSchildDaten.cpp).
  void Fliesendatenladen();
  void HauptartikelLesen();
  void UnterartikelLesen(int zeile, const QString& nummer);
  void Uebernehmen_Click();
  void DatensaetzeAnzeigen();
  void AllesLeeren();
  void ZeileLeeren();

 private:
  void aufbauen();
  void menuesAufbauen();
  void verbinden();
  void schildtypWaehlen(QAction* punkt, const QString& plakatart, const QString& typ, bool bestellung,
                        const QString& titel);
  void bestellungEinrichten(bool bestellung);
  void artikellisteFuellen();
  void zeilenlisteFuellen();
  void zeileVerschieben(int nachbar);
  void preisDBGeaendert(QLineEdit& db, QLineEdit& ats, QLineEdit& eur);
  void preisEURGeaendert(QLineEdit& ats, QLineEdit& eur, QString& ziel);
  void preisEURBestaetigt(QLineEdit& db, QLineEdit& eur);
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  bool detailAnzeigen_ = false;  // Detail's selection set by the window, not the user
};

}  // namespace vovida
