#!/usr/bin/env bash
# The metainfo's screenshots, taken from the real program at 1024 x 768: the menu with the
# Memory tab chosen, a Memory game with two cards turned, and the progress view with that game.
# By hand, to renew dist/screenshots:
#   WK_PROGRAM=build/wiklotek bash tests/e2e/screenshots.sh dist/screenshots
# Without a folder (as the test suite runs it) the pictures stay in the work folder and only
# their size and that they show three different screens are checked, never their pixels.
source "$(dirname "$0")/lib.sh"
out=${1:-$WORK/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
start_x 1024x768

prog="$WORK/prog"
make_program_dir "$prog" with-data
cd "$prog"

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
memory_points big
click_at "${TAB_MEMORY[@]}"
click_at "${SOUND_SZ[@]}"
click_at "${POSITION_NAGLOS[@]}"
click_at "${LEVEL_MALO[@]}"
shot menu

click_at "${START[@]}"
game=$(wait_window "^Memory$" 10)
sleep 0.5
click_at $((BOARD_X + 38)) $((BOARD_Y + 47))
click_at $((BOARD_X + 100 + 38)) $((BOARD_Y + 47)) 0.2
shot memory
sleep 1.5
press_in "$game" Escape
summary=$(wait_window "^Koniec gry$" 10)
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 325 + 35)) $((Y + 340 + 30))
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Memory$" >/dev/null 2>&1 || break
    sleep 0.1
done

click_at $((1024 / 2 - 255 + 42)) $((768 - 768 / 7 + 36))
progress=$(wait_window "^Wiklotek Cz.I - Post" 10)
sleep 1
shot progress
press_in "$progress" Escape
sleep 0.5
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"

for name in menu memory progress; do
    expect_eq "$(identify -format %wx%h "$out/$name.png")" 1024x768 "size of $name.png"
done
sums=$(md5sum "$out"/{menu,memory,progress}.png | cut -d' ' -f1 | sort -u | wc -l)
expect_eq "$sums" 3 "three different screens"
echo "screenshots in $out: $(du -ch "$out"/*.png | tail -n 1 | cut -f1)"
echo PASS
