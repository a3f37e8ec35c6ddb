#include "ClassBuilders.h"

namespace kesto::server::model {

using namespace build;

namespace {

ClassDef articles() {
  ClassDef c = persistent(
      "FRX.ArtHaupt1", {"Firma", "ArtNr"},
      {text("Bez1", 60), text("Bez2", 60), text("Bez3", 60), text("KBEZ", 30), text("VRE", 5),
       text("VKE", 5), text("VPI", 10), text("VRM", 10), text("VPM", 10), text("ATYP", 20),
       text("GPVME", 10), text("GPVKE", 10), text("GPE", 10), money("VK"), money("GP"),
       text("TamselEAN", 13), text("KC", 30), text("HGRP", 10), text("UGRP", 10), text("LNR", 10),
       text("ABTNR", 10), text("AKTIV", 1), text("GELISTET", 1)});
  c.queries.push_back(query("NachKurzbezeichnung",
                            "SELECT ID, ArtNr, Bez1, VK FROM FRX.ArtHaupt1 WHERE Firma = ?1"
                            " AND substr(KBEZ, 1, length(?2)) = upper(?2) ORDER BY KBEZ, ArtNr",
                            {param("Firma"), param("Suchbegriff")},
                            {column("ID"), column("ArtNr"), column("Bez1"),
                             column("VK", TextForm::Display, TypeCode::Double)},
                            1));
  c.queries.push_back(query("NachAbteilung",
                            "SELECT ID, ArtNr, Bez1, ABTNR FROM FRX.ArtHaupt1 WHERE Firma = ?1"
                            " AND ABTNR = ?2 ORDER BY ArtNr",
                            {param("Firma"), param("AbtNr")},
                            {column("ID"), column("ArtNr"), column("Bez1"), column("ABTNR")}, 1));
  c.queries.push_back(query("Aktionsartikel",
                            "SELECT a.ID, a.ArtNr, a.Bez1, k.Code FROM FRX.AktionArt k"
                            " JOIN FRX.ArtHaupt1 a ON a.Firma = k.Firma AND a.ArtNr = k.ArtNr"
                            " WHERE k.Firma = ?1 ORDER BY k.Code, a.ArtNr",
                            {param("Firma")},
                            {column("ID"), column("ArtNr"), column("Bez1"), column("Aktion")}, 1));
  return c;
}

ClassDef manufacturerEans() {
  ClassDef c = persistent("FRX.ArtMaEan", {"Firma", "EAN"}, {text("ArtNr", 10)});
  c.methods.push_back(special("GetArtNr", 2));
  return c;
}

// A picture and a note per article: the demo's stream-valued properties.
ClassDef articlePictures() {
  return persistent("FRX.ArtBild", {"Firma", "ArtNr"},
                    {typed("Bild", TypeCode::BinaryStream, "LONGVARBINARY"),
                     typed("Notiz", TypeCode::CharStream, "LONGVARCHAR")});
}

ClassDef tiles() {
  ClassDef c = persistent("FRX.ArtFlies", {"Firma", "ArtNr"},
                          {text("Alias", 40), text("Sort", 10), text("ABRIEB", 20), text("VERFUEG", 20),
                           text("GROESSE", 20), text("FROST", 1), text("REGAL", 10), text("Typ", 5)});
  c.methods.push_back(special("FlTypeName", 2));
  return c;
}

ClassDef tileTypes() {
  ClassDef c = persistent("FRX.ArtFliesTyp", {"Firma", "ArtNr", "Pos"},
                          {typed("Pos", TypeCode::Integer, "INTEGER"), text("Typ", 5), text("ParFlies", 5)});
  c.queries.push_back(query("FliesenTypen",
                            "SELECT Typ, ParFlies FROM FRX.ArtFliesTyp WHERE Firma = ?1 AND ArtNr = ?2"
                            " ORDER BY Pos",
                            {param("Firma"), param("ArtNr")}, {column("Typ"), column("ParFlies")}));
  return c;
}

ClassDef tileSubArticles() {
  ClassDef c = persistent("FRX.ArtFliesZuord", {"Firma", "ArtNr", "Pos"},
                          {typed("Pos", TypeCode::Integer, "INTEGER"), text("ZusatzArtNr", 10)});
  c.queries.push_back(query("ZusatzArtikel",
                            "SELECT Pos, ZusatzArtNr FROM FRX.ArtFliesZuord WHERE Firma = ?1 AND ArtNr = ?2"
                            " ORDER BY Pos",
                            {param("Firma"), param("ArtNr")},
                            {column("Pos", TextForm::Display, TypeCode::Integer), column("ZusatzArtNr")}));
  return c;
}

ClassDef windows() {
  ClassDef c = methodsOnly("FRX.Windows");
  c.methods.push_back(special("Xecute", 1));
  c.methods.push_back(special("INKvkpreis", 2, TypeCode::Double));
  c.methods.push_back(special("Grundpreis", 2, TypeCode::Double));
  c.methods.push_back(special("EANNr", 2));
  c.queries.push_back(query(
      "KkrSuche",
      "SELECT Nummer, KBEZ, Name, PLZ, Strasse FROM FRX.Konto WHERE Firma = ?1 AND Art = ?2"
      " AND substr(KBEZ, 1, length(?3)) = ?3"
      " AND (?4 = '' OR (?2 = 'L' AND SammelKonto = ?4) OR (?2 = 'K' AND Gruppe = ?4))"
      " ORDER BY KBEZ, Nummer",
      {param("Firma"), param("Art"), param("Suchbegriff"), param("Filter")},
      {column("Nummer"), column("KBEZ", TextForm::Raw), column("Name", TextForm::Raw), column("PLZ"),
       column("Strasse", TextForm::Raw)}));
  return c;
}

ClassDef application() {
  ClassDef c = methodsOnly("GUI.Vovida");
  c.methods.push_back(special("KC", 2, TypeCode::Text, TextForm::Raw));
  c.methods.push_back(special("aktionskennzeichen", 2));
  c.methods.push_back(special("aktion", 3));
  return c;
}

}  // namespace

void addArticleClasses(Catalog& catalog) {
  catalog.add(articles());
  catalog.add(manufacturerEans());
  catalog.add(articlePictures());
  catalog.add(tiles());
  catalog.add(tileTypes());
  catalog.add(tileSubArticles());
  catalog.add(persistent("FRX.ParFlies", {"Firma", "Typ"}, {text("typbez", 40)}));
  catalog.add(persistent("FRX.Aktion", {"Firma", "Code"},
                         {text("Bez", 60), typed("VonDatum", TypeCode::Date, "DATE"),
                          typed("BisDatum", TypeCode::Date, "DATE")}));
  catalog.add(persistent("FRX.AktionArt", {"Firma", "Code", "ArtNr"}, {money("Preis")}));
  catalog.add(windows());
  catalog.add(application());
}

}  // namespace kesto::server::model
