#!/usr/bin/env bash
# FIFOs and links to /dev/zero in place of the word pictures and sounds count as missing files:
# the completing game shows its words and says them with the program neither hanging in an
# open() nor reading gigabytes, and it ends as usual.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=0 # sounds play at once: the test waits less
source "$(dirname "$0")/lib.sh"
export SDL_DISKAUDIOFILE="$WORK/played.raw"


start_x 1024x768
prog="$WORK/prog"
make_program_dir "$prog" with-data
# Every word's big completing picture and sound: half of them FIFOs, half links to /dev/zero.
n=0
for file in "$prog"/Data/Bio/*_upb.xji "$prog"/Data/Smd/*.pw; do
    rm "$file"
    if ((n++ % 2)); then mkfifo "$file"; else ln -s /dev/zero "$file"; fi
done
cd "$prog"
launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
click_at 805 400 # the completing tab
click_at 233 404 # SZ
click_at 224 532 # nagłos
click_at 224 276 # mało
click_at 582 689 # start
wait_window "^Uzupełnianie$" 10 >/dev/null
# Both sound buttons: one of them is right, and the word is then said.
for x in 243 795; do
    click_at $x 411
    sleep 3
done
click_at 961 235 # stop
summary=$(wait_window "^Koniec gry$" 10)
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 360)) $((Y + 370))
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"
echo PASS
