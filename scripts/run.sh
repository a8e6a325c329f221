#!/usr/bin/env bash
# Installs what is missing, builds Velatask and starts it in its data directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELATASK_BUILD_TESTS=OFF
cmake --build build

data=${XDG_DATA_HOME:-$HOME/.local/share}/velatask
mkdir -p "$data"
[[ -f $data/KEYCODES.TXT ]] || cp share/KEYCODES.TXT "$data/"
cd "$data"
exec "$root/build/app/velatask"
