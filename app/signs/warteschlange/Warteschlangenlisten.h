// The article lists of the queue editors, kept in the settings store as the user builds
// them, so that an end of the program, however it comes, loses none and the next start
// shows them again: application "Vovida", section "Warteschlangen", one value per editor
// window name, the list as a JSON array of texts (any text an article entry can hold, the
// empty entry of a shelf label included).
#pragma once

#include <QString>
#include <QStringList>

namespace vovida {

// The stored list of the editor; empty when none is stored. Throws std::runtime_error
// naming the editor when the stored value is no list of texts.
QStringList ListeLesen(const QString& fenster);
// Throws what the store throws when it cannot be saved.
void ListeSchreiben(const QString& fenster, const QStringList& liste);
void ListeLoeschen(const QString& fenster);
// The entries of every stored list but the editor's own; a value that is no list counts
// as none.
QStringList AndereGespeicherteListen(const QString& fenster);

}  // namespace vovida
