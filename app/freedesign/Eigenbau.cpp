#include "Eigenbau.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Preisinfo.h"
#include "Schildarten.h"
#include "Schildfenster.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"
#include "VPNavBar.h"
#include "frmEigenbau.h"
#include "frmEigenbauDruckartikel.h"

#include <QCheckBox>
#include <QLabel>

#include <memory>

namespace vovida {

namespace {

struct Zustand {
  std::unique_ptr<EigenbauModell> modell;
  bool geladen = false;  // a design was loaded into the state
  // The body of the open design: the main window's rich-text control, or code alone
  // without a main window.
  std::unique_ptr<Textkoerper> rtf;
  RtfCodeKoerper rtfCode;
  RtfCodeKoerper rtfText;  // bodies of listed articles while the editor is closed
};

Zustand& zustand() {
  static Zustand z;
  return z;
}

int wert(const QCheckBox* box) { return box && box->isChecked() ? 1 : 0; }

}  // namespace

EigenbauModell& eigenbauModellOhneLaden() {
  Zustand& z = zustand();
  if (!z.modell) {
    z.modell = std::make_unique<EigenbauModell>();
    EigenbauModell& m = *z.modell;
    m.RTF = &z.rtfCode;
    if (fensterliste().geladen<FMStart>()) {
      FMStart& start = fensterliste().holen<FMStart>();
      z.rtf = std::make_unique<RtfSteuerelementKoerper>(*start.RTF);
      m.RTF = z.rtf.get();
      m.synchronisieren = [] { fensterliste().holen<FMStart>().VPNav->Synchronize(); };
    }
  }
  return *z.modell;
}

EigenbauModell& eigenbauModell() {
  Zustand& z = zustand();
  EigenbauModell& m = eigenbauModellOhneLaden();
  if (!z.geladen) {
    z.geladen = true;
    // The editor loads its design itself; without it the first stored design is drawn.
    if (!fensterliste().geladen<frmEigenbau>()) {
      m.FileablageLesen();
      m.DesignlisteFuellen();
      m.lesen(m.SpeicherName.Text);
    }
  }
  return m;
}

void eigenbauModellEntladen() {
  Zustand& z = zustand();
  if (fensterliste().geladen<frmEigenbau>()) fensterliste().entladen<frmEigenbau>();
  if (!z.modell) return;
  z.modell->FileablageSchreiben();
  z.modell.reset();
  z.rtf.reset();
  z.geladen = false;
}

EigenbauUmfeld eigenbauUmfeld() {
  FMStart& start = fensterliste().holen<FMStart>();
  const Startglobale& g = startglobale();
  EigenbauUmfeld u;
  u.vp = &start.VSPrinter1;
  u.RTF = eigenbauModellOhneLaden().RTF;
  u.RTFText = fensterliste().geladen<frmEigenbau>() ? &fensterliste().holen<frmEigenbau>().RTFTextKoerper()
                                                     : &zustand().rtfText;
  u.SchildBild = start.SchildBild;
  u.SchildTamselBild = start.SchildTamselBild;
  u.ZweiPreise = wert(start.ZweiPreise);
  u.Grundpreis = wert(start.Grundpreis);
  u.Raster = wert(start.Raster);
  u.Faktor = fensterliste().holen<Preisinfo>().Faktor->text();
  u.PersonalName = kestoapi().PersonalName;
  u.WaehrungszeichenHW = g.WaehrungszeichenHW;
  u.WaehrungszeichenNW = g.WaehrungszeichenNW;
  u.NeuerStil = g.NeuerStil;
  u.heute = QDate::currentDate();
  u.firmenlogo = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")),
                              QStringLiteral("@"), QStringLiteral("\\"));
  return u;
}

void EigenbauZeichnen() {
  EigenbauModell& m = eigenbauModell();
  EigenbauZeichnen(m, eigenbauUmfeld());
}

bool BlattAnzeigen(const EigenbauModell& m, kesto::activex::VSPrinter& vp) {
  const qsizetype i = m.ArtNr.List.indexOf(m.ArtNr.Text);
  if (i < 0) return false;
  if (vp.PageCount() >= i + 1) vp.setPreviewPage(static_cast<int>(i) + 1);
  return true;
}

void BlattAnzeigen() {
  FMStart& start = fensterliste().holen<FMStart>();
  if (BlattAnzeigen(eigenbauModell(), start.VSPrinter1)) start.VPNav->Synchronize();
}

void EigenbauEintragen() {
  SchildartDienste dienste;
  dienste.editorZeigen = [] { frmEigenbauZeigen(); };
  dienste.zeichnen = [] { EigenbauZeichnen(); };
  dienste.blattAnzeigen = [] { BlattAnzeigen(); };
  SchildartEintragen(QStringLiteral("EIGENBAU"), dienste);
  Schildfenster fenster;
  fenster.ArtNr = [] { return eigenbauModell().ArtNr.List; };
  fenster.artikelZeigen = [](const QString& nr) {
    // As Enter in the article box: the article's entries, not a save of the current one.
    EigenbauModell& m = eigenbauModell();
    m.ArtNr.Text = nr;
    m.lesen(m.SpeicherName.Text, nr, true);
    if (fensterliste().geladen<frmEigenbau>()) fensterliste().holen<frmEigenbau>().Anzeigen();
  };
  SchildfensterEintragen(QStringLiteral("EIGENBAU"), fenster);
  setEigenbauDruckauswahl([] { return EigenbauDruckartikelWaehlen(); });
}

}  // namespace vovida
