#!/usr/bin/env bash
# A normal start: data.ini is created in the program's own folder, counted and repaired on
# later starts; fatal start-up problems show their message and end with their code.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

prog="$WORK/prog"
make_program_dir "$prog" with-data
ini="$prog/Data/data.ini"
mkdir "$WORK/elsewhere"
cd "$WORK/elsewhere"

# First start, from another folder: data.ini appears beside the program with the defaults.
expect_eq "$(run_menu app "$prog/wiklotek")" 0 "first start"
[ -f "$ini" ] || fail "data.ini was not created"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files appeared in the start folder: $(ls -A)"
expect_eq "$(ini_value "$ini" DaneProgramu LU)" 0 "LU after the creating start"
expect_eq "$(ini_value "$ini" DaneProgramu Zakladka)" 1 "Zakladka"
expect_eq "$(ini_value "$ini" DaneProgramu Position)" 111002 "Position"
for section in Memory Uzupelnianie Podpisywanie Spadajace; do
    expect_eq "$(ini_value "$ini" $section Poziom)" 2 "$section Poziom"
    expect_eq "$(ini_value "$ini" $section Gloski)" 0 "$section Gloski"
    expect_eq "$(ini_value "$ini" $section Pozycja)" 0 "$section Pozycja"
done

# Second start counts.
expect_eq "$(run_menu app "$prog/wiklotek")" 0 "second start"
expect_eq "$(ini_value "$ini" DaneProgramu LU)" 1 "LU after the second start"

# Without a session bus nothing starts one: a dbus-launch first on the path notes its call.
mkdir "$WORK/bin"
printf '#!/bin/sh\ntouch "%s"\nexit 1\n' "$WORK/dbus-launched" >"$WORK/bin/dbus-launch"
chmod +x "$WORK/bin/dbus-launch"
expect_eq "$(run_menu app env -u DBUS_SESSION_BUS_ADDRESS PATH="$WORK/bin:$PATH" \
    "$prog/wiklotek")" 0 "start without a session bus"
[ ! -e "$WORK/dbus-launched" ] || fail "the program started a session bus of its own"

# Pictures are decoded on another thread from before the application object exists; Qt must
# still take the program's own first thread for its main thread.
for n in 1 2 3; do
    expect_eq "$(run_menu app bash -c 'exec "$0" 2>>"$1"' "$prog/wiklotek" "$WORK/stderr")" 0 \
        "start $n with its messages kept"
done
! grep -q "main() thread" "$WORK/stderr" || fail "Qt took another thread for the main one"

# Damaged values are repaired on load; the recordings tab is never reopened.
printf '[DaneProgramu]\r\nZakladka=5\r\nLU=7\r\n[Memory]\r\nGloski=255\r\nPoziom=7\r\nPozycja=65535\r\n[Spadajace]\r\nPoziom=0\r\nGloski=junk\r\n' >"$ini"
expect_eq "$(run_menu app "$prog/wiklotek")" 0 "start with damaged values"
expect_eq "$(ini_value "$ini" DaneProgramu LU)" 8 "LU counted from the stored value"
expect_eq "$(ini_value "$ini" Memory Gloski)" 15 "Memory Gloski repaired"
expect_eq "$(ini_value "$ini" Memory Poziom)" 1 "Memory Poziom repaired"
expect_eq "$(ini_value "$ini" Memory Pozycja)" 28672 "Memory Pozycja repaired"
expect_eq "$(ini_value "$ini" Spadajace Poziom)" 1 "Spadajace Poziom repaired"
expect_eq "$(ini_value "$ini" Spadajace Gloski)" 0 "unreadable Gloski keeps the value in memory"

# Binary garbage in data.ini: the program starts and rewrites sound values.
head -c 4096 /dev/urandom >"$ini"
expect_eq "$(run_menu app "$prog/wiklotek")" 0 "start with a garbage data.ini"
expect_eq "$(ini_value "$ini" DaneProgramu Position)" 111002 "Position after garbage"

# A data pack without the menu's pictures: error 1 after the settings were read.
make_program_dir "$WORK/bare"
launch app "$WORK/bare/wiklotek"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
expect_eq "$(wait_exit app)" 1 "menu pictures missing"
[ -f "$WORK/bare/Data/data.ini" ] || fail "data.ini was not created before the windows"

# A folder named data.ini: error 4, shown, then exit status 4.
rm -f "$ini"
mkdir "$ini"
launch app "$prog/wiklotek" 2>"$WORK/stderr"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
expect_eq "$(wait_exit app)" 4 "data.ini is a folder"
rmdir "$ini"
# The message names what the user must mend.
grep -qx "wiklotek: błąd 4: .* Plik: $ini" "$WORK/stderr" || fail "error 4: $(cat "$WORK/stderr")"

# No Data folder at all: the settings cannot be created, error 4.
rm -rf "$WORK/bare/Data"
launch app "$WORK/bare/wiklotek" 2>"$WORK/stderr"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
expect_eq "$(wait_exit app)" 4 "no Data folder"
grep -qx "wiklotek: błąd 4: .* Folder: $WORK/bare/Data" "$WORK/stderr" ||
    fail "error 4 without Data: $(cat "$WORK/stderr")"

# "Z" and "z" in second place start normally.
expect_eq "$(run_menu app "$prog/wiklotek" Z)" 0 "start with Z"
expect_eq "$(run_menu app "$prog/wiklotek" x z)" 0 "start with z second"
[ ! -e "$WORK/elsewhere/Raport zasobów.txt" ] || fail "report mode ran for a second-place z"

# A screen below 800 x 600: error 2.
kill "$XVFB_PID"
start_x 640x480
launch app "$prog/wiklotek"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
expect_eq "$(wait_exit app)" 2 "screen too small"
echo PASS
