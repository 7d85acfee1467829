#!/usr/bin/env bash
# The user's files when the program's folder cannot have them: a locked USB stick lends its own
# to the per-user folder and says where they are now; without HOME the account's home has that
# folder. A start ending in error 4 makes no statistics file.
source "$(dirname "$0")/lib.sh"
trap 'chmod -R u+w "$WORK" 2>/dev/null || true; cleanup' EXIT
start_x 1024x768

# Permissions do not stop root, so as root the program runs as nobody.
home="$WORK/home"
mkdir -p -m 700 "$home/runtime"
as_user=()
if [ "$(id -u)" = 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 755 "$WORK"
    chown -R 65534:65534 "$home"
fi
run=(env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$home/runtime" "${as_user[@]}")

# A settings file that cannot be written, in a folder that can.
prog="$WORK/prog"
make_program_dir "$prog" with-data
printf '[DaneProgramu]\r\nLU=7\r\n' >"$prog/Data/data.ini"
chmod 444 "$prog/Data/data.ini"
chmod a+w "$prog"
launch locked "${run[@]}" "$prog/wiklotek"
press_in "$(wait_window "Wiklotek Cz.I - Błąd")" Return
expect_eq "$(wait_exit locked)" 4 "data.ini that cannot be written"
[ ! -e "$prog/prgst1.stt" ] || fail "a start ending in error 4 made the statistics file"

# The stick, used once while it could be written, then locked.
stick="$WORK/stick"
make_program_dir "$stick" with-data
expect_eq "$(run_menu unlocked "$stick/wiklotek")" 0 "the stick before it is locked"
printf '[DaneProgramu]\r\nZakladka=3\r\nLU=7\r\n' >"$stick/Data/data.ini"
chmod -R a-w "$stick"
userdir="$home/.local/share/wiklotek"
launch stick "${run[@]}" "$stick/wiklotek" 2>"$WORK/stderr"
wait_window "^Wiklotek Cz.I - Informacja$" >/dev/null
grep -q "zapisywane w folderze: $userdir$" "$WORK/stderr" || fail "notice: $(cat "$WORK/stderr")"
press_in "$(wait_window "^Wiklotek Cz.I$")" Escape
expect_eq "$(wait_exit stick)" 0 "start from the locked stick"
expect_eq "$(ini_value "$userdir/data.ini" DaneProgramu Zakladka)" 3 "the stick's menu tab"
cmp -s "$stick/prgst1.stt" "$userdir/prgst1.stt" || fail "the stick's statistics not copied"
[ -f "$userdir/Nagrane/record.xtr" ] || fail "the stick's recordings not copied"
# Once the user's own files exist they are kept.
expect_eq "$(run_menu again "${run[@]}" "$stick/wiklotek")" 0 "second start from the stick"
expect_eq "$(ini_value "$userdir/data.ini" DaneProgramu LU)" 9 "launches counted on from the stick's"

# No HOME: the account's home, named by error 4 as nobody's cannot be made (only as root: a
# user's own run would write into the real home).
[ "${#as_user[@]}" -gt 0 ] || { echo PASS; exit 0; }
launch nohome env -u HOME XDG_RUNTIME_DIR="$home/runtime" "${as_user[@]}" "$stick/wiklotek" \
    2>"$WORK/stderr"
press_in "$(wait_window "Wiklotek Cz.I - Błąd")" Return
expect_eq "$(wait_exit nohome)" 4 "no HOME and an account home that cannot be made"
grep -q "Folder: $(getent passwd 65534 | cut -d: -f6)/.local/share/wiklotek$" "$WORK/stderr" ||
    fail "error 4 without HOME: $(cat "$WORK/stderr")"
# An account unknown to the system has no home at all: the export does not take the current
# folder's statistics file for its own.
cp "$stick/prgst1.stt" "$WORK/prgst1.stt"
status=0
(cd "$WORK" && env -u HOME -u DISPLAY setpriv --reuid=54321 --regid=54321 --clear-groups \
    "$stick/wiklotek" --export-csv - >/dev/null 2>"$WORK/stderr") || status=$?
expect_eq "$status" 2 "export without any home"
grep -q "no home folder" "$WORK/stderr" || fail "export without any home: $(cat "$WORK/stderr")"
echo PASS
