#!/usr/bin/env bash
# Installs what is missing, builds Velatask and starts it. The program makes its data directory
# (~/.local/share/velatask unless --data-dir says otherwise) and works there; arguments are
# passed on to it (see ./build/app/velatask --help).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELATASK_BUILD_TESTS=OFF
cmake --build build
exec "$root/build/app/velatask" "$@"
