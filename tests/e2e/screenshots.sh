#!/usr/bin/env bash
# The metainfo's screenshots, taken from the real program at 1024 x 768: the menu with the
# Memory tab chosen, the progress view of three weeks of games, a Memory game with a pair found
# and the first word of a labelling game.
# By hand, to renew dist/screenshots:
#   WK_PROGRAM=build/wiklotek bash tests/e2e/screenshots.sh dist/screenshots
# Without a folder (as the test suite runs it) the pictures stay in the work folder and only
# their size and that they show four different screens are checked, never their pixels.
source "$(dirname "$0")/lib.sh"
out=${1:-$WORK/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
start_x 1024x768

prog="$WORK/prog"
make_program_dir "$prog" with-data
cd "$prog"

# Three weeks of a child's games before the first start (the practice log takes them in once),
# so that the progress view has days, sounds and positions to show; the accuracy grows.
python3 - prgst1.stt <<'PY'
import datetime, struct, sys
today = datetime.datetime.now().replace(hour=16, minute=5, second=0, microsecond=0)
def stamp(d):
    return struct.pack("<8H", d.year, d.month, (d.weekday() + 1) % 7, d.day, d.hour, d.minute,
                       d.second, 0)
# days ago, game (1 labelling, 2 Memory, 3 completing, 4 falling), tasks, sound bits,
# position bits, seconds, correct, wrong, hints
games = [(20, 2, 1, 0x1, 0x1000, 95, 4, 3, 1), (19, 1, 1, 0x1, 0x1000, 140, 3, 3, 2),
         (17, 3, 2, 0x1, 0x3000, 210, 6, 4, 1), (15, 4, 2, 0x3, 0x1000, 180, 7, 4, 0),
         (13, 2, 2, 0x2, 0x1000, 160, 7, 3, 1), (12, 1, 2, 0x1, 0x2000, 250, 6, 3, 2),
         (10, 3, 2, 0x5, 0x1000, 230, 8, 3, 0), (8, 4, 3, 0x3, 0x3000, 300, 11, 3, 1),
         (6, 2, 2, 0x4, 0x1000, 150, 8, 2, 0), (5, 1, 2, 0x1, 0x4000, 240, 8, 2, 1),
         (3, 3, 3, 0x7, 0x3000, 320, 13, 2, 1), (2, 4, 3, 0x5, 0x7000, 310, 14, 2, 0),
         (1, 1, 2, 0x3, 0x1000, 200, 9, 1, 0)]
first = today - datetime.timedelta(days=21)
out = struct.pack("<i", 1) + stamp(first)
for ago, kind, tasks, sounds, positions, seconds, correct, wrong, hints in games:
    when = today - datetime.timedelta(days=ago)
    out += struct.pack("<i", kind) + stamp(when)
    out += struct.pack("<3HiH3i", tasks, sounds, positions, seconds, 1, hints, correct, wrong)
open(sys.argv[1], "wb").write(out)
PY

# shot NAME: the whole screen, in 256 colours (a fraction of the size, and alike to the eye).
shot() {
    sleep 0.5
    import -window root "$WORK/raw.png"
    convert "$WORK/raw.png" -strip -dither None -colors 256 -define png:compression-level=9 \
        "$out/$1.png"
}

launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
# The Memory tab with SZ, nagłos and mało chosen (the big screen variant).
choose_memory big
LEVEL_SREDNIO=(448 290) TAB_LABELLING=(860 170)
shot menu

click_at $((1024 / 2 - 255 + 42)) $((768 - 768 / 7 + 36))
progress=$(wait_window "^Wiklotek Cz.I - Post" 10)
sleep 1
shot progress
press_in "$progress" Escape
sleep 0.5
# Memory with twelve cards, played as a child plays it: the cards turned two by two, each
# remembered by its picture, until a pair is known; that pair is turned for the picture.
click_at "${LEVEL_SREDNIO[@]}"
click_at "${START[@]}"
game=$(wait_window "^Memory$" 10)
sleep 0.5
card_at() { echo $((268 + 90 * ($1 % 4))) $((267 + 110 * ($1 / 4))); }
seen=()
pair=""
for ((i = 0; i < 12; i++)); do
    read -r x y < <(card_at "$i")
    click_at "$x" "$y" 0.3
    import -window root -crop "60x80+$((x - 30))+$((y - 40))" "$WORK/card.png"
    seen[i]=$(convert "$WORK/card.png" -depth 8 rgb:- | md5sum | cut -d' ' -f1)
    for ((j = 0; j < i; j++)); do
        [ "${seen[j]}" = "${seen[i]}" ] && pair="$j $i"
    done
    [ -z "$pair" ] || break
    # A wrong pair turns back by itself.
    ((i % 2 == 0)) || sleep 1.6
done
[ -n "$pair" ] || fail "no pair among the twelve cards"
read -r first second <<<"$pair"
if ((second % 2 == 0)); then
    # The second card of the pair is the first of a new turn: its partner completes it.
    # shellcheck disable=SC2046
    click_at $(card_at "$first") 0.3
elif ((first != second - 1)); then
    # Found as the second of a wrong turn: both turn back, then the pair is turned.
    sleep 1.6
    # shellcheck disable=SC2046
    click_at $(card_at "$first") 0.3
    # shellcheck disable=SC2046
    click_at $(card_at "$second") 0.3
fi
shot memory
sleep 1.5
press_in "$game" Escape
leave_summary
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Memory$" >/dev/null 2>&1 || break
    sleep 0.1
done

# Labelling with the same choices: the first word's picture, its letter tiles and the slots.
click_at "${TAB_LABELLING[@]}"
click_at "${LEVEL_MALO[@]}"
click_at "${SOUND_SZ[@]}"
click_at "${POSITION_NAGLOS[@]}"
click_at "${START[@]}"
game=$(wait_window "^Podpisywanie$" 10)
sleep 1
shot labelling
press_in "$game" Escape
leave_summary
sleep 0.5

press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"

for name in menu memory labelling progress; do
    expect_eq "$(identify -format %wx%h "$out/$name.png")" 1024x768 "size of $name.png"
done
sums=$(md5sum "$out"/{menu,memory,labelling,progress}.png | cut -d' ' -f1 | sort -u | wc -l)
expect_eq "$sums" 4 "four different screens"
echo "screenshots in $out: $(du -ch "$out"/*.png | tail -n 1 | cut -f1)"
echo PASS
