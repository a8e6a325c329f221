#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# the whole test suite with CTest. Tests labelled x11 get an Xvfb display with the jwm window
# manager (which also provides a system tray); tests labelled dbus get a private session bus;
# tests of the server store get a private PostgreSQL server on a Unix socket.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELATASK_SANITIZE=ON \
    -DVELATASK_BUILD_BENCH=ON
cmake --build build-test

source scripts/test-session.sh
source scripts/test-postgres.sh

status=0
ctest --test-dir build-test --output-on-failure -j2 "$@" || status=$?
# A short run of every fuzz target, in its own clang build.
./scripts/fuzz.sh "$@" || status=$?
exit $status
