#!/usr/bin/env bash
# How long Dunmerrow takes from its start to a window on screen, against its
# floor (bench/floor), on a desktop of their own (Xvfb, openbox, the real xcb
# platform): ROUNDS starts of each, one after the other in turn, then the
# medians and their ratio. Only figures from one run compare.
#
#   startup.sh BUILD_DIR [ROUNDS]     (default 9)
#
# Exits 1 when the program's median is above 1.10 times the floor's.
set -euo pipefail

build=$(realpath "${1:?usage: startup.sh BUILD_DIR [ROUNDS]}")
rounds=${2:-9}
program=$build/ui/Dunmerrow
floor=$build/bench/floor/floor
. "$(dirname "$0")/arguments.sh"
require_built "$program" "$floor"
require_count ROUNDS "$rounds"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/dunmerrow-startup.XXXXXX")
cleanup() {
    end_started
    rm -rf "$scratch"
}
trap cleanup EXIT
. "$(dirname "$0")/desktop.sh"
cd "$scratch"

# Milliseconds from the start of the command to its first visible window;
# the command is ended then.
time_to_window() {
    local start=${EPOCHREALTIME/./} pid end
    "$@" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "startup.sh: $1 ended without a window" >&2; exit 1; }
        sleep 0.01
    done
    end=${EPOCHREALTIME/./}
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000))
}

program_ms=() floor_ms=()
for _ in $(seq 1 "$rounds"); do
    program_ms+=("$(time_to_window "$program")")
    floor_ms+=("$(time_to_window "$floor" 5)")
done
p=$(median "${program_ms[@]}") f=$(median "${floor_ms[@]}")
echo "Start to a visible window, $rounds starts each, in turn:"
echo "  program ms: ${program_ms[*]} (median $p)"
echo "  floor   ms: ${floor_ms[*]} (median $f)"
awk -v p="$p" -v f="$f" 'BEGIN {
    printf "  ratio:      %.2f\n", p / f
    if (p > 1.10 * f) { print "MISSED: start-up above 1.10 times the floor'"'"'s"; exit 1 }
    print "Target met."
}'
