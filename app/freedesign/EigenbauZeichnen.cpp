#include "EigenbauZeichnen.h"

#include "Bilder.h"
#include "EigenbauGlobale.h"
#include "Feldwerte.h"
#include "Schriftdefinitionen.h"
#include "TextaufDruckformular.h"

#include <exception>

namespace vovida {

namespace {

using kesto::activex::mm;
using kesto::activex::units;

// The values of article i when the design lists several: its stored entries and body.
void artikelAusSpeicher(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s, const QString& a) {
  const QString d = m.SpeicherName.Text;
  const QString app = EigenbauArtikelApp(d);
  s.preis = einstellungLesen(app, a, QStringLiteral("Preis"), QStringLiteral("0.000,-"));
  s.grundpreisText = einstellungLesen(app, a, QStringLiteral("Grundpreis"));
  s.info = einstellungLesen(app, a, QStringLiteral("Infotext"));
  s.per = einstellungLesen(app, a, QStringLiteral("per"));

  if (u.RTFText) {
    bool geladen = false;
    try {
      geladen = u.RTFText->LoadFile(m.Datei(d + a + QStringLiteral(".rtf"))) == 0;
    } catch (const std::exception&) {
      // A load that raises counts as a failed one: the template shows.
    }
    if (!geladen) {
      try {
        u.RTFText->LoadFile(PfadAbbilden(u.firmenlogo + QStringLiteral("\\eigenbau.rtf")));
      } catch (const std::exception&) {
      }
    }
    s.text = u.RTFText->RichText();
  }

  const QString zusatzApp = EigenbauZusatzApp(d, a);
  for (int k = 0; k < 6; ++k) {
    auto& z = s.zusatz[static_cast<std::size_t>(k)];
    const QString abschnitt = QStringLiteral("ZPreis") + QString::number(k);
    auto wert = [&](const char* schluessel, const QString& vorgabe = QString()) {
      return einstellungLesen(zusatzApp, abschnitt, QString::fromUtf8(schluessel), vorgabe);
    };
    bool ok = false;
    z.gezeigt = wert("AnzeigeJN", QStringLiteral("0")).trimmed().toInt(&ok);
    if (!ok) z.gezeigt = 0;
    if (z.gezeigt != 1) continue;
    z.preis = wert("Preis");
    z.info = wert("Information");
    z.per = wert("per");
    z.x = wert("X-Wert", ZusatzpreisX(k));
    z.y = wert("Y-Wert", ZusatzpreisY(k));
  }
}

void artikelAusFenster(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s) {
  s.preis = m.PreisEUR;
  s.grundpreisText = m.Grundpreis;
  s.info = m.Preis_Info;
  s.per = m.Per;
  s.text = u.RTF ? u.RTF->RichText() : QString();
  for (std::size_t k = 0; k < 6; ++k) {
    auto& z = s.zusatz[k];
    z.gezeigt = m.chk_PZ[k];
    z.preis = m.txt_PZ_EUR[k];
    z.info = m.txt_PZ_Preisinfo[k];
    z.per = m.txt_PZ_Per[k];
    z.x = m.txt_PZ_X[k];
    z.y = m.txt_PZ_Y[k];
  }
}

// The header picture and the company sign of the store-brand layout.
void markenbilder(const EigenbauModell& m, const EigenbauUmfeld& u) {
  const double b = zahlWert(m.B);
  const double lr = zahlWert(m.t_EinrückungLR), ou = zahlWert(m.t_EinrückungOU);
  const double links = zahlWert(m.t_SrLinks), oben = zahlWert(m.t_SrOben);
  const double breite = b - 2 * lr;
  u.vp->DrawPicture(u.SchildBild, mm(lr + links), mm(ou + oben), mm(breite), mm(breite / 3.1344632));
  const QRectF zeichen = Firmenzeichen(m);
  u.vp->DrawPicture(u.SchildTamselBild, mm(zeichen.left()), mm(zeichen.top()), mm(zeichen.width()),
                    mm(zeichen.height()));
}

// Headline and body top.
void kopf(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s) {
  const double oben = zahlWert(m.t_SrOben), ou = zahlWert(m.t_EinrückungOU);
  const double textmarke = zahlWert(m.t_HöheTextmarke);
  s.textOben = ou + oben + textmarke / 4;
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(m.Ueberschrift, kSlotWerbetext, QStringLiteral("Kipp"), *u.vp, 50, 50, std::nullopt, hoehe,
                      summe, true);
  if (m.c_Werbetext == 1) {
    double mitte = 0;
    // Centred over the sign; on a text mark narrower than the sign, set to fit the mark.
    double links = zahlWert(m.t_SrLinks), breite = zahlWert(m.B);
    if (m.chk_Brisal != 1) {
      s.textOben += textmarke;
      mitte = oben + textmarke / 8 + textmarke / 2 + ou;
      const double marke = zahlWert(m.t_BreiteTextmarke);
      if (m.c_Textmarke != 0 && marke > 0 && marke < breite) {
        links += (breite - marke) / 2;
        breite = marke;
      }
    } else {
      s.textOben += (zahlWert(m.B) - 2 * zahlWert(m.t_EinrückungLR)) / 3.1344632;
      mitte = s.textOben + hoehe / 2;
      s.textOben += hoehe;
    }
    // Never past the inner frame, whose line would run through the letters.
    const double lr = zahlWert(m.t_EinrückungLR);
    if (lr > 0 && breite > zahlWert(m.B) - 2 * lr - 2) {
      links = zahlWert(m.t_SrLinks) + lr + 1;
      breite = zahlWert(m.B) - 2 * lr - 2;
    }
    TextGemessenDrucken(m.Ueberschrift, kSlotWerbetext, QStringLiteral("Kipp"), *u.vp, links, mitte, breite, hoehe,
                        summe, false);
  }
  if (s.textOben < oben) s.textOben = oben;
}

// The body box from its top down to a little above the price mark and its lines (to the
// inner frame without a price). The store-brand header moves only its top: the box reaches
// as far down as in the plain layout, so that it holds the lines the editor shows.
void koerper(const EigenbauModell& m, const EigenbauUmfeld& u, const EigenbauSeite& s, const EigenbauPreisblock& p) {
  const double hoehe = (p.koerperUnten - (s.textOben + 1)) * 57;
  if (hoehe < 10) return;
  const double lr = zahlWert(m.t_EinrückungLR);
  // Text without a colour of its own is black, whatever colour the headline left set.
  u.vp->setTextColor(0);
  u.vp->setRichText(true);
  u.vp->TextBox(s.text.toStdString(), mm(zahlWert(m.t_SrLinks) + lr + 1), mm(s.textOben + 1),
                mm(zahlWert(m.B) - 2 * lr - 2), units(hoehe), false, false, false);
  u.vp->setRichText(false);
}

}  // namespace

QRectF Firmenzeichen(const EigenbauModell& m) {
  const double w = zahlWert(m.B) / 2.2826086;
  const double h = w / 6.1349206;
  return {zahlWert(m.t_EinrückungLR) + zahlWert(m.t_SrLinks) + 1,
          zahlWert(m.t_SrOben) + zahlWert(m.H) - h - zahlWert(m.t_EinrückungOU) - 0.5, w, h};
}

void EigenbauZeichnen(EigenbauModell& m, const EigenbauUmfeld& u) {
  EigenbauSeite s;
  s.abstand = zahlWert(Schriftdefinitionen()(kSlotGrundpreis, 4));
  const auto n = m.ArtNr.List.size();
  // The design's orientation holds for its own pages only; every other sign kind finds
  // the preview upright again.
  u.vp->setOrientation(m.O_Quer ? 1 : 0);
  struct Aufrecht {
    VSPrinter& vp;
    ~Aufrecht() { vp.setOrientation(0); }
  } aufrecht{*u.vp};
  u.vp->StartDoc();
  for (qsizetype i = 0; i < n; ++i) {
    if (n == 1) {
      artikelAusFenster(m, u, s);
    } else {
      artikelAusSpeicher(m, u, s, m.ArtNr.List[i]);
    }
    if (m.c_Werbetext == 1 && m.chk_Brisal != 1) EigenbauTextmarke(m, u, s);
    if (m.chk_Brisal == 1) {
      markenbilder(m, u);
      s.versatz = zahlWert(m.t_EinrückungOU);
    } else {
      s.versatz = 0;
    }
    kopf(m, u, s);
    // The price block's place is known before the body, which ends above it.
    EigenbauPreisblock p = EigenbauPreisBerechnen(m, u, s);
    EigenbauPreisPlatzieren(m, u, s, p, static_cast<int>(i));
    koerper(m, u, s, p);
    EigenbauPreiseZeichnen(m, u, s, p);
    if (i != n - 1) u.vp->NewPage();
  }
  // Also for an empty list: the document always ends.
  u.vp->EndDoc();
}

}  // namespace vovida
