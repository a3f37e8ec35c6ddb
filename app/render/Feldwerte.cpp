#include "Feldwerte.h"

#include "NumberText.h"
#include "RuntimeError.h"
#include "Schriftdefinitionen.h"

#include <limits>
#include <optional>

namespace vovida {

namespace {

const QString& quelle() {
  static const QString text = QStringLiteral("TextaufDruckformular");
  return text;
}

}  // namespace

double zahlWert(const QString& text) {
  const std::optional<double> wert = zahlAusText(text);
  if (!wert) typenUnvertraeglich(quelle());
  return *wert;
}

kesto::activex::Colour farbWert(const QString& text) {
  // Colours above &H7FFFFFFF arrive as negative numbers; the bits are the colour.
  return static_cast<kesto::activex::Colour>(ganzzahl32(text, quelle()));
}

bool schalterWert(const QString& text) {
  const QString t = text.trimmed();
  if (t.compare(u"True", Qt::CaseInsensitive) == 0 || t.compare(u"Wahr", Qt::CaseInsensitive) == 0)
    return true;
  if (t.compare(u"False", Qt::CaseInsensitive) == 0 || t.compare(u"Falsch", Qt::CaseInsensitive) == 0)
    return false;
  return zahlWert(t) != 0;
}

std::int16_t ganzzahl16(double wert) {
  const double gerundet = rundenGerade(wert);
  if (!(gerundet >= std::numeric_limits<std::int16_t>::min() &&
        gerundet <= std::numeric_limits<std::int16_t>::max()))
    ueberlauf(quelle());
  return static_cast<std::int16_t>(gerundet);
}

double feldZahl(int slot, int feld) { return zahlWert(Schriftdefinitionen()(slot, feld)); }

kesto::activex::Colour feldFarbe(int slot, int feld) {
  return farbWert(Schriftdefinitionen()(slot, feld));
}

bool feldSchalter(int slot, int feld) { return schalterWert(Schriftdefinitionen()(slot, feld)); }

}  // namespace vovida
