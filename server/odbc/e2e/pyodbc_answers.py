"""A data analyst's statements and parameters through the driver, each answer compared with
sqlite3's on a copy of the server's data file: the same rows, the same values and the same
kinds of value (int, float, str, bytes), and where it matters the same column names.
Statements that change data run on both sides. Prints one line per case, exits nonzero on
a failure.

usage: pyodbc_answers.py CONNECTION_STRING DATA_FILE
"""
import datetime
import decimal
import os
import sqlite3
import sys
import tempfile

import pyodbc

from odbc_checks import check, connect

TEXT_300 = "".join(chr(ord("a") + i % 26) for i in range(300))

# (statement, parameters, options). Options: "names" compares the column names too; "sqlite"
# gives the text sqlite3 runs instead (for what SQLite spells differently).
CASES = [
    # Numbers bound as numbers compare, sum and store as numbers.
    ("SELECT ID FROM Typen WHERE Zahl * 1 > ? ORDER BY ID", [2.0], {}),
    ("SELECT Bit, sum(Zahl) FROM Typen GROUP BY Bit HAVING sum(Zahl) > ? ORDER BY Bit", [1.5], {}),
    ("SELECT count(*) FROM Typen WHERE abs(Zahl) > ?", [1.0], {}),
    ("SELECT count(*) FROM Typen WHERE Betrag + 0 < ?", [decimal.Decimal("3.5")], {}),
    ("SELECT ID FROM Typen WHERE Ganz + 0 > ? ORDER BY ID", [decimal.Decimal("-6")], {}),
    ("SELECT ? * 2, ? + 1", [2.25, decimal.Decimal("3.5")], {}),
    ("CREATE TABLE Frei (K INTEGER, V)", [], {}),
    ("INSERT INTO Frei (K, V) VALUES (?, ?)", [1, 9.5], {}),
    ("INSERT INTO Frei (K, V) VALUES (?, ?)", [2, 2.25], {}),
    ("INSERT INTO Frei (K, V) VALUES (?, ?)", [3, decimal.Decimal("3.5")], {}),
    ("SELECT K, V, typeof(V) FROM Frei ORDER BY V", [], {}),
    # Positions stay positions.
    ("SELECT Bit, count(*) FROM Typen GROUP BY 1", [], {}),
    ("SELECT Bit, Klein, count(*) FROM Typen WHERE ID > 0 GROUP BY 1, 2 ORDER BY 2 DESC", [], {}),
    # Columns are described by what they hold, before and after rows, with their names as written.
    ("SELECT count(*) FROM Typen WHERE ID > ?", [1], {"names": True}),
    ("SELECT count(*) FROM Typen WHERE ID > 1", [], {"names": True}),
    ("SELECT count(*) FROM Typen WHERE ID > ?", [1], {"names": True}),
    ("SELECT Ganz + ? FROM Typen WHERE ID = 1", [1], {"names": True}),
    ("SELECT Ganz + ? FROM Typen WHERE ID = 1", [0.5], {"names": True}),
    ("SELECT Ganz + ? FROM Typen WHERE ID = 1", [2], {"names": True}),
    ("SELECT max(Ganz), min(Zahl), avg(Klein), sum(Ganz) FROM Typen WHERE ID = 3", [], {}),
    ("SELECT CASE WHEN ID = 1 THEN NULL ELSE Ganz END, Ganz * 2, Zahl + 1 FROM Typen ORDER BY ID", [], {}),
    ("SELECT ID, Ganz * ?, length(Text), upper(Text) FROM Typen WHERE ID < ? ORDER BY ID", [3, 3], {"names": True}),
    ("SELECT sum(Ganz), total(Klein), avg(Zahl) FROM Typen WHERE ID > ?", [0], {}),
    # 64-bit integers both ways.
    ("SELECT ID FROM Typen WHERE Ganz * 100000000 > ? ORDER BY ID", [2 ** 31], {}),
    ("SELECT ID FROM Typen WHERE Ganz * 1000000000 < ? ORDER BY ID", [-2 ** 31], {}),
    ("SELECT ? - 1, ? + 1", [-2 ** 31, 2 ** 40], {}),
    ("SELECT 3000000000", [], {}),
    ("SELECT ID, Ganz * 100000000 FROM Typen WHERE Ganz IS NOT NULL ORDER BY ID", [], {}),
    ("SELECT sum(x) FROM (SELECT 2000000000 AS x UNION ALL SELECT 2000000000)", [], {}),
    ("CREATE TABLE Gross (ID INTEGER, B BIGINT)", [], {}),
    ("INSERT INTO Gross (ID, B) VALUES (?, ?)", [1, 2 ** 40], {}),
    ("INSERT INTO Gross (ID, B) VALUES (?, ?)", [2, -2 ** 33], {}),
    ("SELECT ID, B FROM Gross WHERE B <> ? ORDER BY ID", [0], {}),
    # A number equal to a handle of a long value stays a number.
    ("CREATE TABLE Coll (A, V VARCHAR(400))", [], {}),
    ("INSERT INTO Coll (A, V) VALUES (?, ?)", [1073741824, TEXT_300], {}),
    ("INSERT INTO Coll (A, V) VALUES (?, ?)", [1073741825, "kurz"], {}),
    ("SELECT A, V FROM Coll ORDER BY A", [], {}),
    # Literals and type sizes that are SQL, not values.
    ("SELECT ID, X'00FF', hex(X'00FF') FROM Typen WHERE ID = 1", [], {}),
    ("SELECT ID, N'abc' FROM Typen WHERE ID = 1", [], {"sqlite": "SELECT ID, 'abc' FROM Typen WHERE ID = 1"}),
    ("SELECT ID, CAST(Betrag AS DECIMAL(10,2)) FROM Typen ORDER BY ID", [], {}),
    ("SELECT ID FROM Typen WHERE Text = CAST(? AS VARCHAR(40))", ["Grüße"], {}),
]

