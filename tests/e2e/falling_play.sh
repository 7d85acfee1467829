#!/usr/bin/env bash
# The falling game played as a child would, in one screen variant (small or big): real clicks
# choose the falling tab, SZ, nagłos and the smallest task count and press "start"; the
# pictures are seen moving between two screenshots; then, five times, "pomoc" frames the
# nearest target in red, the script finds the red frame on the screen and clicks inside the
# picture where it will be a moment later. With every target caught the results show; a slot
# opens its big picture in the ring, Escape and the summary's "stop" lead back to the menu.
# The statistics file must then hold one more record: a completed falling game.
# The layout is checked by pixels on the way: no falling picture ever covers the border of the
# panel on the right (the strip from the play column's edge to the panel's inside shows the
# background picture in every screenshot), and the two lines of the end display stand inside
# the panel, starting at the same place.
# Usage: falling_play.sh small|big
source "$(dirname "$0")/lib.sh"

variant=${1:-big}
# PANEL: the first column inside the panel's border, in the window background picture.
if [ "$variant" = small ]; then
    W=800 H=600 STRIP=(551 74) BAND=312 BOTTOM=552 SLOT=(310 565 23 31 30) PANEL=614
else
    W=1024 H=768 STRIP=(705 95) BAND=405 BOTTOM=708 SLOT=(395 718 32 42 39) PANEL=788
fi
start_x "${W}x${H}"

prog="$WORK/prog"
make_program_dir "$prog" with-data
[ -f "$prog/Data/Intf/Spec/mT_Spa_s.xbi" ] || fail "the data pack is missing beside $WK_PROGRAM"
cd "$prog"
stats="$prog/prgst1.stt"
# Cards fall in x < W - W/3 + 86 and above the bottom line; the buttons and labels are right
# of that.
PLAY_W=$((W - W / 3 + 90))


shot() { import -window root "$WORK/$1.png"; }

# The play area of a screenshot as raw pixels, for comparing.
play_area() {
    convert "$WORK/$1.png" -crop "${PLAY_W}x${BOTTOM}+0+0" +repage rgb:- | md5sum | cut -d' ' -f1
}

# The bounding box "W H X Y" of the pure red pixels in the play area (the hint's frame), or
# nothing when there are none.
red_box() {
    local box
    box=$(convert "$WORK/$1.png" -crop "${PLAY_W}x${BOTTOM}+0+0" +repage \
        -fill black +opaque "rgb(255,0,0)" -bordercolor black -border 1 \
        -format '%@' info: 2>/dev/null || true)
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 0
    local bw=${BASH_REMATCH[1]} bh=${BASH_REMATCH[2]}
    [ "$bw" -gt 20 ] && [ "$bh" -gt 0 ] || return 0
    echo "$bw $bh $((BASH_REMATCH[3] - 1)) $((BASH_REMATCH[4] - 1))"
}

# The strip between the play column (three quarters of the width) and the panel's inside,
# above the bottom line: the sky and the panel's border, never a picture.
BORDER_STRIP="$((PANEL - W * 3 / 4))x${BOTTOM}+$((W * 3 / 4))+0"
convert "bmp:$prog/Data/Intf/Spec/mT_Spa_${variant:0:1}.xbi" -crop "$BORDER_STRIP" +repage \
    "$WORK/border.png"
border_clear() {
    local differing
    convert "$WORK/$1.png" -crop "$BORDER_STRIP" +repage "$WORK/strip.png"
    differing=$(compare -metric AE "$WORK/border.png" "$WORK/strip.png" null: 2>&1 || true)
    [ "$differing" = 0 ] || fail "$variant: a picture covers the panel's border ($differing pixels, $1)"
}

