// A preview with an open A4 document and a clean font table for each test, and what
// the tests read back from the recorded page.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <activex/Fonts.h>
#include <activex/VSPrinter.h>

#include <initializer_list>
#include <ostream>
#include <variant>
#include <vector>

// Fonts need one application object; created on first use, headless.
void ensureGuiApp();

class Zeichenflaeche : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Fields 0 to 10 of a slot, in order.
  static void slotSetzen(int slot, std::initializer_list<const char*> felder);

  template <class Op>
  std::vector<Op> alle() const {
    std::vector<Op> gefunden;
    for (const auto& op : vp.pages().back().ops)
      if (const auto* o = std::get_if<Op>(&op)) gefunden.push_back(*o);
    return gefunden;
  }
  std::size_t anzahl() const { return vp.pages().back().ops.size(); }

  kesto::activex::VSPrinter vp;
};

// Extent of a text in millimetres, as the control measures it.
struct Mass {
  double breite, hoehe;
};
Mass textMass(const QString& text, double groesse, const char* schrift = "Arial", bool fett = false);

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
