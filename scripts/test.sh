#!/usr/bin/env bash
# Builds every test once, with AddressSanitizer and UndefinedBehaviorSanitizer, and runs them all;
# then builds the optimized deliverables and checks their exports and a host loading each;
# last, the optimized vovida runs a session under a virtual X server, driven by X input.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTO_SANITIZE=ON -DKESTO_BENCH=ON
cmake --build "$build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

bash scripts/check-release.sh
bash scripts/session.sh "${KESTO_RELEASE_BUILD:-build}"
