// What the tile layout tests share: a main window logged in against the demo server,
// the records and the layout's surroundings, and the recorded page read with boxes
// compared to a hundredth of a millimetre.
#pragma once

#include "Hauptfenster.h"

#include "Fliesendaten.h"
#include "Fliesenschild.h"
#include "Seite.h"

#include <span>

namespace vovida::test {

using Mm = kesto::test::MmBox<0.005>;
using kesto::test::alle;
using kesto::test::inMm;
using kesto::test::texte;

// Nothing drawn below the sign's frame (the first polygon of the page), neither on the sign
// nor in the strip beside it.
void nichtsUnterDemSchild(std::span<const kesto::activex::DrawOp> ops);

class Fliesenschildseite : public Hauptfenster {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The surroundings as the main window gives them, for the kind, after login.
  FliesenschildUmfeld umfeld(const char* plakatart);
  // Draws with the records and u; the recorded ops of the one page.
  std::span<const kesto::activex::DrawOp> zeichnen(const FliesenschildUmfeld& u);
  Fliesendaten& daten() { return fliesendaten(); }
  // Sets a server parameter of group "PLAKAT".
  void parameter(const char* schluessel, const char* wert);
};

}  // namespace vovida::test
