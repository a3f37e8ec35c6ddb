// Texts between the server's 7-bit German form and the screen, rich-text and search-key
// forms, and the small text helpers of the server-access module.
#pragma once

#include <QString>

namespace vovida {

// Modes (compared exactly): "Ferrix" server to screen, "GUIFerrix" screen to server,
// "FerrixSUCHE" search key, "RTF" rich-text code; any other mode leaves the text as it
// is. With grossSchreiben the text is upper-cased first, letter by letter ("ß" stays).
QString TextKonvertieren(const QString& text, const QString& modus, bool grossSchreiben);

// Replaces each occurrence of suche, scanning from the left. Without ganzerText only the
// first character of suche and of ersatz count. An empty search text changes nothing.
QString TextErsetzen(const QString& text, const QString& suche, const QString& ersatz,
                     bool ganzerText = false);

// Field nr (from 1) of text cut at the first character of trenner; vorgabe when the field
// is empty or missing.
QString TeilString(const QString& text, const QString& trenner, int nr,
                   const QString& vorgabe = QString());

}  // namespace vovida
