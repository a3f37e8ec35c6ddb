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

server_pid=""
stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
}
trap stop_server EXIT

port_open() { (exec 3<>/dev/tcp/127.0.0.1/1973) 2>/dev/null; }

if port_open; then
  echo "controls.sh: a server already answers on 127.0.0.1:1973"
else
  "$build/server/program/kestoserver" --test-classes &
  server_pid=$!
  for _ in $(seq 1 50); do
    port_open && break
    kill -0 "$server_pid" 2>/dev/null || { echo "controls.sh: kestoserver did not start" >&2; exit 1; }
    sleep 0.1
  done
  port_open || { echo "controls.sh: kestoserver does not answer on 1973" >&2; exit 1; }
fi

for library in objectlib/libKestoObject.so controls/list/libKestoList.so controls/query/libKestoQuery.so; do
  "$build/platform/automation/kestoregsvr" "$build/$library"
done
"$build/controls/demo/kestocontrols" "$@"
