#!/usr/bin/env bash
# A long test of the real dialog, offscreen, against four simulated receivers
# whose batteries last half a minute longer than the soak, watched from
# outside: processor time and memory of the program's process from /proc,
# and the poll cycles as the receivers heard them.
#
#   soak.sh BUILD_DIR [MINUTES [SPEED]]     (default 10 minutes at speed 1)
#
# At a SPEED above 1 the run's clocks go that many times as fast and its
# pauses are that much shorter (soak_driver --speed): six hours of polling
# take 18 minutes at speed 20. The targets then scale with it.
#
# Exits 1 when a figure misses its target: under 1 % of one core (times
# SPEED), under 1 MiB of growth in resident memory from the first simulated
# hour (the first minute at speed 1) to the end, and a mean poll cycle of 2.0
# to 2.2 s (divided by SPEED).
set -euo pipefail

build=$(realpath "${1:?usage: soak.sh BUILD_DIR [MINUTES [SPEED]]}")
minutes=${2:-10}
speed=${3:-1}
driver=$build/bench/soak_driver
simulator=$build/tools/gpssim/gpssim
. "$(dirname "$0")/arguments.sh"
require_built "$driver" "$simulator"
require_count MINUTES "$minutes"
require_count SPEED "$speed"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/dunmerrow-soak.XXXXXX")
simulator_pid=""
driver_pid=""
cleanup() {
    for pid in $driver_pid $simulator_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
cd "$scratch"

life=$((minutes * 60 + 30))
"$simulator" --dir ports --linger 10 --verbose \
    --com1 garmin,life=$life --com2 magellan,life=$life \
    --com3 garmin,life=$life --com4 magellan,life=$life >simulator.out 2>simulator.log &
simulator_pid=$!
for _ in $(seq 1 50); do
    [ "$(grep -c '^DUNMERROW_COM' simulator.out || true)" -eq 4 ] && break
    sleep 0.1
done
[ "$(grep -c '^DUNMERROW_COM' simulator.out || true)" -eq 4 ] ||
    { echo "soak.sh: the simulator did not start:" >&2; cat simulator.log >&2; exit 1; }
# The pseudo-terminals themselves, not the links: a serial port's lock file
# is named after the last part of the path, and the links are called COMn in
# every simulator that may be running beside this one.
while IFS='=' read -r variable link; do
    case "$variable" in DUNMERROW_COM?) export "$variable=$(readlink -f "$link")" ;; esac
done <simulator.out

echo "Soak: four receivers, batteries of $life s, sampled every second; about" \
    "$((minutes + 1)) minutes at speed $speed."
QT_QPA_PLATFORM=offscreen "$driver" --speed="$speed" Garmin Magellan Garmin Magellan >driver.out 2>&1 &
driver_pid=$!
ticks=$(getconf CLK_TCK)
start=${EPOCHREALTIME/./}
# Microseconds since the start, CPU ticks, VmRSS and VmHWM in KiB, once a
# second; read with the shell's own means, so as not to load the machine.
# A read that fails (the machine busy, a signal) loses one sample, not the
# rest of the soak: only the program's end ends the sampling.
while kill -0 "$driver_pid" 2>/dev/null; do
    stat="" rss="" hwm=""
    { read -r stat <"/proc/$driver_pid/stat"; } 2>/dev/null || true
    # After the name: state is field 3 of the line, utime 14, stime 15.
    read -r -a fields <<<"${stat##*) } x"
    [ "${fields[0]}" != Z ] || break
    { while read -r key value _; do
        case "$key" in VmRSS:) rss=$value ;; VmHWM:) hwm=$value ;; esac
    done <"/proc/$driver_pid/status"; } 2>/dev/null || true
    if [ -n "$stat" ] && [ -n "$rss" ] && [ -n "$hwm" ]; then
        now=${EPOCHREALTIME/./}
        echo "$((now - start)) $((fields[11] + fields[12])) $rss $hwm" >>samples
    fi
    sleep 1
done
status=0
wait "$driver_pid" || status=$?
driver_pid=""
# It may have stopped already, its linger over.
kill -TERM "$simulator_pid" 2>/dev/null || true
wait "$simulator_pid" || true
simulator_pid=""

sed 's/^/  /' driver.out
[ "$status" -eq 0 ] || { echo "soak.sh: the run did not complete (status $status)" >&2; exit 1; }
grep '^# COM' simulator.out | sed 's/^# /  /'

# The cycle length as COM1 heard it, from its first query to its last (dead
# or alive). The run's clock counts whole seconds and the test starts in the
# middle of one, so the first wait is one to two seconds; the targets apply
# to the cycles after it, at the two decimals they are given to.
awk '/ COM1 \([a-z]+\): (query|dead, did not hear)/ {
         split($1, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3]
         if (n > 0 && s < last) s += 86400
         if (n == 0) first = s
         if (n == 1) second = s
         last = s; n++
     }
     END {
         printf "%d %.4f %.4f\n", n, (n > 1 ? (last - first) / (n - 1) : 0),
                (n > 2 ? (last - second) / (n - 2) : 0)
     }' simulator.log >cycles

awk -v ticks="$ticks" -v cycles="$(cat cycles)" -v speed="$speed" '
    { t[NR] = $1 / 1e6; cpu[NR] = $2; rss[NR] = $3; hwm = $4 }
    END {
        m = 1
        while (m < NR && t[m] < (speed > 1 ? 3600 / speed : 60)) m++
        wall = t[NR]; busy = cpu[NR] / ticks
        split(cycles, c, " ")
        growth = rss[NR] - rss[m]
        printf "Wall time of the program:        %.1f s\n", wall
        printf "CPU per wall second:             %.5f (%.3f %% of one core)\n",
               busy / wall, 100 * busy / wall
        printf "  from minute 1 to the end:      %.5f\n",
               (cpu[NR] - cpu[m]) / ticks / (t[NR] - t[m] > 0 ? t[NR] - t[m] : 1)
        printf "Peak RSS (VmHWM):                %d KiB\n", hwm
        printf "Final RSS:                       %d KiB\n", rss[NR]
        printf "RSS growth from %3.0f s to end:  %+d KiB\n", t[m], growth
        printf "Simulated time:                  %.1f h\n", wall * speed / 3600
        printf "Poll cycles (queries to COM1):   %d\n", c[1]
        printf "Mean cycle length:               %.3f s\n", c[2]
        printf "  after the first:               %.3f s\n", c[3]
        steady = sprintf("%.2f", c[3] * speed) + 0
        missed = 0
        if (busy / wall >= 0.01 * speed) { print "MISSED: CPU at or above 1 % of one core"; missed = 1 }
        if (growth >= 1024) { print "MISSED: RSS grew by 1 MiB or more"; missed = 1 }
        if (steady < 2.0 || steady > 2.2) { print "MISSED: mean cycle outside 2.0 to 2.2 s"; missed = 1 }
        if (!missed) print "All targets met."
        exit missed
    }' samples
