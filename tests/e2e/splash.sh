#!/usr/bin/env bash
# The splash: shown while the program starts, with its picture or, without one, with the
# "Brak zasobów!" fallback on lime; a second start brings its message to the front; it goes
# away once the main window has been up for two seconds.
source "$(dirname "$0")/lib.sh"
start_x 1024x768

# pixel X Y: the screen's colour at X,Y as #RRGGBB.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'
}

# wait_pixel X Y COLOUR [SECONDS]: waits until the screen shows COLOUR at X,Y.
wait_pixel() {
    local x=$1 y=$2 colour=$3 seconds=${4:-10} now
    for _ in $(seq $((seconds * 5))); do
        now=$(pixel "$x" "$y")
        [ "$now" = "$colour" ] && return 0
        sleep 0.2
    done
    fail "pixel $x,$y is $now, expected $colour"
}

# close_enough A B: two #RRGGBB colours differ by at most 8 in every channel (two JPEG
# decoders may round a little differently).
close_enough() {
    local a=${1#\#} b=${2#\#} i d
    for i in 0 2 4; do
        d=$((16#${a:$i:2} - 16#${b:$i:2}))
        [ ${d#-} -le 8 ] || return 1
    done
}

# geometry WINDOW-ID: "X Y WIDTH HEIGHT" of the window on the screen.
geometry() {
    xdotool getwindowgeometry --shell "$1" |
        awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}

# Without a data pack: the fallback splash, then error 1 (a window's picture is missing)
# shown over it. The splash stays up while the message waits.
prog="$WORK/bare"
make_program_dir "$prog"
launch first "$prog/wiklotek" >/dev/null 2>&1
splash=$(wait_window "^Wiklotek Cz.I Splash$")
box=$(wait_window "Wiklotek Cz.I - Błąd")
expect_eq "$(geometry "$splash")" "212 210 600 348" "fallback splash keeps its design size, centred"
wait_pixel 220 500 "#00FF00" # lime below the labels
red=$(import -window root -crop 102x16+220+218 -depth 8 txt:- | grep -c '#FF0000' || true)
[ "$red" -gt 0 ] || fail "no red \"Brak zasobów!\" at the splash's top left"
[ "$(pixel 512 384)" != "#00FF00" ] || fail "the message should cover the splash's middle"

# A second start brings forward the window the user must answer, the message over the
# splash, and ends at once.
launch second "$prog/wiklotek"
expect_eq "$(wait_exit second 10)" 0 "second start during the splash"
kill -0 "$(pid_of first)" || fail "the first copy ended"
sleep 0.5
[ "$(pixel 512 384)" != "#00FF00" ] || fail "the message should stay over the splash"

press_in "$box" Return
expect_eq "$(wait_exit first)" 1 "start without pictures ends with error 1"

# With the data pack: the splash shows its picture at the picture's size. A settings file
# that cannot be read keeps the program at its start-up message with the splash beneath.
data="$WK_DATA"
if [ -f "$data/Intf/Spec/mT_Splh.xji" ]; then
    prog="$WORK/full"
    make_program_dir "$prog" with-data
    read -r pw ph <<<"$(identify -format '%w %h' "jpeg:$data/Intf/Spec/mT_Splh.xji")"
    mkdir "$prog/Data/data.ini"
    launch full "$prog/wiklotek" >/dev/null 2>&1
    splash=$(wait_window "^Wiklotek Cz.I Splash$")
    box=$(wait_window "Wiklotek Cz.I - Błąd")
    left=$(((1024 - pw) / 2))
    top=$(((768 - ph) / 2))
    expect_eq "$(geometry "$splash")" "$left $top $pw $ph" "splash with its picture"
    want=$(convert "jpeg:$data/Intf/Spec/mT_Splh.xji" -crop 1x1+8+300 -depth 8 txt:- |
        tail -n 1 | grep -o '#[0-9A-F]\{6\}')
    got=$(pixel $((left + 8)) $((top + 300)))
    close_enough "$got" "$want" || fail "splash picture: $got on the screen, $want in the picture"
    red=$(import -window root -crop 102x16+$((left + 8))+$((top + 8)) -depth 8 txt:- |
        grep -c '#FF0000' || true)
    expect_eq "$red" 0 "red pixels of a hidden \"Brak zasobów!\" over the picture"
    press_in "$box" Return
    expect_eq "$(wait_exit full)" 4 "unreadable settings with the data pack"
    rmdir "$prog/Data/data.ini"

    # A normal start: the splash goes away once the main window has been up two seconds.
    launch full "$prog/wiklotek" >/dev/null 2>&1
    wait_window "^Wiklotek Cz.I$" >/dev/null
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^Wiklotek Cz.I Splash$" >/dev/null 2>&1 || break
        sleep 0.1
    done
    ! xdotool search --onlyvisible --name "^Wiklotek Cz.I Splash$" >/dev/null 2>&1 ||
        fail "the splash is still up 10 s after the main window appeared"
    kill -0 "$(pid_of full)" || fail "the program ended with its splash"
    kill "$(pid_of full)"
    wait_exit full >/dev/null # gone before the folder is cleaned away
fi
echo PASS
