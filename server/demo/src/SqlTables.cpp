#include <string>

#include "SeedWriter.h"

namespace kesto::server::demo {

namespace {

// Tables that only SQL clients see: long data, every column type, keys and a view.
constexpr const char* kSchema = R"(
CREATE TABLE main.Dokumente (ID INTEGER PRIMARY KEY, Titel VARCHAR(60) NOT NULL,
  Inhalt LONGVARCHAR, Bild LONGVARBINARY);
CREATE TABLE main.Typen (ID INTEGER PRIMARY KEY, Zeichen CHAR(10), Text VARCHAR(40),
  Ganz INTEGER, Klein SMALLINT, Bit BIT, Betrag NUMERIC(10,2), Zahl DOUBLE, Datum DATE,
  Zeit TIME, Zeitpunkt TIMESTAMP, Roh VARBINARY(16));
CREATE TABLE main.Bestellung (Nummer INTEGER PRIMARY KEY, Lieferant VARCHAR(10) NOT NULL,
  Datum DATE NOT NULL, Status CHAR(1) DEFAULT 'O');
CREATE TABLE main.BestellPos (Nummer INTEGER NOT NULL REFERENCES Bestellung(Nummer),
  Pos INTEGER NOT NULL, ArtNr VARCHAR(10) NOT NULL, Menge NUMERIC(10,2) NOT NULL,
  PRIMARY KEY (Nummer, Pos));
CREATE UNIQUE INDEX main.BestellungLieferantDatum ON Bestellung (Lieferant, Datum);
CREATE VIEW main.VBestellung AS SELECT b.Nummer, b.Lieferant, count(p.Pos) AS Positionen
  FROM Bestellung b LEFT JOIN BestellPos p ON p.Nummer = b.Nummer GROUP BY b.Nummer;
INSERT INTO main.Typen VALUES
  (1, 'ABC', 'Grüße', 42, 7, 1, 12.50, 3.25, '2024-03-15', '08:30:00', '2024-03-15 08:30:00', X'00FF10'),
  (2, '', '', 0, 0, 0, 0, 0, '1900-01-01', '00:00:00', '1900-01-01 00:00:00', X''),
  (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
  (4, 'Z', 'Straße §3', -5, -1, 0, -0.01, 1e10, '2030-12-31', '23:59:59', '2030-12-31 23:59:59', X'7F');
INSERT INTO main.Bestellung VALUES
  (1, '700001', '2024-01-10', 'O'), (2, '700002', '2024-01-12', 'G'), (3, '700003', '2024-02-01', 'O'),
  (4, '700001', '2024-02-15', 'O'), (5, '700005', '2024-03-01', 'S');
)";

}  // namespace

void seedSqlTables(SeedWriter& w) {
  model::Database& db = w.db();
  db.exec(kSchema);
  for (int k = 0; k < 12; ++k) {
    model::Statement st = db.prepare("INSERT INTO main.BestellPos VALUES (?1, ?2, ?3, ?4)");
    st.bindAll(std::vector<model::Value>{i(1 + k % 5), i(1 + k / 5), t(std::to_string(100001 + k)),
                                         n(1 + k * 2.5)});
    st.step();
  }
  // Long values: about 100 KB of text and a small binary picture-like block.
  std::string text;
  while (text.size() < 100000) text += "Lagerbestand prüfen, Preise aktualisieren, Regale auffüllen. ";
  std::string bytes;
  for (int k = 0; k < 4096; ++k) bytes += static_cast<char>(k * 7 % 256);
  const struct {
    int id;
    const char* title;
    std::string content;
    std::string picture;
  } docs[] = {{1, "Langer Text", text, bytes}, {2, "Kurz", "Kurzer Text mit Umlauten: äöü ß", ""},
              {3, "Leer", "", ""}};
  for (const auto& d : docs) {
    model::Statement st = db.prepare("INSERT INTO main.Dokumente VALUES (?1, ?2, ?3, ?4)");
    st.bindAll(std::vector<model::Value>{i(d.id), t(d.title), d.id == 3 ? model::Value::null() : t(d.content),
                                         d.picture.empty() ? model::Value::null() : model::Value::blob(d.picture)});
    st.step();
  }
}

}  // namespace kesto::server::demo
