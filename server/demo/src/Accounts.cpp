#include <cstdio>
#include <string>

#include "SeedWriter.h"
#include "model/ServerText.h"

namespace kesto::server::demo {

namespace {

constexpr const char* kSupplierNames[] = {
    "Baustoffwerke Müller", "Fliesen Österreicher", "Farbenfabrik Weiß", "Gartenbedarf Grün",
    "Werkzeug Schäfer", "Holzindustrie Köhler", "Dämmtechnik Süd", "Eisenwaren Groß",
    "Zementwerk Straßhof", "Keramik Überlinger",
};
constexpr const char* kSupplierKinds[] = {"GmbH", "KG", "AG", "& Söhne"};
constexpr const char* kStreets[] = {"Hauptstraße", "Bahnhofstraße", "Industriestraße", "Gärtnerweg",
                                    "Mühlgasse", "Schloßplatz", "Lindenallee", "Brückenstraße"};
constexpr const char* kTowns[] = {"Linz", "Wels", "Steyr", "Graz", "Salzburg", "Wien", "Villach", "Krems"};
constexpr const char* kPlz[] = {"4020", "4600", "4400", "8010", "5020", "1100", "9500", "3500"};
constexpr const char* kFirstNames[] = {"Anna", "Josef", "Maria", "Franz", "Eva", "Karl", "Jürgen", "Gerda"};
constexpr const char* kLastNames[] = {"Huber", "Gruber", "Bauer", "Wagner", "Müller", "Pichler", "Steiner",
                                      "Moser", "Mayer", "Hofer", "Leitner", "Berger", "Fuchs", "Eder",
                                      "Schmid", "Weiß", "Schwarz", "Brunner", "Größinger", "Lang"};

struct Group {
  const char* code;
  const char* name;
  const char* aktiv;
};

constexpr Group kCustomerGroups[] = {
    {"01", "Privatkunden", "J"},  {"02", "Handwerker", "J"}, {"03", "Bauunternehmen", "J"},
    {"04", "Gemeinden", "J"},     {"05", "Mitarbeiter", "J"}, {"06", "Altkunden", "N"},
};

void addAccount(SeedWriter& w, const char* art, int nummer, const std::string& name, int k,
                const std::string& sammel, const std::string& gruppe) {
  w.add("FRX.Konto", {{"Firma", t("1")}, {"Art", t(art)}, {"Nummer", t(std::to_string(nummer))},
                      {"KBEZ", t(model::toSearchKey(name).substr(0, 30))}, {"Name", t(name)},
                      {"PLZ", t(kPlz[k % 8])}, {"Strasse", t(std::string(kStreets[k % 8]) + " " + std::to_string(1 + k % 57))},
                      {"Ort", t(kTowns[k % 8])}, {"SammelKonto", t(sammel)}, {"Gruppe", t(gruppe)}});
}

}  // namespace

void seedAccounts(SeedWriter& w) {
  const char* collective[] = {"Inland", "EU-Ausland", "Drittland"};
  for (int k = 0; k < 3; ++k)
    w.add("FRX.KontoSammelKontoKreis", {{"Firma", t("1")}, {"Art", t("L")}, {"Nummer", i(k + 1)},
                                        {"Name", t(collective[k])}});
  for (const auto& g : kCustomerGroups)
    w.add("FRX.ParKundenGruppen", {{"Firma", t("1")}, {"Gruppe", t(g.code)}, {"Name", t(g.name)},
                                   {"Aktiv", t(g.aktiv)}});

  for (int k = 0; k < 40; ++k) {
    std::string name = kSupplierNames[k % 10];
    if (k >= 10) name += std::string(" ") + kSupplierKinds[k / 10 - 1];
    addAccount(w, "L", 700001 + k, name, k, std::to_string(1 + k % 3), "");
  }
  // More customers than the search shows (500), so that its cap can be seen.
  Numbers random(1973);
  for (int k = 0; k < 620; ++k) {
    const std::string name = std::string(kLastNames[random.next(20)]) + " " + kFirstNames[random.next(8)];
    char group[4];
    std::snprintf(group, sizeof group, "%02d", 1 + k % 5);
    addAccount(w, "K", 800001 + k, name, k, "", group);
  }
}

}  // namespace kesto::server::demo
