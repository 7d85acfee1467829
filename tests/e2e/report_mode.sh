#!/usr/bin/env bash
# "z" as the first argument: the resource report, from the folder the program is started in.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

# A program folder whose pack is empty, started from another folder: every one of the 1722
# paths is missing, and the report goes into the folder the user started in.
bare="$WORK/bare"
make_program_dir "$bare"
mkdir "$WORK/empty"
cd "$WORK/empty"
launch app "$bare/wiklotek" z >"$WORK/stdout" 2>/dev/null
box=$(wait_window "Raport zasobów")
press_in "$box" Return
expect_eq "$(wait_exit app)" 1 "exit status with files missing"
grep -q "1722 files missing in $bare/Data, report written to $WORK/empty/Raport zasobów.txt" \
    "$WORK/stdout" || fail "stdout: $(cat "$WORK/stdout")"
report="$WORK/empty/Raport zasobów.txt"
[ -f "$report" ] || fail "no report written"
[ ! -e "$bare/Raport zasobów.txt" ] || fail "the report went beside the program"
expect_eq "$(wc -l <"$report")" 1725 "report lines"
expect_eq "$(head -n 1 "$report")" $'Raport Zasobów\r' "first line"
expect_eq "$(sed -n 3p "$report")" $'Zasoby słów, których brakuje:\r' "third line"
expect_eq "$(sed -n 4p "$report")" $'Data/Sio/sabecadlo.xji\r' "first path"
expect_eq "$(tail -n 1 "$report")" $'Data/Smd/zyrandol.pw\r' "last path"
expect_eq "$(grep -c $'\r$' "$report")" 1725 "CR LF line ends"

# A report that cannot be written (a folder in its place): exit 2, the error box.
mkdir "$WORK/blocked" "$WORK/blocked/Raport zasobów.txt"
cd "$WORK/blocked"
launch app "$bare/wiklotek" z >"$WORK/stdout" 2>/dev/null
box=$(wait_window "Raport zasobów")
press_in "$box" space
expect_eq "$(wait_exit app)" 2 "exit status when the report cannot be written"

# The build's own program checks its own pack, wherever it is started from: exit 0, no report.
if [ -d "$WK_DATA/Smd" ] && [ "$WK_DATA" = "$(dirname "$WK_PROGRAM")/Data" ]; then
    mkdir "$WORK/elsewhere"
    cd "$WORK/elsewhere"
    launch app "$WK_PROGRAM" z >"$WORK/stdout" 2>/dev/null
    box=$(wait_window "Raport zasobów")
    press_in "$box" Return
    expect_eq "$(wait_exit app)" 0 "exit status with every file present"
    [ -z "$(ls -A "$WORK/elsewhere")" ] || fail "a report was written although nothing is missing"
    grep -q "all word resources exist" "$WORK/stdout" || fail "stdout: $(cat "$WORK/stdout")"
else
    echo "no generated data pack beside the program: the all-present case is skipped"
fi

# Without a display "z" still runs: the result is the line on standard output, and no box.
cd "$WORK/empty"
rm -f "$report"
status=0
env -u DISPLAY "$bare/wiklotek" z >"$WORK/stdout" 2>"$WORK/stderr" || status=$?
expect_eq "$status" 1 "z without a display"
grep -q "1722 files missing" "$WORK/stdout" || fail "stdout without a display: $(cat "$WORK/stdout")"
[ -f "$report" ] || fail "no report written without a display"

# Every start that cannot show a window ends with the program's own line and status 7, or 64
# for a switch given wrongly; none writes a file or dumps core.
no_display_case() {
    local what=$1 expected=$2 line=$3
    shift 3
    local status=0
    "$@" >"$WORK/stdout" 2>"$WORK/stderr" || status=$?
    expect_eq "$status" "$expected" "$what: exit status"
    expect_eq "$(wc -l <"$WORK/stderr")" 1 "$what: lines on standard error ($(cat "$WORK/stderr"))"
    grep -q "^wiklotek: $line" "$WORK/stderr" || fail "$what: stderr: $(cat "$WORK/stderr")"
}
mkdir "$WORK/nodisplay"
cd "$WORK/nodisplay"
no_display_case "a plain start" 7 "brak ekranu: .*DISPLAY" env -u DISPLAY "$bare/wiklotek"
no_display_case "an unknown option" 7 "brak ekranu" env -u DISPLAY "$bare/wiklotek" --unknown
no_display_case "an X server that is gone" 7 "brak ekranu: .*\":4999\"" \
    env DISPLAY=:4999 "$bare/wiklotek" --no-scale
no_display_case "--export-csv without a file" 64 "--export-csv needs" \
    env -u DISPLAY "$bare/wiklotek" --export-csv
no_display_case "--export-csv= without a file" 64 "--export-csv needs" \
    env -u DISPLAY "$bare/wiklotek" --export-csv=
# The = form is the export itself: with no statistics beside this program, status 2 and its
# reason, never a window.
no_display_case "--export-csv=FILE" 2 "no statistics file" \
    env -u DISPLAY "$bare/wiklotek" --export-csv="$WORK/nodisplay/out.csv"
[ -z "$(ls -A "$WORK/nodisplay")" ] || fail "starts without a display left: $(ls -A "$WORK/nodisplay")"

# "z" counts only as the first argument as typed: after a toolkit option it starts the program.
if [ -d "$WK_DATA/Intf" ]; then
    prog="$WORK/prog"
    make_program_dir "$prog" with-data
    cd "$prog"
    expect_eq "$(run_menu reverse "$prog/wiklotek" -reverse z)" 0 "-reverse z starts the program"
    [ ! -e "$prog/Raport zasobów.txt" ] || fail "-reverse z wrote a report"
    # An argument the program does not know starts it as usual.
    expect_eq "$(run_menu unknown "$prog/wiklotek" --unknown-option)" 0 "an unknown argument"
    [ ! -e "$prog/Raport zasobów.txt" ] || fail "an unknown argument wrote a report"
fi

# --help and --version answer without a display, as in a terminal over ssh, and start nothing.
cd "$WORK/empty"
rm -f "$WORK/empty/Raport zasobów.txt"
expect_eq "$(env -u DISPLAY "$WK_PROGRAM" --version)" "Wiklotek Cz.I 1.6" "--version"
env -u DISPLAY "$WK_PROGRAM" --help >"$WORK/help" || fail "--help did not exit 0"
grep -q "Użycie: wiklotek" "$WORK/help" || fail "--help without Polish usage: $(cat "$WORK/help")"
grep -q "Usage: wiklotek" "$WORK/help" || fail "--help without English usage"
[ -z "$(ls -A "$WORK/empty")" ] || fail "--help or --version left files: $(ls -A "$WORK/empty")"

# A fatal error is also one line on standard error: a program folder without its pack.
rmdir "$bare/Data"
launch bare "$bare/wiklotek" 2>"$WORK/stderr"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
wait_exit bare >/dev/null
grep -qx "wiklotek: błąd [0-9]: .*" "$WORK/stderr" || fail "stderr: $(cat "$WORK/stderr")"
echo PASS
