#include "Firmenlogo.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

#include <optional>

namespace vovida {

QString Logoordner() {
  return TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")), QStringLiteral("@"),
                      QStringLiteral("\\"), true);
}

bool FirmenlogoLaden() {
  return fensterliste().holen<FMStart>().LogoLaden(Logoordner() + QStringLiteral("\\Logo.bmp"));
}

double LogoVerhaeltnis() {
  const QString wert = ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("F-LOGO-QZM"));
  const std::optional<double> zahl = zahlAusText(wert);
  return zahl && *zahl > 0 ? *zahl : 0;
}

}  // namespace vovida
