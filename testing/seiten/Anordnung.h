// Whether a recorded page is a sign that a branch can hang up: every text, band and picture
// lies inside its sign, and no text or band covers another text, except texts that belong together on purpose
// (one turned price label, one text drawn character by character in several passes).
//
//   EXPECT_THAT(anordnungPruefen(seite.ops, {{0, 0, 210, 297}}), IsEmpty());
#pragma once

#include "Seite.h"

#include <QPolygonF>

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kesto::test {

// Where one text line or picture is drawn, in millimetres, turned as drawn. For text the
// outline is the glyphs' ink as the box sets them, after fitting.
struct Flaeche {
  std::string text;    // the line; "(Bild)" for a picture, "(Band)" for a filled text box
  QPolygonF umriss;    // mm
  std::size_t op = 0;  // index of the op on the page
  int gruppe = 0;      // areas of one non-zero group may lie on each other
  bool bild = false;
};

// Group of an op: 0 for none. The default puts a turned text box in the group of its angle
// (a price label) and each run of consecutive one-character texts in a group of its own.
using Gruppierung = std::function<int(std::span<const activex::DrawOp> ops, std::size_t index)>;

std::vector<Flaeche> flaechen(std::span<const activex::DrawOp> ops, const Gruppierung& gruppe = {});

// One German line per finding; empty when the page is right. Each area must lie inside the
// sign that holds its middle; `schilder` lists the signs of the page.
std::vector<std::string> anordnungPruefen(std::span<const activex::DrawOp> ops, std::span<const Umriss> schilder,
                                          const Gruppierung& gruppe = {});

// One German line per polygon (a price label's wedge, a frame) that does not lie inside the
// sign that holds its middle; empty when every one does.
std::vector<std::string> formenPruefen(std::span<const activex::DrawOp> ops, std::span<const Umriss> schilder);

// With KESTO_SEITEN_PNG naming a folder, writes the pages there as <name>-page-<n>.png at
// 100 dpi, so that a person can look at what a test checked; otherwise does nothing.
void bilderAblegen(std::span<const activex::Page> seiten, const std::string& name);

}  // namespace kesto::test