# The first and last column of near-black text pixels in the 22 rows from Y on, right of the
# play column (the labels of the panel).
text_columns() {
    convert "$WORK/$1.png" -crop "$((W - W * 3 / 4))x22+$((W * 3 / 4))+$2" +repage -depth 8 txt:- |
        tr -d '()' | awk -F'[ ,:]+' -v left=$((W * 3 / 4)) '
            NR > 1 && $3 < 60 && $4 < 60 && $5 < 60 {
                if (first == "" || $1 < first) first = $1
                if ($1 > last) last = $1
            }
            END { print first + left, last + left }'
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

launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
before=$(records)

click_at $((STRIP[0] + 100)) $((STRIP[1] + BAND))
click_at $((W / 3 - W / 8 + 35)) $((H / 2 + 35))      # SZ
click_at $((W / 5 + 35)) $((H - H / 3 + 35))          # nagłos
click_at $((W / 5 + 35)) $((H / 3 + 35))              # mało
click_at $((W / 2 + 35 + 35)) $((H - H / 7 + 30)) 0.2 # start
wait_window "^Spadające$" 10 >/dev/null
sleep 3 # the first pictures come in from above the top edge

shot fall1
sleep 0.3
shot fall2
[ "$(play_area fall1)" != "$(play_area fall2)" ] || fail "$variant: nothing moves"
border_clear fall1
border_clear fall2

help=($((W - W / 10 + 35)) $((H / 7 + 30)))
caught=0
for ((attempt = 0; attempt < 40 && caught < 5; attempt++)); do
    click_at "${help[@]}" 0.1
    box=
    for _ in $(seq 150); do
        shot hunt
        border_clear hunt
        box=$(red_box hunt)
        # Enough of the framed picture is on the screen to aim at.
        if [ -n "$box" ]; then
            read -r bw bh bx by <<<"$box"
            [ "$bh" -ge 50 ] && [ "$bw" -le 90 ] && break
        fi
        box=
        sleep 0.1
    done
    [ -n "$box" ] || continue
    # The picture goes on falling one pixel per 25 ms: aim above its lower edge.
    click_at $((bx + bw / 2)) $((by + bh - 25)) 0.3
    # A catch fills the next slot at the bottom with the picture; the frame shows there.
    shot slots
    slot_x=$((SLOT[0] + caught * SLOT[4]))
    colour=$(convert "$WORK/slots.png" -format "%[pixel:p{$slot_x,$((SLOT[1] + 1))}]" info:)
    case "$colour" in *"255,0,0"* | red) caught=$((caught + 1)) ;; esac
done
expect_eq "$caught" 5 "$variant: targets caught"

# The next tick shows the results: the cards are gone and the ring is in the middle.
sleep 0.5
shot results
# "Wybierz obrazek," over "aby go powiększyć.", both inside the panel and starting together
# (a glyph's own margin apart at most).
label_top=$((H / 80 * 77))
read -r first1 last1 < <(text_columns results "$label_top")
read -r first2 last2 < <(text_columns results $((label_top + 21)))
[ "$first1" -gt "$PANEL" ] && [ "$first2" -gt "$PANEL" ] ||
    fail "$variant: the end display's labels start at $first1 and $first2, on the panel's border"
[ $((first1 - first2)) -le 2 ] && [ $((first2 - first1)) -le 2 ] ||
    fail "$variant: the end display's lines start apart, at $first1 and $first2"
[ "$last1" -lt $((W - 2)) ] && [ "$last2" -lt $((W - 2)) ] ||
    fail "$variant: the end display's labels run to the window's edge ($last1, $last2)"
click_at $((SLOT[0] + SLOT[2] / 2)) $((SLOT[1] + SLOT[3] / 2)) 1
shot big
middle="1x1+$((W / 2))+$((H / 2))"
[ "$(convert "$WORK/results.png" -crop "$middle" rgb:- | md5sum)" != \
    "$(convert "$WORK/big.png" -crop "$middle" rgb:- | md5sum)" ] ||
    fail "$variant: a click on a slot showed no big picture"

game=$(wait_window "^Spadające$" 2)
press_in "$game" Escape
summary=$(wait_window "^Koniec gry$" 10)
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 325 + 35)) $((Y + 340 + 30))
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Spadające$" >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name "^Spadające$" >/dev/null 2>&1 || fail "the game window stayed"
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"

expect_eq "$(records)" $((before + 1)) "records"
expect_eq "$(record_field 0 4)" 4 "game kind"
expect_eq "$(record_field 20 2)" 1 "poziom"
expect_eq "$(record_field 22 2)" 1 "gloski"
expect_eq "$(record_field 24 2)" 4096 "pozycja"
expect_eq "$(record_field 30 2)" 1 "completion"
expect_eq "$(record_field 36 4)" 5 "correct"
[ "$(record_field 32 4)" -ge 5 ] || fail "hints: $(record_field 32 4)"
echo PASS
