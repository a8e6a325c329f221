#!/usr/bin/env bash
# Installs what is missing, makes an optimised build without tests and packs it as a Debian
# package: build-package/velatask_<version>_<arch>.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELATASK_BUILD_TESTS=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
ls "$root"/build-package/velatask_*.deb
