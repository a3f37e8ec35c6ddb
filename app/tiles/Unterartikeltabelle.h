// The sub-article table of a tile sale sign: a white framed field below the main-article
// rows with a header and eleven rows (line text, alias, unit, price, currency, number,
// contents), notes above the rows, and each row's packaging figures in the strip right
// of the sign. Rows that do not fit above the table's lower edge are left off.
#pragma once

#include "FliesenschildMasse.h"

namespace vovida {

struct Fliesendaten;
struct FliesenschildUmfeld;

// Top of the table, of the header and of row i (1..11) on a sign of these measures.
double TabellenOben(const Fliesenmasse& m);
double TabellenZeile(const Fliesenmasse& m, int i);
// The table's lower edge, a gap above the sign's.
double TabellenUnten(const Fliesenmasse& m);

// Draws the table; returns how many filled rows (with a sub-article number) did not fit
// and were left off. A sign too short for the header draws no table at all.
int UnterartikeltabelleZeichnen(const Fliesenmasse& m, const Fliesendaten& d, const FliesenschildUmfeld& u);

}  // namespace vovida
