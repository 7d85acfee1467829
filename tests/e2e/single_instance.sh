#!/usr/bin/env bash
# Only one copy runs: a second start asks the first to come to the front and ends; when the
# first does not answer, the second says the program is already running.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

prog="$WORK/prog"
make_program_dir "$prog"
# Keep the first copy waiting on a message box (its settings file is a folder), so that it is
# running when the second starts.
mkdir "$prog/Data/data.ini"
launch first "$prog/wiklotek" >/dev/null 2>&1
box=$(wait_window "Wiklotek Cz.I - Błąd")

launch second "$prog/wiklotek"
expect_eq "$(wait_exit second 10)" 0 "second start while the first runs"
kill -0 "$(pid_of first)" || fail "the first copy ended"

# "z" skips the single-instance check even while a copy runs.
mkdir "$WORK/report"
cd "$WORK/report"
launch report "$prog/wiklotek" z >/dev/null 2>&1
rbox=$(wait_window "Raport zasobów")
press_in "$rbox" Return
expect_eq "$(wait_exit report)" 1 "report mode while a copy runs"

# A first copy that cannot answer (stopped): the second shows its message and ends.
kill -STOP "$(pid_of first)"
launch third "$prog/wiklotek"
sbox=$(wait_window "^Wiklotek Cz.I$" 15)
press_in "$sbox" Return
expect_eq "$(wait_exit third)" 6 "second start when the first does not answer"
kill -CONT "$(pid_of first)"

press_in "$box" Return
expect_eq "$(wait_exit first)" 4 "the first copy after its message"

# With the menu open, a second start brings the menu forward and ends at once.
menu_prog="$WORK/menu"
make_program_dir "$menu_prog" with-data
launch first "$menu_prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
launch second "$menu_prog/wiklotek"
expect_eq "$(wait_exit second 10)" 0 "second start while the menu shows"
kill -0 "$(pid_of first)" || fail "the menu ended"
# Each second start ends cleanly, also while it is still decoding pictures ahead.
for n in $(seq 12); do
    "$menu_prog/wiklotek" >/dev/null 2>&1 && status=0 || status=$?
    expect_eq "$status" 0 "second start number $n"
done
kill -0 "$(pid_of first)" || fail "the menu ended"

# With a game open, a second start brings the game forward, not the menu it blocks: a click
# on a card still turns it.
card_face() {
    import -window root "$WORK/shot.png"
    convert "$WORK/shot.png" -crop "76x95+260+260" +repage rgb:- | md5sum | cut -d' ' -f1
}
wait_splash_gone
click_at $((705 + 100)) $((95 + 200)) # the Memory tab
click_at 253 424                      # SZ
click_at 244 552                      # nagłos
click_at 244 296                      # mało: a board of six cards, the first at (260, 260)
click_at 582 694                      # start
wait_window "^Memory$" 10 >/dev/null
sleep 0.5
back=$(card_face)
launch second "$menu_prog/wiklotek"
expect_eq "$(wait_exit second 10)" 0 "second start while a game is open"
sleep 0.5
expect_eq "$(card_face)" "$back" "the game's board in front after a second start"
click_at $((260 + 38)) $((260 + 47))
[ "$(card_face)" != "$back" ] || fail "the card did not turn after a second start"
press_in "$(wait_window "^Memory$")" Escape
summary=$(wait_window "^Koniec gry$" 10)
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 325 + 35)) $((Y + 340 + 30)) # the summary's stop
sleep 0.5
press_in "$menu" Escape
expect_eq "$(wait_exit first)" 0 "the menu after Escape"

# Two copies started in the same instant (held on one barrier): one runs, the other hands over
# to it, also over the lock that the copy killed in the round before left.
make_program_dir "$WORK/race"
mkdir "$WORK/race/Data/data.ini" # each round's running copy waits on its message box
exec 8>"$WORK/barrier"
for n in $(seq 30); do
    flock 8
    pids=()
    for k in 1 2; do
        (exec 9<"$WORK/barrier"; touch "$WORK/ready$k"; flock -s 9
            exec 9<&- timeout $((10 * ${WK_TIME_SCALE:-1})) "$WORK/race/wiklotek") >/dev/null 2>&1 &
        pids+=($!)
    done
    until [ -e "$WORK/ready1" ] && [ -e "$WORK/ready2" ]; do sleep 0.01; done
    sleep 0.05
    rm "$WORK"/ready?
    flock -u 8
    wait -n -p ended "${pids[@]}" && status=0 || status=$?
    expect_eq "$status" 0 "round $n: the copy that did not run"
    running=${pids[0]}
    [ "$running" != "$ended" ] || running=${pids[1]}
    kill "$running" 2>/dev/null || fail "round $n: no copy runs"
    wait "$running" || true
done
echo PASS
