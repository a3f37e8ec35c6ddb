#include "FerrixSu.h"

#include "FMArtsu.h"
#include "FMLnrsu.h"
#include "FMKnrsu.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include <activex/MaskEdit.h>
#include "Platzierung.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

#include <QApplication>
#include <QComboBox>

namespace vovida {

namespace {

const QChar kEintragTrenner(0xFF);
const QString kFeldTrenner = QStringLiteral("`");
constexpr int kTrefferJeSeite = 4;

// The hourglass on the window for a scope, the default pointer after it.
class Sanduhr {
 public:
  explicit Sanduhr(QWidget& fenster) : fenster_(fenster) { fenster_.setCursor(Qt::WaitCursor); }
  ~Sanduhr() { fenster_.unsetCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;

 private:
  QWidget& fenster_;
};

QString neueSucheZeile(const FMArtsu& f) {
  const QStringList werte{f.SKBEZ->text(),
                          ErstesWort(f.SHGRP->currentText()),
                          ErstesWort(f.SUGRP->currentText()),
                          ErstesWort(f.SLNR->text()),
                          ErstesWort(f.SABTNR->currentText()),
                          f.SAKTIV->currentText(),
                          f.SGEL->currentText()};
  QStringList zitiert;
  for (const QString& w : werte) zitiert << ServerZeichenkette(w);
  return QStringLiteral("D GETARF^FRXCLSU(") + zitiert.join(u',') + u')';
}

// The modal dialog of a search window, fresh each time; gives the result variable.
template <class Fenster>
QString suchDialog(QString& ergebnis, void (Fenster::*laden)()) {
  ergebnis.clear();
  fensterliste().entladen<Fenster>();
  Fenster& fenster = fensterliste().holen<Fenster>();
  (fenster.*laden)();
  // In front of the window the search was started from.
  Zuordnen(fenster, QApplication::activeWindow());
  ModalZeigen(fenster);
  fensterliste().entladen<Fenster>();
  return ergebnis;
}

}  // namespace

FerrixSuGlobale& ferrixSu() {
  static FerrixSuGlobale g;
  return g;
}

void ferrixSuZuruecksetzen() { ferrixSu() = FerrixSuGlobale{}; }

QString ArtikelSuchDialog() { return suchDialog<FMArtsu>(ferrixSu().ArtikelSuchErgebnis, &FMArtsu::Form_Load); }

QString LieferantenSuchDialog() {
  return suchDialog<FMLnrsu>(ferrixSu().LieferantenSuchErgebnis, &FMLnrsu::Form_Load);
}

void ArtikelSucheAusfuehren() { ArtikelSuchschritt(); }

bool ArtikelSuchschritt() {
  FMArtsu& f = fensterliste().holen<FMArtsu>();
  FerrixSuGlobale& g = ferrixSu();
  QString antwort;
  const bool neueSuche = g.Trefferanzahl == 0;
  {
    Sanduhr sanduhr(f);
    if (!neueSuche) {
      antwort = ServerAusfuehren(QStringLiteral("D GETARN^FRXCLSU"));
    } else {
      // Hits of an earlier search must not show up in the rows of this one.
      g.ArtikelTreffer.assign(g.ArtikelTreffer.size(), ArtikelTrefferSatz{});
      antwort = ServerAusfuehren(neueSucheZeile(f));
    }
  }
  bool vollstaendig = false;
  for (int i = 1; i <= kTrefferJeSeite; ++i) {
    const QString stueck = TeilString(antwort, QString(kEintragTrenner), i);
    if (stueck.isEmpty()) {
      vollstaendig = true;
      break;
    }
    // The store is full: what the server has beyond it is not shown.
    if (g.Trefferanzahl >= FerrixSuGlobale::kMaxArtikelTreffer) {
      vollstaendig = true;
      break;
    }
    ++g.Trefferanzahl;
    g.ArtikelTreffer[std::size_t(g.Trefferanzahl)] = {TeilString(stueck, kFeldTrenner, 1),
                                                      TeilString(stueck, kFeldTrenner, 2),
                                                      TeilString(stueck, kFeldTrenner, 3)};
  }
  if (!vollstaendig && g.Trefferanzahl >= FerrixSuGlobale::kMaxArtikelTreffer) vollstaendig = true;
  if (vollstaendig) {
    f.ARTSULI->setRows(g.Trefferanzahl);
    f.ARTSULI->Refresh();
    f.ARTSULI->setCurRow(g.Trefferanzahl);
    f.ARTSULI->Refresh();
  } else {
    // Full pages so far: offer rows beyond the loaded hits, so that scrolling asks for more.
    f.ARTSULI->setRows(g.Trefferanzahl * 1.5);
    // The list still holds the cells of the last search's rows; a new search must not
    // show (or let the user pick) them. Further pages keep the rows already shown.
    if (neueSuche) f.ARTSULI->Refresh();
  }
  return vollstaendig;
}

void LieferantenSuche() { fensterliste().holen<FMLnrsu>().suchen(); }
void KundenSuche() { fensterliste().holen<FMKnrsu>().suchen(); }

VirtualList::Farbe Zeilenfarbe(int zeile) {
  constexpr VirtualList::Farbe kWeiss = 0xFFFFFF;
  constexpr VirtualList::Farbe kBlassgelb = 0xB4FFFF;  // RGB(255, 255, 180)
  return zeile % 2 == 0 ? kWeiss : kBlassgelb;
}

void ZeileFuellen(VirtualList& liste, int zeile, const QStringList& zellen) {
  for (int s = 1; s <= zellen.size(); ++s) {
    liste.setCellText(s, zellen[s - 1]);
    liste.setCellBackColor(s, Zeilenfarbe(zeile));
  }
}

QString SuchbegriffNormalisieren(const QString& text) {
  return TextKonvertieren(text, QStringLiteral("FerrixSUCHE"), true).left(18);
}

QString ErstesWort(const QString& text) { return TeilString(text, QStringLiteral(" "), 1); }

}  // namespace vovida
