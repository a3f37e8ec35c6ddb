#!/usr/bin/env bash
# Registers the KestoODBC driver and one data source with unixODBC's odbcinst, in the
# folder given (used as ODBCSYSINI; the data source goes to its odbc.ini). Never touches /etc.
#
#   scripts/odbc-register.sh --dir DIR --driver LIB [--dsn NAME] [--host H] [--port P]
#                            [--namespace NS] [--protocol TCP|Shared] [--debug 0|1]
#
# The data source honours SQL_QUERY_TIMEOUT ("Query Timeout = 0": timeouts are not disabled).
# Then: ODBCSYSINI=DIR ODBCINI=DIR/odbc.ini isql -v NAME DEMO demo
set -euo pipefail

dir="" driver="" dsn="KestoDSN" host="127.0.0.1" port="1972" namespace="FERRIX" protocol="TCP" debug="0"
while [ $# -gt 0 ]; do
  case "$1" in
    --dir) dir="$2"; shift 2 ;;
    --driver) driver="$2"; shift 2 ;;
    --dsn) dsn="$2"; shift 2 ;;
    --host) host="$2"; shift 2 ;;
    --port) port="$2"; shift 2 ;;
    --namespace) namespace="$2"; shift 2 ;;
    --protocol) protocol="$2"; shift 2 ;;
    --debug) debug="$2"; shift 2 ;;
    *) echo "odbc-register: unknown argument $1" >&2; exit 2 ;;
  esac
done
if [ -z "$dir" ] || [ -z "$driver" ]; then
  echo "odbc-register: --dir and --driver are required" >&2
  exit 2
fi
if [ ! -f "$driver" ]; then
  echo "odbc-register: no driver library at $driver" >&2
  exit 1
fi
mkdir -p "$dir"
driver="$(cd "$(dirname "$driver")" && pwd)/$(basename "$driver")"
: > "$dir/odbcinst.ini"
: > "$dir/odbc.ini"
chmod 600 "$dir/odbc.ini"

cat > "$dir/driver.tmpl" <<TMPL
[Norvane ODBC]
Description = Kesto ODBC 2.50 driver
Driver = $driver
Setup = $driver
DEBUG = $debug
TMPL
cat > "$dir/dsn.tmpl" <<TMPL
[$dsn]
Driver = Norvane ODBC
Protocol = $protocol
Host = $host
Port = $port
Namespace = $namespace
Query Timeout = 0
TMPL

export ODBCSYSINI="$dir" ODBCINI="$dir/odbc.ini"
odbcinst -i -d -f "$dir/driver.tmpl" > /dev/null
odbcinst -i -s -l -f "$dir/dsn.tmpl" > /dev/null
rm -f "$dir/driver.tmpl" "$dir/dsn.tmpl"
