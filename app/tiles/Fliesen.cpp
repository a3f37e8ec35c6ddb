#include "Fliesen.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Fliesenschild.h"
#include "Schildarten.h"
#include "Schildfenster.h"
#include "frmFliesenSchild.h"

#include <QComboBox>

namespace vovida {

namespace {

QStringList artikelliste() {
  const QComboBox& liste = *FormHolen<frmFliesenSchild>().ArtNr;
  QStringList nummern;
  for (int i = 0; i < liste.count(); ++i) nummern << liste.itemText(i);
  return nummern;
}

void artikelZeigen(const QString& nummer) {
  frmFliesenSchild& editor = FormHolen<frmFliesenSchild>();
  editor.ArtNr->setCurrentText(nummer);
  editor.ArtikelLaden_Click();
}

}  // namespace

void FliesenEinrichten() {
  for (const char* code : {"FVK", "A7"}) {
    const QString art = QString::fromLatin1(code);
    SchildartDienste dienste;
    dienste.editorZeigen = [] { FormZeigen<frmFliesenSchild>(&fensterliste().holen<FMStart>()); };
    dienste.zeichnen = [] { FliesenschilderDrucken(); };
    // The labelling switch: the "A7" option leaves the editor on the labelling.
    if (art == u"A7") dienste.nachAuswahl = [] { FormHolen<frmFliesenSchild>().mFliesenbeschriftung_Click(); };
    SchildartEintragen(art, std::move(dienste));
    SchildfensterEintragen(art, Schildfenster{artikelliste, artikelZeigen});
  }
}

}  // namespace vovida
