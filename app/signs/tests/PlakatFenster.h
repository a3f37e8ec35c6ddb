// The poster tests' main window: logged in against the demo server as a company with the
// poster kinds registered, today fixed, and the drawn ops read in millimetres.
#pragma once

#include "Hauptfenster.h"
#include "Zeichnungen.h"

#include "frmPlakat.h"

#include <activex/Page.h>

#include <span>
#include <string>
#include <vector>

namespace vovida::test {

// The box texts of a page, in drawing order.
std::vector<const kesto::activex::TextBoxOp*> boxtexte(std::span<const kesto::activex::DrawOp> ops);
// The text box of a page whose text starts so; nullptr when none does.
const kesto::activex::TextBoxOp* boxtext(std::span<const kesto::activex::DrawOp> ops, const std::string& anfang);

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
