// The shelf-label tests' main window: logged in on "SCHILD" against the demo server, with
// the editor, a queue filled as a user fills it, and the boxes shown since the start-up.
#pragma once

#include "Hauptfenster.h"

#include "Fensterliste.h"
#include "Regalbeschriftung.h"
#include "frmRegalBesch.h"

#include <QLineEdit>
#include <QStringList>

#include <string>
#include <vector>

namespace vovida::test {

class Regalumgebung : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    RegalschildEinrichten();
    anmelden("SCHILD");
    boxenVorher = boxen->shown().size();
  }
  frmRegalBesch& editor() { return FormHolen<frmRegalBesch>(); }
  // Stores each article as the editor does, with its own description and a price.
  void einreihen(const QStringList& nummern) {
    frmRegalBesch& e = editor();
    for (const QString& nr : nummern) {
      e.setArtNrText(nr);
      e.Bez1->setText(QStringLiteral("Artikel ") + nr);
      e.PreisEUR->setText(QStringLiteral("12,50"));
      e.Uebernehmen_Click();
    }
  }
  // The demo articles 100001 and on.
  void einreihen(int anzahl) {
    QStringList nummern;
    for (int i = 1; i <= anzahl; ++i) nummern << QString::number(100000 + i);
    einreihen(nummern);
  }
  std::vector<kesto::services::MessageBoxRequest> neueBoxen() const {
    const auto alle = boxen->shown();
    return {alle.begin() + static_cast<std::ptrdiff_t>(boxenVorher), alle.end()};
  }
  std::vector<std::string> neueBoxtexte() const {
    std::vector<std::string> texte;
    for (const auto& b : neueBoxen()) texte.push_back(b.text);
    return texte;
  }
  std::size_t boxenVorher = 0;
};

}  // namespace vovida::test
