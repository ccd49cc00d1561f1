#!/usr/bin/env bash
# The test program beside its floor (bench/floor), both at once on one
# desktop (Xvfb, openbox, the real xcb platform), each polling four simulated
# receivers of its own: Dunmerrow in a 4-unit test started with the keyboard
# as an operator would, the floor in its loop. Over the same SECONDS it
# prints each one's processor time as a share of a core, its resident memory
# at the end and how often it woke up (voluntary context switches), then the
# ratios. Only figures from one run compare: the machine may be busy.
#
#   side-by-side.sh BUILD_DIR [SECONDS]     (default 120)
#
# Exits 1 when a figure misses its target: processor time at most 1.10 times
# the floor's, resident memory at most 5 MiB above it, and no more wake-ups.
set -euo pipefail

build=$(realpath "${1:?usage: side-by-side.sh BUILD_DIR [SECONDS]}")
seconds=${2:-120}
program=$build/ui/Dunmerrow
floor=$build/bench/floor/floor
simulator=$build/tools/gpssim/gpssim
. "$(dirname "$0")/arguments.sh"
require_built "$program" "$floor" "$simulator"
require_count SECONDS "$seconds"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/dunmerrow-side.XXXXXX")
simulators=""
cleanup() {
    end_started
    rm -rf "$scratch"
}
trap cleanup EXIT
. "$(dirname "$0")/desktop.sh"

# Four receivers in DIR whose batteries outlast the run; their environment
# for the program in DIR.env, as device paths: a port's lock file is named
# after the last part of its path, and every simulator names its links COMn.
start_receivers() {
    local dir=$1 life=$((seconds + 120))
    "$simulator" --dir "$dir" --linger 5 --com1 garmin,life=$life --com2 magellan,life=$life \
        --com3 garmin,life=$life --com4 magellan,life=$life >"$dir.out" 2>"$dir.log" &
    simulators="$simulators $!"
    started $!
    for _ in $(seq 1 50); do
        [ "$(grep -c '^DUNMERROW_COM' "$dir.out" || true)" -eq 4 ] && break
        sleep 0.1
    done
    while IFS='=' read -r variable link; do
        case "$variable" in DUNMERROW_COM?) echo "$variable=$(readlink -f "$link")" ;; esac
    done <"$dir.out" >"$dir.env"
    [ "$(wc -l <"$dir.env")" -eq 4 ] ||
        { echo "side-by-side.sh: the simulator did not start:" >&2; cat "$dir.log" >&2; exit 1; }
}

# Ticks the four ports, makes COM2 and COM4 Magellans in their opened lists,
# starts the test and answers its two advisories, all by keyboard: the focus
# starts on Com1's box, and Tab walks the enabled controls of each row.
start_test() {
    local window
    window=$(xdotool search --sync --onlyvisible --pid "$1" --name '^Dunmerrow$' | head -1)
    xdotool windowactivate --sync "$window"
    for k in 1 2 3 4; do
        xdotool key space Tab
        if [ $((k % 2)) -eq 0 ]; then
            xdotool key alt+Down && sleep 0.3 && xdotool key m Return
        fi
        xdotool key Tab Tab Tab Tab Tab
        sleep 0.2
    done
    xdotool key space
    for _ in 1 2; do sleep 1; xdotool key Return; done
}

# User and system ticks, voluntary context switches and resident KiB.
ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status"; }
resident() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }

start_receivers "$scratch/a"
start_receivers "$scratch/b"
mkdir "$scratch/program" "$scratch/floor"
(cd "$scratch/program" && exec env $(cat "$scratch/a.env") "$program" >../program.log 2>&1) &
program_pid=$!
started $program_pid
start_test $program_pid
sleep 2
(cd "$scratch/floor" && exec env $(cat "$scratch/b.env") "$floor" $((seconds + 30)) >../floor.log 2>&1) &
floor_pid=$!
started $floor_pid
sleep 5

echo "Side by side for $seconds s: Dunmerrow in a 4-unit test and its floor."
p0=$(ticks $program_pid) f0=$(ticks $floor_pid)
pw0=$(wakeups $program_pid) fw0=$(wakeups $floor_pid)
t0=${EPOCHREALTIME/./}
sleep "$seconds"
p1=$(ticks $program_pid) f1=$(ticks $floor_pid)
pw1=$(wakeups $program_pid) fw1=$(wakeups $floor_pid)
t1=${EPOCHREALTIME/./}
prss=$(resident $program_pid) frss=$(resident $floor_pid)

# Stopped, the receivers say what they heard; every one must have been asked.
for pid in $simulators; do kill -INT "$pid" 2>/dev/null || true; done
sleep 1
for side in a b; do
    grep '^# COM' "$scratch/$side.out" | sed "s/^# /  $([ $side = a ] && echo program || echo floor): /"
    if grep '^# COM' "$scratch/$side.out" | grep -q 'queries_good=0 '; then
        echo "side-by-side.sh: a receiver was never asked; the test did not start" >&2
        exit 1
    fi
done

awk -v hz="$(getconf CLK_TCK)" -v wall="$(((t1 - t0) / 1000))" \
    -v p="$((p1 - p0))" -v f="$((f1 - f0))" -v pw="$((pw1 - pw0))" -v fw="$((fw1 - fw0))" \
    -v prss="$prss" -v frss="$frss" '
    BEGIN {
        wall /= 1000
        printf "                     program     floor     ratio\n"
        printf "CPU, %% of a core     %7.3f   %7.3f     %5.2f\n",
               100 * p / hz / wall, 100 * f / hz / wall, (p + 0.0001) / (f + 0.0001)
        printf "resident memory     %6d KiB %6d KiB  floor %+.1f MiB\n", prss, frss, (prss - frss) / 1024
        printf "wake-ups a second    %7.1f   %7.1f     %5.2f\n", pw / wall, fw / wall, (pw + 0.0001) / (fw + 0.0001)
        missed = 0
        if (p > 1.10 * f) { print "MISSED: processor time above 1.10 times the floor'"'"'s"; missed = 1 }
        if (prss - frss > 5 * 1024) { print "MISSED: resident memory more than 5 MiB above the floor'"'"'s"; missed = 1 }
        if (pw > fw) { print "MISSED: more wake-ups than the floor"; missed = 1 }
        if (!missed) print "All targets met."
        exit missed
    }'
