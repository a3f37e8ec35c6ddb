// The sign kind "EIGENBAU" in the main window: the editor state that the layout reads
// (loaded with the first stored design on first use), the layout entry, and the page of
// the current article.
#pragma once

#include "EigenbauModell.h"
#include "EigenbauZeichnen.h"

namespace vovida {

// The editor state; the first use reads the folder setting and the design list and loads
// the first design.
EigenbauModell& eigenbauModell();
// The same state without loading a design: the editor window loads one itself.
EigenbauModell& eigenbauModellOhneLaden();
void eigenbauModellEntladen();  // writes the folder setting back

// The layout's view of the main window and the program.
EigenbauUmfeld eigenbauUmfeld();

// The layout entry of the main window's refresh.
void EigenbauZeichnen();
// Turns the preview to the page of the current article: page i + 1 for the i-th entry
// of the list, when the preview has it. False when the article is not listed.
bool BlattAnzeigen(const EigenbauModell& m, kesto::activex::VSPrinter& vp);
void BlattAnzeigen();

// Registers the sign kind's services with the main window.
void EigenbauEintragen();

}  // namespace vovida
