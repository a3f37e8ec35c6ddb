// Server operations of the server-access module: parameters by group and key, command
// lines, and the one access-error report.
#pragma once

#include "ServerFehler.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace vovida {

// "Vorgang: <schritt>." with the error's number and description, then the pointer back
// to the default and, outside any server operation, the idle countdown restarted.
void ZugriffsfehlerMelden(const ServerFehler& fehler, const QString& schritt);

// How many lost links have been reported since the start: work that saw the number change
// went on without the server and is incomplete.
int VerbindungsabrisseGemeldet();

// The parameter (class "FRX.ParAnwPar", id Firma||gruppe||schluessel): its description,
// its display form, or with roh its raw value. A server error is reported and gives
// vorgabe (invalid when the caller gave none).
QVariant ParameterLesen(const QString& gruppe, const QString& schluessel, bool beschreibung = false,
                        const QVariant& vorgabe = QVariant(), bool roh = false);
// The text value of a parameter, "" when it could not be read.
QString ParameterText(const QString& gruppe, const QString& schluessel, bool beschreibung = false);

// Writes the description or the value (converted to the server form unless roh) of an
// existing parameter and saves it; a parameter that does not exist is not created.
void ParameterSchreiben(const QString& gruppe, const QString& schluessel, const QVariant& wert,
                        bool beschreibung = false, bool roh = false);

// Runs a command line through "FRX.Windows" "Xecute"; "" after a reported error.
QString ServerAusfuehren(const QString& zeile);

// Runs the line and cuts its output at trenner into liste[1], liste[2], ... (index 0 is
// unused, as the callers count from 1); gives the number of pieces. Pieces between two
// delimiters are kept when empty, a last piece only when it is not.
int ServerAbfrage(const QString& zeile, QChar trenner, QStringList& liste);

// Installs the unit and EAN look-ups of the input helpers.
void ServerSuchenEinrichten();

}  // namespace vovida
