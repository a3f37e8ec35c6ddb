#!/usr/bin/env bash
# Builds the system and starts the stand-in server with its demo data on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTO_TESTS=OFF -DKESTO_BENCH=OFF
cmake --build "$build" --target kestoserver
echo "kestoserver: object protocol on 127.0.0.1:1973, ODBC on 127.0.0.1:1972; demo login DEMO / demo"
exec "$build/server/program/kestoserver" "$@"
