#!/usr/bin/env bash
# The program as a packager installs it (cmake --install with DESTDIR and the /usr prefix) and
# as a user then starts it: the installed tree, its desktop entry and metainfo checked by the
# desktop's own validators, the command line answered without a display, and the program run
# from a read-only install by a user of its own. That user's settings, statistics and
# recordings live in the user's data folder: a Memory game played and stopped leaves its record
# there, and settings chosen in the menu survive a restart.
source "$(dirname "$0")/lib.sh"
: "${WK_BUILD_DIR:?WK_BUILD_DIR must name the build folder to install from}"

dest="$WORK/dest"
# The install is made read-only below: writable again before the work folder goes.
trap 'chmod -R u+w "$dest" 2>/dev/null || true; cleanup' EXIT
usr="$dest/usr"
app_id=pl.wiklotek.Wiklotek
if [ -d "$WK_BUILD_DIR/Data/Intf" ]; then
    DESTDIR="$dest" cmake --install "$WK_BUILD_DIR" --prefix /usr >/dev/null
else
    # A build without its own pack (the sanitizer build): everything but the pack, which is
    # then borrowed as the tests borrow it.
    DESTDIR="$dest" cmake --install "$WK_BUILD_DIR" --prefix /usr --component Unspecified \
        >/dev/null
    [ -d "$WK_DATA/Intf" ] || fail "no data pack at $WK_DATA"
    cp -r "$(cd "$WK_DATA" && pwd)/." "$usr/share/wiklotek/Data"
    rm -f "$usr/share/wiklotek/Data/data.ini" "$usr/share/wiklotek/Data/.datagen-manifest"
fi

# The tree.
[ -x "$usr/bin/wiklotek" ] || fail "no bin/wiklotek"
for path in share/wiklotek/Data/Intf/Spec share/wiklotek/Data/Intf/Lib share/wiklotek/Data/Sio \
    share/wiklotek/Data/Bio share/wiklotek/Data/Smd; do
    [ -d "$usr/$path" ] || fail "no $path"
done
for path in share/wiklotek/Podrecznik.html "share/applications/$app_id.desktop" \
    "share/metainfo/$app_id.metainfo.xml" share/icons/hicolor/scalable/apps/wiklotek.svg \
    share/doc/wiklotek/LICENSE; do
    [ -s "$usr/$path" ] || fail "no $path"
done
for size in 16 24 32 48 64 128 256 512; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/wiklotek.png"
    [ -s "$icon" ] || fail "no ${size}x${size} icon"
    expect_eq "$(identify -format %wx%h "$icon")" "${size}x${size}" "size of the $size icon"
done
leftovers=$(find "$dest" \( -name data.ini -o -name .datagen-manifest -o -name 'prgst*' \
    -o -name Nagrane \) -print)
expect_eq "$leftovers" "" "user files in the installed tree"
[ ! -e "$usr/wiklotek" ] || fail "a PREFIX/wiklotek folder was installed"

# The desktop's validators.
desktop-file-validate "$usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" >"$WORK/appstream" ||
    fail "appstreamcli validate: $(cat "$WORK/appstream")"
grep -q '^Exec=wiklotek$' "$usr/share/applications/$app_id.desktop" || fail "Exec line"
grep -q '^Icon=wiklotek$' "$usr/share/applications/$app_id.desktop" || fail "Icon line"

# The command line, as in a terminal over ssh: no display at all.
version=$(env -u DISPLAY "$usr/bin/wiklotek" --version) || fail "--version failed"
expect_eq "$version" "Wiklotek Cz.I 1.6" "--version"
env -u DISPLAY "$usr/bin/wiklotek" --help >"$WORK/help" || fail "--help failed"
grep -q "Użycie: wiklotek" "$WORK/help" || fail "no Polish usage in --help"
grep -q "Usage: wiklotek" "$WORK/help" || fail "no English usage in --help"

