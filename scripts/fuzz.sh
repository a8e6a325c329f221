#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each through ctest.
#   FUZZ_SECONDS=600 ./scripts/fuzz.sh            ten minutes per target
#   FUZZ_RANDOM_START=0 FUZZ_SECONDS=600 ./scripts/fuzz.sh  new random choices (the default 1 repeats)
#   ./scripts/fuzz.sh -R fuzz_ini                 arguments go to ctest
# A crash leaves its input as crash-* in build-fuzz/fuzz; replay it with
#   build-fuzz/fuzz/fuzz_NAME crash-FILE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-14 \
    -DVELATASK_FUZZ=ON -DVELATASK_FUZZ_SECONDS="${FUZZ_SECONDS:-5}" -DVELATASK_FUZZ_RANDOM_START="${FUZZ_RANDOM_START:-1}" >/dev/null
cmake --build build-fuzz
ctest --test-dir build-fuzz --output-on-failure -j2 "$@"
