"""Answers a Python program gets through the driver must be SQLite's own: statements with
literals compared with the same text run by sqlite3 on the server's data file, long
values into short columns, comments, empty binary values, read-only connections and the
message for wide-character parameters. Prints one line per check, exits nonzero on a failure.

usage: pyodbc_semantics.py CONNECTION_STRING DATA_FILE
"""
import datetime
import decimal
import sqlite3
import sys

import pyodbc

from odbc_checks import check, connect


# Literals in every place the driver turns them into parameters: arithmetic, comparisons
# with expressions, functions, HAVING, recursion, signs, exponents, strings that look like
# numbers, empty strings and line comments.
STATEMENTS = [
    "SELECT ID FROM Typen WHERE ID + 0 < 3 ORDER BY ID",
    "SELECT ID FROM Typen WHERE Ganz * 1 = 42",
    "SELECT ID FROM Typen WHERE abs(Ganz) > 6 ORDER BY ID",
    "SELECT ID FROM Typen WHERE length(Text) = 5",
    "SELECT Lieferant, count(*) FROM Bestellung GROUP BY Lieferant HAVING count(*) > 1",
    "SELECT ID, Ganz / 100.0 FROM Typen WHERE Ganz IS NOT NULL ORDER BY ID",
    "SELECT ID, Ganz / 100 FROM Typen WHERE Ganz IS NOT NULL ORDER BY ID",
    "SELECT count(*), sum(x) FROM (WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 1000) SELECT x FROM n)",
    "SELECT ID FROM Typen WHERE Zahl > 3 ORDER BY ID",
    "SELECT ID FROM Typen WHERE Zahl + 0 > 3.2 ORDER BY ID",
    "SELECT ID FROM Typen WHERE Text = 'Grüße'",
    "SELECT ID FROM Typen WHERE ID = '1'",
    "SELECT ID FROM Typen WHERE ID + 0 = '1'",
    "SELECT ID, 1 + 1 FROM Typen ORDER BY ID",
    "SELECT ID, 7 / 2, 7 / 2.0, 7 % 3 FROM Typen WHERE ID = 1",
    "SELECT ID, -5 * Ganz FROM Typen WHERE ID = 4",
    "SELECT ID FROM Typen WHERE Ganz BETWEEN -10 AND 10 ORDER BY ID",
    "SELECT ID FROM Typen WHERE Ganz IN (42, -5) ORDER BY ID",
    "SELECT ID FROM Typen WHERE Betrag > 1e1",
    "SELECT ID FROM Typen WHERE Zahl = 1e10",
    "SELECT ID, Ganz * 0.5 FROM Typen WHERE Ganz IS NOT NULL ORDER BY ID",
    "SELECT ID, round(Zahl, 1) FROM Typen WHERE ID = 1",
    "SELECT ID, substr(Text, 2, 3) FROM Typen WHERE ID = 1",
    "SELECT ID, coalesce(Ganz, -1) FROM Typen ORDER BY ID",
    "SELECT ID, CASE WHEN Ganz > 10 THEN 'gross' ELSE 'klein' END FROM Typen ORDER BY ID",
    "SELECT ID FROM Typen WHERE Text LIKE 'Gr%'",
    "SELECT ID FROM Typen WHERE ID > 1 ORDER BY ID LIMIT 2 OFFSET 1",
    "SELECT Nummer, Pos FROM BestellPos WHERE Menge * 2 > 20 ORDER BY Nummer, Pos",
    "SELECT ID, typeof(2), typeof(2.0), typeof('2'), typeof(-7), typeof(1e3) FROM Typen WHERE ID = 1",
    "SELECT ID, max(Ganz, 10), min(Zahl, 0.5) FROM Typen WHERE ID = 4",
    "SELECT ID, Ganz --5\nFROM Typen WHERE Ganz IS NOT NULL ORDER BY ID",
    "SELECT ID, 2147483647, -2147483648, 12345678901 * 0 FROM Typen WHERE ID = 1",
    "SELECT ID, 0.1 + 0.2, 1.5e-3 * 2 FROM Typen WHERE ID = 1",
    "SELECT ID FROM Typen WHERE ID = 2 AND Text = ''",
    "SELECT ID FROM Typen WHERE Ganz <> 0 AND Ganz IS NOT NULL ORDER BY ID",
    "SELECT count(*) FROM Typen WHERE Zahl < 1e-3",
    "SELECT ID, Klein * 1.0 / 3 FROM Typen WHERE Klein IS NOT NULL ORDER BY ID",
    "SELECT ID, '5' + 1, '5' || 1 FROM Typen WHERE ID = 1",
]


def plain(value):
    """One form for a value from either side: numbers as floats, dates as ISO text."""
    if isinstance(value, bool):
        return float(value)
    if isinstance(value, (int, float, decimal.Decimal)):
        return float(value)
    if isinstance(value, (datetime.date, datetime.time)):
        return value.isoformat(sep=" ") if isinstance(value, datetime.datetime) else value.isoformat()
    return value


