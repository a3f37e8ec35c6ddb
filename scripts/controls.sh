#!/usr/bin/env bash
# Builds the two data-bound controls and their host window, starts the stand-in server with
# its demo data (and the test classes of the query lookup) on loopback when none runs yet,
# registers the object library and both controls for this user and runs kestocontrols.
# Arguments go to kestocontrols (--connect, --run, --screenshot FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "controls.sh: no display (DISPLAY is not set); kestocontrols needs a graphical session." >&2
  exit 1
fi

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTO_TESTS=OFF -DKESTO_BENCH=OFF
cmake --build "$build" --target kestoserver KestoObject KestoList KestoQuery kestoregsvr kestocontrols

source scripts/demo-server.sh
start_demo_server controls.sh --test-classes

for library in objectlib/libKestoObject.so controls/list/libKestoList.so controls/query/libKestoQuery.so; do
  "$build/platform/automation/kestoregsvr" "$build/$library"
done
"$build/controls/demo/kestocontrols" "$@"
