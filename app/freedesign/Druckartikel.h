// The rows of the print choice of a free design: ";" article number ";" first description
// line, one per article of the design in page order, each read from the server.
#pragma once

#include <QStringList>

namespace vovida {

// Each article object is closed after its line is read; an article the server cannot
// open is listed with an empty description.
QStringList DruckartikelZeilen(const QStringList& artikelNummern);

}  // namespace vovida
