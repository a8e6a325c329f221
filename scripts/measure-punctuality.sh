#!/usr/bin/env bash
# Measures the optimised program from outside on a private Xvfb display with jwm:
#   - how late "Run Program" tasks due on whole seconds start their programs,
#   - idle CPU per second with 10^6 Schedule rows (shown, and hidden in the tray),
#   - start to first window (empty data file and 10^6 rows),
# and runs the tick benchmark. Usage: scripts/measure-punctuality.sh [EXECUTABLE [TICK_BENCH]]
# (default: those of the build-bench folder; another build's pair measures another version).
# RUNS, TASKS, IDLE_SECONDS override the repetitions; the 10^6-row data file is made once and
# kept in $VELATASK_MEASURE_DATA.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELATASK_BUILD_TESTS=OFF \
    -DVELATASK_BUILD_BENCH=ON >/dev/null
cmake --build build-bench
exe=$(realpath "${1:-build-bench/app/velatask}")
tick_bench=$(realpath "${2:-build-bench/bench/bench_tick}")
measure=build-bench/bench/measure_app
runs=${RUNS:-3}
big=${VELATASK_MEASURE_DATA:-/tmp/velatask-measure-1e6}

source scripts/test-session.sh
export HOME=$session_home/home
mkdir -p "$HOME"

echo "== due moment -> program started (${TASKS:-40} tasks one second apart, $runs runs)"
"$measure" due "$exe" --runs "$runs" --tasks "${TASKS:-40}"
echo "== idle CPU with 10^6 rows, frame shown"
"$measure" idle "$exe" --rows 1000000 --data "$big" --runs "$runs" --seconds "${IDLE_SECONDS:-30}"
echo "== idle CPU with 10^6 rows, frame hidden in the tray"
"$measure" idle "$exe" --rows 1000000 --data "$big" --runs "$runs" --seconds "${IDLE_SECONDS:-30}" \
    --minimized
echo "== start -> first window, empty data file"
"$measure" startup "$exe" --runs $((runs * 3))
echo "== start -> first window, 10^6 rows"
"$measure" startup "$exe" --rows 1000000 --data "$big" --runs $((runs * 3))
echo "== one tick over 10^6 rows"
"$tick_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true
