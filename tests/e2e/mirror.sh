#!/usr/bin/env bash
# The sibilant mirror as a child uses it: SDL's disk driver stands in for the microphone and
# gives a held "sz" (noise around 4.3 kHz) and then a held "s" (around 7.8 kHz); the mirror's
# ball must stand on the sz side during the first and on the s side during the second, and the
# held sz earns a star. The ball is found on the screen by its colour.
source "$(dirname "$0")/lib.sh"

export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILEIN="$WORK/held.raw"
export SDL_DISKAUDIOFILE="$WORK/played.raw"

# Raw 16-bit little-endian at 44100 Hz: 0.5 s quiet, 2.5 s sz, 1 s quiet, 2.5 s s, then quiet.
python3 - "$WORK/held.raw" <<'PY'
import math, random, struct, sys
rate = 44100
out = bytearray()
random.seed(5)
def quiet(seconds):
    for _ in range(int(seconds * rate)):
        out.extend(struct.pack('<h', random.randint(-20, 20)))
def held(centre, seconds):
    # White noise through a resonator at the centre frequency: a sibilant's frication.
    r, theta, y1, y2 = 0.97, 2 * math.pi * centre / rate, 0.0, 0.0
    for _ in range(int(seconds * rate)):
        y = random.gauss(0, 1) + 2 * r * math.cos(theta) * y1 - r * r * y2
        y2, y1 = y1, y
        out.extend(struct.pack('<h', int(max(-32000, min(32000, 300 * y)))))
quiet(0.5); held(4300, 2.5); quiet(1.0); held(7800, 2.5); quiet(60)
open(sys.argv[1], 'wb').write(out)
PY

# side: where the ball (#E91E63) is on the scale's track, from a screenshot: s, sz, middle or
# none. The big variant's scale spans x 20..1004, its track y 150..250.
side() {
    import -window root "$WORK/shot.png"
    local third count
    for third in 0 1 2; do
        count=$(convert "$WORK/shot.png" -crop "328x110+$((20 + third * 328))+145" +repage \
            -fuzz 6% -fill black -opaque '#E91E63' -fill white +opaque black -negate \
            -format '%[fx:int(mean*w*h+0.5)]' info:)
        if ((count > 200)); then
            case $third in 0) echo s ;; 1) echo middle ;; 2) echo sz ;; esac
            return
        fi
    done
    echo none
}

# wait_side WANTED SECONDS
wait_side() {
    local seen tries=$(($2 * 5 * ${WK_TIME_SCALE:-1}))
    for _ in $(seq "$tries"); do
        seen=$(side)
        [ "$seen" = "$1" ] && return 0
        sleep 0.2
    done
    fail "the ball never stood on the $1 side (last seen: $seen)"
}

start_x 1024x768
prog="$WORK/prog"
make_program_dir "$prog" with-data
cd "$prog"
launch app "$prog/wiklotek"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
click_at 689 695 # "Lusterko", right of "Start"
mirror=$(wait_window "^Wiklotek Cz.I - Lusterko$" 10)
wait_side sz 8
# The star under the scale (yellow) once the sz has been held a second.
wait_star() {
    for _ in $(seq $((40 * ${WK_TIME_SCALE:-1}))); do
        import -window root "$WORK/star.png"
        stars=$(convert "$WORK/star.png" -crop "400x70+312+255" +repage -fuzz 12% \
            -fill black -opaque '#FCD53F' -fill white +opaque black -negate \
            -format '%[fx:int(mean*w*h+0.5)]' info:)
        ((stars > 100)) && return 0
        sleep 0.1
    done
    fail "no star for the held sz"
}
wait_star
wait_side s 8
press_in "$mirror" Escape
press_in "$menu" Escape
expect_eq "$(wait_exit app)" 0 "exit status"
echo PASS
