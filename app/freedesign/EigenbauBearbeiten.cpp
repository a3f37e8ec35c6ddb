// The free-design editor's handlers: loading with the name prompt, the design name,
// alignment buttons, sizes, orientation, prices in two currencies, headline texts and
// the element fonts.
#include "EigenbauModell.h"

#include "AOBStandard.h"
#include "Bilder.h"
#include "EigenbauGlobale.h"
#include "Fensterliste.h"
#include "FrmSchriftdef.h"
#include "NumberText.h"
#include "Preisinfo.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <QLabel>
#include <QLineEdit>

#include <services/InputBox.h>

#include <exception>

namespace vovida {

namespace {

// A box's number after filtering; 0 when it holds none.
double zahl(const QString& text) { return zahlAusText(ZahlFiltern(text)).value_or(0); }

// Filters the text and clamps it to the limit.
QString begrenzt(const QString& text, double grenze) {
  const QString gefiltert = ZahlFiltern(text);
  const std::optional<double> wert = zahlAusText(gefiltert);
  return wert && *wert > grenze ? zahlText(grenze) : gefiltert;
}

QString waehrungscode() { return fensterliste().holen<Preisinfo>().WWSHW->text(); }

// The amount of a price box times (or divided by) the factor, as a price; nothing when
// the box is "-", or the amount or the factor is no usable number (factor 0 included).
std::optional<QString> umgerechnet(const QString& text, bool teilen) {
  const QString gefiltert = ZahlFiltern(text);
  if (gefiltert == u"-") return std::nullopt;
  const std::optional<double> betrag = zahlAusText(gefiltert);
  const std::optional<double> faktor = zahlAusText(fensterliste().holen<Preisinfo>().Faktor->text());
  if (!betrag || !faktor || *faktor == 0) return std::nullopt;
  return PreisFormatieren(rundenGerade(teilen ? *betrag / *faktor : *betrag * *faktor, 2));
}

void umschalten(bool& gedrueckt, bool& a, bool& b, std::int16_t& ausrichtung, std::int16_t wert, bool& ersatz) {
  if (!gedrueckt) {
    a = true;
    b = true;
    ausrichtung = wert;
  } else {
    ersatz = false;
  }
}

}  // namespace

bool EigenbauModell::Laden() {
  TextMarkeFarbe = 65280;
  if (startglobale().NeuerStil) {
    t_BreiteStern = QStringLiteral("0");
    t_HöheStern = QStringLiteral("0");
  }
  if (RTF) {
    const QString logo = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")),
                                      QStringLiteral("@"), QStringLiteral("\\"));
    RTF->LoadFile(PfadAbbilden(logo + QStringLiteral("\\eigenbau.rtf")));
    RTF->setVorlage(true);
  }
  FileablageLesen();
  try {
    DesignlisteFuellen();
    while (SpeicherName.Text.isEmpty()) {
      const std::optional<std::string> name = kesto::services::inputBox(
          "Geben Sie Einen Namen ein unter dem Ihr Vovida gespeichert werden soll!", "Vovida Eigenbau Nahmenseingabe");
      if (!name) return false;  // cancelled: the editor closes
      SpeicherName.Text = QString::fromStdString(*name);
    }
    lesen(SpeicherName.Text);
  } catch (const std::exception&) {
    // Loading ends here; the window keeps what it reached.
  }
  return true;
}

void EigenbauModell::Entladen() {
  O_Hoch = true;
  O_Quer = false;
  FileablageSchreiben();
}

void EigenbauModell::SpeicherName_KeyUp(int taste) {
  if (taste != 13 || SpeicherName.Text.isEmpty()) return;
  // The chosen design once, from the defaults when it has no entries yet.
  lesen(SpeicherName.Text);
}

void EigenbauModell::Uebernehmen_Click() {
  Speichern(SpeicherName.Text);
  neustart();
}

