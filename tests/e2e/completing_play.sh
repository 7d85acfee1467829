#!/usr/bin/env bash
# The completing game played as a child would, in both screen variants: real clicks choose the
# completing tab, the SZ group, nagłos and the smallest task count, and press "start"; each of
# the five words is answered by clicking the left sound button and, when that was the wrong
# sound, the other one (the small variant answers that second time with the arrow key). The
# first word takes five quick clicks: those given while the first is judged are dropped and
# count no answers. The big variant then waits for the game to end by itself a minute after
# the last word, the small one presses "stop"; the summary's "stop" leads back to the menu and
# Escape ends the program.
# The statistics file must then hold one more record with the answers given.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=0 # sounds play at once: the test waits less
source "$(dirname "$0")/lib.sh"
export SDL_DISKAUDIOFILE="$WORK/played.raw"


records() {
    local size
    size=$([ -f "$stats" ] && stat -c %s "$stats" || echo 20)
    echo $(((size - 20) / 44))
}

# Little-endian number of `size` bytes at `offset` of the last record.
record_field() {
    local size
    size=$(stat -c %s "$stats")
    od -An -t u"$2" -j $((size - 44 + $1)) -N "$2" "$stats" | tr -d ' '
}

# Dark pixels of a screen square: a sound button's tile has its dark frame and letter, the
# background where a button was has none.
dark_pixels() {
    local x=$1 y=$2 size=$3
    import -window root -crop "${size}x${size}+$x+$y" +repage "$WORK/got.png"
    convert "$WORK/got.png" -colorspace Gray -threshold 40% -negate \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

# run_variant WIDTH HEIGHT SUFFIX END(timer|stop)
run_variant() {
    local w=$1 h=$2 suffix=$3 end=$4
    start_x "${w}x${h}"
    local prog="$WORK/prog-$w"
    make_program_dir "$prog" with-data
    cd "$prog"
    stats="$prog/prgst1.stt"

    local strip_x strip_y band tile
    if [ "$suffix" = _s ]; then
        strip_x=551 strip_y=74 band=235 tile=44
    else
        strip_x=705 strip_y=95 band=305 tile=55
    fi
    local left_x=$((w / 4 - 40)) left_y=$((h / 2))
    local next=($((w - w / 10 + 35)) $((h / 7 + 2 * h / 8 + 30)))
    local stop=($((w - w / 10 + 4 + 35)) $((h / 7 + h / 8 + 30)))

    launch app "$prog/wiklotek"
    local menu
    menu=$(wait_window "^Wiklotek Cz.I$")
    wait_splash_gone
    local before
    before=$(records)

    click_at $((strip_x + 100)) $((strip_y + band))
    click_at $((w / 3 - w / 8 + 20)) $((h / 2 + 20))   # SZ
    click_at $((w / 5 + 20)) $((h - h / 3 + 20))       # nagłos
    click_at $((w / 5 + 20)) $((h / 3 + 20))           # mało
    click_at $((w / 2 + 35 + 35)) $((h - h / 7 + 30))  # start
    local game
    game=$(wait_window "^Uzupełnianie$" 10)
    sleep 0.5
    import -window root "$WORK/first-word$suffix.png"
    [ "$(dark_pixels $left_x $left_y $tile)" -gt 100 ] || fail "$w: no sound button on the left"

    local word wrong=0 correct=0
    for ((word = 1; word <= 5; word++)); do
        if [ "$word" -eq 1 ]; then
            xdotool mousemove --sync $((left_x + tile / 2)) $((left_y + tile / 2))
            xdotool click --repeat 5 --delay 150 1
        else
            click_at $((left_x + tile / 2)) $((left_y + tile / 2))
        fi
        sleep 3 # a wrong sound stays two seconds, a right one is praised and said
        if [ "$(dark_pixels $left_x $left_y $tile)" -gt 100 ]; then
            wrong=$((wrong + 1))
            if [ "$suffix" = _s ]; then
                press_in "$game" Right
            else
                click_at $((w * 3 / 4 + tile / 2)) $((left_y + tile / 2))
            fi
            sleep 2
            [ "$(dark_pixels $left_x $left_y $tile)" -lt 20 ] ||
                fail "$w: word $word not solved by the other sound"
        fi
        correct=$((correct + 1))
        [ "$word" -eq 1 ] && import -window root "$WORK/solved$suffix.png"
        [ "$word" -lt 5 ] && click_at "${next[@]}"
    done

    echo "$w: $correct words solved, $wrong wrong answers on the way"
    if [ "$end" = stop ]; then
        click_at "${stop[@]}"
    fi
    local summary
    summary=$(wait_window "^Koniec gry$" 75)
    eval "$(xdotool getwindowgeometry --shell "$summary")"
    click_at $((X + 325 + 35)) $((Y + 340 + 30))
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^Uzupełnianie$" >/dev/null 2>&1 || break
        sleep 0.1
    done
    ! xdotool search --onlyvisible --name "^Uzupełnianie$" >/dev/null 2>&1 ||
        fail "$w: the game window stayed"
    press_in "$menu" Escape
    expect_eq "$(wait_exit app)" 0 "$w: exit status"

    expect_eq "$(records)" $((before + 1)) "$w: records"
    expect_eq "$(record_field 0 4)" 3 "$w: game kind"
    expect_eq "$(record_field 20 2)" 1 "$w: poziom"
    expect_eq "$(record_field 22 2)" 1 "$w: gloski"
    expect_eq "$(record_field 24 2)" 4096 "$w: pozycja"
    expect_eq "$(record_field 30 2)" 1 "$w: completion"
    expect_eq "$(record_field 36 4)" "$correct" "$w: correct"
    expect_eq "$(record_field 40 4)" "$wrong" "$w: wrong"
    expect_eq "$(ini_value "$prog/Data/data.ini" Uzupelnianie Poziom)" 1 "$w: Poziom saved"

    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
    cd "$WORK"
}

run_variant 800 600 _s stop
run_variant 1024 768 _b timer
echo PASS
