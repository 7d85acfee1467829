# Shared helpers of the end-to-end tests: a private X server, a private program folder, and
# ways to wait for windows and press keys as a person would.
set -euo pipefail

: "${WK_PROGRAM:?WK_PROGRAM must name the built wiklotek binary}"

WORK=$(mktemp -d)
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
unset QT_QPA_PLATFORM
XVFB_PID=

cleanup() {
    local pids pidfile
    # The programs themselves too: a program left running keeps the test's output open.
    for pidfile in "$WORK"/*.pid; do
        [ -s "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
    done
    pids=$(jobs -p || true)
    [ -n "$pids" ] && kill $pids 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_x WIDTHxHEIGHT: a fresh Xvfb on a free display, exported as DISPLAY.
start_x() {
    local size=$1
    rm -f "$WORK/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.05
    done
    [ -s "$WORK/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$WORK/display")"
}

# The data pack the tests play with: the one beside the program unless WK_DATA names another
# (the sanitizer build borrows the main build's).
WK_DATA=${WK_DATA:-$(dirname "$WK_PROGRAM")/Data}

# make_program_dir DIR [with-data]: the program (with its module) in DIR, with an empty Data
# folder or with the data pack (copied as links, so that data.ini stays private).
make_program_dir() {
    local dir=$1
    mkdir -p "$dir"
    cp "$WK_PROGRAM" "$dir/wiklotek"
    # The progress view's module, which the program loads from beside itself.
    cp "$(dirname "$WK_PROGRAM")/wiklotek-progress.so" "$dir/"
    if [ "${2:-}" = with-data ]; then
        [ -d "$WK_DATA/Intf" ] || fail "no data pack at $WK_DATA"
        cp -rs "$(cd "$WK_DATA" && pwd)" "$dir/Data"
        rm -f "$dir/Data/data.ini" "$dir/Data/.datagen-manifest"
    else
        mkdir -p "$dir/Data"
    fi
}

# wait_window TITLE-REGEX [SECONDS]: prints the id of the first window whose name matches.
wait_window() {
    local title=$1 seconds=$(( ${2:-20} * ${WK_TIME_SCALE:-1} )) id
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window named '$title' within ${seconds}s"
}

# wait_splash_gone: the splash leaves 2 s after the menu first shows, later on a busy machine;
# until then it covers the middle of the screen and takes the clicks meant for the menu.
wait_splash_gone() {
    local seconds=$((10 * ${WK_TIME_SCALE:-1}))
    for _ in $(seq $((seconds * 10))); do
        if ! xdotool search --onlyvisible --name "^Wiklotek Cz.I Splash$" >/dev/null 2>&1; then
            sleep 0.3
            return 0
        fi
        sleep 0.1
    done
    fail "the splash still shows after ${seconds}s"
}

# press_in WINDOW-ID KEY: focuses the window and presses the key on the keyboard.
press_in() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    sleep 0.2
    xdotool key --clearmodifiers "$2"
}

# launch NAME COMMAND...: starts the command in the background; its status and pid are kept
# under NAME for wait_exit and pid_of.
launch() {
    local name=$1
    shift
    rm -f "$WORK/$name.status" "$WORK/$name.pid"
    (
        "$@" &
        echo $! >"$WORK/$name.pid"
        status=0
        wait $! || status=$?
        echo $status >"$WORK/$name.status"
    ) &
    for _ in $(seq 50); do
        [ -s "$WORK/$name.pid" ] && return 0
        sleep 0.02
    done
}

pid_of() { cat "$WORK/$1.pid"; }

# wait_exit NAME [SECONDS]: waits for the launched command to end, prints its exit status.
wait_exit() {
    local name=$1 seconds=$(( ${2:-20} * ${WK_TIME_SCALE:-1} ))
    for _ in $(seq $((seconds * 10))); do
        if [ -s "$WORK/$name.status" ]; then
            cat "$WORK/$name.status"
            return 0
        fi
        sleep 0.1
    done
    fail "$name still runs after ${seconds}s"
}

# run_menu NAME COMMAND...: starts the program, waits for its menu and ends it with Escape as
# a person would; prints the exit status.
run_menu() {
    local name=$1
    shift
    launch "$name" "$@"
    local menu
    menu=$(wait_window "^Wiklotek Cz.I$")
    press_in "$menu" Escape
    wait_exit "$name"
}

# ini_value FILE SECTION KEY
ini_value() {
    awk -v section="[$2]" -v key="$3" '
        { sub(/\r$/, "") }
        /^\[/ { inside = ($0 == section); next }
        inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
    ' "$1"
}

expect_eq() {
    [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

# find_play_area: the lit part of the screen (the play area inside its black bars), measured on
# the middle row and column of a screenshot. Sets PLAY_X, PLAY_Y (its top-left screen pixel)
# PLAY_RIGHT, PLAY_BOTTOM (its last ones) and PLAY_SCALE (screen pixels per pixel of the big variant's 1024 x 768 design).
find_play_area() {
    import -window root "$WORK/area.png"
    local w h x0 x1 y0 y1
    w=$(identify -format %w "$WORK/area.png")
    h=$(identify -format %h "$WORK/area.png")
    # First and last pixel brighter than half grey along a line of the screenshot.
    lit_span() {
        convert "$WORK/area.png" -crop "$1" +repage -colorspace Gray -depth 8 txt:- |
            awk -F'[,:() ]+' 'NR > 1 && $4 >= 128 { n = NR - 2; if (first == "") first = n; last = n }
                END { print first, last }'
    }
    read -r x0 x1 < <(lit_span "${w}x1+0+$((h / 2))")
    read -r y0 y1 < <(lit_span "1x${h}+$((w / 2))+0")
    [ -n "$x0" ] && [ -n "$y0" ] || fail "no play area on the screen"
    PLAY_X=$x0
    PLAY_Y=$y0
    PLAY_SCALE=$(awk -v a="$x0" -v b="$x1" 'BEGIN { printf "%.6f", (b - a + 1) / 1024 }')
    PLAY_RIGHT=$x1
    PLAY_BOTTOM=$y1
}

# scaled X Y: the screen pixel showing the design point (X, Y) of the play area.
scaled() {
    awk -v x="$1" -v y="$2" -v px="$PLAY_X" -v py="$PLAY_Y" -v s="$PLAY_SCALE" \
        'BEGIN { printf "%d %d\n", px + x * s + 0.5, py + y * s + 0.5 }'
}

# memory_points small|big: the design points a Memory play-through clicks and reads in that
# screen variant. MATCH: the big picture's place, x y width height.
memory_points() {
    CARD_W=76 CARD_H=95 COLUMNS=3 CARDS=6
    if [ "$1" = small ]; then
        TAB_MEMORY=(651 224) SOUND_SZ=(201 335) POSITION_NAGLOS=(195 435) LEVEL_MALO=(195 235)
        START=(470 544) BOARD_X=170 BOARD_Y=175 MATCH=(583 188 200 250)
    else
        TAB_MEMORY=(805 295) SOUND_SZ=(253 424) POSITION_NAGLOS=(244 552) LEVEL_MALO=(244 296)
        START=(582 694) BOARD_X=260 BOARD_Y=260 MATCH=(743 235 260 320)
    fi
}

# click_at X Y [PAUSE]: a real click at a point of the screen, then a pause for the program to
# answer (0.4 s unless given).
click_at() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep "${3:-0.4}"
}

# choose_memory small|big: the Memory tab with SZ, nagłos and mało chosen, as a person clicks.
choose_memory() {
    memory_points "$1"
    click_at "${TAB_MEMORY[@]}"
    click_at "${SOUND_SZ[@]}"
    click_at "${POSITION_NAGLOS[@]}"
    click_at "${LEVEL_MALO[@]}"
}

# leave_summary: the summary's "stop", back to the menu.
leave_summary() {
    local summary
    summary=$(wait_window "^Koniec gry$" 10)
    eval "$(xdotool getwindowgeometry --shell "$summary")"
    click_at $((X + 325 + 35)) $((Y + 340 + 30)) 1
}
