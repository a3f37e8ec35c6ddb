// What the queue editors (frmPlakat, frmRegalBesch, frmFrSchild) share: the article
// entry with its list (the queue), reading an article from the server, storing and
// loading queue entries, the two currency boxes, removing an article, sending the list
// to another queue editor, and clearing the queue when the window closes.
//
// A queue editor derives from it, lays the controls out in its constructor, gives the
// window-list name (kName), and adds its own controls and handlers. Hooks cover where
// the editors differ: what a store writes and a load reads, what follows a store or a
// removal, and how a failed clearing is reported.
#pragma once

#include "Fensterliste.h"
#include "Tastatur.h"
#include "Warteschlange.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <exception>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vovida {

// The standard headlines of the option buttons in the frame "Standardtexte".
struct Standardtext {
  const char* option;
  const char* text;
};
inline constexpr std::array<Standardtext, 5> kStandardtexte{{
    {"RadioAktion", "AKTION!"},
    {"RadionBestellung", "AUF BESTELLUNG!"},
    {"RadioPreise", "FÜR SEHENSWERTE PREISE."},
    {"RadioRest", "RESTPOSTEN!"},
    {"RadioWerbung", "AUS UNSERER WERBUNG!"},
}};
// The headline of an option button's name, "" for another name.
QString Standardtext(const char* option);

class Warteschlangenfenster : public QWidget, public Entladbar {
 public:
  Warteschlangenfenster();
  ~Warteschlangenfenster() override;

  // Editable combo box: its items are the queue, in page order.
  QComboBox* ArtNr;
  QPushButton* Read;
  QPushButton* Suchen;
  QPushButton* Uebernehmen;
  QPushButton* ArtikelLoeschen;
  QPushButton* pb_Abbrechen;
  QPushButton* cbSenden;
  QLineEdit* Bez1;
  QLineEdit* Bez2;
  QLineEdit* Bez3;
  QLineEdit* PreisDB;
  QLineEdit* PreisATS;
  QLineEdit* PreisEUR;
  QLineEdit* Grundpreis;
  QLineEdit* Per;
  QLineEdit* Preis_Info;
  QLineEdit* Ueberschrift;

  // Set only by sending the list to another queue editor; then closing keeps the queue.
  bool Gesendet = false;

  // The queue: ArtNr's items in order.
  QStringList Liste() const;
  QString ArtNrText() const;
  void setArtNrText(const QString& text);
  // The texts of the fields as they stand, saved or not, with the entry's article number.
  Schildtexte Felder() const;
  // Position (from 0) of the first item equal to the text, -1 when none.
  int Position(const QString& text) const;

  // Opening: the box of the main currency enabled, the other one not. Editors call it
  // from their own Form_Load.
  virtual void Form_Load();
  // Closed by the user: clears the queue unless it was sent or cleared already (once per
  // close), and forgets the stored list. At the end of the program both stay, so that the
  // next start shows them again.
  void Form_Unload() override;

  // The shared operations of the queue editors.
  virtual void Uebernehmen_Click();
  void lesen();
  virtual void Read_Click();
  void ArtNr_KeyUp(int taste);
  void Suchen_Click() { ArtNr_KeyUp(kTastePos1); }
  // Enter in ArtNr: the entry as an article number; loaded from the queue when listed,
  // else read from the server.
  void ArtNr_Enter();
  // ZahlPruefen of ArtNr in digit mode (13 before the comma, none after); false when the
  // box reported a bad number.
  bool ArtNrPruefen();
  void ArtikelLoeschen_Click();
  void pb_Abbrechen_Click();
  // Choosing a list item; each editor has its own.
  virtual void ArtNr_Click() {}

  void PreisDB_Change();
  void PreisATS_Change();
  void PreisEUR_Change();
  // Enter in or leaving a price box: the filtered value written back formatted and
  // selected. Leaving selects without taking the focus back.
  void PreisfeldBestaetigen(QLineEdit& feld, bool verlassen = false);
  // Sets the headline and restarts the preview countdown.
  void UeberschriftSetzen(const QString& text);

  // The caption of Preisinfo's WWSHW ("ATS" or "EUR") and the box of that currency.
  static QString Hauptwaehrung();
  QLineEdit& Hauptpreisfeld();

  // Fills the fields from the server (slots 0 to 5 of the article record) and starts the
  // information text anew; false when the read failed ("Fehler"): the article's boxes are
  // then empty, so that no text of another article stays, and the number stays as typed.
  bool ArtikelFelderLesen();

  // Sends the list: the target's list becomes exactly this list, each article's headline
  // becomes ueberschrift, and the target's entry this entry. The caller then runs the
  // target's headline option and lesen, and GesendetSchliessen.
  void SendenAn(Warteschlangenfenster& ziel, const QString& ueberschrift);
  // Restarts the countdown, sets the sent flag and closes the window.
  void GesendetSchliessen();

  // Deletes every queue section that no other loaded queue editor lists.
  void WarteschlangeLeeren();

  // The loaded queue editors (tests and the layouts' printing read them).
  static QList<Warteschlangenfenster*> geladene();

 protected:
  // Writes the entry of the article number from the fields (the eight keys by default).
  virtual void eintragSchreiben(const QString& artNr);
  // Reads the entry into the fields (the eight keys by default).
  virtual void eintragLesen(const QString& artNr);
  // Whether an empty entry joins the list before the empty check (shelf labels, outdoor
  // signs) or not (posters).
  virtual bool leereNummerAufnehmen() const { return false; }
  // Whether entries keep a headline (not the outdoor signs).
  virtual bool mitUeberschrift() const { return true; }
  // The information text a newly read article starts with.
  virtual QString Infovorgabe() const { return {}; }
  virtual void nachSpeichern() {}
  virtual void nachEntfernen() {}
  // After the stored list of the run before is loaded.
  virtual void nachListeLaden() {}
  // A clearing that failed: the poster editor's message by default.
  virtual void leerenFehlgeschlagen(const std::exception& fehler);

  void closeEvent(QCloseEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  void schliessen();

 private:
  // The stored list into ArtNr, its first entry loaded.
  void listeLaden();
  void listeSichern();
  void leeren();

  bool geleert_ = false;
  bool sichern_ = true;
};

}  // namespace vovida
