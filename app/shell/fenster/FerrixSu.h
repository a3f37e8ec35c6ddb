// The search module: the article search paged from the server, the supplier and customer
// searches, their hit stores and the results their dialogs hand back.
#pragma once

#include <activex/VirtualList.h>

#include <QString>

#include <cstdint>
#include <vector>

namespace vovida {

using kesto::activex::VirtualList;

struct ArtikelTrefferSatz {
  QString ArtNr;
  QString Bezeichnung;
  QString AbtNr;
};

struct KontoTreffer {
  QString Nummer;
  QString Kurzbezeichnung;
  QString Name;
  QString Plz;
  QString Strasse;
};

// Module globals; hits stand at positions 1 to the count, position 0 stays empty.
struct FerrixSuGlobale {
  static constexpr int kMaxArtikelTreffer = 10000;
  static constexpr int kMaxKontoTreffer = 500;

  std::vector<ArtikelTrefferSatz> ArtikelTreffer = std::vector<ArtikelTrefferSatz>(kMaxArtikelTreffer + 1);
  std::int16_t Trefferanzahl = 0;  // 0: the next step starts a new search
  QString ArtikelSuchErgebnis;

  std::vector<KontoTreffer> LieferantenTreffer = std::vector<KontoTreffer>(kMaxKontoTreffer + 1);
  std::vector<KontoTreffer> KundenTreffer = std::vector<KontoTreffer>(kMaxKontoTreffer + 1);
  QString LieferantenSuchErgebnis;
  QString KundenSuchErgebnis;
};

FerrixSuGlobale& ferrixSu();
void ferrixSuZuruecksetzen();  // tests

// Shows FMArtsu modally and gives the chosen article number, "" when none was chosen.
QString ArtikelSuchDialog();
// One search step of FMArtsu: a new search when no hit is loaded, else the next page.
void ArtikelSucheAusfuehren();
// As ArtikelSucheAusfuehren; true when the search is complete (no further page).
bool ArtikelSuchschritt();

// Shows FMLnrsu modally and gives the chosen supplier number, "" when none was chosen.
QString LieferantenSuchDialog();
// The searches of FMLnrsu and FMKnrsu over their search term and filter.
void LieferantenSuche();
void KundenSuche();

// What the search windows share.
// Odd rows pale yellow, even rows white.
VirtualList::Farbe Zeilenfarbe(int zeile);
// Writes the cells of a row being supplied, all in the row's colour.
void ZeileFuellen(VirtualList& liste, int zeile, const QStringList& zellen);
// Upper case, sharp s and umlauts spelled out, at most 18 characters.
QString SuchbegriffNormalisieren(const QString& text);
// The text up to the first blank.
QString ErstesWort(const QString& text);

}  // namespace vovida
