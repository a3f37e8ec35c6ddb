// The poster tests' main window: logged in against the demo server as a company with the
// poster kinds registered, today fixed, and the drawn ops read in millimetres.
#pragma once

#include "Hauptfenster.h"

#include "Seite.h"
#include "frmPlakat.h"

#include <span>

namespace vovida::test {

class PlakatFenster : public Hauptfenster {
 protected:
  void TearDown() override;
  // Logs in as the company with the code as the start kind, the poster kinds registered.
  void einrichten(const char* plakatart = "A4N", const char* firma = "1");
  frmPlakat& editor() { return FormHolen<frmPlakat>(); }
  // Stores an entry in the queue as the editor does.
  void speichern(const QString& nr, const QString& bez1, const QString& preis);
  std::span<const kesto::activex::Page> seiten();
  // Font size of a font slot of the logged-in company.
  double groesse(int slot) const;
};

}  // namespace vovida::test
