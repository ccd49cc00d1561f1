#!/usr/bin/env bash
# A whole endurance test without hardware: four simulated receivers (two
# Garmin, two Magellan, one of them faulty) and Dunmerrow wired to them, in a
# scratch directory whose BATTERY.TXT is printed at the end.
#
#   run-demo.sh BUILD_DIR
#   run-demo.sh --check-display    only says whether a desktop is there
set -euo pipefail

build=${1:?usage: run-demo.sh BUILD_DIR | --check-display}

no_desktop() {
    echo "make demo opens Dunmerrow's window, so it needs a desktop session, and $1." >&2
    echo "Run it from a terminal on your desktop, or over 'ssh -X'." >&2
    exit 1
}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    no_desktop "none is running here (neither DISPLAY nor WAYLAND_DISPLAY is set)"
fi
# A DISPLAY left over from a closed session would make Qt abort with a
# message about platform plugins; say what is wrong instead.
if [ -z "${WAYLAND_DISPLAY:-}" ] && command -v xdpyinfo >/dev/null 2>&1 &&
    ! xdpyinfo >/dev/null 2>&1; then
    no_desktop "the display $DISPLAY does not answer"
fi
[ "$build" = --check-display ] && exit 0

program=$(realpath "$build/ui/Dunmerrow")
simulator=$(realpath "$build/tools/gpssim/gpssim")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/dunmerrow-demo.XXXXXX")
simulator_pid=""
cleanup() {
    if [ -n "$simulator_pid" ]; then
        kill "$simulator_pid" 2>/dev/null || true
        wait "$simulator_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

# The Magellans send position sentences all the time, as real ones set to
# NMEA output do, and answer the version query in between. The one on COM4
# writes its answer's checksum in lower case, and this one has a letter in
# it: the receiver stays alive, but no answer of it verifies, so its log line
# has no version text.
"$simulator" --dir "$scratch/ports" --linger 600 \
    --com1 garmin,life=25,id=130,version=2.72,desc=eTrex \
    --com2 magellan,life=40,id=31,version=1.50,desc=Meridian\ Color,stream \
    --com3 garmin,life=55,id=0x10F0,version=3.10,desc=GPS\ 12 \
    --com4 magellan,life=35,desc=SporTrak\ Pro,fault=lowercase,stream \
    > "$scratch/simulator.out" 2> "$scratch/simulator.log" &
simulator_pid=$!

# The simulator prints one DUNMERROW_COMn=... line per receiver when ready.
for _ in $(seq 1 50); do
    [ "$(grep -c '^DUNMERROW_COM' "$scratch/simulator.out" || true)" -eq 4 ] && break
    sleep 0.1
done
if [ "$(grep -c '^DUNMERROW_COM' "$scratch/simulator.out" || true)" -ne 4 ]; then
    echo "The receiver simulator did not start:" >&2
    cat "$scratch/simulator.log" >&2
    exit 1
fi
# Each port as its pseudo-terminal rather than the link: a serial port's lock
# file is named after the last part of the path, which for the links is
# COMn in every simulator that may be running.
while IFS='=' read -r variable link; do
    case "$variable" in DUNMERROW_COM?) export "$variable=$(readlink -f "$link")" ;; esac
done < "$scratch/simulator.out"

cat <<TEXT
Four simulated receivers are ready, with batteries that last 25 to 55 s:
  COM1 Garmin eTrex, COM2 Magellan Meridian Color, COM3 Garmin GPS 12,
  COM4 Magellan SporTrak Pro (faulty: lower-case checksums). The Magellans
  send NMEA sentences all the time, as real ones do.
In Dunmerrow: tick Com1 to Com4, set Com2 and Com4 to "Magellan", describe
the batteries if you like, and press "Start Test". When the test completes,
close Dunmerrow with "OK".

Working in $scratch
TEXT

status=0
(cd "$scratch" && "$program") || status=$?

echo
if [ -s "$scratch/BATTERY.TXT" ]; then
    echo "BATTERY.TXT:"
    cat "$scratch/BATTERY.TXT"
else
    echo "No BATTERY.TXT: the test was not completed (a cancelled test writes nothing)."
fi
if [ "$status" -ne 0 ]; then
    echo "Dunmerrow did not end normally (exit status $status)." >&2
    exit "$status"
fi
