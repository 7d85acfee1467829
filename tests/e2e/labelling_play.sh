#!/usr/bin/env bash
# Labelling played as a child would, in both screen variants: real clicks choose the labelling
# tab, a sound group, a position and the smallest task count and press "start"; the tiles of
# the first word are found on the screen, every answer slot shows its whole red frame (the row
# centred, no tile lying on it), and the tiles are dragged into the slots with real mouse
# drags; the full row is judged; next and help are pressed; Escape stops the game and the
# summary's "stop" leads back to the menu. The statistics file must then hold a labelling
# record with a correct answer and a hint.
source "$(dirname "$0")/lib.sh"
WORD_TABLE="$(cd "$(dirname "$0")/../.." && pwd)/src/catalogue/wordtable.cpp"
[ -f "$WORD_TABLE" ] || fail "no word table at $WORD_TABLE"


# drag X0 Y0 X1 Y1: presses at the first point, moves there in steps and lets go.
drag() {
    local x0=$1 y0=$2 x1=$3 y1=$4 k
    xdotool mousemove --sync "$x0" "$y0" mousedown 1
    sleep 0.1
    for k in 1 2 3 4 5; do
        xdotool mousemove --sync $((x0 + (x1 - x0) * k / 5)) $((y0 + (y1 - y0) * k / 5))
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.4
}

pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# The tiles on the screen: "x y picture" per tile, found by their dark frame and known by
# their pixels, which are those of a library picture.
find_tiles() {
    local shot=$1 size=$2
    convert "$shot" txt:- | grep -i '#2E2A5A' | awk -F'[,:]' -v s="$size" '
        { on[$1 "," $2] = 1; xs[NR] = $1; ys[NR] = $2 }
        END {
            for (i = 1; i <= NR; i++) {
                x = xs[i]; y = ys[i]
                if (on[(x - 1) "," y] || on[x "," (y - 1)]) continue
                if (on[(x + s - 1) "," y] && on[x "," (y + s - 1)] && on[(x + s - 1) "," (y + s - 1)])
                    print x, y
            }
        }' | while read -r x y; do
        local sum name
        sum=$(convert "$shot" -crop "${size}x${size}+$x+$y" +repage rgb:- | md5sum | cut -d' ' -f1)
        name=${TILE_SUMS[$sum]:-}
        [ -n "$name" ] && echo "$x $y $name"
    done
}

# The segmentations of the words with nagłos and SZ, as library tile names in order, one word
# a line.
candidate_words() {
    local suffix=$1
    awk -v sfx="$suffix" '
        BEGIN {
            split("dż dzz dź dzzz ż zz ź zzz ó oo ł ll ć cc ś ss ń nn ę ee ą aa", m, " ")
            for (i = 1; i < 22; i += 2) token[m[i]] = m[i + 1]
        }
        match($0, /\{"[a-z]+", "[^"]+", 0x[0-9A-Fa-f]+\}/) {
            n = split($0, part, "\"")
            hex = tolower(substr(part[5], 5, index(part[5], "}") - 5))
            code = 0
            for (i = 1; i <= length(hex); i++)
                code = code * 16 + index("0123456789abcdef", substr(hex, i, 1)) - 1
            if (int(code / 4096) % 2 == 0 || code % 2 == 0) next
            k = split(part[4], g, ",")
            line = ""
            for (i = 1; i <= k; i++) {
                if (g[i] == "") continue
                red = substr(g[i], 1, 1) == "_"
                t = red ? substr(g[i], 2) : g[i]
                if (t in token) t = token[t]
                line = line " " t (red ? "_red" : "") sfx
            }
            print substr(line, 2)
        }' "$WORD_TABLE"
}

sorted_words() { tr ' ' '\n' | sort | tr '\n' ' '; }

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