# Accepted into a short column only what can be read back: refused here, nothing stored.
REFUSED = [
    ("CREATE TABLE Kurz (ID INTEGER, V VARCHAR(100))", [], None),
    ("INSERT INTO Kurz (ID, V) VALUES (?, ?)", [1, "x" * 40000], "too long for column V"),
    ("INSERT INTO Kurz (ID, V) VALUES (?, ?)", [2, "y" * 3000], None),
    ("SELECT ID, length(V) FROM Kurz ORDER BY ID", [], None),
]


def kind(value):
    if value is None:
        return "null"
    if isinstance(value, bool) or isinstance(value, int):
        return "int"
    if isinstance(value, float):
        return "real"
    if isinstance(value, decimal.Decimal):
        # Exact decimals: SQLite keeps a whole NUMERIC value as an integer.
        return "int" if value == value.to_integral_value() else "real"
    if isinstance(value, (bytes, bytearray)):
        return "bytes"
    return "text"


def plain(value):
    """One form for a value from either side, with its kind."""
    if isinstance(value, (datetime.date, datetime.time)):
        value = value.isoformat(sep=" ") if isinstance(value, datetime.datetime) else value.isoformat()
    if isinstance(value, decimal.Decimal):
        value = int(value) if value == value.to_integral_value() else float(value)
    if isinstance(value, bytearray):
        value = bytes(value)
    return (kind(value), value)


def sqlite_value(value):
    return float(value) if isinstance(value, decimal.Decimal) else value


def run(execute, errors, sql, params):
    try:
        cur = execute(sql, params)
        if cur.description is None:
            return ("done", None), None
        names = [d[0] for d in cur.description]
        return ("rows", [tuple(plain(v) for v in row) for row in cur.fetchall()]), names
    except errors as e:
        return ("error", str(e)), None


def run_odbc(cur, sql, params):
    return run(lambda s, p: cur.execute(s, *p), pyodbc.Error, sql, params)


def run_sqlite(db, sql, params):
    return run(lambda s, p: db.execute(s, [sqlite_value(v) for v in p]), sqlite3.Error, sql, params)


def same(got, expected):
    if got[0] == "error" or expected[0] == "error":
        return got[0] == expected[0]
    return got == expected


def copy_of(data_file):
    source = sqlite3.connect("file:%s?mode=ro" % data_file, uri=True)
    target_file = os.path.join(tempfile.mkdtemp(prefix="kesto-answers-"), "copy.db")
    target = sqlite3.connect(target_file, isolation_level=None)
    source.backup(target)
    source.close()
    return target


def error_of(action):
    try:
        action()
        return ""
    except pyodbc.Error as e:
        return str(e)


def messages(connection_string):
    """Error texts say what went wrong, with the value or column."""
    text = error_of(lambda: connect(connection_string + ";DATABASE=NOPE"))
    check("unknown namespace named", "Namespace NOPE does not exist" in text, text)
    cur = connect(connection_string).cursor()
    text = error_of(lambda: cur.execute("SELECT ID FROM Typen WHERE Datum = ?", datetime.date(1800, 1, 1)))
    check("date out of range named", "1800-01-01" in text and "date" in text, text)
    cur.execute("SELECT ID FROM Typen WHERE ID = 1")
    cur.fetchall()


def main():
    connection_string, data_file = sys.argv[1], sys.argv[2]
    direct = copy_of(data_file)
    cur = connect(connection_string).cursor()
    for sql, params, options in CASES:
        got, got_names = run_odbc(cur, sql, params)
        expected, names = run_sqlite(direct, options.get("sqlite", sql), params)
        label = "%s %r" % (sql, params) if len(repr(params)) < 60 else "%s (%d parameters)" % (sql, len(params))
        check("answer: " + label, same(got, expected),
              "driver %r, sqlite3 %r" % (got, expected))
        if options.get("names") and got[0] == "rows":
            check("names: " + label, got_names == names, "driver %r, sqlite3 %r" % (got_names, names))
    for sql, params, refusal in REFUSED:
        got, _ = run_odbc(cur, sql, params)
        if refusal:
            check("refused: %s" % sql, got[0] == "error" and refusal in got[1], got)
            continue
        expected, _ = run_sqlite(direct, sql, params)
        check("answer: %s" % sql, same(got, expected), "driver %r, sqlite3 %r" % (got, expected))
    messages(connection_string)
    sys.exit(1 if check.failed else 0)


if __name__ == "__main__":
    main()
