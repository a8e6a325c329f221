#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# the whole test suite with CTest. Tests labelled x11 get an Xvfb display with the jwm window
# manager (which also provides a system tray); tests labelled dbus get a private session bus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELATASK_SANITIZE=ON \
    -DVELATASK_BUILD_BENCH=ON
cmake --build build-test

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

# A free display number.
n=90
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do
    n=$((n + 1))
done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done

# Window manager: ready once a probe window has been managed.
jwm >/dev/null 2>&1 &
pids+=($!)
xmessage -name velatask-probe probe >/dev/null 2>&1 &
probe=$!
for _ in $(seq 100); do
    xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
kill "$probe" 2>/dev/null || true

# Private session bus.
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
pids+=("$(sed -n 2p <<<"$bus")")

# Keep the program's own files away from the user's.
tmp_home=$(mktemp -d)
export XDG_CONFIG_HOME=$tmp_home/config XDG_DATA_HOME=$tmp_home/data XDG_RUNTIME_DIR=$tmp_home/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

status=0
ctest --test-dir build-test --output-on-failure -j2 "$@" || status=$?
rm -rf "$tmp_home"
# A short run of every fuzz target, in its own clang build.
./scripts/fuzz.sh "$@" || status=$?
exit $status
