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

#include <QCheckBox>
#include <QLabel>

#include <memory>

namespace vovida {

namespace {

struct Zustand {
  std::unique_ptr<EigenbauModell> modell;
  RtfCodeKoerper rtf;      // the main window's body of the open design
  RtfCodeKoerper rtfText;  // the editor's hidden control: bodies of listed articles
};

Zustand& zustand() {
  static Zustand z;
  return z;
}

int wert(const QCheckBox* box) { return box && box->isChecked() ? 1 : 0; }

}  // namespace

EigenbauModell& eigenbauModell() {
  Zustand& z = zustand();
  if (!z.modell) {
    z.modell = std::make_unique<EigenbauModell>();
    EigenbauModell& m = *z.modell;
    m.RTF = &z.rtf;
    if (fensterliste().geladen<FMStart>()) {
      m.synchronisieren = [] { fensterliste().holen<FMStart>().VPNav->Synchronize(); };
    }
    m.FileablageLesen();
    m.DesignlisteFuellen();
    m.lesen(m.SpeicherName.Text);
  }
  return *z.modell;
}

void eigenbauModellEntladen() {
  Zustand& z = zustand();
  if (!z.modell) return;
  z.modell->FileablageSchreiben();
  z.modell.reset();
}

EigenbauUmfeld eigenbauUmfeld() {
  FMStart& start = fensterliste().holen<FMStart>();
  const Startglobale& g = startglobale();
  EigenbauUmfeld u;
  u.vp = &start.VSPrinter1;
  u.RTF = &zustand().rtf;
  u.RTFText = &zustand().rtfText;
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

void EigenbauZeichnen() { EigenbauZeichnen(eigenbauModell(), eigenbauUmfeld()); }

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
  };
  SchildfensterEintragen(QStringLiteral("EIGENBAU"), fenster);
}

}  // namespace vovida
