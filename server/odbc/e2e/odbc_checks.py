"""What the pyodbc checks share: one line per check, and a connection set up the way the
driver wants it (ODBC 2.50: 8-bit text in ISO-8859-1, no wide C types)."""
import pyodbc


def check(name, condition, detail=""):
    print(("ok   " if condition else "FAIL ") + name + ("" if condition else ": " + str(detail)))
    if not condition:
        check.failed = True


check.failed = False


def connect(connection_string, **options):
    cnxn = pyodbc.connect(connection_string, autocommit=True, **options)
    cnxn.setencoding(encoding="latin-1")
    cnxn.setdecoding(pyodbc.SQL_CHAR, encoding="latin-1")
    cnxn.setdecoding(pyodbc.SQL_WCHAR, encoding="latin-1")
    return cnxn
