// Input as a person gives it: keys and clicks go to the top-level window, through the
// window system's path with Qt's focus handling, shortcuts and every event filter; never
// straight to an inner widget, which no person can do.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace vovida::test {

// Types the characters into the window of the widget; its focus decides where they land.
void tippen(QWidget& imFenster, const QString& text);
// One key, pressed and released, in the window of the widget.
void taste(QWidget& imFenster, Qt::Key taste, Qt::KeyboardModifiers zusatz = Qt::NoModifier);
// A click at a point of the widget (its middle by default), delivered to its window.
void klicken(QWidget& ziel, QPoint stelle = QPoint(-1, -1), Qt::MouseButton knopf = Qt::LeftButton);
// Shows the window and makes it the active one, as the window manager does on a click.
void aktivieren(QWidget& fenster);
// Replaces a box's text as a person does: the window brought to the front, a click into the
// box, all of it selected (Ctrl+A) and typed over. Ends with the box as the focus.
void ersetzen(QWidget& feld, const QString& text);

}  // namespace vovida::test
