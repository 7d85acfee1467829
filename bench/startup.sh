#!/usr/bin/env bash
# Times the real program from launch to its exit under a private Xvfb, in a private program
# folder, over several runs. Usage: bench/startup.sh [build-folder] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-20}
program="$(cd "$build" && pwd)/wiklotek"
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
while [ ! -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

mkdir -p "$work/prog/Data"
cp "$program" "$work/prog/wiklotek"
"$work/prog/wiklotek" # the first start creates data.ini; later ones read it

total=0 best=
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$work/prog/wiklotek"
    ms=$((($(date +%s%N) - start) / 1000000))
    total=$((total + ms))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "start-up to exit: mean $((total / runs)) ms, best $best ms over $runs runs"
