#include <cstdint>
#include <string>
#include <vector>

#include "SeedWriter.h"

namespace kesto::server::demo {

namespace {

struct TileType {
  const char* key;
  const char* name;
};

// Same names as the tile editor's fixed list.
constexpr TileType kTypes[] = {
    {"WF", "Wandfliese"}, {"BF", "Bodenfliese"}, {"BO", "Bordüre"}, {"DE", "Dekor"},
    {"BI", "Bild"}, {"EI", "Einleger"}, {"BD", "Boden"}, {"UN", "Unifliese"},
    {"ST", "Stufen"}, {"SN", "Stufen m. Nase"}, {"SO", "Sockelleiste"}, {"LI", "Listelle"},
};

constexpr const char* kSeries[] = {"Capri", "Toscana", "Nordic", "Marmo", "Ardesia", "Cotto",
                                   "Linea", "Bianco", "Rustico", "Vulcano", "Sabbia", "Grafite",
                                   "Quarzo", "Oliva", "Perla", "Terra"};

// Sub-articles use the types from index 2 on (borders, decors, steps, skirtings ...).
constexpr int kSubTypes = 10;

void addTileData(SeedWriter& w, const std::string& nr, const std::string& alias, const char* type,
                 int k) {
  w.add("FRX.ArtFlies", {{"Firma", t("1")}, {"ArtNr", t(nr)}, {"Alias", t(alias)},
                         {"Sort", t(k % 4 == 3 ? "2." : "1.")}, {"ABRIEB", t("PEI " + std::to_string(2 + k % 4))},
                         {"VERFUEG", t(k % 3 == 2 ? "Bestellung" : "Lagernd")},
                         {"GROESSE", t(k % 2 ? "30x60 cm" : "20x25 cm")}, {"FROST", t(k % 2 ? "J" : "N")},
                         {"REGAL", t("F" + std::to_string(10 + k % 9))}, {"Typ", t(type)}});
}

// A main tile article with its tile data, one tile type and the sub-articles given.
void addMainTile(SeedWriter& w, const std::string& nr, const char* series, Article a, const char* typeKey,
                 const std::vector<std::string>& subs, int k) {
  a.nr = nr;
  a.bez1 = std::string("Wandfliese ") + series;
  a.bez2 = "30 x 60 cm";
  a.vre = a.vre.empty() ? "QM" : a.vre;
  a.vk = 24.90 + k;
  a.hgrp = "2";
  a.ugrp = "21";
  a.abt = "20";
  a.kc = "F12";
  addArticle(w, "1", a);
  addTileData(w, nr, series, "WF", k);
  w.add("FRX.ArtFliesTyp", {{"Firma", t("1")}, {"ArtNr", t(nr)}, {"Pos", i(1)}, {"Typ", t("9")},
                            {"ParFlies", t(typeKey)}});
  for (std::size_t p = 0; p < subs.size(); ++p)
    w.add("FRX.ArtFliesZuord", {{"Firma", t("1")}, {"ArtNr", t(nr)}, {"Pos", i(static_cast<std::int64_t>(p) + 1)},
                                {"ZusatzArtNr", t(subs[p])}});
}

// Edge cases of the tile signs: twelve sub-articles, a tile type the company does not
// know, a sub-article without tile data, the packaging figures the explanation turns on
// (with one empty VRM) and an article kept to order.
void seedTileCases(SeedWriter& w) {
  std::vector<std::string> twelve;
  for (int p = 0; p < 12; ++p) twelve.push_back(std::to_string(200101 + p));
  addMainTile(w, "200017", "Dodici", Article{}, "WF", twelve, 0);
  addMainTile(w, "200018", "Ignota", Article{}, "XX", {"200101"}, 1);

  Article ohne;
  ohne.nr = "200141";
  ohne.bez1 = "Bordüre ohne Fliesendaten";
  ohne.bez2 = "5 x 30 cm";
  ohne.vre = "ST";
  ohne.vk = 4.90;
  ohne.hgrp = "2";
  ohne.ugrp = "23";
  ohne.abt = "20";
  ohne.kc = "Z";
  addArticle(w, "1", ohne);
  addMainTile(w, "200019", "Mancante", Article{}, "WF", {"200101", "200141"}, 2);

  struct Packaging {
    const char* nr;
    const char* series;
    const char *vpi, *vrm, *vpm, *atyp;
  };
  constexpr Packaging kPackaging[] = {
      {"200020", "Quindici", "10", "1,5", "15", "L"},  {"200021", "Pari", "10", "1,44", "1,44", "L"},
      {"200022", "Uno", "1", "1,5", "1", "L"},         {"200023", "Vuota", "10", "", "10", "L"},
      {"200024", "Ordine", "6", "1,08", "6", "B"},
  };
  int k = 3;
  for (const Packaging& p : kPackaging) {
    Article a;
    a.vpi = p.vpi;
    a.vrm = p.vrm;
    a.vpm = p.vpm;
    a.atyp = p.atyp;
    addMainTile(w, p.nr, p.series, a, "WF", {"200102"}, k++);
  }
}

}  // namespace

void seedTiles(SeedWriter& w) {
  for (const auto& type : kTypes)
    for (const char* firma : {"1", "2"})
      w.add("FRX.ParFlies", {{"Firma", t(firma)}, {"Typ", t(type.key)}, {"typbez", t(type.name)}});

  // Sub-articles 200101-200140.
  for (int k = 0; k < 40; ++k) {
    const TileType& type = kTypes[2 + k % kSubTypes];
    const std::string nr = std::to_string(200101 + k);
    Article a;
    a.nr = nr;
    a.bez1 = std::string(type.name) + " " + kSeries[k % 16];
    a.bez2 = k % 2 ? "5 x 25 cm" : "8 x 30 cm";
    a.vre = "ST";
    a.vk = 2.90 + (k % 7) * 1.5;
    a.hgrp = "2";
    a.ugrp = "23";
    a.abt = "20";
    a.kc = "Z";
    addArticle(w, "1", a);
    addTileData(w, nr, std::string(kSeries[k % 16]) + " " + type.key, type.key, k);
  }

  // Tile articles 200001-200016; 200016 has no tile data on purpose.
  int subUsed = 0;
  for (int k = 0; k < 16; ++k) {
    const std::string nr = std::to_string(200001 + k);
    const bool floor = k % 2 == 1;
    Article a;
    a.nr = nr;
    a.bez1 = std::string(floor ? "Bodenfliese " : "Wandfliese ") + kSeries[k];
    a.bez2 = floor ? "30 x 60 cm, rektifiziert" : "20 x 25 cm, glänzend";
    a.vre = "QM";
    a.vk = 19.90 + k * 2.5;
    a.hgrp = "2";
    a.ugrp = floor ? "22" : "21";
    a.abt = "20";
    a.vpi = floor ? "6" : "12";
    a.vrm = floor ? "1,08" : "1,44";
    a.kc = "F" + std::to_string(10 + k % 9);
    addArticle(w, "1", a);
    if (k == 15) continue;
    addTileData(w, nr, kSeries[k], floor ? "BF" : "WF", k);

    w.add("FRX.ArtFliesTyp", {{"Firma", t("1")}, {"ArtNr", t(nr)}, {"Pos", i(1)},
                              {"Typ", t(floor ? "2" : "1")}, {"ParFlies", t(floor ? "BF" : "WF")}});
    if (k % 4 == 0)
      w.add("FRX.ArtFliesTyp", {{"Firma", t("1")}, {"ArtNr", t(nr)}, {"Pos", i(2)}, {"Typ", t("8")},
                                {"ParFlies", t("UN")}});

    // 200001: three sub-articles, 200002: a full table of eleven, the others none to two.
    const int count = k == 0 ? 3 : k == 1 ? 11 : k % 3;
    for (int p = 1; p <= count; ++p) {
      w.add("FRX.ArtFliesZuord", {{"Firma", t("1")}, {"ArtNr", t(nr)}, {"Pos", i(p)},
                                  {"ZusatzArtNr", t(std::to_string(200101 + subUsed % 40))}});
      ++subUsed;
    }
  }
  seedTileCases(w);
}

}  // namespace kesto::server::demo
