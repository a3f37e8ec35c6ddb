#include "SeedWriter.h"

namespace kesto::server::demo {

namespace {

struct Department {
  const char* nr;
  const char* name;
};

struct Person {
  const char* login;
  const char* password;
  const char* name;
  const char* abt;
  const char* aktiv;
};

constexpr Department kDepartments[] = {
    {"10", "Baustoffe"}, {"20", "Fliesen"}, {"30", "Farben & Lacke"}, {"40", "Garten"},
    {"50", "Werkzeug & Eisenwaren"}, {"60", "Holz & Bauelemente"}, {"90", "Verwaltung"},
    {"70", "Lager & Logistik"},  // no staff: loading its names gives an empty list
};

constexpr Person kStaff[] = {
    {"ADMIN", "admin", "Administrator", "90", "J"},
    {"DEMO", "demo", "Demo Benutzer", "90", "J"},
    {"MAIER", "maier", "Maier Franz", "10", "J"},
    {"MUELLER", "anna", "Müller Anna", "20", "J"},
    {"HUBER", "huber", "Huber Josef", "20", "J"},
    {"GRUBER", "eva", "Gruber Eva", "30", "J"},
    {"WEISS", "karl", "Weiß Karl", "40", "J"},
    {"BAUER", "sabine", "Bauer Sabine", "50", "J"},
    {"KOENIG", "peter", "König Peter", "60", "J"},
    // Stored in capitals, as older records are; the badge editor writes names in name case.
    {"HOFER", "hofer", "HOFER-LANG MARIA", "60", "J"},
    {"ALTMANN", "alt", "Altmann Rudolf", "10", "N"},
};

struct Unit {
  const char* code;
  const char* name;
};

constexpr Unit kUnits[] = {
    {"SA", "Sack"}, {"PAK", "Paket"}, {"KAR", "Karton"}, {"L", "Liter"}, {"ROL", "Rolle"},
    {"PAL", "Palette"}, {"EIM", "Eimer"}, {"PAA", "Paar"}, {"DS", "Dose"}, {"TUB", "Tube"},
};

struct Group {
  const char* code;
  const char* name;
};

constexpr Group kMainGroups[] = {
    {"1", "Baustoffe"}, {"2", "Fliesen & Keramik"}, {"3", "Farben & Lacke"},
    {"4", "Garten"}, {"5", "Werkzeug"}, {"6", "Holz"},
};

constexpr Group kSubGroups[] = {
    {"11", "Zement & Mörtel"}, {"12", "Dämmstoffe"}, {"13", "Trockenbau"},
    {"21", "Wandfliesen"}, {"22", "Bodenfliesen"}, {"23", "Fliesenzubehör"},
    {"31", "Innenfarben"}, {"32", "Lacke & Lasuren"},
    {"41", "Erden & Dünger"}, {"42", "Gartengeräte"}, {"43", "Pflaster"},
    {"51", "Elektrowerkzeug"}, {"52", "Handwerkzeug"}, {"53", "Befestigung"},
    {"61", "Schnittholz"}, {"62", "Platten"},
};

void addPerson(SeedWriter& w, const std::string& firma, const Person& p, int pnr) {
  const std::string nr = std::to_string(pnr);
  std::string mail;
  for (const char* c = p.login; *c; ++c) mail += char(*c >= 'A' && *c <= 'Z' ? *c - 'A' + 'a' : *c);
  w.add("FRX.ParPersEdv", {{"Firma", t(firma)}, {"Login", t(p.login)}, {"Passwort", t(p.password)},
                           {"AKTIV", t(p.aktiv)}, {"PNAME", t(p.name)}, {"ABTNR", t(p.abt)},
                           {"DW", t(std::to_string(200 + pnr % 100))}, {"BERGRP", t(p.abt[0] == '9' ? "A" : "B")},
                           {"PNR", t(nr)}});
  w.add("FRX.PersBasis", {{"Firma", t(firma)}, {"PNR", t(nr)}, {"FAX", t("0732 4711-99")},
                          {"email", t(mail + "@baumarkt-demo.example")}});
}

}  // namespace

void seedStaff(SeedWriter& w) {
  for (const auto& d : kDepartments)
    w.add("FRX.ParPersAbt", {{"Firma", t("1")}, {"AbtNr", t(d.nr)}, {"abtbez", t(d.name)}});
  int pnr = 1000;
  for (const auto& p : kStaff) addPerson(w, "1", p, pnr++);

  // The second company proves that every lookup is scoped by company.
  for (const auto& d : {kDepartments[0], kDepartments[6]})
    w.add("FRX.ParPersAbt", {{"Firma", t("2")}, {"AbtNr", t(d.nr)}, {"abtbez", t(d.name)}});
  addPerson(w, "2", kStaff[1], 2000);
  addPerson(w, "2", {"LEITNER", "leitner", "Leitner Maria", "10", "J"}, 2001);

  for (const char* firma : {"1", "2"}) {
    for (const auto& u : kUnits)
      w.add("FRX.ParEinh", {{"Firma", t(firma)}, {"Code", t(u.code)}, {"Name", t(u.name)}});
    for (const auto& g : kMainGroups)
      w.add("FRX.ParHGrp", {{"Firma", t(firma)}, {"HGrp", t(g.code)}, {"Name", t(g.name)}});
    for (const auto& g : kSubGroups)
      w.add("FRX.ParUGrp", {{"Firma", t(firma)}, {"UGrp", t(g.code)}, {"HGrp", t(std::string(1, g.code[0]))},
                            {"Name", t(g.name)}});
  }
}

}  // namespace kesto::server::demo
