#include "PlakatFenster.h"

#include "Plakat.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "Schriftdefinitionen.h"
#include "Warteschlange.h"

#include <QComboBox>
#include <QLineEdit>

#include <registry/Settings.h>
#include <services/Today.h>

namespace vovida::test {

void PlakatFenster::TearDown() {
  kesto::services::setTodayPort(nullptr);
  Hauptfenster::TearDown();
}

void PlakatFenster::einrichten(const char* plakatart, const char* firma) {
  kesto::services::setTodayPort(std::make_shared<kesto::services::FixedToday>(kesto::services::Date{2026, 12, 11}));
  kesto::registry::SaveSetting("Kesto Login", "Login", "Firma", firma);
  PlakatEinrichten();
  anmelden(plakatart);
}

void PlakatFenster::speichern(const QString& nr, const QString& bez1, const QString& preis) {
  frmPlakat& e = editor();
  e.setArtNrText(nr);
  e.Bez1->setText(bez1);
  e.Hauptpreisfeld().setText(preis);
  e.Uebernehmen_Click();
}

std::span<const kesto::activex::Page> PlakatFenster::seiten() { return start().VSPrinter1.pages(); }

double PlakatFenster::groesse(int slot) const { return zahlAusText(Schriftdefinitionen()(slot, 1)).value_or(-1); }

}  // namespace vovida::test
