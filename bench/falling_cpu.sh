#!/usr/bin/env bash
# CPU use of the real program while pictures fall at the largest task count (30 cards, three
# steps per 25 ms tick), seen from outside under a private 1024x768 Xvfb: the falling tab, SZ,
# nagłos and dużo are chosen by clicks, "start" pressed, and the program's and the X server's
# CPU time are read from /proc over the given seconds.
# Usage: bench/falling_cpu.sh [build-folder] [seconds]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${2:-20}
work=$(mktemp -d)
prog_pid=
trap '[ -n "$prog_pid" ] && kill $prog_pid 2>/dev/null; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
while [ ! -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

mkdir -p "$work/prog"
cp "$build/wiklotek" "$work/prog/wiklotek"
cp -rs "$(cd "$build/Data" && pwd)" "$work/prog/Data"
rm -f "$work/prog/Data/data.ini"
cd "$work/prog"
./wiklotek >/dev/null 2>&1 &
prog_pid=$!

wait_title() {
    for _ in $(seq 200); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window '$1'" >&2
    exit 1
}
click() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep 0.4
}
# Clock ticks of user and system time of a process.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

wait_title '^Wiklotek Cz\.I$'
sleep 2.5
click 805 500     # falling tab
click 248 419     # SZ
click 239 547     # nagłos
click 580 291     # dużo
click 582 688     # start
wait_title '^Spadające$'
xdotool mousemove 1000 20 # the cursor out of the way, over the right panel
sleep 2

hz=$(getconf CLK_TCK)
p0=$(cpu_ticks "$prog_pid")
x0=$(cpu_ticks "$xvfb")
sleep "$seconds"
p1=$(cpu_ticks "$prog_pid")
x1=$(cpu_ticks "$xvfb")
awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
    printf "falling, 30 cards, 3 steps per tick, %d s: program CPU %.1f %%, Xvfb CPU %.1f %%\n",
        s, 100 * p / hz / s, 100 * x / hz / s }'
