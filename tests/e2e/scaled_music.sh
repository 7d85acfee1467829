#!/usr/bin/env bash
# The menu music on a 1920 x 1080 screen: the M key and the speaker, clicked at its enlarged
# place, switch it off and on; the choice is in data.ini and holds after a restart. What the
# program plays is read from the disk audio driver's output: music is anything but silence.
source "$(dirname "$0")/lib.sh"
export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$WORK/played.raw"
start_x 1920x1080

prog="$WORK/prog"
make_program_dir "$prog" with-data
ini="$prog/Data/data.ini"
SPEAKER=$((1024 - 250 + 24))
SPEAKER_Y=$((16 + 24))

# loudness SECONDS: the largest sample the program plays over the next SECONDS.
loudness() {
    local from
    from=$(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0)
    sleep "$1"
    perl -e 'open(my $f, "<:raw", $ARGV[0]) or die; seek($f, $ARGV[1], 0);
        local $/; my $d = <$f> // ""; my $m = 0;
        for my $s (unpack("s<*", $d)) { $m = abs($s) if abs($s) > $m }
        print $m' "$SDL_DISKAUDIOFILE" "$from"
}
expect_music() { # on|off what
    local level
    # What was mixed before the switch still reaches the file for a moment.
    sleep 0.5
    level=$(loudness 1.5)
    if [ "$1" = on ]; then
        [ "$level" -gt 500 ] || fail "$2: no music (peak $level)"
    else
        expect_eq "$level" 0 "$2: silence"
    fi
}
start_menu() {
    launch "$1" "$prog/wiklotek"
    menu=$(wait_window "^Wiklotek Cz.I$")
    wait_splash_gone
    find_play_area
    # Without a window manager the menu becomes active, and may play, at the first click: one
    # on the grass, where nothing answers.
    local at
    at=$(scaled 60 740)
    # shellcheck disable=SC2086
    xdotool mousemove --sync $at click 1
}
click_speaker() {
    local at
    at=$(scaled $SPEAKER $SPEAKER_Y)
    # shellcheck disable=SC2086
    xdotool mousemove --sync $at click 1
}

start_menu first
expect_music on "a first start"
import -window root "$WORK/on.png"
press_in "$menu" m
expect_music off "after M"
expect_eq "$(ini_value "$ini" DaneProgramu Muzyka)" 0 "stored after M"
press_in "$menu" Escape
expect_eq "$(wait_exit first)" 0 "exit status"

start_menu second
expect_music off "a restart"
# The crossed speaker shows where the speaker with its waves was.
import -window root "$WORK/off.png"
at=$(scaled $((1024 - 250)) 16)
crop="$(awk -v s="$PLAY_SCALE" 'BEGIN { printf "%dx%d", 48 * s, 48 * s }')+${at/ /+}"
[ "$(compare -metric AE -crop "$crop" "$WORK/on.png" "$WORK/off.png" null: 2>&1)" -gt 100 ] ||
    fail "the speaker looks the same on and off"
click_speaker
expect_music on "after the speaker"
sleep 0.6
expect_eq "$(ini_value "$ini" DaneProgramu Muzyka)" 1 "stored after the speaker"
click_speaker
expect_music off "after the speaker again"
press_in "$menu" M
expect_music on "after a capital M"
press_in "$menu" Escape
expect_eq "$(wait_exit second)" 0 "exit status"

start_menu third
expect_music on "the last restart"
press_in "$menu" Escape
expect_eq "$(wait_exit third)" 0 "exit status"
expect_eq "$(ini_value "$ini" DaneProgramu Muzyka)" 1 "kept at the end"
echo PASS
