#!/usr/bin/env bash
# The recordings tab as a therapist uses it: choose a line, type a Polish name, record two
# seconds of a tone fed to the capture device, stop, play it back, leave with Escape; after a
# restart the name, the date and the recording are still there. SDL's disk driver stands in
# for the microphone and the loudspeaker. WK_SHOTS=DIR keeps the screenshots.
source "$(dirname "$0")/lib.sh"

NAME='Zosia Żółć-Łęcka'
TODAY=$(date +%d-%m-%Y)

# A 440 Hz tone, raw signed 16-bit little-endian, 22050 Hz mono, longer than any recording.
perl -e 'for my $i (0 .. 22050 * 20 - 1) {
    print pack("s<", int(9000 * sin(2 * 3.14159265 * 440 * $i / 22050)));
}' >"$WORK/tone.raw"

export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILEIN="$WORK/tone.raw"
export SDL_DISKAUDIOFILE="$WORK/played.raw"

# peak FILE OFFSET: the largest absolute sample from byte OFFSET on.
peak() {
    perl -e 'open(my $f, "<:raw", $ARGV[0]) or die; seek($f, $ARGV[1], 0);
        local $/; my $d = <$f> // ""; my $m = 0;
        for my $s (unpack("s<*", $d)) { $m = abs($s) if abs($s) > $m }
        print $m' "$1" "$2"
}
# le32 FILE OFFSET
le32() { perl -e 'open(my $f, "<:raw", $ARGV[0]) or die; seek($f, $ARGV[1], 0);
    read($f, my $b, 4); print unpack("V", $b)' "$1" "$2"; }
size_of() { stat -c %s "$1"; }

shot() {
    import -window root "$WORK/$1.png"
    if [ -n "${WK_SHOTS:-}" ]; then mkdir -p "$WK_SHOTS" && cp "$WORK/$1.png" "$WK_SHOTS/"; fi
}

# Darker pixels than the white field in a rectangle WxH+X+Y of a screenshot: text drawn there.
ink() {
    convert "$WORK/$1.png" -crop "$2" +repage -colorspace Gray -threshold 50% \
        -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

# wait_for CONDITION-COMMAND SECONDS WHAT
wait_for() {
    for _ in $(seq $(($2 * 10))); do
        if eval "$1"; then return 0; fi
        sleep 0.1
    done
    fail "$3"
}

# Big variant: strip at (705, 95), recordings band 460..570; rows from y 220, 32 apart;
# edits at x 270, dates at x 495, check buttons at x 600; buttons 76 x 70 on y 548.
start_x 1024x768
prog="$WORK/prog"
make_program_dir "$prog" with-data
xtr="$prog/Nagrane/record.xtr"
wav="$prog/Nagrane/Nagranie2.wav"
row_y=$((220 + 2 * 32 + 13))

launch app "$prog/wiklotek"
id=$(wait_window '^Wiklotek Cz\.I$')
sleep 3
[ -f "$xtr" ] || fail "no catalogue after the start"
expect_eq "$(grep -c '^\[Nagranie' "$xtr")" 30 "places in a new catalogue"

xdotool mousemove 805 595 click 1
sleep 0.5
shot tab5
# The third line: its edit selects it; then the name as typed on a Polish keyboard.
xdotool mousemove 330 "$row_y" click 1
sleep 0.3
# Letters outside the keymap are typed through a remapped key; on a busy machine the program
# may read a key before its new mapping, so they go slowly.
xdotool type --delay 150 "$NAME"
sleep 0.3
xdotool mousemove 530 580 click 1 # rrec
sleep 0.3
shot recording
sleep 2
xdotool mousemove 490 580 click 1 # rstop (in the middle while busy)
sleep 0.5
shot stopped
[ -f "$wav" ] || fail "no recording file"
bytes=$(size_of "$wav")
[ "$bytes" -gt $((46 + 2 * 44100 * 8 / 10)) ] || fail "recording too short: $bytes bytes"
[ "$bytes" -lt $((46 + 5 * 44100)) ] || fail "recording too long: $bytes bytes"
expect_eq "$(le32 "$wav" 4)" $((bytes - 8)) "RIFF size"
expect_eq "$(le32 "$wav" 42)" $((bytes - 46)) "data size"
[ "$(peak "$wav" 46)" -gt 8000 ] || fail "the recording holds no tone"

# Playback: what reaches the loudspeaker after the click is the tone again.
played_from=$(size_of "$WORK/played.raw")
xdotool mousemove 450 580 click 1 # rodtworz
sleep 3.5
[ "$(peak "$WORK/played.raw" "$played_from")" -gt 8000 ] || fail "playback was silent"
shot played

press_in "$id" Escape
expect_eq "$(wait_exit app)" 0 "Escape"
expect_eq "$(ini_value "$xtr" Nagranie2 Nazwa)" "$NAME" "stored name"
expect_eq "$(ini_value "$xtr" Nagranie2 Plik)" Nagranie2 "stored file"
expect_eq "$(ini_value "$xtr" Nagranie2 Data)" "$TODAY" "stored date"
expect_eq "$(ini_value "$xtr" Nagranie3 Plik)" "" "other places untouched"

# Second run: the line shows a date (and the line below none), and choosing the line by its
# check button, without touching the name, plays the recording: the name was found again.
launch app2 "$prog/wiklotek"
id=$(wait_window '^Wiklotek Cz\.I$')
sleep 3
xdotool mousemove 805 595 click 1
sleep 0.5
shot restarted
[ "$(ink restarted "90x18+500+$((row_y - 9))")" -gt 20 ] || fail "no date on the recorded line"
expect_eq "$(ink restarted "90x18+500+$((row_y + 32 - 9))")" 0 "date on a line never recorded"
[ "$(ink restarted "200x18+280+$((row_y - 9))")" -gt 20 ] || fail "no name on the recorded line"
xdotool mousemove 614 "$row_y" click 1
sleep 0.3
played_from=$(size_of "$WORK/played.raw")
xdotool mousemove 450 580 click 1
sleep 3.5
[ "$(peak "$WORK/played.raw" "$played_from")" -gt 8000 ] || fail "the recording was not found again"
[ -z "$(xdotool search --onlyvisible --name '^Komunikat$' 2>/dev/null || true)" ] ||
    fail "a notice came up instead of the playback"
press_in "$id" Escape
expect_eq "$(wait_exit app2)" 0 "Escape after the restart"

# Third run without a microphone (the capture device cannot be opened): "Nagraj" tells so in
# a message, the buttons are as before, and the line keeps no recording.
export SDL_DISKAUDIOFILEIN="$WORK/no-such-microphone.raw"
launch app3 "$prog/wiklotek"
id=$(wait_window '^Wiklotek Cz\.I$')
sleep 3
xdotool mousemove 805 595 click 1
sleep 0.5
shot before
xdotool mousemove 330 $((row_y + 32)) click 1
sleep 0.3
xdotool type --delay 150 "Ola"
xdotool mousemove 530 580 click 1 # rrec
wait_for '[ "$(xdotool search --onlyvisible --name "^Wiklotek Cz\.I$" | wc -l)" -ge 2 ]' 5 \
    "no message without a microphone"
shot message
box=$(xdotool search --onlyvisible --name '^Wiklotek Cz\.I$' | grep -vx "$id" | head -n 1)
press_in "$box" Return
sleep 0.5
shot after
expect_eq "$(compare -metric AE -crop 300x80+400+545 "$WORK/before.png" "$WORK/after.png" null: 2>&1)" \
    0 "the panel's buttons after the message"
press_in "$id" Escape
expect_eq "$(wait_exit app3)" 0 "Escape after the message"
expect_eq "$(ini_value "$xtr" Nagranie3 Plik)" "" "a place recorded without a microphone"
[ ! -e "$prog/Nagrane/Nagranie3.wav" ] || fail "an empty recording file was kept"
echo PASS
