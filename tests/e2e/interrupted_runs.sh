#!/usr/bin/env bash
# Runs cut short and files left behind in a bad state: a lock file left empty by a copy killed
# while making it, choices made in the menu just before a kill -9, and a statistics file that
# cannot be appended to. A data.ini the program cannot read is rewritten only after a copy of
# its bytes is kept aside.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

prog="$WORK/prog"
make_program_dir "$prog" with-data
ini="$prog/Data/data.ini"

# A copy killed between making its lock file and writing it: the next start shows the menu.
lock="$XDG_RUNTIME_DIR/AppKLAMRA-TRQXB-$(id -u).lock"
: >"$lock"
expect_eq "$(run_menu empty_lock "$prog/wiklotek")" 0 "start over an empty lock file"

# The Memory tab and SZ chosen by real clicks, then kill -9 a moment later: data.ini holds
# both, and the lock the killed copy left is taken over by the next start.
launch killed "$prog/wiklotek"
wait_window "^Wiklotek Cz.I$" >/dev/null
wait_splash_gone
xdotool mousemove $((705 + 100)) $((95 + 200)) click 1
sleep 0.3
xdotool mousemove $((1024 / 3 - 1024 / 8 + 20)) $((768 / 2 + 20)) click 1
sleep 1.5
kill -9 "$(pid_of killed)"
wait_exit killed >/dev/null
expect_eq "$(ini_value "$ini" DaneProgramu Zakladka)" 2 "tab after kill -9"
expect_eq "$(ini_value "$ini" Memory Gloski)" 1 "Memory sounds after kill -9"
expect_eq "$(run_menu after_kill "$prog/wiklotek")" 0 "start after kill -9"

# Noise in data.ini: the start rewrites it and keeps the old bytes beside it.
head -c 3000 /dev/urandom >"$WORK/noise"
printf 'not a settings file\n' >>"$WORK/noise"
cp "$WORK/noise" "$ini"
expect_eq "$(run_menu noise "$prog/wiklotek")" 0 "start with noise in data.ini"
kept=("$ini".damaged.*)
[ -f "${kept[0]}" ] || fail "no copy of the unreadable data.ini was kept"
cmp -s "${kept[0]}" "$WORK/noise" || fail "the kept copy differs from the unreadable data.ini"
expect_eq "$(ini_value "$ini" DaneProgramu Position)" 111002 "data.ini rewritten"

# A statistics file of ours that may not be written: error 3, as when none can be made.
# Permissions do not stop root, so as root the program runs as nobody.
as_user=()
if [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null || fail "setpriv is needed to run the program as nobody"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 755 "$WORK"
    chmod -R a+rwX "$prog"
fi
[ -s "$prog/prgst1.stt" ] || fail "no statistics file after the starts"
chmod 444 "$prog/prgst1.stt"
before=$(od -An -tx1 "$prog/prgst1.stt")
launch readonly_stats "${as_user[@]}" "$prog/wiklotek"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
expect_eq "$(wait_exit readonly_stats)" 3 "read-only statistics file"
expect_eq "$(od -An -tx1 "$prog/prgst1.stt")" "$before" "statistics file untouched"
echo PASS
