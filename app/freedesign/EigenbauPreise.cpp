// The second half of a free-design page: prices, base-price and information lines, extra
// prices, footer, cutting marks, help grid, outline and inner frame; and the text mark.
#include "EigenbauZeichnen.h"

#include "AOBStandard.h"
#include "EigenbauGlobale.h"
#include "EigenbauPreisplatz.h"
#include "Feldwerte.h"
#include "NumberText.h"
#include "PreisDrucken.h"
#include "TextaufDruckformular.h"
#include "Zeichnen.h"

namespace vovida {

namespace {

using kesto::activex::mm;
using kesto::activex::units;

// The page geometry, read from the editor's boxes.
struct Masse {
  double L, T, B, H, LR, OU;
  explicit Masse(const EigenbauModell& m)
      : L(zahlWert(m.t_SrLinks)),
        T(zahlWert(m.t_SrOben)),
        B(zahlWert(m.B)),
        H(zahlWert(m.H)),
        LR(zahlWert(m.t_EinrückungLR)),
        OU(zahlWert(m.t_EinrückungOU)) {}
};

// Lines in the slot's style, with the sign layouts' fixed box settings; a line wider than
// hoechstens (when given) is set smaller to keep to it.
void zeile(const QString& text, double x, double y, std::int16_t slot, const char* schrift, std::int32_t ausrichtung,
           VSPrinter& vp, double hoechstens = 0) {
  TextboxStil stil{ausrichtung, 0, 0, 0};
  const QString name = QString::fromUtf8(schrift);
  const double breite = hoechstens > 0 ? Hoechstbreite(text, slot, name, vp, hoechstens) : 0;
  SchriftTextDrucken(text, x, y, breite, 0, slot, name, vp, stil);
}

constexpr double kRand = 0.5;  // mm a price keeps inside the inner frame

// Inside the inner frame, where prices and lines stay.
QRectF innen(const Masse& g) {
  return {g.L + g.LR + kRand, g.T + g.OU + kRand, g.B - 2 * g.LR - 2 * kRand, g.H - 2 * g.OU - 2 * kRand};
}

// What a drawing routine puts on an empty page, without touching the preview.
template <class Zeichnen>
std::vector<kesto::activex::DrawOp> probe(Zeichnen zeichnen) {
  VSPrinter vp;
  vp.StartDoc();
  zeichnen(vp);
  vp.EndDoc();
  return vp.pages().back().ops;
}

// The outline of the label that zeichnen draws, its limit across narrowed so that its frame,
// which reaches past its bands, keeps to breite too.
template <class Zeichnen>
QPolygonF umriss(Zeichnen zeichnen, double& hoechstquer, double breite) {
  const auto messen = [&] { return Etikettumriss(probe(zeichnen), PreisOptionen{}.winkel); };
  hoechstquer = breite;
  QPolygonF u = messen();
  const double ueber = u.boundingRect().width() - breite;
  if (!u.isEmpty() && ueber > 0) {
    hoechstquer = breite - ueber;
    u = messen();
  }
  return u;
}

// The base-price and information lines above the main price, the same on the probe and
// on the page; hub lifts both.
struct Zeilen {
  const Masse& g;
  const EigenbauSeite& s;
  const EigenbauPreisblock& p;