def rows_of(cursor):
    return [tuple(plain(v) for v in row) for row in cursor.fetchall()]


def literals_as_sqlite(cur, data_file):
    direct = sqlite3.connect("file:%s?mode=ro" % data_file, uri=True)
    for sql in STATEMENTS:
        expected = [tuple(plain(v) for v in row) for row in direct.execute(sql).fetchall()]
        try:
            got = rows_of(cur.execute(sql))
        except pyodbc.Error as e:
            got = "error: %s" % e
        check("as SQLite: " + sql.replace("\n", " "), got == expected, "%r, SQLite %r" % (got, expected))
    direct.close()


def long_values_into_short_columns(cur):
    cur.execute("CREATE TABLE Lang (ID INTEGER, V VARCHAR(40), B VARBINARY(40))")
    for n in (300, 3000):
        text = "".join(chr(ord("a") + i % 26) for i in range(n))
        data = bytes(i % 256 for i in range(n))
        cur.execute("INSERT INTO Lang (ID, V, B) VALUES (?, ?, ?)", n, text, data)
        row = cur.execute("SELECT V, B FROM Lang WHERE ID = ?", n).fetchone()
        check("%d characters stored whole" % n, row is not None and row[0] == text, row and row[0][:20])
        check("%d bytes stored whole" % n, row is not None and bytes(row[1]) == data, row and row[1][:20])
        found = cur.execute("SELECT ID FROM Lang WHERE V = ?", text).fetchall()
        check("%d characters found by equality" % n, [r[0] for r in found] == [n], found)
    # A short value beside a long one keeps its own value.
    cur.execute("INSERT INTO Lang (ID, V) VALUES (?, ?)", 1, "x" * 500)
    check("short and long parameters together", cur.execute("SELECT ID FROM Lang WHERE ID = ? AND V = ?", 1, "x" * 500).fetchone() is not None)


def empty_binary(cur):
    cur.execute("CREATE TABLE Bytes (ID INTEGER, B VARBINARY(16))")
    cur.execute("INSERT INTO Bytes (ID, B) VALUES (?, ?)", 1, b"")
    cur.execute("INSERT INTO Bytes (ID, B) VALUES (?, ?)", 2, b"\x00")
    rows = cur.execute("SELECT ID, B FROM Bytes ORDER BY ID").fetchall()
    check("empty binary reads back empty", bytes(rows[0][1]) == b"", rows)
    check("one zero byte reads back as one", bytes(rows[1][1]) == b"\x00", rows)
    row = cur.execute("SELECT Roh FROM Typen WHERE ID = 2").fetchone()
    check("empty binary from the demo data", row is not None and bytes(row[0]) == b"", row)


def read_only(connection_string):
    cnxn = connect(connection_string, readonly=True)
    cur = cnxn.cursor()
    check("read-only connection reads", cur.execute("SELECT count(*) FROM Typen").fetchone()[0] == 4)
    try:
        cur.execute("UPDATE Typen SET Ganz = 1 WHERE ID = 1")
        check("read-only connection refuses UPDATE", False, "the update ran")
    except pyodbc.Error as e:
        check("read-only connection refuses UPDATE", "read-only" in str(e), e)
    cnxn.close()
    cur = connect(connection_string).cursor()
    check("nothing was written", cur.execute("SELECT Ganz FROM Typen WHERE ID = 1").fetchone()[0] == 42)


def wide_parameters(connection_string):
    cnxn = pyodbc.connect(connection_string, autocommit=True)  # pyodbc's default: wide strings
    try:
        cnxn.cursor().execute("SELECT ID FROM Typen WHERE Text = ?", "x").fetchall()
        check("wide parameter is refused with a reason", False, "it ran")
    except pyodbc.Error as e:
        check("wide parameter is refused with a reason", "wide-character" in str(e) and "SQL_C_CHAR" in str(e), e)
    cnxn.close()


def many_rows_with_autocommit(cur):
    cur.execute("CREATE TABLE Menge (N INTEGER, T VARCHAR(20))")
    cur.executemany("INSERT INTO Menge VALUES (?, ?)", [(i, "Zeile %d" % i) for i in range(10000)])
    check("executemany with autocommit", cur.execute("SELECT count(*), sum(N) FROM Menge").fetchone()[0] == 10000)


def main():
    connection_string, data_file = sys.argv[1], sys.argv[2]
    cur = connect(connection_string).cursor()
    literals_as_sqlite(cur, data_file)
    long_values_into_short_columns(cur)
    empty_binary(cur)
    read_only(connection_string)
    wide_parameters(connection_string)
    many_rows_with_autocommit(cur)
    sys.exit(1 if check.failed else 0)


if __name__ == "__main__":
    main()
