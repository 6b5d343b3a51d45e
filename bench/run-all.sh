#!/usr/bin/env bash
# Every performance figure of qb380 in one run, on demand (never in CI):
#
#   1. a full read and a full write at 9600 baud against the virtual radio,
#      wall time ÷ line time and CPU ÷ wall (bench/radio_runs.sh);
#   2. start-up: process start to the end of the main window's first paint,
#      the splash's own timer excluded, and resident memory after the start
#      and after a full read into the main window (qb380-bench-startup, under
#      Xvfb when xvfb-run is installed, else offscreen);
#   3. saving and opening a channel file with 199 channels
#      (qb380-bench-files).
#
# Usage: [RUNS=n] [STARTS=n] [ITERATIONS=n] bench/run-all.sh [build folder]
# (defaults: 3 radio runs of each kind, 7 starts, 500 file iterations,
# folder build). The machine may be shared: each figure is a median (or the
# fastest, where noted) of several tries.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
STARTS=${STARTS:-7}
ITERATIONS=${ITERATIONS:-500}

[[ -f $BUILD/build.ninja || -f $BUILD/Makefile ]] || cmake -S . -B "$BUILD" -G Ninja >/dev/null
cmake --build "$BUILD" --parallel 2 --target qb380-cli qb380-bench-startup qb380-bench-files \
    lang_eng lang_chn >/dev/null

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
fastest() { sort -n | head -1; }

echo "== radio runs at 9600 baud (line-time ratio, CPU ÷ wall)"
bench/radio_runs.sh "$BUILD" | sed 's/^/   /'

echo "== start-up and resident memory ($STARTS starts)"
STARTUP="$BUILD/bin/bench/qb380-bench-startup"
OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
# Passed as text: xvfb-run's shell would drop an exported function.
STARTS_SCRIPT='for _ in $(seq "$STARTS"); do
    "$STARTUP" --launched "$(date +%s%N)" --bin "$BUILD/bin" || exit 1
done'
export STARTUP STARTS BUILD
if command -v xvfb-run >/dev/null; then
    PLATFORM="xcb on Xvfb"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$STARTS_SCRIPT" >"$OUT" 2>/dev/null
else
    PLATFORM="offscreen"
    QT_QPA_PLATFORM=offscreen bash -c "$STARTS_SCRIPT" >"$OUT" 2>/dev/null
fi
figure() { awk -v k="$1" '$1 == k { print $2 }' "$OUT"; }
printf '   start to main window shown: median %s ms, fastest %s ms (%s)\n' \
    "$(figure startup_ms | median)" "$(figure startup_ms | fastest)" "$PLATFORM"
RSS_START=$(figure rss_start_kib | median)
RSS_READ=$(figure rss_read_kib | median)
awk -v s="$RSS_START" -v r="$RSS_READ" 'BEGIN {
    printf "   resident memory: %.1f MiB after start, %.1f MiB after a full read (ratio %.3f)\n",
           s / 1024, r / 1024, r / s }'
printf '   full read into the main window without line emulation: median %s ms\n' \
    "$(figure read_ms | median)"

echo "== channel file with 199 channels ($ITERATIONS iterations)"
"$BUILD/bin/bench/qb380-bench-files" "$ITERATIONS" | awk '
    $1 == "save_ms" { printf "   save: %s ms median, %s ms fastest\n", $2, substr($4, 1, length($4) - 1) }
    $1 == "open_ms" { printf "   open: %s ms median, %s ms fastest\n", $2, substr($4, 1, length($4) - 1) }
    $1 == "open_over_save" { printf "   open ÷ save: %s\n", $2 }'
