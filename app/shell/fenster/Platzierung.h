// Keeps every top-level window of the program inside the available area of its screen
// (the screen without panels and docks), however large the window asks to be.
#pragma once

class QWidget;

namespace vovida {

// Shrinks the window to the available area when it is larger, and moves it inside.
void ImVerfuegbarenBereich(QWidget& fenster);

// From now on each window is kept inside when it is shown. Once, after the QApplication.
void FensterImBildschirmHalten();

}  // namespace vovida
