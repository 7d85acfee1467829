#!/usr/bin/env bash
# Two children and the guest on one computer, as a therapist would run it: the guest plays a
# completing game, then "--child Ala" and "--child Ola" each play one (real clicks: the
# completing tab, SZ, nagłos, the smallest task count, start, one sound button, stop, the
# summary's stop, Escape). Each must have its own settings, statistics file and log rows, the
# guest's file must keep its record, and the children's folders must be their user's only.
# Then Ala's run is killed with SIGKILL in the middle of answering: the log must still be a
# sound database whose rows are all whole, and the next start must go on writing it.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=0
source "$(dirname "$0")/lib.sh"
export SDL_DISKAUDIOFILE="$WORK/played.raw"

start_x 1024x768
prog="$WORK/prog"
make_program_dir "$prog" with-data
cd "$prog"
log="$prog/dziennik.sqlite"

records() { # FILE
    local size
    size=$([ -f "$1" ] && stat -c %s "$1" || echo 20)
    echo $(((size - 20) / 44))
}
sql() { sqlite3 -batch "$log" "$1"; }

# start_game fresh|again [ARGS...]: the program up to a completing game of SZ nagłos on the
# screen; a profile's second start finds its settings and tab as it left them.
start_game() {
    local how=$1
    shift
    launch app "$prog/wiklotek" "$@"
    menu=$(wait_window "^Wiklotek Cz.I$")
    wait_splash_gone
    if [ "$how" = fresh ]; then
        click_at 805 400 # completing tab
        click_at 233 404 # SZ
        click_at 224 532 # nagłos
        click_at 224 276 # mało
    fi
    click_at 582 688 # start
    game=$(wait_window "^Uzupełnianie$" 10)
    sleep 0.5
}

# play fresh|again [ARGS...]: one answer, then stop, the summary's stop and Escape.
play() {
    start_game "$@"
    click_at 243 411 3
    click_at 961 235
    local summary
    summary=$(wait_window "^Koniec gry$" 20)
    eval "$(xdotool getwindowgeometry --shell "$summary")"
    click_at $((X + 325 + 35)) $((Y + 340 + 30))
    sleep 0.5
    press_in "$menu" Escape
    expect_eq "$(wait_exit app)" 0 "exit status of $*"
}

play fresh
play fresh --child Ala
play fresh --child=Ola

expect_eq "$(records "$prog/prgst1.stt")" 1 "the guest's records"
expect_eq "$(sql "SELECT group_concat(name, ',') FROM (SELECT name FROM children ORDER BY id)")" \
    "Ala,Ola" "children"
for child in 1 2; do
    folder="$prog/Dzieci/$child"
    expect_eq "$(records "$folder/prgst1.stt")" 1 "child $child's records"
    expect_eq "$(ini_value "$folder/data.ini" Uzupelnianie Poziom)" 1 "child $child's Poziom"
    expect_eq "$(stat -c %a "$folder")" 700 "child $child's folder"
    expect_eq "$(sql "SELECT count(*) FROM games WHERE child_id = $child")" 1 "child $child's games"
    [ "$(sql "SELECT count(*) FROM attempts JOIN games g ON g.id = game_id
              WHERE child_id = $child AND word <> '' AND position = 4096")" -ge 1 ] ||
        fail "child $child has no attempt in the log"
done
expect_eq "$(stat -c %a "$prog/Dzieci")" 700 "the children's folder"
expect_eq "$(stat -c %a "$log")" 600 "the log's mode"
expect_eq "$(sql "SELECT count(*) FROM games WHERE child_id IS NULL AND correct + wrong >= 1")" 1 \
    "the guest's game in the log"
# The figures of each game row are those of its statistics record.
expect_eq "$(sql "SELECT count(*) FROM games WHERE kind <> 3 OR pozycja <> 4096 OR duration_s IS NULL")" \
    0 "game rows"
# The guest's settings stay where they were; a child's choice is not the guest's.
[ -f "$prog/Data/data.ini" ] || fail "the guest's settings moved"

# SIGKILL while answering: every attempt row written is whole, none half.
before=$(sql "SELECT count(*) FROM attempts")
start_game again --child Ala
for _ in 1 2 3; do click_at 243 411 1.2; done
kill -9 "$(pid_of app)"
wait_exit app >/dev/null
expect_eq "$(sql "PRAGMA integrity_check")" ok "integrity after the kill"
after=$(sql "SELECT count(*) FROM attempts")
[ "$after" -gt "$before" ] || fail "the answers before the kill are lost ($before, $after)"
expect_eq "$(sql "SELECT count(*) FROM attempts WHERE at = '' OR word = '' OR outcome NOT IN
                  ('correct','wrong','hint') OR sound = 0 OR position = 0")" 0 "torn attempt rows"
play again --child Ala
expect_eq "$(sql "SELECT count(*) FROM games WHERE child_id = 1 AND duration_s IS NOT NULL")" 2 \
    "Ala's finished games after the kill"
echo PASS
