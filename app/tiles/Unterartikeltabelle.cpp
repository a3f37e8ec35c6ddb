#include "Unterartikeltabelle.h"

#include "Fliesendaten.h"
#include "Fliesenschild.h"
#include "FliesenschildZelle.h"
#include "PreisDrucken.h"
#include "Zeichnen.h"

namespace vovida {

namespace {

// Rounding of the sums of heights, far below what a printer shows.
constexpr double kPasstToleranz = 1e-6;

// Height of the sign above the table: margin, band, alias and the five main rows.
double kopfbereich(const Fliesenmasse& m) { return 8 * m.u + m.T + m.Ht[1] + 5 * (m.R1 + m.Sp1); }

void preisZeichnen(const Fliesenmasse& m, const FliesenschildUmfeld& u, const QString& eingabe, const QString& einheit,
                   double y, VSPrinter& vp) {
  Fliesenpreis p = FliesenpreisBerechnen(eingabe, u.waehrungen);
  if (!u.waehrungen.zweiPreise) p.zeichen = u.waehrungen.NW;
  const auto slot = static_cast<std::int16_t>(m.basis + 9);
  PreisOptionen optionen;
  PreisAusmass ausmass;
  if (u.NeuerStil)
    PreisDrucken(p.preis, p.zeichen, einheit, {}, slot, vp, m.Zx[4], y, m.Zw[4], optionen, ausmass);
  else
    PreisPolygonDrucken(p.preis, p.zeichen, p.zweitpreis, p.zweitzeichen, einheit, {}, slot, vp, m.Zx[4], y, m.Zw[4],
                        optionen, ausmass);
  if (m.Zw[5] > 0)
    Fliesenzelle(p.zeichen, m.Zx[5], y, m.Zw[5], m.R2, m.basis + 7, "Helvetica", vp, {7, 0, 0, 0});
}

}  // namespace

double TabellenOben(const Fliesenmasse& m) { return m.Y0 + kopfbereich(m); }

double TabellenZeile(const Fliesenmasse& m, int i) {
  return TabellenOben(m) + m.Ht[4] + m.Sp[4] + (i - 1) * (m.R2 + m.Sp2);
}

double TabellenUnten(const Fliesenmasse& m) { return m.Y0 + m.H - m.g; }

int UnterartikeltabelleZeichnen(const Fliesenmasse& m, const Fliesendaten& d, const FliesenschildUmfeld& u) {
  VSPrinter& vp = *u.vp;
  const int b = m.basis;
  const double oben = TabellenOben(m);
  const double unten = TabellenUnten(m);
  auto passt = [&](double y, double hoehe) { return y + hoehe <= unten + kPasstToleranz; };
  int weggelassen = 0;
  if (!passt(oben, m.Ht[4])) {
    for (int i = 1; i <= kUnterzeilen; ++i) weggelassen += d.zeileLeer(i) ? 0 : 1;
    return weggelassen;
  }
  PolygonZeichnen(m.X0 + m.g, oben, m.W - 2 * m.g, (m.H - m.g) - kopfbereich(m), vp, 0, 0, 0, kWeiss, 0);

  auto spalte = [&](const QString& text, int j, double y, int slot, const char* schrift, TextboxStil stil) {
    Fliesenzelle(text, m.Zx[j], y, m.Zw[j], m.R2, slot, schrift, vp, stil);
  };
  auto kopf = [&](const char* text, int j, std::int32_t ausrichtung) {
    Fliesenzelle(QString::fromUtf8(text), m.Zx[j], oben, m.Zw[j], m.Ht[4], b + 6, "Helvetica", vp,
                 {ausrichtung, 0, 0, 0});
  };
  kopf("Zusatz", 1, 3);
  kopf("Bezeichnung", 2, 3);
  kopf("Art.Nr.", 6, 4);
  if (m.Zw[7] > 0) kopf("VP Inh.", 7, 4);
  kopf("Preis", 4, 4);

  // Every row that fits, empty ones too; a row below the table's edge would hang out of
  // the sign, and the rows after it lie lower still.
  for (int i = 1; i <= kUnterzeilen; ++i) {
    auto f = [&](int feld) -> const QString& { return d.unter(i, feld); };
    const double y = TabellenZeile(m, i);
    const double notiz = y - m.R2 / 1.1;
    if (!passt(y, m.R2)) {
      weggelassen += d.zeileLeer(i) ? 0 : 1;
      continue;
    }

    // A line text repeated from the row above is printed once.
    spalte(i == 1 || f(2) != d.unter(i - 1, 2) ? f(2) : QString(), 1, y, b + 7, "Helvetica", {6, 0, 0, 0});

    if (f(10) != u"1" || f(1).isEmpty())
      spalte(f(9), 2, notiz, b + 10, "Arial", {3, 0, 0, 0});
    else
      Fliesenzelle(Verpackungserklaerung(f(11), f(12), f(13), f(14), f(4)), m.Zx[2], notiz, m.W - m.Zw[2], m.R2,
                   b + 10, "Arial", vp, {3, 0, 0, 0});
    if (f(10) == u"0") spalte(f(7), 6, notiz, b + 10, "Arial", {3, 0, 0, 0});

    spalte(f(3), 2, y, b + 8, "Helvetica", {6, 5, 0, 0});
    if (f(1) != u"0") spalte(f(1), 6, y, b + 8, "Helvetica", {7, 5, 0, 0});
    if (m.Zw[7] > 0) spalte(f(12), 7, y, b + 8, "Helvetica", {7, 5, 0, 0});
    // A row without a price gets no price band of blanks, nor does a row without a
    // number: the editor leaves its price box's "0,00" there.
    if (!f(5).isEmpty() && !d.zeileLeer(i)) preisZeichnen(m, u, f(5), f(4), y, vp);
    spalte(f(4), 3, y, b + 7, "Helvetica", {7, 5, 0, 0});

    if (!f(3).isEmpty())
      Fliesenzelle(QStringLiteral("VKE: ") + f(11) + QStringLiteral(" VPI: ") + f(12) + QStringLiteral(" VRM: ") + f(13) +
                       QStringLiteral(" VPM: ") + f(14) + QStringLiteral(" LoB: ") + f(15),
                   m.X0 + m.W + m.g, y, m.S - m.g, m.R2, b + 11, "Arial", vp, {6, 0, 1, 2});
  }
  return weggelassen;
}

}  // namespace vovida
