// The login: settings of "Kesto Login", the login window when needed, and the check of
// user and password against the server's staff record.
#pragma once

#include <QString>

namespace vovida {

// The server address of an empty settings store.
inline constexpr const char* kStandardServer = "127.0.0.1";

// Reads the settings into the globals and the boxes of FMServer and FMPass, and the
// password from FMPass.
void LoginEinstellungenLesen();
// Shows the login window when a login is due and builds the connection text.
void VerbindungVorbereiten();
// True when the user exists, is active and the password matches.
bool Anmelden();
// A new login from the running program; a failure restores the previous user and drops
// the connection that was made for the new one.
bool BenutzerWechseln();

// Installs the windows that the server-access module and the start-up status need, the
// pairing of key-downs and key-ups, and the German front of the object library's boxes.
void ShellEinrichten();

}  // namespace vovida
