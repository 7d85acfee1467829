#!/usr/bin/env bash
# Memory played as a child would, in one screen variant (small or big): real clicks choose the
# Memory tab, a sound group, a position and the smallest task count, press "start", then turn
# cards and match them by looking at the screen until the game ends by itself; the summary's
# "stop" leads back to the menu, Escape ends the program. The statistics file must then hold
# one more record for it. The first pair's big picture is checked by pixels: nothing of the
# dotted oval of the frame behind it may show along the inside of its oval.
# Usage: memory_play.sh small|big
source "$(dirname "$0")/lib.sh"

variant=${1:-big}
# The play area is the whole screen.
if [ "$variant" = small ]; then start_x 800x600; else start_x 1024x768; fi
memory_points "$variant"

prog="$WORK/prog"
make_program_dir "$prog" with-data
[ -f "$prog/Data/Sio/blkcard0.xji" ] || fail "the data pack is missing beside $WK_PROGRAM"
cd "$prog"
stats="$prog/prgst1.stt"


card_x() { echo $((BOARD_X + ($1 % COLUMNS) * 100)); }
card_y() { echo $((BOARD_Y + ($1 / COLUMNS) * 120)); }

# What the screen shows in a card's place, as a fingerprint of its pixels.
card_face() {
    import -window root "$WORK/shot.png"
    convert "$WORK/shot.png" -crop "${CARD_W}x${CARD_H}+$(card_x "$1")+$(card_y "$1")" +repage \
        rgb:- | md5sum | cut -d' ' -f1
}

# oval_band PICTURE CONDITION: pixels of the big picture's place, where e is the place's own
# oval measure (1 on the oval) and r, g, b the pixel's channels, that meet the awk condition.
oval_band() {
    convert "$WORK/$1.png" -crop "${MATCH[2]}x${MATCH[3]}+${MATCH[0]}+${MATCH[1]}" +repage \
        -depth 8 txt:- | tr -d '()' | awk -F'[ ,:]+' -v w="${MATCH[2]}" -v h="${MATCH[3]}" '
            NR > 1 {
                dx = ($1 + 0.5 - w / 2) / (w / 2)
                dy = ($2 + 0.5 - h / 2) / (h / 2)
                e = dx * dx + dy * dy
                r = $3; g = $4; b = $5
                if ('"$2"') n++
            }
            END { print n + 0 }'
}
# Pixels of the frame's dotted oval (light violet, blue well above red and green) in the band
# just inside the big picture's oval, where the oval covers the dots.
dots_inside_oval() { oval_band "$1" 'e >= 0.81 && e < 1 && b >= r + 8 && b >= g + 16'; }
# Grey specks in the band just outside the oval (its corners hold the frame's stars): the white
# panel there must stay white once the picture covers the dotted oval.
specks_outside_oval() { oval_band "$1" 'e >= 1.02 && e < 1.25 && (r < 250 || g < 250 || b < 250)'; }

records() {
    local size
    size=$( [ -f "$stats" ] && stat -c %s "$stats" || echo 20)
    echo $(((size - 20) / 44))
}

# Little-endian number of `size` bytes at `offset` of the last record.
record_field() {
    local size
    size=$(stat -c %s "$stats")
    od -An -t u"$2" -j $((size - 44 + $1)) -N "$2" "$stats" | tr -d ' '
}

launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
before=$(records)

click_at "${TAB_MEMORY[@]}"
click_at "${SOUND_SZ[@]}"
click_at "${POSITION_NAGLOS[@]}"
click_at "${LEVEL_MALO[@]}"
import -window root "$WORK/menu.png"
click_at "${START[@]}"
wait_window "^Memory$" 10 >/dev/null
sleep 0.5
back=$(card_face 0)

declare -A seen=()   # slot -> face fingerprint, for cards seen and still on the board
declare -A gone=()   # slots whose pair has left the board
pairs=0

turn() {
    click_at $(($(card_x "$1") + CARD_W / 2)) $(($(card_y "$1") + CARD_H / 2))
    local face
    face=$(card_face "$1")
    [ "$face" != "$back" ] || fail "card $1 did not turn"
    seen[$1]=$face
}

# A slot already seen with this face, other than `except`.
known_partner() {
    local slot
    for slot in "${!seen[@]}"; do
        [ "$slot" != "$2" ] && [ -z "${gone[$slot]:-}" ] && [ "${seen[$slot]}" = "$1" ] &&
            { echo "$slot"; return 0; }
    done
    return 0
}

next_unseen() {
    local slot
    for ((slot = 0; slot < CARDS; slot++)); do
        [ "$slot" != "${1:-}" ] && [ -z "${gone[$slot]:-}" ] && [ -z "${seen[$slot]:-}" ] &&
            { echo "$slot"; return 0; }
    done
    return 0
}

pair_found() {
    gone[$1]=1
    gone[$2]=1
    pairs=$((pairs + 1))
    # The last look at the board shows the pair with its big picture beside the board.
    [ "$pairs" -gt 1 ] || cp "$WORK/shot.png" "$WORK/pair.png"
    sleep 3 # the word is spoken, then the pair stays two seconds
}

for ((round = 0; round < 20 && pairs < CARDS / 2; round++)); do
    # A pair already known is taken at once.
    first=
    for slot in "${!seen[@]}"; do
        [ -n "${gone[$slot]:-}" ] && continue
        other=$(known_partner "${seen[$slot]}" "$slot")
        if [ -n "$other" ]; then
            turn "$slot"
            turn "$other"
            pair_found "$slot" "$other"
            first=done
            break
        fi
    done
    [ -n "$first" ] && continue

    first=$(next_unseen)
    [ -n "$first" ] || fail "no card left to turn with $pairs pairs found"
    turn "$first"
    other=$(known_partner "${seen[$first]}" "$first")
    [ -n "$other" ] || other=$(next_unseen "$first")
    turn "$other"
    if [ "${seen[$first]}" = "${seen[$other]}" ]; then
        pair_found "$first" "$other"
    else
        sleep 1.5 # both turn back after 1.2 s
    fi
done
expect_eq "$pairs" 3 "pairs found"
expect_eq "$(dots_inside_oval pair)" 0 "$variant: dots of the frame's oval around the big picture"
expect_eq "$(specks_outside_oval pair)" 0 "$variant: specks around the big picture's oval"

# The last pair ends the game by itself: the summary shows; its "stop" returns to the menu.
summary=$(wait_window "^Koniec gry$" 10)
import -window root "$WORK/summary.png"
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 325 + 35)) $((Y + 340 + 30))
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
expect_eq "$(ini_value "$prog/Data/data.ini" Memory Poziom)" 1 "Memory Poziom saved"
echo PASS
