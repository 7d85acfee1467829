#!/usr/bin/env bash
# The therapist's own word models, end to end: a folder of WAVE files is imported with
# --import-models (each file's line says what became of it), the completing game then says its
# words with the imported recordings and not with the pack's, and --export-models writes files
# that --import-models takes back. The imported "recordings" are a 440 Hz tone that no word of
# the pack sounds like, so the sound the program played (SDL's disk driver writes it to a file)
# tells which of the two was heard. Damaged models are skipped: the pack's word plays.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=0 # sounds play at once: the test waits less
source "$(dirname "$0")/lib.sh"

start_x 1024x768
own="$WORK/own"
plain="$WORK/plain"
make_program_dir "$own" with-data
make_program_dir "$plain" with-data

# write_takes DIR: a take for every word of the pack whose key starts with "s" as "<key>.wav"
# (the completing game draws SZ's words and its partner S's, so whichever word it says has
# one), and one for "żaba.wav" named by its written word: 0.2 s of silence, 0.6 s of a 440 Hz
# tone, 0.2 s of silence at 22050 Hz. Also a file whose name is no word and a "phrase" that is
# not a WAVE file. Prints the number of takes.
write_takes() {
    local dir=$1
    mkdir -p "$dir"
    python3 - "$dir" "$own"/Data/Smd/s*.pw "$own/Data/Smd/zaba.pw" <<'EOF'
import math, os, struct, sys, wave
folder, packs = sys.argv[1], sys.argv[2:]
rate = 22050
tone = [int(12000 * math.sin(2 * math.pi * 440 * i / rate)) for i in range(int(0.6 * rate))]
silence = [0] * int(0.2 * rate)
frames = struct.pack("<%dh" % (2 * len(silence) + len(tone)), *(silence + tone + silence))
keys = [os.path.basename(p)[:-3] for p in packs]
names = ["żaba" if k == "zaba" else k for k in keys] + ["nieznane-slowo"]
for name in names:
    with wave.open(os.path.join(folder, name + ".wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)
with open(os.path.join(folder, "g00.wav"), "w") as f:
    f.write("to nie jest nagranie\n")
print(len(keys))
EOF
}

# heard RAW: what the program played (SDL's disk driver writes the device's 16-bit mono
# 22050 Hz samples): the longest stretch, in seconds, whose energy is nearly all at 440 Hz, and
# how many of the pack's words are in it sample for sample.
heard() {
    python3 - "$1" "$own"/Data/Smd/*.pw <<'EOF'
import array, math, sys, wave
rate, n = 22050, 1024
coeff = 2 * math.cos(2 * math.pi * 440 / rate)
longest = run = 0
zero = bytes(2 * n)
played = bytearray()  # the sounds without the silences between them
with open(sys.argv[1], "rb") as f:
    while True:
        chunk = f.read(2 * n)
        if len(chunk) < 2 * n:
            break
        if chunk == zero:
            run = 0
            continue
        played += chunk
        x = array.array("h", chunk)
        energy = sum(v * v for v in x)
        s1 = s2 = 0.0
        for v in x:
            s1, s2 = v + coeff * s1 - s2, s1
        power = s1 * s1 + s2 * s2 - coeff * s1 * s2
        # A pure tone of the Goertzel frequency gives 1; speech and silence far less.
        ratio = 2 * power / (n * energy) if energy > n * 100 ** 2 else 0
        run = run + 1 if ratio > 0.8 else 0
        longest = max(longest, run)
words = 0
for path in sys.argv[2:]:
    with wave.open(path) as w:
        samples = w.readframes(w.getnframes())
    # A loud piece of the word from its middle on: a silent one would be found anywhere.
    at = len(samples) // 4 * 2
    piece = lambda: samples[at : at + 2 * n]
    while len(piece()) == 2 * n and max(map(abs, array.array("h", piece()))) < 1000:
        at += 2 * n
    words += len(piece()) == 2 * n and played.find(piece()) >= 0
print("%.2f %d" % (longest * n / rate, words))
EOF
}

# play_completing DIR RAW: the completing game with SZ at nagłos, both sound buttons clicked
# (one is right, and the word is then said), stopped, and the program closed.
play_completing() {
    local prog=$1
    export SDL_DISKAUDIOFILE=$2
    cd "$prog"
    launch app "$prog/wiklotek"
    local menu summary
    menu=$(wait_window "^Wiklotek Cz.I$")
    wait_splash_gone
    click_at 805 400 # the completing tab
    click_at 233 404 # SZ
    click_at 224 532 # nagłos
    click_at 224 276 # mało
    click_at 582 689 # start
    wait_window "^Uzupełnianie$" 10 >/dev/null
    for x in 243 795; do
        click_at $x 411 3 # a wrong answer holds the buttons for two seconds
    done
    click_at 961 235 # stop
    summary=$(wait_window "^Koniec gry$" 10)
    eval "$(xdotool getwindowgeometry --shell "$summary")"
    click_at $((X + 360)) $((Y + 370))
    press_in "$menu" Escape
    expect_eq "$(wait_exit app)" 0 "exit status"
    cd "$WORK"
}

# An empty folder imports nothing.
mkdir "$WORK/empty"
status=0
"$own/wiklotek" --import-models "$WORK/empty" >"$WORK/empty.out" 2>&1 || status=$?
expect_eq "$status" 2 "importing an empty folder"

keys=$(write_takes "$WORK/takes")
status=0
"$own/wiklotek" --import-models "$WORK/takes" >"$WORK/import.out" 2>"$WORK/import.err" || status=$?
cat "$WORK/import.err" >&2
expect_eq "$status" 0 "importing the takes"
grep -qxF "żaba.wav: zaimportowano jako „żaba”" "$WORK/import.out" ||
    fail "no line for the take named by its written word: $(head -3 "$WORK/import.out")"
grep -qxF "szalik.wav: zaimportowano jako „szalik”" "$WORK/import.out" ||
    fail "no line for the take named by its key"
grep -qxF "nieznane-slowo.wav: pominięto: nazwa nie jest żadnym wyrazem ani zwrotem" \
    "$WORK/import.out" || fail "no line for the unknown name"
grep -qxF "g00.wav: pominięto: to nie jest czytelny plik WAVE" "$WORK/import.out" ||
    fail "no line for the file that is not a WAVE file"
expect_eq "$(grep -c ': zaimportowano jako „' "$WORK/import.out")" "$keys" "imported lines"
expect_eq "$(grep -c . "$WORK/import.out")" $((keys + 3)) "lines printed"
expect_eq "$(ls "$own/Wzorce" | grep -c '\.pw$')" "$keys" "models saved"
for key in zaba szalik; do
    [ -s "$own/Wzorce/$key.pw" ] || fail "no model $key.pw"
done
[ ! -e "$own/Wzorce/g00.pw" ] || fail "the unreadable file was saved as a model"

play_completing "$own" "$WORK/own.raw"
# The other folder's models of the same words are damaged (a header cut short): each is
# skipped and the pack's word plays instead.
mkdir -p "$plain/Wzorce"
for file in "$own"/Wzorce/*.pw; do
    head -c 30 "$file" >"$plain/Wzorce/$(basename "$file")"
done
play_completing "$plain" "$WORK/plain.raw"
read -r tone words < <(heard "$WORK/own.raw")
read -r plain_tone plain_words < <(heard "$WORK/plain.raw")
echo "with the models: $tone s of 440 Hz, $words pack words; damaged: $plain_tone s, $plain_words"
awk -v s="$tone" 'BEGIN { exit !(s >= 0.4) }' || fail "the imported model was not played"
expect_eq "$words" 0 "pack words played over the models"
expect_eq "$plain_words" 1 "pack words played instead of damaged models"
awk -v s="$plain_tone" 'BEGIN { exit !(s < 0.1) }' || fail "a 440 Hz tone played from damaged models"

# What --export-models writes, another program folder takes back.
status=0
"$own/wiklotek" --export-models "$WORK/out" >"$WORK/export.out" || status=$?
expect_eq "$status" 0 "exporting"
expect_eq "$(ls "$WORK/out" | grep -c '\.wav$')" "$keys" "files exported"
[ -s "$WORK/out/żaba.wav" ] || fail "no żaba.wav exported"
status=0
"$plain/wiklotek" --import-models "$WORK/out" >"$WORK/reimport.out" || status=$?
expect_eq "$status" 0 "importing the exported files"
expect_eq "$(grep -c ': zaimportowano jako „' "$WORK/reimport.out")" "$keys" "files imported back"
expect_eq "$(ls "$plain/Wzorce" | grep -c '\.pw$')" "$keys" "models imported back"
echo PASS
