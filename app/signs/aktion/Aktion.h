// The sign kind "AKTION": a promotion of the server turned into posters through two
// pickers, the promotion list and the article list with the paper choice. The kind has
// no layout of its own; the posters are drawn by the poster kinds.
#pragma once

#include <QString>
#include <QStringList>

namespace vovida {

// Registers the kind with the main window: choosing it opens the promotion list.
void AktionEinrichten();

// The count of a "|"-separated key list ("n|key1|...|keyn") and its keys. A count that is
// no number counts 0; keys the list lacks or leaves empty are left out.
QStringList Aktionsschluessel(const QString& antwort);

// A server date number in the short date form; "" when it is no date.
QString AktionsDatum(const QString& serverDatum);

}  // namespace vovida
