// The layout of the sign kind "EIGENBAU": one preview page per article of the editor's
// list, with headline, text mark, rich-text body, prices, footer, cutting marks and
// frames, drawn in millimetres through the rendering core.
#pragma once

#include "EigenbauModell.h"
#include "Textkoerper.h"

#include <QDate>
#include <QImage>
#include <QRectF>
#include <QString>

#include <activex/VSPrinter.h>

#include <array>

namespace vovida {

// What the layout reads besides the editor: the main window, the price window and the
// program-wide values.
struct EigenbauUmfeld {
  kesto::activex::VSPrinter* vp = nullptr;  // the main window's preview
  Textkoerper* RTF = nullptr;               // the main window's body: a single article
  Textkoerper* RTFText = nullptr;           // loads the bodies of several articles
  QImage SchildBild, SchildTamselBild;
  int ZweiPreise = 0, Grundpreis = 0, Raster = 0;
  QString Faktor;  // caption of Preisinfo.Faktor
  QString PersonalName, WaehrungszeichenHW, WaehrungszeichenNW;
  bool NeuerStil = false;
  QDate heute;
  QString firmenlogo;  // server folder of the company logo, "\" separated
};

// The values of the page being drawn; a page that does not set a value keeps the
// previous page's.
struct EigenbauSeite {
  struct Zusatzpreis {
    int gezeigt = 0;
    QString preis, info, per, x, y;
  };
  QString preis, grundpreisText, info, per, text;
  std::array<Zusatzpreis, 6> zusatz;
  double abstand = 0;   // field 4 of slot 70, mm
  double versatz = 0;   // inner offset of the store-brand layout, mm
  double textOben = 0;  // top of the body, mm

  // Kept over pages by the price half.
  QString grundpreisZeile, infoZeile;
};

void EigenbauZeichnen(EigenbauModell& m, const EigenbauUmfeld& u);

// Where the store-brand layout puts the company sign, mm.
QRectF Firmenzeichen(const EigenbauModell& m);

// The price half of a page and the text mark; used by EigenbauZeichnen.
struct EigenbauPreisblock {
  QString preis, zeichen, umgerechnet, umgerechnetZeichen;
  double sternBreite = 0, sternHoehe = 0;
  double preisOben = 0;  // top of the price mark, mm
  // Where the page moves the main price and the lines above it so that they stay inside
  // the frame and clear of each other, and where the body must end above them.
  double dx = 0, dy = 0, hub = 0;
  double hoechstquer = 0;  // new style: the most the label may extend across
  double koerperUnten = 0;
};
// The price texts and the size of the price mark (measured on a preview of its own in
// the new style, which writes it into the star boxes).
EigenbauPreisblock EigenbauPreisBerechnen(EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s);
// The main price's place, the base-price and information lines of page i, and the body's
// lower edge: run before the body is drawn.
void EigenbauPreisPlatzieren(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s,
                             EigenbauPreisblock& p, int i);
void EigenbauTextmarke(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s);
void EigenbauPreiseZeichnen(const EigenbauModell& m, const EigenbauUmfeld& u, EigenbauSeite& s,
                            EigenbauPreisblock& p);

// The main price converted with the factor: "   " and "" when two prices are off or the
// conversion fails.
void EigenbauUmrechnen(const QString& preis, const EigenbauUmfeld& u, QString& umgerechnet, QString& zeichen);

}  // namespace vovida
