#include "Plakat.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Schildarten.h"
#include "Schildfenster.h"
#include "frmPlakat.h"

namespace vovida {

Plakatseite PlakatseiteZu(const QString& code) {
  Plakatseite seite;
  if (code == u"A3N" || code == u"A3F") {
    seite.breite = 297;
    seite.hoehe = 420;
    seite.massstab = 297.0 / 210.0;
    seite.versatz = 1;
  }
  seite.normalpapier = !(code == u"A4F" || code == u"A3F");
  return seite;
}

void PlakatEinrichten() {
  for (const char* art : {"A4N", "A3N", "A4F", "A3F"}) {
    const QString code = QString::fromLatin1(art);
    SchildartDienste dienste;
    dienste.editorZeigen = [code] {
      frmPlakat& editor = FormZeigen<frmPlakat>(&fensterliste().holen<FMStart>());
      // Letterhead carries its own heading: no headline to choose.
      editor.UeberschriftFreigeben(PlakatseiteZu(code).normalpapier);
    };
    dienste.zeichnen = [] { PlakatZeichnen(); };
    dienste.blattAnzeigen = [] { FormHolen<frmPlakat>().BlattAnzeigen(); };
    SchildartEintragen(code, std::move(dienste));

    Schildfenster fenster;
    fenster.ArtNr = [] { return FormHolen<frmPlakat>().Liste(); };
    fenster.artikelZeigen = [](const QString& nr) {
      frmPlakat& editor = FormHolen<frmPlakat>();
      editor.setArtNrText(nr);
      editor.lesen();
    };
    SchildfensterEintragen(code, std::move(fenster));
  }
}

}  // namespace vovida
