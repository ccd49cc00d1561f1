# A desktop of the benchmarks' own, sourced by side-by-side.sh and
# startup.sh: Xvfb with the openbox window manager, the real xcb platform,
# ended with the script. Sets DISPLAY; `started PID` has a process ended too.

started_pids=""
started() { started_pids="$1 $started_pids"; }
end_started() {
    for pid in $started_pids; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}

for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null ||
        { echo "${0##*/}: $tool is missing (make deps-test installs it)" >&2; exit 2; }
done

display=""
for number in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || { display=$number; break; }
done
[ -n "$display" ] || { echo "${0##*/}: no free X display from :150 to :199" >&2; exit 2; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
started $!
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 &
started $!
sleep 1

# The median of the numbers given.
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