  double links() const { return g.L + 2 * g.LR; }
  double breite() const { return innen(g).right() - links(); }
  void zeichnen(VSPrinter& vp) const {
    zeile(s.grundpreisZeile, links(), p.preisOben - 1.5 * s.abstand - p.hub, kSlotGrundpreis, "Helvetica", 0, vp,
          breite());
    const double faktor = s.grundpreisZeile.isEmpty() ? 1.5 : 2.5;
    zeile(s.infoZeile, links(), p.preisOben - faktor * s.abstand - s.versatz - p.hub, kSlotGrundpreis, "Helvetica",
          0, vp, breite());
  }
  // Where the lines with text lie.
  std::vector<QRectF> flaechen() const {
    std::vector<QRectF> out;
    for (const auto& op : probe([&](VSPrinter& vp) { zeichnen(vp); })) {
      const auto* t = std::get_if<kesto::activex::TextBoxOp>(&op);
      if (!t || QString::fromStdString(t->text).trimmed().isEmpty()) continue;
      out.emplace_back(t->box.left.mm(), t->box.top.mm(), t->box.width.mm(), t->box.height.mm());
    }
    return out;
  }
};

// The main price in its style, moved by the page's placement.
void hauptpreis(const EigenbauModell& m, const EigenbauUmfeld& u, const EigenbauSeite& s, EigenbauPreisblock& p,
                VSPrinter& vp) {
  const Masse g(m);
  const double y = p.preisOben - s.versatz + p.dy;
  PreisOptionen optionen;
  optionen.hoechstquer = p.hoechstquer;
  PreisAusmass ausmass;
  if (!u.NeuerStil) {
    double x = g.L + g.B - p.sternBreite, breite = 0;
    if (!m.B_Z) {
      x = g.L;
      breite = g.B;
    } else if (!m.B_LB) {
      x = g.L + 2 * g.LR + p.sternBreite / 2;
    }
    PreisPolygonDrucken(p.preis, p.zeichen, p.umgerechnet, p.umgerechnetZeichen, s.per, s.info, kSlotPreis, vp,
                        x + p.dx, y, breite, optionen, ausmass);
  } else {
    optionen.platzierung = eigenbauGlobale().EigenbauAusrichtung;
    PreisDrucken(p.preis, p.zeichen, s.per, s.info, kSlotPreis, vp, g.L + p.dx, y, g.B, optionen, ausmass);
  }
}

void schnittmarken(const Masse& g, const EigenbauModell& m, VSPrinter& vp) {
  enum Wann { immer, hoch, quer };
  struct Marke {
    Wann wann;
    double x, y, laenge;
    const char* ecke;
  };
  const Marke marken[] = {
      {immer, 0, g.T, g.L / 2, "RO"},
      {hoch, 210, g.T, 210 - 1.5 * g.L - g.B, "LO"},
      {quer, 297, g.T, 297 - 1.5 * g.L - g.B, "LO"},
      {immer, 0, g.T + g.H, g.L / 2, "RU"},
      {hoch, 210, g.T + g.H, 210 - 1.5 * g.L - g.B, "LU"},
      {quer, 297, g.T + g.H, 297 - 1.5 * g.L - g.B, "LU"},
      {immer, g.L, 0, g.T / 2, "LU"},
      {hoch, g.L, 297, 297 - 1.5 * g.T - g.H, "LO"},
      {quer, g.L, 210, 210 - 1.5 * g.T - g.H, "LO"},
      {immer, g.L + g.B, 0, g.T / 2, "RU"},
      {hoch, g.L + g.B, 297, 297 - 1.5 * g.T - g.H, "LO"},
      {quer, g.L + g.B, 210, 210 - 1.5 * g.T - g.H, "LO"},
  };
  for (const Marke& k : marken) {
    if ((k.wann == hoch && !m.O_Hoch) || (k.wann == quer && !m.O_Quer)) continue;
    RahmenZeichnen(k.x, k.y, k.laenge, 0, QString::fromUtf8(k.ecke), vp, 0, 0, 0);
  }
}

}  // namespace

void EigenbauUmrechnen(const QString& preis, const EigenbauUmfeld& u, QString& umgerechnet, QString& zeichen) {
  const std::optional<double> betrag = zahlAusText(ZahlFiltern(preis));
  const std::optional<double> faktor = zahlAusText(u.Faktor);
  if (u.ZweiPreise == 0 || !betrag || !faktor) {
    // Two prices off, or a price or factor that is no number: no second price, never
    // the one of an earlier page.
    umgerechnet = QStringLiteral("   ");
    zeichen.clear();
    return;
  }
  umgerechnet = PreisFormatieren(rundenGerade(*betrag * *faktor, 2));
  zeichen = u.WaehrungszeichenHW;
}

EigenbauPreisblock EigenbauPreisBerechnen(EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s) {
  EigenbauPreisblock p;
  p.preis = s.preis;
  p.zeichen = u.WaehrungszeichenNW;
  EigenbauUmrechnen(p.preis, u, p.umgerechnet, p.umgerechnetZeichen);
  if (!u.NeuerStil) {
    p.sternHoehe = zahlWert(m.t_HöheStern);
    p.sternBreite = zahlWert(m.t_BreiteStern);
  } else {
    // Measured on a preview of its own: nothing reaches the page.
    VSPrinter messung;
    messung.StartDoc();
    PreisOptionen optionen;
    optionen.rahmen = false;
    PreisAusmass ausmass;
    PreisPolygonDrucken(p.preis, p.zeichen, p.umgerechnet, p.umgerechnetZeichen, s.per, s.info, kSlotPreis, messung, 0,
                        50, 210, optionen, ausmass);
    messung.EndDoc();
    p.sternBreite = ausmass.quer;
    p.sternHoehe = ausmass.runter;
    m.t_HöheStern = zahlText(p.sternHoehe);
    m.t_BreiteStern = zahlText(p.sternBreite);
  }
  const Masse g(m);
  p.preisOben = g.T + g.H - p.sternHoehe - 0.5 * g.OU;
  return p;
}

void EigenbauPreisPlatzieren(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s,
                             EigenbauPreisblock& p, int i) {
  const Masse g(m);
  p.dx = p.dy = p.hub = 0;
  if (m.c_Preis != 1) {
    p.koerperUnten = g.T + g.H - g.OU;
    return;
  }
  if (u.Grundpreis > 0 && m.t_GrundpreisDatum > 0) s.grundpreisZeile = s.grundpreisText;
  if (m.t_Artikelinfo > 0) {
    s.infoZeile = QStringLiteral("ArtNr.: ") + m.ArtNr.List.value(i) + QStringLiteral(" Datum: ") +
                  u.heute.toString(QStringLiteral("dd.MM.yyyy"));
  }

  const Zeilen zeilen{g, s, p};
  const std::vector<QRectF> linien = zeilen.flaechen();
  std::vector<QRectF> bilder;
  if (m.chk_Brisal == 1 && !u.SchildTamselBild.isNull()) bilder.push_back(Firmenzeichen(m));
  const QRectF rahmen = innen(g);
  const auto platzieren = [&](double breite, std::span<const QRectF> feste, QPolygonF& etikett) {
    etikett = umriss(
        [&](VSPrinter& vp) {
          EigenbauPreisblock probeblock = p;
          hauptpreis(m, u, s, probeblock, vp);
        },
        p.hoechstquer, breite);
    return etikett.isEmpty() ? Preisplatzierung{} : PreisPlatzieren(etikett, rahmen, linien, feste);
  };
  // Never wider than the frame: a long info text is set smaller rather than widen it.
  // Where the lines would have to rise into the body, the lesser changes come first: a
  // narrower label (its price set smaller, down to 45 % of the frame), then the label
  // over the company sign, as it stands there without room.
  QPolygonF etikett;
  Preisplatzierung platz = platzieren(rahmen.width(), bilder, etikett);
  constexpr int kSchmaler = 11;  // steps of 1/20 of the frame, down to 45 %
  for (int k = 1; k <= kSchmaler + 1 && platz.hub > 0; ++k) {
    QPolygonF anders;
    const Preisplatzierung versuch = k <= kSchmaler ? platzieren(rahmen.width() * (1 - k / 20.0), bilder, anders)
                                                    : platzieren(rahmen.width(), {}, anders);
    if (versuch.hub == 0) {
      platz = versuch;
      etikett = anders;
    }
  }
  if (platz.hub > 0) platz = platzieren(rahmen.width(), bilder, etikett);
  p.dx = platz.dx;
  p.dy = platz.dy;
  p.hub = platz.hub;

  // The body ends above the lines and above the label's highest corner.
  p.koerperUnten = p.preisOben - 2.5 * s.abstand - p.hub;
  for (const QRectF& l : linien) p.koerperUnten = std::min(p.koerperUnten, l.top() - p.hub);
  if (!etikett.isEmpty()) p.koerperUnten = std::min(p.koerperUnten, etikett.boundingRect().top() + p.dy - kRand);
}

void EigenbauTextmarke(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s) {
  const Masse g(m);
  const double breite = zahlWert(m.t_BreiteTextmarke), hoehe = zahlWert(m.t_HöheTextmarke);
  const double x1 = g.L + (g.B - breite) / 2, x2 = x1 + breite;
  const double y1 = g.T + g.OU + hoehe / 8, y2 = y1 + hoehe;
  s.textOben = y2;
  if (m.c_Textmarke == 0) return;
  VSPrinter& vp = *u.vp;
  vp.setPenStyle(0);
  vp.setPenColor(0);
  vp.setBrushStyle(0);
  vp.setBrushColor(static_cast<kesto::activex::Colour>(m.TextMarkeFarbe));
  vp.setPenWidth(units(12));
  vp.DrawRectangle(mm(x1), mm(y1), mm(x2), mm(y2));
}

void EigenbauPreiseZeichnen(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s,
                            EigenbauPreisblock& p) {
  VSPrinter& vp = *u.vp;
  const Masse g(m);
  const auto& globale = eigenbauGlobale();
  if (m.c_Preis == 1) {
    hauptpreis(m, u, s, p, vp);
    Zeilen{g, s, p}.zeichnen(vp);
  }

  for (std::size_t k = 0; k < 6; ++k) {
    const auto& z = s.zusatz[k];
    if (z.gezeigt != 1) continue;
    // A place left empty is the default place, as for a price never placed.
    const auto stelle = [&](const QString& wert, QString (*vorgabe)(int)) {
      return zahlWert(wert.trimmed().isEmpty() ? vorgabe(static_cast<int>(k)) : wert);
    };
    QString umgerechnet, umgerechnetZeichen;
    EigenbauUmrechnen(z.preis, u, umgerechnet, umgerechnetZeichen);
    const double x = stelle(z.x, ZusatzpreisX), y = stelle(z.y, ZusatzpreisY);
    PreisOptionen optionen;
    optionen.platzierung = globale.ZusatzpreisAusrichtung[k];
    const QRectF r = innen(g);
    const auto zeichnen = [&](VSPrinter& ziel, double dx, double dy) {
      QString preis = z.preis, zeichen = u.WaehrungszeichenNW, neben = umgerechnet, nebenZeichen = umgerechnetZeichen;
      PreisAusmass ausmass;
      if (!u.NeuerStil) {
        PreisPolygonDrucken(preis, zeichen, neben, nebenZeichen, z.per, z.info, kSlotZusatzpreis, ziel, x + dx,
                            y + dy, 0, optionen, ausmass);
      } else {
        PreisDrucken(preis, zeichen, z.per, z.info, kSlotZusatzpreis, ziel, x + dx, y + dy, 0, optionen, ausmass);
      }
    };
    // A price placed on the sign stays inside its frame; one placed beside it stays there.
    Preisplatzierung platz;
    if (x >= g.L && x <= g.L + g.B && y >= g.T && y <= g.T + g.H) {
      const QPolygonF etikett = umriss([&](VSPrinter& ziel) { zeichnen(ziel, 0, 0); }, optionen.hoechstquer, r.width());
      if (!etikett.isEmpty()) platz = PreisPlatzieren(etikett, r, {}, {});
    }
    zeichnen(vp, platz.dx, platz.dy);
  }

  zeile(QStringLiteral("Erstellt durch ") + u.PersonalName, g.L + 1, g.T + 1, kSlotInfo, "Arial", 6, vp);
  schnittmarken(g, m, vp);
  RasterZeichnen(210, 297, vp, 10, static_cast<std::int16_t>(u.Raster));
  PolygonZeichnen(g.L, g.T, g.B, g.H, vp, 0, 2, 1, 0, 1);
  PolygonZeichnen(g.L + g.LR, g.T + g.OU, g.B - 2 * g.LR, g.H - 2 * g.OU, vp, 0, 0, 12, 0, 1);
}

}  // namespace vovida
