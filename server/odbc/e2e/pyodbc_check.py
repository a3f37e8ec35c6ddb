"""What a Python program does with the driver: parameterised queries, many rows, a long
value in pieces, catalog calls. Prints one line per check and exits nonzero on a failure.

usage: pyodbc_check.py CONNECTION_STRING TABLE_SUFFIX
"""
import sys

import pyodbc

from odbc_checks import check, connect


def main():
    connection_string, suffix = sys.argv[1], sys.argv[2]
    cnxn = connect(connection_string)
    cur = cnxn.cursor()

    row = cur.execute("SELECT Lieferant, Datum FROM Bestellung WHERE Nummer = ?", 2).fetchone()
    check("parameterised query", row is not None and row[0] == "700002", row)
    rows = cur.execute("SELECT Nummer FROM Bestellung WHERE Lieferant = ? ORDER BY Nummer", "700001").fetchall()
    check("text parameter", [r[0] for r in rows] == [1, 4], rows)
    row = cur.execute("SELECT Text, Betrag, Zahl FROM Typen WHERE ID = ?", 1).fetchone()
    check("latin-1 text and numbers", row[0] == "Grüße" and float(row[1]) == 12.5 and row[2] == 3.25, row)

    table = "Viele" + suffix
    cur.execute("CREATE TABLE %s (N INTEGER PRIMARY KEY, Name VARCHAR(20), Wert DOUBLE, Tag DATE, Anmerkung VARCHAR(40))" % table)
    # One transaction for the rows: AF, then TC.
    cnxn.autocommit = False
    cur.executemany("INSERT INTO %s (N, Name, Wert, Tag, Anmerkung) VALUES (?, ?, ?, ?, ?)" % table,
                    [(n, "Name %d" % n, n / 4, "2024-01-01", None if n % 7 else "sieben") for n in range(1, 5001)])
    cnxn.commit()
    cnxn.autocommit = True
    cur.execute("SELECT N, Name, Wert, Tag, Anmerkung FROM %s ORDER BY N" % table)
    fetched = cur.fetchall()
    check("thousands of rows", len(fetched) == 5000, len(fetched))
    check("row values", fetched[4999][0] == 5000 and fetched[4999][1] == "Name 5000" and fetched[4999][2] == 1250.0
          and fetched[6][4] == "sieben" and fetched[5][4] is None, fetched[4999])
    count = cur.execute("UPDATE %s SET Anmerkung = ? WHERE N > ?" % table, "neu", 4990).rowcount
    check("update row count", count == 10, count)
    count = cur.execute("DELETE FROM %s WHERE N <= ?" % table, 100).rowcount
    check("delete row count", count == 100, count)

    # A long value of 1 MiB goes up in chunks and comes back in pieces.
    big = ("Abschnitt " * 110000)[: 1024 * 1024]
    cur.execute("INSERT INTO Dokumente (ID, Titel, Inhalt) VALUES (?, ?, ?)", 100 + ord(suffix), "Groß", big)
    back = cur.execute("SELECT Inhalt FROM Dokumente WHERE ID = ?", 100 + ord(suffix)).fetchone()[0]
    check("long value round trip", back == big, len(back) if back else back)
    blob = bytes(range(256)) * 4096
    cur.execute("UPDATE Dokumente SET Bild = ? WHERE ID = ?", pyodbc.Binary(blob), 100 + ord(suffix))
    back = cur.execute("SELECT Bild FROM Dokumente WHERE ID = ?", 100 + ord(suffix)).fetchone()[0]
    check("long binary round trip", bytes(back) == blob, len(back) if back else back)

    names = [t.table_name for t in cur.tables(tableType="TABLE")]
    check("tables", "Dokumente" in names and table in names, names[:10])
    views = [t.table_name for t in cur.tables(tableType="VIEW")]
    check("views", views == ["VBestellung"], views)
    columns = [(c.column_name, c.data_type) for c in cur.columns(table="Typen")]
    check("columns", ("Betrag", 2) in columns and len(columns) == 12, columns)
    keys = [(k.column_name, k.key_seq) for k in cur.primaryKeys("BestellPos")]
    check("primary keys", keys == [("Nummer", 1), ("Pos", 2)], keys)
    stats = [(s.index_name, s.column_name) for s in cur.statistics("Bestellung", unique=True) if s.index_name]
    check("statistics", stats == [("BestellungLieferantDatum", "Lieferant"), ("BestellungLieferantDatum", "Datum")], stats)

    try:
        cur.execute("SELECT * FROM Fehlt")
        check("error state", False, "no error")
    except pyodbc.Error as e:
        check("error state", e.args[0] == "42S02" or e.args[0] == "S0002", e.args)

    cur.execute("DROP TABLE %s" % table)
    cnxn.close()
    return 1 if check.failed else 0


if __name__ == "__main__":
    sys.exit(main())