# run_variant WIDTH HEIGHT SUFFIX TILE STRIP_X STRIP_Y TAB_BAND_Y
run_variant() {
    local w=$1 h=$2 suffix=$3 tile=$4 sx=$5 sy=$6 band=$7
    start_x "${w}x${h}"
    local prog="$WORK/prog-$w"
    make_program_dir "$prog" with-data
    cd "$prog"
    stats="$prog/prgst1.stt"

    declare -gA TILE_SUMS=()
    local f
    for f in Data/Intf/Lib/*"$suffix".png; do
        TILE_SUMS[$(convert "$f" rgb:- | md5sum | cut -d' ' -f1)]=$(basename "$f" .png)
    done

    launch app "$prog/wiklotek"
    local menu
    menu=$(wait_window "^Wiklotek Cz.I$")
    wait_splash_gone
    local before
    before=$(records)

    # Labelling tab, SZ, nagłos, mało, start: where the menu lays them out.
    click_at $((sx + 100)) $((sy + band))
    click_at $((w / 3 - w / 8 + 30)) $((h / 2 + 30))
    click_at $((w / 5 + 30)) $((h - h / 3 + 30))
    click_at $((w / 5 + 30)) $((h / 3 + 30))
    click_at $((w / 2 + 35 + 35)) $((h - h / 7 + 35))
    local game
    game=$(wait_window "^Podpisywanie$" 10)
    sleep 1
    import -window root "$WORK/first-$w.png"

    # The first word: its tiles, and the word of the catalogue they spell.
    find_tiles "$WORK/first-$w.png" "$tile" >"$WORK/tiles"
    local n
    n=$(wc -l <"$WORK/tiles")
    [ "$n" -ge 2 ] || fail "$w: only $n tiles found on the screen"
    local have word=
    have=$(cut -d' ' -f3 "$WORK/tiles" | tr '\n' ' ' | sorted_words)
    while read -r line; do
        [ "$(echo "$line" | sorted_words)" = "$have" ] && word=$line && break
    done < <(candidate_words "$suffix")
    [ -n "$word" ] || fail "$w: no word of the catalogue has the tiles $have"

    local pitch=$tile i=0 t x y used=" " frame
    local slot_y=$((h - h / 4))
    # The row of slots, frames included, centred on the window.
    local row_x=$((w / 2 - ((n - 1) * (pitch + 15) + pitch) / 2))
    local d
    for ((i = 0; i < n; i++)); do
        for d in -3 $((tile + 2)); do # its top-left and bottom-right corners
            frame=$(pixel "$WORK/first-$w.png" $((row_x + i * (pitch + 15) + d)) $((slot_y + d)))
            case "$frame" in *"255,0,0"*) ;; *) fail "$w: slot $i's frame is $frame, not red" ;; esac
        done
    done
    i=0

    # Each grapheme in turn from a tile of its kind into its slot, by real drags.
    for t in $word; do
        while read -r x y name; do
            [ "$name" = "$t" ] || continue
            case "$used" in *" $x,$y "*) continue ;; esac
            used="$used$x,$y "
            local slot_x=$((row_x + i * (pitch + 15)))
            drag $((x + tile / 2)) $((y + tile / 2)) $((slot_x + tile / 2 + 6)) $((slot_y + tile / 2 - 5))
            break
        done <"$WORK/tiles"
        i=$((i + 1))
    done
    expect_eq "$i" "$n" "$w: tiles dragged"
    sleep 6 # praise, a pause and the word
    import -window root "$WORK/solved-$w.png"
    frame=$(pixel "$WORK/solved-$w.png" $((row_x - 3)) $((slot_y - 3)))
    case "$frame" in *"255,255,0"*) ;; *) fail "$w: the first slot frame is $frame, not yellow" ;; esac
    local slot0
    slot0=$(convert "$WORK/solved-$w.png" -crop "${tile}x${tile}+$row_x+$slot_y" +repage rgb:- | md5sum | cut -d' ' -f1)
    expect_eq "${TILE_SUMS[$slot0]:-none}" "${word%% *}" "$w: first slot's tile"

    # Next word, then help: the solution shows while the word sounds, the tiles scatter again.
    click_at $((w - w / 10 + 35)) $((h / 7 + 2 * h / 8 + 30))
    sleep 1
    click_at $((w - w / 10 + 35)) $((h / 7 + 30))
    # The window takes no Escape while the help runs; a sanitized build runs it slower.
    sleep $((4 * ${WK_TIME_SCALE:-1}))
    import -window root "$WORK/helped-$w.png"

    press_in "$game" Escape
    local summary
    summary=$(wait_window "^Koniec gry$" 10)
    eval "$(xdotool getwindowgeometry --shell "$summary")"
    click_at $((X + 325 + 35)) $((Y + 340 + 30))
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^Podpisywanie$" >/dev/null 2>&1 || break
        sleep 0.1
    done
    ! xdotool search --onlyvisible --name "^Podpisywanie$" >/dev/null 2>&1 ||
        fail "$w: the game window stayed"
    press_in "$menu" Escape
    expect_eq "$(wait_exit app)" 0 "$w: exit status"

    expect_eq "$(records)" $((before + 1)) "$w: records"
    expect_eq "$(record_field 0 4)" 1 "$w: game kind"
    expect_eq "$(record_field 20 2)" 1 "$w: poziom"
    expect_eq "$(record_field 22 2)" 1 "$w: gloski"
    expect_eq "$(record_field 24 2)" 4096 "$w: pozycja"
    expect_eq "$(record_field 30 2)" 0 "$w: completion"
    [ "$(record_field 36 4)" -ge 1 ] || fail "$w: no correct answer recorded"
    [ "$(record_field 32 4)" -ge 1 ] || fail "$w: no hint recorded"
    expect_eq "$(ini_value "$prog/Data/data.ini" Podpisywanie Poziom)" 1 "$w: Podpisywanie Poziom saved"

    [ -z "${WK_KEEP_SHOTS:-}" ] || cp "$WORK"/*.png "$WK_KEEP_SHOTS"/
    cd "$WORK"
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}

run_variant 1024 768 _b 55 705 95 76
run_variant 800 600 _s 44 551 74 55
echo PASS
