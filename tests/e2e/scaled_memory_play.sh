#!/usr/bin/env bash
# Memory played by mouse on a 1920 x 1080 screen, where the program is enlarged: the play area
# is found on the screen (the largest 4:3 area, centred), and every click goes to the screen
# pixel that shows the design point aimed at. Cards are told apart by how alike their pictures
# look, since the same picture in another place is smoothed a little differently. The game
# ends by itself; the statistics file must then hold its record. Run with --no-scale, the same
# screen shows the unscaled 1024 x 768 area in the middle.
source "$(dirname "$0")/lib.sh"
start_x 1920x1080

prog="$WORK/prog"
make_program_dir "$prog" with-data
cd "$prog"
stats="$prog/prgst1.stt"

# Design points of the big variant, as in the unscaled play-through.
memory_points big

click_design() {
    local at
    at=$(scaled "$1" "$2")
    # shellcheck disable=SC2086
    xdotool mousemove --sync $at click 1
    sleep 0.4
}

records() {
    local size
    size=$([ -f "$stats" ] && stat -c %s "$stats" || echo 20)
    echo $(((size - 20) / 44))
}
record_field() {
    local size
    size=$(stat -c %s "$stats")
    od -An -t u"$2" -j $((size - 44 + $1)) -N "$2" "$stats" | tr -d ' '
}

# --no-scale first: the unscaled area sits in the middle of the large screen.
launch plain "$prog/wiklotek" --no-scale
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
find_play_area
expect_eq "$PLAY_X $PLAY_Y $PLAY_RIGHT $PLAY_BOTTOM" "448 156 1471 923" "unscaled play area"
press_in "$menu" Escape
expect_eq "$(wait_exit plain)" 0 "unscaled exit status"

launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
find_play_area
# 1440 x 1080, centred; Qt rounds the enlarged offset to a whole pixel.
[ $((PLAY_X - 240)) -ge -1 ] && [ $((PLAY_X - 240)) -le 1 ] || fail "play area starts at $PLAY_X"
expect_eq "$((PLAY_RIGHT - PLAY_X + 1)) $PLAY_Y $PLAY_BOTTOM" "1440 0 1079" "scaled play area"
before=$(records)

click_design "${TAB_MEMORY[@]}"
click_design "${SOUND_SZ[@]}"
click_design "${POSITION_NAGLOS[@]}"
click_design "${LEVEL_MALO[@]}"
click_design "${START[@]}"
wait_window "^Memory$" 10 >/dev/null
sleep 0.5

# A card's place on the screen, shrunk by a pixel all round: one size for every slot.
FACE_SIZE=$(awk -v s="$PLAY_SCALE" -v w=$CARD_W -v h=$CARD_H \
    'BEGIN { printf "%dx%d", int(w * s) - 2, int(h * s) - 2 }')
face_of() { # slot file
    local at
    at=$(scaled $((BOARD_X + ($1 % COLUMNS) * 100)) $((BOARD_Y + ($1 / COLUMNS) * 120)))
    set -- "$1" "$2" $at
    # Shrunk, so that where a picture falls between screen pixels hardly matters.
    convert "$WORK/shot.png" -crop "${FACE_SIZE}+$(($3 + 1))+$(($4 + 1))" +repage -resize 25% "$2"
}
# alike A B: the two pictures differ by less than a smoothing could make them differ.
alike() {
    local rmse
    rmse=$(compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
    [ -z "${WK_DEBUG:-}" ] || echo "rmse $1 $2 $rmse" >&2
    awk -v e="$rmse" 'BEGIN { exit !(e < 0.06) }'
}

import -window root "$WORK/shot.png"
face_of 0 "$WORK/back.png"

declare -A gone=() seen=()
pairs=0
turn() {
    local at
    at=$(scaled $((BOARD_X + ($1 % COLUMNS) * 100 + CARD_W / 2)) \
        $((BOARD_Y + ($1 / COLUMNS) * 120 + CARD_H / 2)))
    # shellcheck disable=SC2086
    xdotool mousemove --sync $at click 1
    sleep 0.4
    import -window root "$WORK/shot.png"
    face_of "$1" "$WORK/face$1.png"
    ! alike "$WORK/face$1.png" "$WORK/back.png" || fail "card $1 did not turn"
    seen[$1]=1
}
known_partner() { # slot
    local s
    for s in "${!seen[@]}"; do
        [ "$s" != "$1" ] && [ -z "${gone[$s]:-}" ] && alike "$WORK/face$s.png" "$WORK/face$1.png" &&
            { echo "$s"; return 0; }
    done
    return 0
}
next_unseen() {
    local s
    for ((s = 0; s < CARDS; s++)); do
        [ "$s" != "${1:-}" ] && [ -z "${gone[$s]:-}" ] && [ -z "${seen[$s]:-}" ] &&
            { echo "$s"; return 0; }
    done
    return 0
}
pair_found() {
    gone[$1]=1
    gone[$2]=1
    pairs=$((pairs + 1))
    [ "$pairs" -gt 1 ] || cp "$WORK/shot.png" "$WORK/pair.png"
    sleep 3
}

for ((round = 0; round < 20 && pairs < CARDS / 2; round++)); do
    done_pair=
    for s in "${!seen[@]}"; do
        [ -n "${gone[$s]:-}" ] && continue
        other=$(known_partner "$s")
        if [ -n "$other" ]; then
            turn "$s"
            turn "$other"
            alike "$WORK/face$s.png" "$WORK/face$other.png" || fail "known pair $s/$other differs"
            pair_found "$s" "$other"
            done_pair=1
            break
        fi
    done
    [ -n "$done_pair" ] && continue
    first=$(next_unseen)
    [ -n "$first" ] || fail "no card left to turn with $pairs pairs found"
    turn "$first"
    other=$(known_partner "$first")
    [ -n "$other" ] || other=$(next_unseen "$first")
    turn "$other"
    if alike "$WORK/face$first.png" "$WORK/face$other.png"; then
        pair_found "$first" "$other"
    else
        sleep 1.5
    fi
done
expect_eq "$pairs" 3 "pairs found"

summary=$(wait_window "^Koniec gry$" 10)
import -window root "$WORK/summary.png"
if [ -n "${WK_SHOTS:-}" ]; then
    mkdir -p "$WK_SHOTS" && cp "$WORK/pair.png" "$WK_SHOTS/scaled_memory.png" &&
        cp "$WORK/summary.png" "$WK_SHOTS/scaled_summary.png"
fi
# The summary's "stop" at (325, 340) of the 600 x 450 summary, centred on the play area.
click_design $(((1024 - 600) / 2 + 325 + 35)) $(((768 - 450) / 2 + 340 + 30))
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Memory$" >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name "^Memory$" >/dev/null 2>&1 || fail "the game window stayed"
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"

expect_eq "$(records)" $((before + 1)) "records"
expect_eq "$(record_field 0 4)" 2 "game kind"
expect_eq "$(record_field 20 2)" 1 "poziom"
expect_eq "$(record_field 22 2)" 1 "gloski"
expect_eq "$(record_field 24 2)" 4096 "pozycja"
expect_eq "$(record_field 30 2)" 1 "completion"
expect_eq "$(record_field 36 4)" 3 "correct"
echo PASS
