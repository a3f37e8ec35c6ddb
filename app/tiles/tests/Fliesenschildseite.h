// What the tile layout tests share: a main window logged in against the demo server,
// the records and the layout's surroundings, and ways to find drawing operations on the
// recorded page by kind, text and place, in millimetres.
#pragma once

#include "Hauptfenster.h"

#include "Fliesendaten.h"
#include "Fliesenschild.h"

#include <activex/Page.h>

#include <ostream>
#include <span>
#include <vector>

namespace vovida::test {

// A box in millimetres, compared to a hundredth.
struct Mm {
  double x, y, b, h;
  bool operator==(const Mm& o) const;
};
std::ostream& operator<<(std::ostream& out, const Mm& m);
Mm inMm(const kesto::activex::Box& box);
// The box around a polygon's points.
Mm inMm(const kesto::activex::PolygonOp& polygon);

template <class Op>
std::vector<const Op*> alle(std::span<const kesto::activex::DrawOp> ops) {
  std::vector<const Op*> out;
  for (const kesto::activex::DrawOp& op : ops)
    if (const Op* o = std::get_if<Op>(&op)) out.push_back(o);
  return out;
}

// The text boxes with exactly this text.
std::vector<const kesto::activex::TextBoxOp*> texte(std::span<const kesto::activex::DrawOp> ops, const QString& text);

class Fliesenschildseite : public Hauptfenster {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The surroundings as the main window gives them, for the kind, after login.
  FliesenschildUmfeld umfeld(const char* plakatart);
  // Draws with the records and u; the recorded ops of the one page.
  std::span<const kesto::activex::DrawOp> zeichnen(const FliesenschildUmfeld& u);
  Fliesendaten& daten() { return fliesendaten(); }
  // Sets a server parameter of group "PLAKAT".
  void parameter(const char* schluessel, const char* wert);
};

}  // namespace vovida::test
