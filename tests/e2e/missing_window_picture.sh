#!/usr/bin/env bash
# The windows the menu opens are made only when first asked for, yet a picture one of them
# needs that is missing, cut or damaged is still found before the menu shows: error 1, shown,
# nothing of the menu seen.
source "$(dirname "$0")/lib.sh"

# damage FILE HOW: the program's own copy of a data file made missing or broken, never the
# pack's file (the program folder holds links to it).
damage() {
    local file=$1 how=$2 real size
    real=$(readlink -f "$file")
    size=$(stat -c %s "$real")
    rm "$file"
    case $how in
    missing) ;;
    text) echo "not a picture" >"$file" ;;
    cut700) head -c 700 "$real" >"$file" ;;
    cut) head -c $((size * 2 / 3)) "$real" >"$file" ;;
    damaged) # a marker in the middle of the compressed data
        cp "$real" "$file"
        printf '\xff\xd9' | dd of="$file" bs=1 seek=$((size / 2)) conv=notrunc status=none ;;
    huge) # a whole PNG header declaring 8192 x 8192 pixels, then two bytes of picture data
        printf '\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x20\x00\x00\x00\x20\x00' >"$file"
        printf '\x08\x02\x00\x00\x00\xfd\xc8\x5d\x0e\x00\x00\x00\x02IDAT\x78\x9c\x62\xa4' >>"$file"
        printf '\x91\x2b\x00\x00\x00\x00IEND\xae\x42\x60\x82' >>"$file" ;;
    esac
}

# screen size, the file in the program's Data folder, what is done to it
cases=(
    "1024x768 Intf/Spec/mT_Mem_b.xji missing"
    "1024x768 Intf/Spec/mT_Pod_b3.xji missing"
    "1024x768 Intf/Spec/Ring_b.xji missing"
    "1024x768 Intf/Lib/nast_M.png missing"
    "1024x768 Intf/Spec/mT_OPro_b.xji missing"
    "1024x768 Intf/Spec/mT_m4_b.xbi missing"
    "1024x768 Intf/Lib/S_CHBUT_D.png missing"
    # A picture whose header is whole but whose body is not fails when its window opens.
    "1024x768 Intf/Spec/mT_Pod_b3.xji damaged"
    "1024x768 Intf/Spec/mT_Uzu_b.xji cut700"
    "1024x768 Intf/Spec/RingM_b.xji cut"
    "1024x768 Intf/Lib/pomoc_M.png huge"
    "800x600 Intf/Spec/mT_Uzu_s.xji missing"
    "800x600 Intf/Spec/mKom_kp.xji missing"
    # A picture that is there but is no picture is as missing as one that is not there.
    "800x600 Intf/Spec/mT_Spa_s.xbi text"
)
current_size=
for row in "${cases[@]}"; do
    read -r size file how <<<"$row"
    if [ "$size" != "$current_size" ]; then
        [ -n "$XVFB_PID" ] && kill "$XVFB_PID"
        start_x "$size"
        current_size=$size
    fi
    prog="$WORK/prog-${file//\//_}-$how"
    make_program_dir "$prog" with-data
    damage "$prog/Data/$file" "$how"
    launch app "$prog/wiklotek"
    box=$(wait_window "Wiklotek Cz.I - Błąd")
    menu=$(xdotool search --onlyvisible --name "^Wiklotek Cz.I$" 2>/dev/null || true)
    [ -z "$menu" ] || fail "$file $how: the menu showed before the error"
    press_in "$box" Return
    expect_eq "$(wait_exit app)" 1 "$file $how"
done
echo PASS