void EigenbauModell::chk_PZ_Click(int n, bool an) {
  const auto i = static_cast<std::size_t>(n);
  chk_PZ.at(i) = an ? 1 : 0;
  if (txt_PZ_X[i].trimmed().isEmpty()) txt_PZ_X[i] = ZusatzpreisX(n);
  if (txt_PZ_Y[i].trimmed().isEmpty()) txt_PZ_Y[i] = ZusatzpreisY(n);
  neustart();
}

void EigenbauModell::ArtikelAusListeEntfernen() {
  ArtNr.List.removeOne(ArtNr.Text);
  ArtNr.Text = ArtNr.List.value(0);
  lesen(SpeicherName.Text, ArtNr.Text, true);
  if (synchronisieren) synchronisieren();
}

void EigenbauModell::B_LB_Click() {
  umschalten(B_LB, B_Z, B_RB, eigenbauGlobale().EigenbauAusrichtung, 1, B_RB);
  neustart();
}

void EigenbauModell::B_Z_Click() {
  umschalten(B_Z, B_LB, B_RB, eigenbauGlobale().EigenbauAusrichtung, 2, B_LB);
  neustart();
}

void EigenbauModell::B_RB_Click() {
  umschalten(B_RB, B_LB, B_Z, eigenbauGlobale().EigenbauAusrichtung, 3, B_LB);
  neustart();
}

void EigenbauModell::b_LBZP_Click(int n) {
  const auto i = static_cast<std::size_t>(n);
  umschalten(b_LBZP.at(i), b_ZZP[i], b_RBZP[i], eigenbauGlobale().ZusatzpreisAusrichtung[i], 1, b_RBZP[i]);
  neustart();
}

void EigenbauModell::b_ZZP_Click(int n) {
  const auto i = static_cast<std::size_t>(n);
  umschalten(b_ZZP.at(i), b_LBZP[i], b_RBZP[i], eigenbauGlobale().ZusatzpreisAusrichtung[i], 2, b_LBZP[i]);
  neustart();
}

void EigenbauModell::b_RBZP_Click(int n) {
  const auto i = static_cast<std::size_t>(n);
  bool keiner = false;  // releasing the right button puts none down
  umschalten(b_RBZP.at(i), b_LBZP[i], b_ZZP[i], eigenbauGlobale().ZusatzpreisAusrichtung[i], 3, keiner);
  neustart();
}

void EigenbauModell::B_Change() {
  B = begrenzt(B, (O_Quer ? 297 : 210) - 2 * zahl(t_SrLinks));
  if (rtfRaenderSetzen) rtfRaenderSetzen();
  neustart();
}

void EigenbauModell::H_Change() {
  H = begrenzt(H, (O_Quer ? 210 : 297) - 2 * zahl(t_SrOben));
  neustart();
}

void EigenbauModell::t_BreiteTextmarke_Change() {
  t_BreiteTextmarke = ZahlFiltern(t_BreiteTextmarke);
  if (zahl(t_BreiteTextmarke) > zahl(B)) t_BreiteTextmarke = B;
}

void EigenbauModell::t_HöheTextmarke_Change() {
  t_HöheTextmarke = ZahlFiltern(t_HöheTextmarke);
  if (zahl(t_HöheTextmarke) > zahl(H)) t_HöheTextmarke = H;
}

void EigenbauModell::t_SrLinks_Change() {
  t_SrLinks = ZahlFiltern(t_SrLinks);
  if (rtfRaenderSetzen) rtfRaenderSetzen();
}

void EigenbauModell::t_SrOben_Change() { t_SrOben = ZahlFiltern(t_SrOben); }

void EigenbauModell::t_EinrückungLR_Change() {
  if (rtfRaenderSetzen) rtfRaenderSetzen();
}

void EigenbauModell::O_Hoch_Click() {
  O_Hoch = true;
  O_Quer = false;
  neustart();
}

void EigenbauModell::O_Quer_Click() {
  O_Hoch = false;
  O_Quer = true;
  neustart();
}

