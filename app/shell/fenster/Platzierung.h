// Where the program's windows open: each inside the available area of its screen (the
// screen without panels and docks), title bar included, and a window with an owner in
// front of that owner, where it covers nothing the owner keeps free.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace vovida {

// The frame rectangle shrunk and moved into the area, its top-left corner last to give.
QRect InBereich(QRect rahmen, const QRect& bereich);
// A frame of the given size beside the owner's frame, inside the area: right of the owner,
// else left of it, else right of the part it keeps free (frei), narrowed down to
// mindestBreite when needed. Its top lines up with the owner's.
QRect PlatzNeben(QSize groesse, int mindestBreite, const QRect& besitzer, const QRect& frei, const QRect& bereich);
// A frame of the given size centred over the owner's frame, inside the area.
QRect PlatzUeber(QSize groesse, const QRect& besitzer, const QRect& bereich);

// Shrinks the window to the available area when it is larger, and moves it inside.
void ImVerfuegbarenBereich(QWidget& fenster);

// From now on each window is kept inside when it is shown. Once, after the QApplication.
void FensterImBildschirmHalten();

// The part of the window (a child) that windows it owns never cover.
void FreiHalten(QWidget& fenster, QWidget& teil);

// Makes the window of besitzer the owner of fenster: the window manager keeps fenster in
// front of it. A window not yet shown is placed beside an owner that keeps a part free,
// else centred over its owner. An owner that is shown only later takes its windows along
// then. Without an owner nothing changes.
void Zuordnen(QWidget& fenster, QWidget* besitzer);

}  // namespace vovida
