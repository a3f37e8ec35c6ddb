#include "model/Classes.h"

#include "ClassBuilders.h"

namespace kesto::server::model {

using namespace build;

namespace {

ClassDef parameters() {
  // Prefetched and written late: the editors read and write both texts in a burst.
  return persistent("FRX.ParAnwPar", {"Firma", "Gruppe", "Schluessel"},
                    {text("Parameter", 255, true, true), text("Beschreibung", 255, true, true)});
}

ClassDef staff() {
  ClassDef c = persistent("FRX.ParPersEdv", {"Firma", "Login"},
                          {text("Passwort", 30), text("AKTIV", 1), text("PNAME", 60), text("ABTNR", 10),
                           text("DW", 20), text("BERGRP", 10), text("PNR", 10)});
  c.queries.push_back(query("Name",
                            "SELECT PNAME FROM FRX.ParPersEdv WHERE Firma = ?1 AND (?2 = '' OR AKTIV = ?2)"
                            " AND (?3 = '' OR ABTNR = ?3) ORDER BY PNAME, Login",
                            {param("Firma"), param("Aktiv"), param("AbtNr"), param("Frei")},
                            {column("PNAME", TextForm::Display, TypeCode::Text, "Name")}));
  c.queries.push_back(query("Aktive",
                            "SELECT ID, Login, PNAME FROM FRX.ParPersEdv WHERE Firma = ?1 AND AKTIV = 'J'"
                            " ORDER BY Login",
                            {param("Firma")},
                            {column("ID"), column("Login"), column("PNAME", TextForm::Display, TypeCode::Text, "Name")},
                            1));
  return c;
}

ClassDef departments() {
  ClassDef c = persistent("FRX.ParPersAbt", {"Firma", "AbtNr"}, {text("abtbez", 60)});
  c.queries.push_back(query("AbtNrBez",
                            "SELECT AbtNr, abtbez FROM FRX.ParPersAbt WHERE Firma = ?1 ORDER BY AbtNr",
                            {param("Firma"), param("Frei")},
                            {column("AbtNr", TextForm::Display, TypeCode::Text, "Abteilung"),
                             column("abtbez", TextForm::Display, TypeCode::Text, "Bezeichnung")}));
  return c;
}

ClassDef accounts() {
  ClassDef c = persistent("FRX.Konto", {"Firma", "Art", "Nummer"},
                          {text("KBEZ", 30), text("Name", 60), text("PLZ", 10), text("Strasse", 60),
                           text("Ort", 40), text("SammelKonto", 10), text("Gruppe", 2)});
  c.queries.push_back(query("Lieferanten",
                            "SELECT ID, Nummer, Name FROM FRX.Konto WHERE Firma = ?1 AND Art = 'L'"
                            " AND substr(KBEZ, 1, length(?2)) = upper(?2) ORDER BY KBEZ, Nummer",
                            {param("Firma"), param("Suchbegriff")},
                            {column("ID"), column("Nummer"), column("Name")}, 1));
  c.queries.push_back(query("Kunden",
                            "SELECT ID, Nummer, Name, PLZ FROM FRX.Konto WHERE Firma = ?1 AND Art = 'K'"
                            " AND (?2 = '' OR Gruppe = ?2) AND substr(KBEZ, 1, length(?3)) = upper(?3)"
                            " ORDER BY KBEZ, Nummer",
                            {param("Firma"), param("Gruppe"), param("Suchbegriff")},
                            {column("ID"), column("Nummer"), column("Name"), column("PLZ")}, 1));
  return c;
}

ClassDef collectiveAccounts() {
  ClassDef c = persistent("FRX.KontoSammelKontoKreis", {"Firma", "Art", "Nummer"},
                          {typed("Nummer", TypeCode::Integer, "INTEGER"), text("Name", 60)});
  c.queries.push_back(query("SaKontoBez",
                            "SELECT Nummer, Name FROM FRX.KontoSammelKontoKreis WHERE Firma = ?1"
                            " AND (?2 = '' OR Art = ?2) ORDER BY Nummer",
                            {param("Firma"), param("Art"), param("Frei1"), param("Frei2")},
                            {column("Nummer", TextForm::Display, TypeCode::Integer),
                             column("Name", TextForm::Raw)}));
  return c;
}

ClassDef customerGroups() {
  ClassDef c = persistent("FRX.ParKundenGruppen", {"Firma", "Gruppe"}, {text("Name", 60), text("Aktiv", 1)});
  c.queries.push_back(query("Gruppen",
                            "SELECT Gruppe, Name FROM FRX.ParKundenGruppen WHERE Firma = ?1"
                            " AND (?3 = '' OR Aktiv = ?3) ORDER BY Gruppe",
                            {param("Firma"), param("Frei"), param("Aktiv")},
                            {column("Gruppe"), column("Name", TextForm::Raw)}));
  return c;
}

}  // namespace

Catalog applicationClasses() {
  Catalog catalog;
  catalog.add(parameters());
  catalog.add(staff());
  catalog.add(departments());
  catalog.add(persistent("FRX.PersBasis", {"Firma", "PNR"}, {text("FAX", 30), text("email", 80)}));
  catalog.add(persistent("FRX.ParEinh", {"Firma", "Code"}, {text("Name", 40)}));
  catalog.add(persistent("FRX.ParHGrp", {"Firma", "HGrp"}, {text("Name", 40)}));
  catalog.add(persistent("FRX.ParUGrp", {"Firma", "UGrp"}, {text("HGrp", 10), text("Name", 40)}));
  catalog.add(accounts());
  catalog.add(collectiveAccounts());
  catalog.add(customerGroups());
  addArticleClasses(catalog);
  return catalog;
}

}  // namespace kesto::server::model
