// The layout entry of the main window: the records, the tile editor's controls (or what
// they held when it closed; an editor never opened is loaded fresh), the main window and
// the price window.
#include "Fliesenschild.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Fliesendaten.h"
#include "Kestoapi.h"
#include "Preisinfo.h"
#include "Startglobale.h"
#include "frmFliesenSchild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

namespace vovida {

namespace {

// Only the editor's part is set.
std::optional<FliesenschildUmfeld>& behalteneWerte() {
  static std::optional<FliesenschildUmfeld> werte;
  return werte;
}

// The editor's part of what the layout reads.
FliesenschildUmfeld editorwerte(const frmFliesenSchild& f) {
  FliesenschildUmfeld u;
  u.B = f.B->text();
  u.H = f.H->text();
  u.ArtNr = f.ArtNr->currentText();
  u.Fliesentype = f.Fliesentype->currentText();
  u.Ueberschrift = f.Ueberschrift->text();
  u.hauptErklaerung = f.chk_HArt_Erklaerung->isChecked();
  u.ueberschriftSlot = UeberschriftSlot(f.RadioPreise->isChecked(), f.RadionBestellung->isChecked(),
                                        f.RadioAktion->isChecked(), f.RadioRest->isChecked(),
                                        f.RadioWerbung->isChecked());
  u.textmarkeFarbe = f.TextMarkeFarbe;
  return u;
}

}  // namespace

void FliesenEditorwerteBehalten(const frmFliesenSchild& editor) { behalteneWerte() = editorwerte(editor); }

void FliesenEditorwerteVergessen() { behalteneWerte().reset(); }

FliesenschildUmfeld FliesenschildUmfeldLesen() {
  FMStart& start = fensterliste().holen<FMStart>();
  const Preisinfo& preise = fensterliste().holen<Preisinfo>();
  const Startglobale& g = startglobale();
  // A closed editor's values, not those of a fresh one that would reset the sign.
  FliesenschildUmfeld u = !fensterliste().geladen<frmFliesenSchild>() && behalteneWerte()
                              ? *behalteneWerte()
                              : editorwerte(FormHolen<frmFliesenSchild>());
  u.vp = &start.VSPrinter1;
  u.parameter = FliesenparameterLesen();
  u.Plakatart = g.Plakatart;
  u.Logo = start.LogoBild;
  u.Raster = start.Raster->isChecked() ? 1 : 0;
  u.waehrungen = {preise.ETHW->text(), preise.Faktor->text(), g.WaehrungszeichenHW, g.WaehrungszeichenNW,
                  start.ZweiPreise->isChecked()};
  u.PersonalName = kestoapi().PersonalName;
  u.NeuerStil = g.NeuerStil;
  return u;
}

void FliesenschilderDrucken() {
  // The editor first: loading it may change the records.
  const FliesenschildUmfeld u = FliesenschildUmfeldLesen();
  FliesenschilderDrucken(fliesendaten(), u);
}

}  // namespace vovida
