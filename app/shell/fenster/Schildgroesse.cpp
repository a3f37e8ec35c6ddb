#include "Schildgroesse.h"

#include "AOBStandard.h"
#include "NumberText.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

#include <QLineEdit>

#include <services/MessageBox.h>

#include <array>
#include <utility>

namespace vovida {

namespace {

const QString kGruppe = QStringLiteral("PLAKAT");

// The sizes the program starts with where a stored one cannot be read.
constexpr std::array<std::pair<const char*, const char*>, 4> kVorgaben{{
    {"RBESCH-BH", "170@50"},
    {"PSCHILD-BH", "92@33"},
    {"FRSCH-BH", "170@62"},
    {"FBESCH-BH", "100@70"},
}};

QString vorgabe(const QString& schluessel) {
  for (const auto& [name, wert] : kVorgaben)
    if (schluessel == QLatin1String(name)) return QString::fromLatin1(wert);
  return QStringLiteral("@");
}

bool istMass(const QString& text) {
  const std::optional<double> wert = zahlAusText(text.trimmed());
  return wert && *wert > 0;
}

void ablehnen(QLineEdit& feld, const char* text) {
  kesto::services::messageBox(text, "Fehler Wertgrenzen Überschritten!", MB_OK | MB_ICONEXCLAMATION);
  feld.setFocus();
  feld.selectAll();
}

}  // namespace

std::optional<double> Boxwert(const QLineEdit& box) {
  QString text = ZahlFiltern(box.text());
  if (text.endsWith(u'%')) text.chop(1);
  return zahlAusText(text);
}

bool MassGeprueft(QLineEdit& feld, int vorkomma, int nachkomma) {
  bool fehler = false;
  ZahlPruefen(vorkomma, nachkomma, feld, false, fehler);
  if (fehler) return false;
  if (Boxwert(feld)) return true;
  ablehnen(feld, "Keine gültige Zahl eingegeben!");
  return false;
}

void SchildgroesseLesen(const QString& schluessel, QLineEdit& breite, QLineEdit& hoehe) {
  QString wert = ParameterText(kGruppe, schluessel);
  const auto teil = [](const QString& text, int nr) { return TeilString(text, QStringLiteral("@"), nr); };
  if (!wert.isEmpty() && !(istMass(teil(wert, 1)) && istMass(teil(wert, 2)))) {
    const QString ersatz = vorgabe(schluessel);
    kesto::services::messageBox(QStringLiteral("Die gespeicherte Größe \"%1\" (%2) ist keine gültige Zahl.\r\n"
                                               "Es gilt die Vorgabe %3.")
                                    .arg(wert, schluessel, ersatz)
                                    .toStdString(),
                                "Vovida", MB_OK | MB_ICONEXCLAMATION);
    wert = ersatz;
  }
  breite.setText(teil(wert, 1));
  hoehe.setText(teil(wert, 2));
}

bool SchildgroesseSpeichern(const QString& schluessel, QLineEdit& breite, QLineEdit& hoehe) {
  for (QLineEdit* feld : {&breite, &hoehe}) {
    if (!MassGeprueft(*feld, 3, 1)) return false;
    if (*Boxwert(*feld) <= 0) {
      ablehnen(*feld, "Die Größe muss größer als 0 sein!");
      return false;
    }
  }
  ParameterSchreiben(kGruppe, schluessel, breite.text() + u'@' + hoehe.text());
  return true;
}

}  // namespace vovida
