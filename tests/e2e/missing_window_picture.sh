#!/usr/bin/env bash
# The windows the menu opens are made only when first asked for, yet a picture one of them
# needs is still missed before the menu shows: error 1, shown, nothing of the menu seen.
source "$(dirname "$0")/lib.sh"

# screen size, then the file removed from the program's Data folder
cases=(
    "1024x768 Intf/Spec/mT_Mem_b.xji"
    "1024x768 Intf/Spec/mT_Pod_b3.xji"
    "1024x768 Intf/Spec/Ring_b.xji"
    "1024x768 Intf/Lib/nast_M.png"
    "1024x768 Intf/Spec/mT_OPro_b.xji"
    "1024x768 Intf/Spec/mT_m4_b.xbi"
    "1024x768 Intf/Lib/S_CHBUT_D.png"
    "800x600 Intf/Spec/mT_Uzu_s.xji"
    "800x600 Intf/Spec/mKom_kp.xji"
)
current_size=
for row in "${cases[@]}"; do
    read -r size file <<<"$row"
    if [ "$size" != "$current_size" ]; then
        [ -n "$XVFB_PID" ] && kill "$XVFB_PID"
        start_x "$size"
        current_size=$size
    fi
    prog="$WORK/prog-${file//\//_}"
    make_program_dir "$prog" with-data
    rm "$prog/Data/$file"
    launch app "$prog/wiklotek"
    box=$(wait_window "Wiklotek Cz.I - Błąd")
    menu=$(xdotool search --onlyvisible --name "^Wiklotek Cz.I$" 2>/dev/null || true)
    [ -z "$menu" ] || fail "$file: the menu showed before the error"
    press_in "$box" Return
    expect_eq "$(wait_exit app)" 1 "$file missing"
done

# A picture that is there but is no picture is as missing as one that is not there.
prog="$WORK/prog-broken"
make_program_dir "$prog" with-data
rm "$prog/Data/Intf/Spec/mT_Spa_s.xbi"
echo "not a picture" >"$prog/Data/Intf/Spec/mT_Spa_s.xbi"
launch app "$prog/wiklotek"
box=$(wait_window "Wiklotek Cz.I - Błąd")
press_in "$box" Return
expect_eq "$(wait_exit app)" 1 "falling background unreadable"
echo PASS
