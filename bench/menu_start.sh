#!/usr/bin/env bash
# Start to the first painted menu, seen from outside under a fresh private 1024x768 Xvfb for
# every start: the time until the window exists and the middle of the play area is no longer
# black. The menu is timed against a minimal Qt window painting one screen-size picture,
# alternately, in the same run; then the peak memory of the program with the menu shown.
# Usage: bench/menu_start.sh [build-folder] [runs]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-10}
work=$(mktemp -d)
xvfb=
trap 'if [ -n "$xvfb" ]; then kill $xvfb 2>/dev/null; fi; rm -rf "$work" "${runtime:-}"' EXIT
# The runtime folder of a desktop session is in memory (/run/user/<uid>); so is this one
# where the machine allows, so that the lock file's write does not wait for the disk here
# when it would not there.
runtime=$(mktemp -d -p /dev/shm 2>/dev/null) || runtime=$(mktemp -d -p "$work")
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" SDL_AUDIODRIVER=dummy

# Every start meets a freshly started server: one that has served earlier programs answered
# the next one later, by up to twice the time and unevenly, which no program here causes.
start_x() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
        2>/dev/null &
    xvfb=$!
    while [ ! -s "$work/display" ]; do sleep 0.05; done
    export DISPLAY=":$(cat "$work/display")"
    rm "$work/display"
    sleep 0.3 # the server settles before the clock starts
}
stop_x() {
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=
}

mkdir -p "$work/prog"
cp "$build/wiklotek" "$work/prog/wiklotek"
# Linked file by file from the real folder (build/Data may itself be a link), so that the
# data.ini the runs write stays private.
cp -rs "$(cd "$build/Data" && pwd -P)" "$work/prog/Data"
rm -f "$work/prog/Data/data.ini"
picture="$build/Data/Intf/Spec/mT_m0_b.xji"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# time_to_paint TITLE COMMAND...: milliseconds until the painted window shows, measured by a
# small X client that starts the command and looks every 2 ms; leaves the process running
# with its pid in $work/pid.
time_to_paint() {
    local title=$1
    shift
    "$build/bench/paint_probe" "$work/pid" "$title" 300 200 "$@" || {
        echo "$title did not paint" >&2
        exit 1
    }
}

# The programs were started inside $(...): not children of this shell, so wait cannot be used.
# The next start must not meet the previous program still running (it would hand over to it).
stop() {
    kill "$1" 2>/dev/null || true
    while kill -0 "$1" 2>/dev/null; do sleep 0.01; done
}

median() {
    tr ' ' '\n' | sed '/^$/d' | sort -n | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# Alternating, so that a change of load on the machine hits both programs alike.
menu_times="" minimal_times=""
for _ in $(seq "$runs"); do
    start_x
    ms=$(time_to_paint 'Minimal window' "$build/bench/minimal_window" "$picture")
    stop "$(cat "$work/pid")"
    stop_x
    minimal_times="$minimal_times $ms"
    start_x
    ms=$(time_to_paint 'Wiklotek Cz.I' "$work/prog/wiklotek")
    stop "$(cat "$work/pid")"
    stop_x
    menu_times="$menu_times $ms"
done
menu=$(echo "$menu_times" | median)
minimal=$(echo "$minimal_times" | median)
echo "load before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "first painted menu (ms):$menu_times"
echo "minimal window (ms):$minimal_times"
echo "first painted menu: median $menu ms; minimal window: median $minimal ms over $runs runs"
echo "ratio: $(awk -v a="$menu" -v b="$minimal" 'BEGIN { printf "%.2f", a / b }') (goal at most 1.30)"

start_x
"$work/prog/wiklotek" >/dev/null 2>&1 &
app=$!
sleep 3
peak=$(awk '/VmHWM/ { print $2 }' "/proc/$app/status")
stop "$app"
echo "peak memory with the menu shown: $((peak / 1024)) MB (goal under 100 MB)"
