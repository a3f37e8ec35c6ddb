#include <algorithm>
#include <cmath>
#include <cstdio>

#include "SeedWriter.h"
#include "demo/Ean.h"
#include "model/ServerText.h"

namespace kesto::server::demo {

namespace {

Article article(const char* nr, const char* bez1, const char* bez2, const char* vre, double vk,
                const char* hgrp, const char* ugrp) {
  Article a;
  a.nr = nr;
  a.bez1 = bez1;
  a.bez2 = bez2;
  a.vre = vre;
  a.vk = vk;
  a.hgrp = hgrp;
  a.ugrp = ugrp;
  a.abt = std::string(1, hgrp[0]) + "0";
  return a;
}

Article withBase(Article a, const char* content, const char* unit, const char* base, double gp) {
  a.gpvme = content;
  a.gpvke = unit;
  a.gpe = base;
  a.gp = gp;
  return a;
}

std::vector<Article> handWritten() {
  std::vector<Article> v = {
      withBase(article("100001", "Zement CEM II 42,5", "Sack 25 kg", "SA", 6.99, "1", "11"), "25", "kg", "kg", 0.28),
      withBase(article("100002", "Fliesenkleber Flex", "grau", "SA", 18.90, "2", "23"), "25", "kg", "kg", 0.76),
      withBase(article("100003", "Dispersionsfarbe weiß", "10 Liter", "EIM", 39.90, "3", "31"), "10", "l", "l", 3.99),
      withBase(article("100004", "Gartenerde", "70 l", "SA", 5.00, "4", "41"), "70", "l", "l", 0.07),
      withBase(article("100005", "Holzlasur Eiche", "2,5 l", "DS", 24.95, "3", "32"), "2,5", "l", "l", 9.98),
      article("100006", "Gehwegplatte 40x40", "grau", "ST", 3.49, "4", "43"),
      article("100007", "Schraubendreher-Satz 6-tlg.", "Chrom-Vanadium", "ST", 12.00, "5", "52"),
      article("100008", "Akku-Bohrschrauber 18 V", "mit 2 Akkus", "ST", 129.00, "5", "51"),
      article("100009", "Gipskartonplatte 12,5 mm", "125 x 200 cm", "ST", 7.49, "1", "13"),
      withBase(article("100010", "Mineralwolle 100 mm", "Rolle 6 m²", "ROL", 34.90, "1", "12"), "6", "m²", "m²", 5.82),
      article("100011", "Universalschraube 4x40", "Packung 200 Stk.", "PAK", 8.95, "5", "53"),
      article("100012", "Rasenmäher Benzin 46 cm", "Radantrieb", "ST", 299.00, "4", "42"),
      withBase(article("100013", "Tiefengrund LF", "5 Liter", "EIM", 14.90, "3", "31"), "5", "l", "l", 2.98),
      article("100014", "Kantholz Fichte 6x8", "Länge 3 m", "ST", 9.90, "6", "61"),
      article("100015", "OSB-Platte 18 mm", "250 x 125 cm", "ST", 24.50, "6", "62"),
      withBase(article("100016", "Maurermörtel", "Sack 30 kg", "SA", 4.99, "1", "11"), "30", "kg", "kg", 0.17),
      withBase(article("100017", "Acryl-Dichtstoff weiß", "Kartusche 310 ml", "TUB", 3.95, "2", "23"), "0,31", "l", "l", 12.74),
      withBase(article("100018", "Fliesenfugenmörtel", "5 kg", "EIM", 11.90, "2", "23"), "5", "kg", "kg", 2.38),
      article("100019", "Maurerkelle", "Edelstahl", "ST", 9.95, "5", "52"),
      article("100020", "Straßenbesen", "Kokos 40 cm", "ST", 14.95, "4", "42"),
      withBase(article("100021", "Außenputz", "Sack 25 kg", "SA", 12.50, "1", "11"), "25", "kg", "kg", 0.50),
      article("100022", "Gartenschlauch ½ Zoll", "20 m", "ROL", 19.99, "4", "42"),
      article("100023", "Flachpinsel-Set", "Qualität nach § 4 Ö-Norm", "PAK", 7.49, "3", "32"),
      withBase(article("100024", "Holzschutz-Öl farblos", "750 ml", "DS", 16.90, "3", "32"), "0,75", "l", "l", 22.53),
      article("100025", "Terrassendiele Lärche", "145 x 27 mm", "M", 8.90, "6", "61"),
  };
  v[1].bez3 = "25 kg";
  v[8].atyp = "B";
  v[11].atyp = "B";
  // Status and listing variants for the search filters.
  const struct {
    const char* nr;
    const char* aktiv;
    const char* gelistet;
  } variants[] = {{"100030", "N", "J"}, {"100031", "Z", "J"}, {"100032", "J", "N"},
                  {"100033", "J", "A"}, {"100034", "J", "B"}};
  for (const auto& x : variants) {
    Article a = article(x.nr, "Restposten Zierkies", "Sack 20 kg", "SA", 4.50, "4", "43");
    a.aktiv = x.aktiv;
    a.gelistet = x.gelistet;
    v.push_back(a);
  }
  Article fresh = article("100040", "Laminat Eiche hell", "Paket 2,22 m²", "PAK", 12.95, "6", "62");
  fresh.kc = "NEU";
  v.push_back(fresh);
  // Descriptions as long as the editors take them and a seven-digit price: every sign must
  // keep them inside their boxes.
  Article lang = withBase(article("100050", "Akku-Bohrschrauber 18 V im Zubehörkoffer",
                                  "inkl. 2 Akkus 4 Ah und Schnellladegerät", "ST", 12345.67, "5", "51"),
                          "1", "ST", "ST", 12345.67);
  lang.bez3 = "Bohrfutter 13 mm, LED-Licht, Gürtelclip";
  v.push_back(lang);
  Article woerter = withBase(article("100051", "Wärmedämmverbundsystem-Komplettpaket EPS",
                                     "Fassadendämmplatte WLG 035, Stärke 12 cm", "PAK", 1299.00, "1", "12"),
                             "10", "m²", "m²", 129.90);
  woerter.bez3 = "Kantenschutz, Armierungsgewebe, Dübelset";
  v.push_back(woerter);
  // A short number: the delivery slip pads it to six digits for its bar code.
  v.push_back(article("4711", "Dübel-Sortiment", "Box 200 Stk.", "PAK", 9.95, "5", "53"));
  return v;
}

struct Family {
  const char* name;
  const char* unit;
  double price;
  const char* hgrp;
  const char* ugrp;
};

constexpr Family kFamilies[] = {
    {"Holzschraube", "PAK", 3.90, "5", "53"},     {"Dübel", "PAK", 2.50, "5", "53"},
    {"Bohrer HSS", "ST", 4.20, "5", "51"},        {"Schleifpapier Körnung", "PAK", 5.90, "5", "52"},
    {"Vollholzbrett Fichte", "ST", 6.80, "6", "61"}, {"Spanplatte", "ST", 14.90, "6", "62"},
    {"Innenfarbe Pastell", "EIM", 19.90, "3", "31"}, {"Buntlack seidenmatt", "DS", 11.90, "3", "32"},
    {"Blumenerde", "SA", 3.99, "4", "41"},        {"Rasensamen", "PAK", 9.90, "4", "41"},
    {"Pflasterstein grau", "ST", 0.89, "4", "43"}, {"Gipsspachtel", "SA", 8.50, "1", "13"},
    {"Dämmplatte EPS", "PAK", 22.90, "1", "12"},   {"Schnellzement", "SA", 9.40, "1", "11"},
};

constexpr const char* kSizes[] = {"Gr. 1", "Gr. 2", "Gr. 3", "Gr. 4", "klein", "mittel", "groß",
                                  "10 mm", "20 mm", "30 mm", "40 mm", "50 mm", "60 mm", "80 mm",
                                  "100 mm", "120 mm", "Sparpack", "Profi", "Eco", "Premium",
                                  "weiß", "grau", "schwarz", "natur", "rot", "grün", "blau",
                                  "2er-Pack", "5er-Pack", "Großpackung"};

}  // namespace

void addArticle(SeedWriter& w, const std::string& firma, const Article& a) {
  w.add("FRX.ArtHaupt1",
        {{"Firma", t(firma)}, {"ArtNr", t(a.nr)}, {"Bez1", t(a.bez1)}, {"Bez2", t(a.bez2)},
         {"Bez3", t(a.bez3)}, {"KBEZ", t(model::toSearchKey(a.bez1).substr(0, 30))}, {"VRE", t(a.vre)},
         {"VKE", t(a.vre)}, {"VPI", t(a.vpi)}, {"VRM", t(a.vrm)}, {"VPM", t(a.vpm)},
         {"ATYP", t(a.atyp == "B" ? "B Bestellung" : "L Lager")}, {"GPVME", t(a.gpvme)},
         {"GPVKE", t(a.gpvke)}, {"GPE", t(a.gpe)}, {"VK", n(a.vk)}, {"GP", n(a.gp)},
         {"TamselEAN", t(withCheckDigit("20" + std::string(6 - std::min<std::size_t>(6, a.nr.size()), '0') + a.nr + "0000"))}, {"KC", t(a.kc)}, {"HGRP", t(a.hgrp)},
         {"UGRP", t(a.ugrp)}, {"LNR", t(a.lnr)}, {"ABTNR", t(a.abt)}, {"AKTIV", t(a.aktiv)},
         {"GELISTET", t(a.gelistet)}});
}

void seedArticles(SeedWriter& w) {
  Numbers random(4711);
  std::vector<Article> all = handWritten();
  for (std::size_t k = 0; k < all.size(); ++k) all[k].lnr = std::to_string(700001 + k % 8);
  for (const auto& a : all) addArticle(w, "1", a);

  // Bulk assortment: families times sizes, 110001 upwards, to 500 articles with the tiles.
  int nr = 110001;
  for (int k = 0; k < 412; ++k) {
    const Family& f = kFamilies[k % std::size(kFamilies)];
    const char* size = kSizes[(k / std::size(kFamilies)) % std::size(kSizes)];
    Article a = article(std::to_string(nr++).c_str(), f.name, size, f.unit, 0, f.hgrp, f.ugrp);
    a.bez1 = std::string(f.name) + " " + size;
    a.bez2 = "";
    a.vk = std::round(f.price * (80 + random.next(60))) / 100.0;
    a.lnr = std::to_string(700001 + random.next(40));
    a.aktiv = random.next(20) == 0 ? "N" : "J";
    a.atyp = random.next(5) == 0 ? "B" : "L";
    addArticle(w, "1", a);
  }

  // Manufacturer EANs: 70 EAN-13 and 10 EAN-8 codes on the first hand-written and bulk articles.
  for (int k = 0; k < 80; ++k) {
    const std::string artNr = k < static_cast<int>(all.size()) ? all[std::size_t(k)].nr : std::to_string(110001 + k);
    char digits[16];
    if (k < 70)
      std::snprintf(digits, sizeof digits, "4006381%05d", 10000 + k * 37);
    else
      std::snprintf(digits, sizeof digits, "4001%03d", 100 + k);
    w.add("FRX.ArtMaEan", {{"Firma", t("1")}, {"EAN", t(withCheckDigit(digits))}, {"ArtNr", t(artNr)}});
  }

  // The second company keeps its prices in schillings.
  for (std::size_t k = 0; k < 5; ++k) {
    Article a = all[k];
    a.vk = std::round(a.vk * 13.7603 * 10) / 10.0;
    a.gp = std::round(a.gp * 13.7603 * 100) / 100.0;
    addArticle(w, "2", a);
  }
}

}  // namespace kesto::server::demo
