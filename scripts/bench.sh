#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers, then runs them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELATASK_BUILD_TESTS=OFF \
    -DVELATASK_BUILD_BENCH=ON
cmake --build build-bench
# The server benchmarks use a private PostgreSQL server, stopped when the script ends.
session_cleanups=()
trap 'for cleanup in "${session_cleanups[@]}"; do "$cleanup"; done' EXIT
source scripts/test-postgres.sh
for b in build-bench/bench/bench_*; do
    if [[ -f $b && -x $b ]]; then
        "$b" "$@"
    fi
done
