# Sourced by the test and measurement scripts: starts an Xvfb display with the jwm window manager
# (which also provides a system tray) and a private session bus, sets DISPLAY and
# DBUS_SESSION_BUS_ADDRESS, keeps the program's own files in a temporary home, and stops it all
# when the calling script exits. Leave it with `exit`, not `exec`. Scripts sourced after it add
# their own stop functions to `session_cleanups`.

session_pids=()
session_cleanups=()
session_home=$(mktemp -d)
stop_test_session() {
    for cleanup in "${session_cleanups[@]}"; do
        "$cleanup"
    done
    for pid in "${session_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$session_home"
}
trap stop_test_session EXIT

# A free display number.
n=90
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do
    n=$((n + 1))
done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
session_pids+=($!)
for _ in $(seq 100); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done

# Window manager: ready once a probe window has been managed.
jwm >/dev/null 2>&1 &
session_pids+=($!)
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
session_pids+=("$(sed -n 2p <<<"$bus")")

export XDG_CONFIG_HOME=$session_home/config XDG_DATA_HOME=$session_home/data
export XDG_RUNTIME_DIR=$session_home/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
