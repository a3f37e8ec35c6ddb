#include "Schriftdefinitionen.h"

#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <services/Cursor.h>
#include <registry/Settings.h>

#include <stdexcept>

namespace vovida {

namespace {

std::size_t index(int wert, int erster, int letzter, const char* was) {
  if (wert < erster || wert > letzter)
    throw std::out_of_range(std::string("Schriftdefinitionen: ") + was + " " + std::to_string(wert));
  return static_cast<std::size_t>(wert - erster);
}

QString slotText(int slot) { return QStringLiteral("%1").arg(slot, 3, 10, QLatin1Char('0')); }

QString boolText(bool wert) { return wert ? QStringLiteral("True") : QStringLiteral("False"); }

QString farbe(const QString& kennung, int slot, const char* rolle) {
  return QString::number(FarbeAusKennung(kennung, QString::number(slot) + u'_' + QLatin1String(rolle)));
}

// Pieces 1 to letztes of the value: piece 2 is the text colour, 3 the flag, 7 a colour in
// rolle7, 8 a colour in rolle8 when one is given; the others as they stand. Kinds E and P
// read nine pieces with the shadow colour, kind B eight with pen and brush colours.
void stueckeLesen(Schrifttabelle& t, int slot, const QString& wert, int letztes, const char* rolle7,
                  const char* rolle8) {
  for (int i = 1; i <= letztes; ++i) {
    const QString stueck = TeilString(wert, QStringLiteral("@"), i);
    if (i == 2)
      t(slot, i) = farbe(stueck, slot, "SchriftFarbe");
    else if (i == 3)
      t(slot, i) = boolText(stueck == u"J");
    else if (i == 7)
      t(slot, i) = farbe(stueck, slot, rolle7);
    else if (i == 8 && rolle8)
      t(slot, i) = farbe(stueck, slot, rolle8);
    else
      t(slot, i) = stueck;
  }
}

}  // namespace

QString& Schrifttabelle::operator()(int slot, int feld) {
  return felder_[index(slot, 1, kSchriftSlots, "slot")][index(feld, 0, kSchriftFelder - 1, "field")];
}

const QString& Schrifttabelle::operator()(int slot, int feld) const {
  return felder_[index(slot, 1, kSchriftSlots, "slot")][index(feld, 0, kSchriftFelder - 1, "field")];
}

void Schrifttabelle::leeren() { felder_ = {}; }

Schrifttabelle& Schriftdefinitionen() {
  static Schrifttabelle tabelle;
  return tabelle;
}

void SchriftenLaden(bool alle) {
  using kesto::services::CursorShape;
  kesto::services::setCursorShape(CursorShape::Wait);
  struct Zeiger {
    ~Zeiger() { kesto::services::setCursorShape(CursorShape::Default); }
  } zeiger;
  Schrifttabelle& t = Schriftdefinitionen();
  const int letzter = alle ? 72 : 67;
  for (int slot = 1; slot <= letzter; ++slot) {
    const QString schluessel = QStringLiteral("FONT") + slotText(slot);
    const QString wert = ParameterText(QStringLiteral("PLAKAT"), schluessel);
    try {
      StartstatusZeigen(QStringLiteral("Schrift ") + slotText(slot) + QStringLiteral(" laden"));
    } catch (const std::exception&) {
      // the progress text is only shown when it can be
    }
    const QString art = ParameterText(QStringLiteral("PLAKAT"), schluessel, true).left(1);
    t(slot, 0) = art;
    if (art == u"E") {
      stueckeLesen(t, slot, wert, 9, "SchattenFarbe", nullptr);
    } else if (art == u"B") {
      stueckeLesen(t, slot, wert, 8, "StiftFarbe", "PinselFarbe");
    } else if (art == u"P") {
      stueckeLesen(t, slot, wert, 9, "SchattenFarbe", nullptr);
      t(slot, 10) = ParameterText(QStringLiteral("PLAKAT"), schluessel + QStringLiteral("_PZ"));
    }
  }
}

std::int32_t FarbeAusKennung(const QString& kennung, const QString& schluessel) {
  if (kennung == u"R") return 255;
  if (kennung == u"G") return 65280;
  if (kennung == u"B") return 16711680;
  if (kennung == u"S") return 0;
  if (kennung == u"W") return 16777215;
  if (kennung == u"N") return kKeineFarbe;
  if (kennung == u"A") {
    const std::string gespeichert =
        kesto::registry::GetSetting("Vovida", "Farben", schluessel.toStdString(), "12632256");
    // A stored colour that is no whole number loads as black.
    bool ok = false;
    const qlonglong wert = QString::fromStdString(gespeichert).trimmed().toLongLong(&ok);
    return ok ? static_cast<std::int32_t>(static_cast<std::uint32_t>(wert)) : 0;
  }
  return 0;
}

}  // namespace vovida
