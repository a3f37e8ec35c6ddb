#include <string>

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
}

}  // namespace kesto::server::demo
