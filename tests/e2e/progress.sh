#!/usr/bin/env bash
# The progress view on the real program: a Memory game is started and stopped by real clicks,
# "Postępy" in the menu shows it as the newest row of the table, Escape in an open list closes
# the list alone, "Zapisz CSV" saves the table through the file dialog, and Escape closes the
# window. Then "--export-csv" writes the table of a prepared file with no display at all.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

prog="$WORK/prog"
make_program_dir "$prog" with-data
cd "$prog"

# The big screen variant: the play area is the whole screen.
TAB_MEMORY=(805 295)
SOUND_SZ=(253 424)
POSITION_NAGLOS=(244 552)
LEVEL_MALO=(244 296)
START=(582 694)
PROGRESS=$((1024 / 2 - 255 + 42))" "$((768 - 768 / 7 + 36))
CARD=(298 307)
CSV_BUTTON=(95 733)
GAME_FILTER=(145 74)
# The table's first and second rows, left of the notes column.
ROW1="900x20+13+174"
ROW2="900x20+13+198"


crop_ink() {
    # Dark pixels (text) in a part of the screen.
    convert "$WORK/progress.png" -crop "$1" +repage -colorspace Gray -threshold 45% \
        -negate -format "%[fx:round(mean*w*h)]" info:
}

launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone

click_at "${TAB_MEMORY[@]}"
click_at "${SOUND_SZ[@]}"
click_at "${POSITION_NAGLOS[@]}"
click_at "${LEVEL_MALO[@]}"
click_at "${START[@]}"
game=$(wait_window "^Memory$" 10)
sleep 0.5
click_at "${CARD[@]}"
sleep 1.5
press_in "$game" Escape
summary=$(wait_window "^Koniec gry$" 10)
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 325 + 35)) $((Y + 340 + 30))
sleep 0.5
[ "$(stat -c %s prgst1.stt)" = 64 ] || fail "the stopped game left no record"
before=$(md5sum prgst1.stt)

# shellcheck disable=SC2086
click_at $PROGRESS
window=$(wait_window "^Wiklotek Cz.I - Post" 10)
sleep 1
import -window root "$WORK/progress.png"
ink1=$(crop_ink "$ROW1")
ink2=$(crop_ink "$ROW2")
[ "$ink1" -gt 200 ] || fail "the newest row shows no text ($ink1 dark pixels)"
[ "$ink2" -lt 20 ] || fail "a second row shows text ($ink2 dark pixels) for one game"

# The open list is a window of its own beside the menu and the progress window.
windows() { xdotool search --onlyvisible --pid "$(pid_of app)" 2>/dev/null | wc -l; }
click_at "${GAME_FILTER[@]}"
for _ in $(seq 50); do
    [ "$(windows)" = 3 ] && break
    sleep 0.1
done
[ "$(windows)" = 3 ] || fail "the game list did not open"
# The list holds the keyboard: the key goes to it as a person's would.
xdotool key --clearmodifiers Escape
for _ in $(seq 50); do
    [ "$(windows)" = 3 ] || break
    sleep 0.1
done
sleep 0.3
[ "$(windows)" = 2 ] || fail "Escape left $(windows) windows, not the menu and the progress window"
xdotool search --onlyvisible --name "^Wiklotek Cz.I - Post" >/dev/null 2>&1 ||
    fail "Escape in the open list closed the progress window"

# The CSV through the standard file dialog.
click_at "${CSV_BUTTON[@]}"
dialog=$(wait_window "^Zapisz tabel" 10)
sleep 0.5
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$WORK/table.csv"
xdotool key --clearmodifiers Return
for _ in $(seq 50); do
    [ -s "$WORK/table.csv" ] && break
    sleep 0.1
done
[ -s "$WORK/table.csv" ] || fail "no CSV file was saved"
head -c 3 "$WORK/table.csv" | od -An -tx1 | grep -q "ef bb bf" || fail "the CSV has no BOM"
expect_eq "$(wc -l <"$WORK/table.csv")" 2 "CSV lines"
row=$(sed -n 2p "$WORK/table.csv")
grep -q ";Memory;mało;SZ;nagłos;[0-9]*;0;0;0;nie;–;" <<<"$row" ||
    fail "the CSV row is not the stopped game: $row"
