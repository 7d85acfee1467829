#!/usr/bin/env bash
# No data race between the picture worker and the application object's start: helgrind sees
# every access of both threads, whatever their timing. Usage: preload_race.sh PROBE
set -euo pipefail
probe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$probe" --write "$dir"
XDG_RUNTIME_DIR=$dir valgrind --tool=helgrind --error-exitcode=3 --log-file="$dir/helgrind.txt" \
    "$probe" "$dir/a.xji" "$dir/b.xbi" "$dir/c.png" || {
    cat "$dir/helgrind.txt" >&2
    exit 1
}
echo PASS