# A read-only install and a user of its own, with a home folder, a data folder and a runtime
# folder that user owns. Permissions do not stop root, so as root the program runs as nobody.
chmod -R a-w "$dest"
home="$WORK/home"
mkdir -p "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
as_user=()
if [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null || fail "setpriv is needed to run the program as nobody"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 755 "$WORK"
    chown -R 65534:65534 "$home"
fi
userdir="$home/data/wiklotek"
stats="$userdir/prgst1.stt"
ini="$userdir/data.ini"
run_installed=(env HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime"
    "${as_user[@]}" "$usr/bin/wiklotek")

start_x 1024x768

# First start from somewhere else, as a desktop menu would: the menu shows and the user's
# folder is made with its usual files.
cd "$home"
launch first "${run_installed[@]}"
menu=$(wait_window "^Wiklotek Cz.I$")
wait_splash_gone
[ -f "$ini" ] || fail "no data.ini in the user's data folder"
[ -f "$stats" ] || fail "no statistics file in the user's data folder"
[ -f "$userdir/Nagrane/record.xtr" ] || fail "no recordings catalogue in the user's data folder"
expect_eq "$(stat -c %s "$stats")" 20 "a new statistics file holds its header"

# The Memory tab, SZ, nagłos and mało by real clicks (the big screen variant), "start", two
# cards turned, then Escape stops the game and the summary's "stop" leads back to the menu.
click_at $((705 + 100)) $((95 + 200))
click_at 253 424
click_at 244 552
click_at 244 296
click_at 582 694
game=$(wait_window "^Memory$" 10)
sleep 0.5
click_at $((260 + 38)) $((260 + 47))
click_at $((360 + 38)) $((260 + 47))
sleep 1.5
press_in "$game" Escape
summary=$(wait_window "^Koniec gry$" 10)
eval "$(xdotool getwindowgeometry --shell "$summary")"
click_at $((X + 325 + 35)) $((Y + 340 + 30))
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Memory$" >/dev/null 2>&1 || break
    sleep 0.1
done
# The progress view comes from its module in the installed library folder.
click_at $((1024 / 2 - 255 + 42)) $((768 - 768 / 7 + 36))
progress=$(wait_window "^Wiklotek Cz.I - Post" 10)
press_in "$progress" Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Wiklotek Cz.I - Post" >/dev/null 2>&1 || break
    sleep 0.1
done
press_in "$menu" Escape
expect_eq "$(wait_exit first)" 0 "exit status of the first start"

expect_eq "$(stat -c %s "$stats")" 64 "statistics file with one record"
expect_eq "$(od -An -tu4 -j 20 -N 4 "$stats" | tr -d ' ')" 2 "game kind"
expect_eq "$(od -An -tu2 -j 50 -N 2 "$stats" | tr -d ' ')" 0 "completion flag of a stopped game"
expect_eq "$(ini_value "$ini" Memory Gloski)" 1 "Memory sounds"
expect_eq "$(ini_value "$ini" Memory Pozycja)" 4096 "Memory positions"
expect_eq "$(ini_value "$ini" Memory Poziom)" 1 "Memory task count"
expect_eq "$(ini_value "$ini" DaneProgramu Zakladka)" 2 "tab"
expect_eq "$(ini_value "$ini" DaneProgramu LU)" 0 "start counter after the first start"

# A restart reads them back: the exit saves the settings again, so anything not read would be
# lost now.
expect_eq "$(run_menu second "${run_installed[@]}")" 0 "exit status of the second start"
expect_eq "$(ini_value "$ini" Memory Gloski)" 1 "Memory sounds after a restart"
expect_eq "$(ini_value "$ini" Memory Pozycja)" 4096 "Memory positions after a restart"
expect_eq "$(ini_value "$ini" Memory Poziom)" 1 "Memory task count after a restart"
expect_eq "$(ini_value "$ini" DaneProgramu Zakladka)" 2 "tab after a restart"
expect_eq "$(ini_value "$ini" DaneProgramu LU)" 1 "start counter after the second start"
expect_eq "$(stat -c %s "$stats")" 64 "statistics kept"

# "z" checks the installed pack wherever it is started, with or without a display, and leaves
# no report when nothing is missing.
cd "$home"
status=0
env -u DISPLAY "${run_installed[@]}" z >"$WORK/stdout" 2>&1 || status=$?
expect_eq "$status" 0 "z from the home folder"
grep -q "all word resources exist in $usr/share/wiklotek/Data" "$WORK/stdout" ||
    fail "z: $(cat "$WORK/stdout")"
[ ! -e "$home/Raport zasobów.txt" ] || fail "z wrote a report although nothing is missing"
# With a file missing and started in a folder the user cannot write, the report goes into the
# user's data folder, and standard output says so.
chmod u+w "$usr/share/wiklotek/Data/Smd"
mv "$usr/share/wiklotek/Data/Smd/abecadlo.pw" "$WORK/abecadlo.pw"
chmod a-w "$usr/share/wiklotek/Data/Smd"
cd "$usr/share"
status=0
env -u DISPLAY "${run_installed[@]}" z >"$WORK/stdout" 2>&1 || status=$?
chmod u+w "$usr/share/wiklotek/Data/Smd"
mv "$WORK/abecadlo.pw" "$usr/share/wiklotek/Data/Smd/abecadlo.pw"
chmod a-w "$usr/share/wiklotek/Data/Smd"
expect_eq "$status" 1 "z with a file missing"
grep -q "1 files missing in $usr/share/wiklotek/Data, report written to $userdir/Raport zasobów.txt" \
    "$WORK/stdout" || fail "z: $(cat "$WORK/stdout")"
expect_eq "$(tail -n 1 "$userdir/Raport zasobów.txt")" $'Data/Smd/abecadlo.pw\r' "the missing file"
cd "$home"

# The install stayed as it was installed.
leftovers=$(find "$dest" \( -name data.ini -o -name 'prgst*' -o -name Nagrane \) -print)
expect_eq "$leftovers" "" "user files in the installed tree after the runs"
chmod -R u+w "$dest"
echo PASS
