// The program speaks German. Errors come in the words of the object library, the server or
// the platform (often English); the program says in its own words what went wrong and
// gives their text after it as detail.
#pragma once

#include <QString>

namespace vovida {

// The German explanation of an error text of the libraries: what the known library
// messages mean, a general sentence for any other text.
QString FehlerErklaerung(const QString& text);

// The German explanation followed by the original text as detail:
// explanation + CR LF + "Einzelheiten: " + text. An empty text gives the explanation alone.
QString FehlerMitEinzelheiten(const QString& text);

// Installs once, in front of the message-box port that is installed now: boxes that the
// object library shows itself (titled "KestoObject") show the program's German text with
// the library's text as detail, under the title "Kesto Zugriffsfehler".
void BibliotheksmeldungenEindeutschen();

}  // namespace vovida
