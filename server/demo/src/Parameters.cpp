#include <cstdio>
#include <string>

#include "FontSlots.h"
#include "SeedWriter.h"
#include "SlipFiles.h"

namespace kesto::server::demo {

namespace {

struct Param {
  const char* key;
  std::string value;        // display text
  std::string description;
};

// Windows paths in parameters use "@" for "\": "/opt/x" is stored as "@opt@x".
std::string atPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '@';
  return path;
}

void add(SeedWriter& w, const std::string& firma, const char* group, const Param& p) {
  w.add("FRX.ParAnwPar", {{"Firma", t(firma)}, {"Gruppe", t(group)}, {"Schluessel", t(p.key)},
                          {"Parameter", t(p.value)}, {"Beschreibung", t(p.description)}});
}

void seedCompany(SeedWriter& w, const std::string& firma, bool main) {
  const std::string pictures = atPath(w.options().demoFolder + "/bilder");
  const Param plakat[] = {
      {"GRUNDPREIS", "1", "Grundpreisauszeichnung 0/1"},
      {"DOPPEL", "1", "Doppelte Preisauszeichnung 0/1"},
      {"WKZ", "öS@X", "Währungskennzeichen HW@NW"},
      {"FONT_HW", "Kipp", "Preisschrift Hauptwährung"},
      {"FONT_NW", "Helvetica", "Preisschrift Nebenwährung"},
      {"FONT_PKZHW", "Kipp", "Preisschrift Währungszeichen"},
      {"FONT_PER", "Helvetica", "Schrift Personalschild"},
      {"FONT_INFO", "Arial", "Schrift Information"},
      {"FIRMENLOGO", pictures, "Ordner Firmenlogo"},
      {"STYLE", main ? "neu" : "alt", "Layoutstil neu/alt"},
      {"MENUE", "E@E@E@E@E@E@E@E@E@E@E@E", "Menüschalter (A = gesperrt)"},
      {"PRTPLA4N", "Standard", "Drucker Plakat A4 normal"},
      {"PRTPLA3N", "Standard", "Drucker Plakat A3 normal"},
      {"PRTPLA4F", "Standard", "Drucker Plakat A4 farbig"},
      {"PRTPLA3F", "Standard", "Drucker Plakat A3 farbig"},
      {"PRTREGAL", "Standard", "Drucker Regalschild"},
      {"PRTPERSON", "Standard", "Drucker Personalschild"},
      {"PRTFLSCH", "Standard", "Drucker Fliesenschild"},
      {"PRTFLBESCH", "Standard", "Drucker Fliesenbeschriftung"},
      {"PRTGARTENS", "Standard", "Drucker Freigeländeschild"},
      {"PLAKAT-H", "10", "Abstand unten mm"},
      {"RBESCH-BH", "170@50", "Regalschild B@H"},
      {"PSCHILD-BH", "92@33", "Personalschild B@H"},
      {"FRSCH-BH", "170@62", "Freigeländeschild B@H"},
      {"FBESCH-BH", "100@70", "Fliesenbeschriftung B@H"},
      {"FSCHILD-BH", "170@240@170@120", "Fliesenschild groß@klein"},
      {"FSCHILD-B1", "20@30@20@25@", "Spalten Hauptartikel %"},
      {"FSCHILD-B2", "12@26@12@12@6@12@12@", "Spalten Zusatzartikel %"},
      {"FSCHILD-B3", "1", "Spaltenabstand %"},
      {"F-LOGO-QZM", "0,3", "Logo Höhe/Breite"},
      {"AUSFOLGE", atPath(w.options().demoFolder + "/" + kSlipPictureFolder), "Bilder Ausfolgeschein"},
      {"FLIESEN", main ? "A" : "", "Fliesendaten automatisch (A)"},
      {"RTF", atPath(w.options().demoFolder + "/" + kFreeDesignFolder), "Ablage Eigenbau"},
  };
  for (const auto& p : plakat) add(w, firma, "PLAKAT", p);

  int slot = 0;
  for (const auto& f : fontSlots()) {
    char key[16];
    std::snprintf(key, sizeof key, "FONT%03d", ++slot);
    add(w, firma, "PLAKAT", {key, f.value, std::string(1, f.kind) + " " + f.text});
    if (f.extras) {
      const std::string pz = std::string(key) + "_PZ";
      add(w, firma, "PLAKAT", {pz.c_str(), f.extras, "Preiszusätze"});
    }
  }

  const Param euro[] = {
      {"ENDDAT", main ? "1301231" : "1011231", "Ende Doppelauszeichnung"},
      {"ETHW", "EUR", "Währung Haupt"},
      {"ETNW", "ATS", "Währung Neben"},
      {"KASSAHW", "EUR", "Kassenwährung"},
      {"WWSHW", main ? "EUR" : "ATS", "Warenwirtschaftswährung"},
      {"EURFWC", "ATS", "Fremdwährung"},
      {"EURFAKT", "13.7603", "Umrechnungsfaktor"},
  };
  for (const auto& p : euro) add(w, firma, "EURO", p);
}

}  // namespace

void seedParameters(SeedWriter& w) {
  seedCompany(w, "1", true);
  seedCompany(w, "2", false);
}

}  // namespace kesto::server::demo
