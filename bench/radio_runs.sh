#!/usr/bin/env bash
# A full read and a full write with qb380-cli against its own virtual radio
# at 9600 baud with 1 ms of turnaround, compared with the time the exchange
# needs on such a line:
#
#   theoretical = line time of every byte both ways (10 bits a byte, 8N1)
#               + one turnaround per reply
#               + the waits that expect no reply (5 ms after the start byte,
#                 50 ms after the end command)
#
# Prints wall time, theoretical time, their ratio, and the CLI's CPU time as
# a share of its wall time. Goals: ratio <= 1.02, CPU <= 2 %.
#
# The machine is shared, so each run is repeated (RUNS, default 3) and the
# fastest of each kind is reported as well.
#
# Usage: [RUNS=n] bench/radio_runs.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
CLI="$BUILD/bin/qb380-cli"
[[ -x $CLI ]] || { echo "build first: $CLI is missing" >&2; exit 1; }

BAUD=9600
LATENCY_MS=1
WORK=$(mktemp -d)
# A read keeps a backup of the radio's memory in the user's data folder;
# the benchmark's reads keep theirs in the scratch folder.
export XDG_DATA_HOME="$WORK/data"
SIM_PID=
cleanup() {
    [[ -n $SIM_PID ]] && kill -TERM "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

"$CLI" simulate --line-rate $BAUD --latency $LATENCY_MS >"$WORK/sim.out" &
SIM_PID=$!
for _ in $(seq 100); do
    grep -q '^PORT ' "$WORK/sim.out" 2>/dev/null && break
    sleep 0.05
done
PORT=$(sed -n 's/^PORT //p' "$WORK/sim.out")
[[ -n $PORT ]] || { echo "the virtual radio did not start" >&2; exit 1; }

# Bytes and replies of each run, from the protocol's messages:
#   handshake 0x02 + "DRAvik" (7) -> 8; ack 1 -> 1; identification block
#   read 4 -> 12; ack 1 -> 1; then
#   read:  per channel 2 x (read 4 -> 12, ack 1 -> 1); settings read
#          4 -> 12; ack 1 -> 1; end 2
#   write: per channel 2 x (write 12 -> 1); settings, two band edges and the
#          identification block, each 12 -> 1; end 2
CHANNELS=199
READ_OUT=$((7 + 1 + 4 + 1 + CHANNELS * 10 + 4 + 1 + 2))
READ_IN=$((8 + 1 + 12 + 1 + CHANNELS * 26 + 12 + 1))
READ_REPLIES=$((4 + CHANNELS * 4 + 2))
WRITE_OUT=$((7 + 1 + 4 + 1 + CHANNELS * 24 + 4 * 12 + 2))
WRITE_IN=$((8 + 1 + 12 + 1 + CHANNELS * 2 + 4))
WRITE_REPLIES=$((4 + CHANNELS * 2 + 4))
FIXED_WAITS_MS=$((5 + 50))

theory() { # bytes replies -> seconds
    awk -v b="$1" -v r="$2" -v baud=$BAUD -v lat=$LATENCY_MS -v w=$FIXED_WAITS_MS \
        'BEGIN { printf "%.3f", b * 10 / baud + (r * lat + w) / 1000 }'
}

# Runs the CLI once; prints "wall cpu" in seconds.
measure() {
    local times
    times=$( { TIMEFORMAT='%3R %3U %3S'; time "$CLI" "$@" >/dev/null 2>"$WORK/err"; } 2>&1 ) || {
        cat "$WORK/err" >&2
        exit 1
    }
    awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' <<<"$times"
}

report() { # name wall cpu theory
    awk -v n="$1" -v w="$2" -v c="$3" -v t="$4" 'BEGIN {
        printf "%-6s wall %7.3f s  theoretical %7.3f s  ratio %.4f  cpu %.3f s = %.2f %% of wall\n",
               n, w, t, w / t, c, 100 * c / w }'
}

RUNS=${RUNS:-3}
READ_THEORY=$(theory $((READ_OUT + READ_IN)) $READ_REPLIES)
WRITE_THEORY=$(theory $((WRITE_OUT + WRITE_IN)) $WRITE_REPLIES)
BEST_READ= BEST_WRITE=
for run in $(seq "$RUNS"); do
    read -r RW RC < <(measure read --port "$PORT" --out "$WORK/radio.r07")
    report read "$RW" "$RC" "$READ_THEORY"
    read -r WW WC < <(measure write --port "$PORT" "$WORK/radio.r07")
    report write "$WW" "$WC" "$WRITE_THEORY"
    if [[ -z $BEST_READ ]] || awk -v a="$RW" -v b="${BEST_READ%% *}" 'BEGIN { exit !(a < b) }'; then
        BEST_READ="$RW $RC"
    fi
    if [[ -z $BEST_WRITE ]] || awk -v a="$WW" -v b="${BEST_WRITE%% *}" 'BEGIN { exit !(a < b) }'; then
        BEST_WRITE="$WW $WC"
    fi
done
echo "fastest of $RUNS:"
report read ${BEST_READ} "$READ_THEORY"
report write ${BEST_WRITE} "$WRITE_THEORY"
