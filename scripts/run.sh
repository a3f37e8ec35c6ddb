#!/usr/bin/env bash
# Builds the system, starts the stand-in server with its demo data on loopback when none
# runs yet, registers the object library for this user and runs the application.
# Demo login: DEMO / demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY is not set); vovida needs a graphical session." >&2
  exit 1
fi

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTO_TESTS=OFF -DKESTO_BENCH=OFF
cmake --build "$build" --target kestoserver KestoObject kestoregsvr vovida

source scripts/demo-server.sh
start_demo_server run.sh

"$build/platform/automation/kestoregsvr" "$build/objectlib/libKestoObject.so"
"$build/app/vovida" "$@"