std::pair<double, double> EigenbauModell::RTFRaender() const {
  const double w = O_Quer ? 29.7 : 21;
  const double links = zahl(t_SrLinks), lr = zahl(t_EinrückungLR);
  return {(links + lr) / 10, w - zahl(B) / 10 - links / 10 - 2 * lr / 10};
}

void EigenbauModell::PreisDB_Change() {
  PreisDB.replace(u'.', u',');
  QLineEdit db(PreisDB), ats(PreisATS), eur(PreisEUR);
  fensterliste().holen<Preisinfo>().Preis_Change(db, ats, eur);
  // Written boxes run their own change handlers.
  if (ats.text() != PreisATS) {
    PreisATS = ats.text();
    PreisATS_Change();
  }
  if (eur.text() != PreisEUR) {
    PreisEUR = eur.text();
    PreisEUR_Change();
  }
}

void EigenbauModell::PreisATS_Change() {
  if (waehrungscode() != u"ATS") return;
  if (const auto eur = umgerechnet(PreisATS, true)) PreisEUR = *eur;
}

void EigenbauModell::PreisEUR_Change() {
  if (waehrungscode() != u"EUR") return;
  if (const auto ats = umgerechnet(PreisEUR, false)) PreisATS = *ats;
}

void EigenbauModell::txt_PZ_EUR_Change(int n) {
  const auto i = static_cast<std::size_t>(n);
  if (waehrungscode() != u"EUR") return;
  if (const auto ats = umgerechnet(txt_PZ_EUR.at(i), false)) txt_PZ_ATS[i] = *ats;
}

QString EigenbauModell::PreisEingabe(const QString& text) {
  const QString gefiltert = ZahlFiltern(text);
  if (gefiltert == u"-") return text;
  QLineEdit feld;
  QVariant wert = gefiltert;
  PreisFeldFormatieren(feld, wert);
  return feld.text();
}

void EigenbauModell::ueberschriftSetzen(const QString& text) {
  Ueberschrift = text;
  neustart();
}

void EigenbauModell::RadioKein_Click() { ueberschriftSetzen(QStringLiteral(" ")); }
void EigenbauModell::RadioPreise1_Click() { ueberschriftSetzen(QStringLiteral("FÜR SEHENSWERTE PREISE!")); }
void EigenbauModell::RadionBestellung_Click() { ueberschriftSetzen(QStringLiteral("AUF BESTELLUNG!")); }
void EigenbauModell::RadioRest_Click() { ueberschriftSetzen(QStringLiteral("RESTPOSTEN!")); }
void EigenbauModell::RadioPreise_Click() { ueberschriftSetzen(QStringLiteral("SEHENSWERTE PREISE")); }
void EigenbauModell::RadioAktion_Click() { ueberschriftSetzen(QStringLiteral("AKTION!")); }
void EigenbauModell::RadioWerbung_Click() { ueberschriftSetzen(QStringLiteral("AUS UNSERER WERBUNG!")); }

void EigenbauModell::c_Werbetext_Click() {
  // A text mark needs the headline badge.
  if (c_Werbetext == 0) c_Textmarke = 0;
  c_TextmarkeEnabled = c_Werbetext != 0;
}

void EigenbauModell::chk_Brisal_Click() {
  if (chk_Brisal == 1) {
    RadioPreise1_Click();
  } else {
    RadioPreise_Click();
  }
}

void EigenbauModell::SchriftdefBearbeiten(std::int16_t slot, QWidget* besitzer) {
  Startglobale& g = startglobale();
  g.SchriftNrVon = static_cast<std::uint8_t>(slot);
  g.SchriftNrBis = static_cast<std::uint8_t>(slot);
  try {
    if (fensterliste().geladen<FrmSchriftdef>()) fensterliste().entladen<FrmSchriftdef>();
  } catch (const std::exception&) {
    // The editor opens anew all the same.
  }
  // The editor takes the range when it loads, so it offers exactly this slot.
  SchriftartendefinitionZeigen(besitzer);
  g.SchriftNrVon = 3;
  g.SchriftNrBis = 67;
}

}  // namespace vovida
