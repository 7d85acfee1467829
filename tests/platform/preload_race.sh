#!/usr/bin/env bash
# No data race between the picture worker and the application object's start: helgrind sees
# every access of both threads, whatever their timing. Usage: preload_race.sh PROBE DATA
set -euo pipefail
log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT
XDG_RUNTIME_DIR=$log valgrind --tool=helgrind --error-exitcode=3 --log-file="$log/helgrind.txt" \
    "$1" "$2/Intf/Spec/mT_Splh.xji" "$2/Intf/Spec/mT_m1_b.xbi" "$2/Intf/Lib/start_D.png" || {
    cat "$log/helgrind.txt" >&2
    exit 1
}
echo PASS
