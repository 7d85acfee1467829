#!/usr/bin/env bash
# "z" as the first argument: the resource report, from the folder the program is started in.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

# An empty folder: every one of the 1722 paths is missing.
mkdir "$WORK/empty"
cd "$WORK/empty"
launch app "$WK_PROGRAM" z >"$WORK/stdout" 2>/dev/null
box=$(wait_window "Raport zasobów")
press_in "$box" Return
expect_eq "$(wait_exit app)" 1 "exit status with files missing"
grep -q "1722 files missing" "$WORK/stdout" || fail "stdout: $(cat "$WORK/stdout")"
report="$WORK/empty/Raport zasobów.txt"
[ -f "$report" ] || fail "no report written"
expect_eq "$(wc -l <"$report")" 1725 "report lines"
expect_eq "$(head -n 1 "$report")" $'Raport Zasobów\r' "first line"
expect_eq "$(sed -n 3p "$report")" $'Zasoby słów, których brakuje:\r' "third line"
expect_eq "$(sed -n 4p "$report")" $'Data/Sio/sabecadlo.xji\r' "first path"
expect_eq "$(tail -n 1 "$report")" $'Data/Smd/zyrandol.pw\r' "last path"
expect_eq "$(grep -c $'\r$' "$report")" 1725 "CR LF line ends"

# A report that cannot be written (a folder in its place): exit 2, the error box.
mkdir "$WORK/blocked" "$WORK/blocked/Raport zasobów.txt"
cd "$WORK/blocked"
launch app "$WK_PROGRAM" z >"$WORK/stdout" 2>/dev/null
box=$(wait_window "Raport zasobów")
press_in "$box" space
expect_eq "$(wait_exit app)" 2 "exit status when the report cannot be written"

# With the build's data pack every file exists: exit 0 and no report.
data="$WK_DATA"
if [ -d "$data/Smd" ]; then
    mkdir "$WORK/full"
    ln -s "$data" "$WORK/full/Data"
    cd "$WORK/full"
    launch app "$WK_PROGRAM" z >"$WORK/stdout" 2>/dev/null
    box=$(wait_window "Raport zasobów")
    press_in "$box" Return
    expect_eq "$(wait_exit app)" 0 "exit status with every file present"
    [ ! -e "$WORK/full/Raport zasobów.txt" ] || fail "a report was written although nothing is missing"
    grep -q "all word resources exist" "$WORK/stdout" || fail "stdout: $(cat "$WORK/stdout")"
else
    echo "no generated data pack beside the program: the all-present case is skipped"
fi
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
bare="$WORK/bare"
make_program_dir "$bare"
rmdir "$bare/Data"
launch bare "$bare/wiklotek" 2>"$WORK/stderr"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
wait_exit bare >/dev/null
grep -qx "wiklotek: błąd [0-9]: .*" "$WORK/stderr" || fail "stderr: $(cat "$WORK/stderr")"
echo PASS
