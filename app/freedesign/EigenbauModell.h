// The free-design editor's state, each control by its name, and the store of the designs
// in the per-user settings store and in rich-text files: save, load, copy, delete design
// and delete article. The editor window shows this state; the layout reads it.
#pragma once

#include "Textkoerper.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace vovida {

// A combo box: its text and its list.
struct Namensliste {
  QString Text;
  QStringList List;
  // Appends the text unless an entry equals it exactly.
  void anhaengen(const QString& eintrag);
};

class EigenbauModell {
 public:
  EigenbauModell();

  // Design.
  Namensliste SpeicherName, ÜbernehmenName, ArtNr;
  QString B, H, Ueberschrift;
  int c_Werbetext = 1, c_Preis = 1, chk_Brisal = 0, c_Textmarke = 1;
  std::int32_t TextMarkeFarbe = 65280;
  QString t_BreiteTextmarke, t_HöheTextmarke, t_BreiteStern, t_HöheStern;
  int t_GrundpreisDatum = 1, t_Artikelinfo = 0;
  // Push-button states of the main-price alignment: false is the button put down.
  bool B_LB = true, B_Z = false, B_RB = true;
  QString t_SrOben, t_SrLinks, t_EinrückungLR, t_EinrückungOU;
  QString t_Fileablage;
  bool O_Hoch = true, O_Quer = false;  // the design's page; applied when it is drawn
  bool c_TextmarkeEnabled = true;

  // Current article.
  QString Bez1, Bez2, Bez3, PreisDB, PreisATS, PreisEUR, Per, Grundpreis, Preis_Info;
  std::array<int, 6> chk_PZ{};
  std::array<QString, 6> txt_PZ_Preisinfo, txt_PZ_Per, txt_PZ_ATS, txt_PZ_EUR, txt_PZ_X, txt_PZ_Y;
  std::array<bool, 6> b_LBZP{}, b_ZZP{}, b_RBZP{};

  // What the editor and the main window provide. RTF is the main window's rich-text
  // control; without one, nothing is saved to or loaded from files.
  Textkoerper* RTF = nullptr;
  std::function<void(const QString& nr, QVector<QVariant>& daten)> artikelLesen;
  std::function<void()> rtfRaenderSetzen;  // the editor's size and indents onto RTF
  std::function<void()> synchronisieren;   // the main window's page bar
  std::function<void()> neustart;          // the preview countdown after an edit

  // Writes the design (only its current article with nurArtikel).
  void Speichern(const QString& name, bool nurArtikel = false);
  // Loads the design; without an article its article list is rebuilt and its first
  // article loaded; nurArtikel leaves the design's own settings untouched.
  void lesen(const QString& name, const std::optional<QString>& artikel = std::nullopt,
             bool nurArtikel = false);
  // The article of ArtNr from the server; with the template body its description goes
  // into the text.
  void Read_Click();
  // The description lines into the body, then the article saved.
  void b_TextÜbernehmen_Click();

  void Löschen_Click();
  void ArtNrLöschen_Click();
  void b_SchriftDefÜbernehmen_Click();

  // Fills both name boxes from the store, the text of each the first name.
  void DesignlisteFuellen();
  // The folder setting into t_Fileablage / back into the store.
  void FileablageLesen();
  void FileablageSchreiben() const;

  // Editor handlers (each after the control has taken the user's input).
  // Form_Load from the folder setting on: false when the user cancelled the name prompt,
  // and the editor is then unloaded.
  bool Laden();
  void Entladen();  // Form_Unload: writes the folder setting
  void SpeicherName_KeyUp(int taste);
  void SpeicherName_Click() { SpeicherName_KeyUp(13); }
  void Uebernehmen_Click();
  void ArtikelAusListeEntfernen();
  // Ticking gives a price without a place its default place.
  void chk_PZ_Click(int n, bool an);
  // The push buttons: called after the click flipped the button's state.
  void B_LB_Click();
  void B_Z_Click();
  void B_RB_Click();
  void b_LBZP_Click(int n);
  void b_ZZP_Click(int n);
  void b_RBZP_Click(int n);
  // Sizes, clamped to the page of the design's orientation.
  void B_Change();
  void H_Change();
  void t_BreiteTextmarke_Change();
  void t_HöheTextmarke_Change();
  void t_SrLinks_Change();
  void t_SrOben_Change();
  void t_EinrückungLR_Change();
  void O_Hoch_Click();
  void O_Quer_Click();
  // Left and right margin of the body in cm, for the rich-text control.
  std::pair<double, double> RTFRaender() const;
  // Prices in the two currencies.
  void PreisDB_Change();
  void PreisATS_Change();
  void PreisEUR_Change();
  void txt_PZ_EUR_Change(int n);
  // Enter in a price box: the text written back as a price.
  static QString PreisEingabe(const QString& text);
  // Headline.
  void RadioKein_Click();
  void RadioPreise1_Click();
  void RadionBestellung_Click();
  void RadioRest_Click();
  void RadioPreise_Click();
  void RadioAktion_Click();
  void RadioWerbung_Click();
  void c_Werbetext_Click();
  void chk_Brisal_Click();
  // Opens the font editor on one element's slot.
  static void SchriftdefBearbeiten(std::int16_t slot, QWidget* besitzer = nullptr);

  // The rich-text file of a name in the folder of t_Fileablage, joined with one separator.
  QString Datei(const QString& name) const;

 private:
  void artikelSchreiben(const QString& name, const QString& artikel);
  void artikelLesenAusSpeicher(const QString& name, const QString& artikel);
  void textLaden(const QString& name, const QString& artikel);
  void ueberschriftSetzen(const QString& text);
  bool baumLoeschen(const QString& name);  // false when the store refused a key
};

// Where extra price n (0 to 5) sits until the user places it: x 50 mm, y 10 n + 5 mm.
QString ZusatzpreisX(int n);
QString ZusatzpreisY(int n);

// Design names and article numbers that would nest keys or leave the folder ("\", "/",
// ".."): false after a German message.
bool EigenbauNameGueltig(const QString& name);

// The settings-store application names of the free design.
QString EigenbauApp();                                              // "Vovida\Eigenbau"
QString EigenbauDesignApp(const QString& name);                     // ...\N
QString EigenbauArtikelApp(const QString& name);                    // ...\N\Artikel
QString EigenbauZusatzApp(const QString& name, const QString& nr);  // ...\N\Artikel\A
// The registry key (ending "\") of a settings-store application.
QString EigenbauSchluessel(const QString& app);

// Reading and writing one settings-store text.
QString einstellungLesen(const QString& app, const QString& abschnitt, const QString& schluessel,
                         const QString& vorgabe = QString());
void einstellungSchreiben(const QString& app, const QString& abschnitt, const QString& schluessel,
                          const QString& wert);

}  // namespace vovida