sleep 0.3
import -window root "$WORK/saved.png"

press_in "$window" Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Wiklotek Cz.I - Post" >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name "^Wiklotek Cz.I - Post" >/dev/null 2>&1 ||
    fail "Escape left the progress window open"
expect_eq "$(md5sum prgst1.stt)" "$before" "statistics file after the progress view"

# A game on another day while the view is closed: opened again, its day axis names the new
# days alone, exactly as a fresh start of the program shows them (the old axis's labels once
# stayed under the new ones).
python3 - <<'PY'
import datetime, struct
day = datetime.datetime.utcnow() - datetime.timedelta(days=3)
start = struct.pack("<8H", day.year, day.month, (day.weekday() + 1) % 7, day.day, day.hour,
                    day.minute, day.second, 0)
with open("prgst1.stt", "ab") as f:
    f.write(struct.pack("<i", 1) + start + struct.pack("<3HiH3i", 1, 1, 0x1000, 60, 1, 0, 3, 1))
PY
DAY_AXIS="470x26+22+656"
open_progress_axis() {
    # shellcheck disable=SC2086
    click_at $PROGRESS
    window=$(wait_window "^Wiklotek Cz.I - Post" 10)
    sleep 1
    import -window root "$WORK/axis.png"
    convert "$WORK/axis.png" -crop "$DAY_AXIS" +repage "$1"
    press_in "$window" Escape
    sleep 0.5
}
open_progress_axis "$WORK/axis-again.png"
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"
launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
open_progress_axis "$WORK/axis-fresh.png"
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status of the second start"
differ=$(compare -metric AE "$WORK/axis-again.png" "$WORK/axis-fresh.png" null: 2>&1 || true)
expect_eq "$differ" 0 "day-axis pixels that differ from a fresh start's"

# --export-csv without a display, on a file with an odd kind and a cut tail: without a practice
# log the games are the guest's statistics file's.
rm -f "$prog/dziennik.sqlite" "$prog/dziennik.sqlite-wal" "$prog/dziennik.sqlite-shm"
python3 - "$prog/prgst1.stt" <<'PY'
import struct, sys
path = sys.argv[1]
header = struct.pack("<i8H", 1, 2024, 3, 2, 5, 10, 0, 0, 0)
def record(kind, minute, correct, wrong):
    return struct.pack("<i8H3HiH3i", kind, 2024, 3, 2, 5, 10, minute, 0, 0,
                       2, 0x0004, 0x2000, 90, 1, 0, correct, wrong)
open(path, "wb").write(header + record(3, 0, 3, 1) + record(9, 5, 0, 0) + b"\x01\x02")
PY
status=0
env -u DISPLAY TZ=UTC "$prog/wiklotek" --export-csv "$WORK/cli.csv" >"$WORK/cli.out" 2>"$WORK/cli.err" ||
    status=$?
expect_eq "$status" 0 "--export-csv status"
expect_eq "$(sed -n 2p "$WORK/cli.csv" | tr -d '\r')" \
    "2024-03-05 10:05;nieznana (9);średnio;CZ;śródgłos;90;0;0;0;tak;–;nieznana gra;Gość" "newest row"
expect_eq "$(sed -n 3p "$WORK/cli.csv" | tr -d '\r')" \
    "2024-03-05 10:00;Uzupełnianie;średnio;CZ;śródgłos;90;3;1;0;tak;75,0;;Gość" "older row"
rm "$prog/prgst1.stt"
status=0
env -u DISPLAY "$prog/wiklotek" --export-csv "$WORK/none.csv" 2>"$WORK/none.err" || status=$?
expect_eq "$status" 2 "--export-csv status without a statistics file"
grep -q "no statistics file" "$WORK/none.err" || fail "no reason given: $(cat "$WORK/none.err")"
echo PASS
