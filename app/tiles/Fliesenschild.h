// The layout of the tile signs: a sale sign ("FVK") with logo, main-article block,
// sub-article table and price, or a tile label ("A7") with a coloured oval and a
// headline. One sign on one A4 page of the main window's preview, in millimetres.
#pragma once

#include "FliesenschildMasse.h"
#include "FliesenschildTexte.h"

#include <QImage>
#include <QString>

#include <activex/Colour.h>
#include <activex/VSPrinter.h>

#include <cstdint>

namespace vovida {

struct Fliesendaten;

// What the layout reads besides the records: the editor's controls, the main window,
// the price window and the program-wide values.
struct FliesenschildUmfeld {
  kesto::activex::VSPrinter* vp = nullptr;  // the main window's preview
  Fliesenparameter parameter;
  QString Plakatart;
  QString B, H;  // the editor's label size boxes
  QString ArtNr, Fliesentype, Ueberschrift;
  bool hauptErklaerung = true;       // chk_HArt_Erklärung
  std::int16_t ueberschriftSlot = 9;  // by the first ticked headline option
  kesto::activex::Colour textmarkeFarbe = 0xFF0000;
  QImage Logo;
  int Raster = 0;
  Waehrungen waehrungen;
  QString PersonalName;
  bool NeuerStil = false;
};

// The headline slot of the first ticked option: RadioPreise 9, RadionBestellung 62,
// RadioAktion 5, RadioRest 13, RadioWerbung 17; none ticked gives 9.
std::int16_t UeberschriftSlot(bool preise, bool bestellung, bool aktion, bool rest, bool werbung);

// The layout entry for "A7" and "FVK": chooses the size and the font slots and draws
// one ended document. A sign type that has no layout (a sale sign of type
// "Beschriftung") leaves an empty ended document. A size that is missing or no number
// leaves an empty ended document and throws std::runtime_error with a German text.
// Sub-article rows that do not fit on the sign are told in a message box, once for the
// same sign, type, size and number of rows, so that the preview's redraws do not repeat it.
void FliesenschilderDrucken(const Fliesendaten& d, const FliesenschildUmfeld& u);
void WeggelasseneZeilenVergessen();  // tests
// The same for the main window: reads the records, the editor and the main window.
void FliesenschilderDrucken();
FliesenschildUmfeld FliesenschildUmfeldLesen();

class frmFliesenSchild;
// The editor keeps its values for the layout when it closes, so that the preview of the
// sign goes on without it; a fresh editor is loaded only when none was open yet.
void FliesenEditorwerteBehalten(const frmFliesenSchild& editor);
void FliesenEditorwerteVergessen();  // tests

// Draws one sign of breite x hoehe mm as one ended document; the slot offset is 0
// (slots 36..47) or 12 (48..59), beschriftung draws a label. Returns how many filled
// sub-article rows were left off for want of room.
int FliesenschildZeichnen(double breite, double hoehe, std::int16_t versatz, bool beschriftung,
                          const Fliesendaten& d, const FliesenschildUmfeld& u);

}  // namespace vovida
