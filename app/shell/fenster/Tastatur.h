// How a person's keys reach the windows' handlers: the key codes the handlers know, key-ups
// that count only where their key went down, and the keys of editable combo boxes.
#pragma once

#include <QEvent>

#include <functional>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace vovida {

inline constexpr int kTasteEnter = 13;
inline constexpr int kTastePos1 = 36;

// The handlers' code of a Qt key: 13 for Return and Enter, 36 for Home, else the Qt key.
int Tastencode(int qtTaste);

// Once per application: a key-up reaches a window only when the key went down there too.
// The Enter that closes a message box goes down in the box and comes up over the field
// beneath it; that field must not take it for its own Enter.
void TastenpaareEinrichten();

// Enter and Home of an editable combo box (an article-number entry, a design name) go to
// the handler with their code, on the key-down (QEvent::KeyPress) or on the key-up
// (QEvent::KeyRelease). The handling sits on the box itself: the box keeps the focus
// and hands its keys to its line edit directly, past anything installed there. Enter
// never counts as a choice from the box's list: the handler decides what it means.
void KombifeldTasten(QComboBox& box, QEvent::Type wann, std::function<void(int taste)> handler);

// A window shown as a dialog: each time it shows, the focus is in erstesFeld with its text
// selected; Return or Enter that no control took clicks ok, Escape clicks abbrechen.
void DialogTasten(QWidget& fenster, QWidget& erstesFeld, QAbstractButton& ok, QAbstractButton& abbrechen);

}  // namespace vovida
