#!/usr/bin/env bash
# The Debian package as a parent installs it on a fresh Debian: a minimal system of this
# machine's release is made with debootstrap, `apt install ./wiklotek_*.deb` pulls in what the
# program needs, and a user of that system starts the program with the command of its menu
# entry under Xvfb (Polish locale), plays a Memory game, saves the progress table through Qt's
# file dialog and quits. Afterwards the user's files are in their home and the installed files
# are as the package made them (the window and Qt's catalogue are e2e_package's checks).
# Needs root (debootstrap, chroot) and the Debian mirror this machine installs from; the package
# is the one e2e_package built.
source "$(dirname "$0")/lib.sh"
skip=77
: "${WK_PACKAGE_OUT:?WK_PACKAGE_OUT must name the folder e2e_package leaves the package in}"

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a fresh system to install into needs root (debootstrap and chroot)"
    exit $skip
fi
for tool in debootstrap unshare chroot; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/setup installs debootstrap)"
        exit $skip
    fi
done
deb=$(ls "$WK_PACKAGE_OUT"/wiklotek_*_amd64.deb 2>/dev/null | head -n 1 || true)
if [ ! -s "$deb" ]; then
    echo "SKIP: no package in $WK_PACKAGE_OUT (e2e_package leaves one there when it passes)"
    exit $skip
fi

# This machine's release, from the mirror its own apt reads.
. /etc/os-release
release=${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -v security | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

root="$WORK/fresh"
started=$(date +%s)
if ! debootstrap --variant=minbase "$release" "$root" "$mirror" >"$WORK/debootstrap.log" 2>&1; then
    echo "SKIP: debootstrap could not make a $release system from $mirror:"
    tail -n 5 "$WORK/debootstrap.log"
    exit $skip
fi
# The same sources as this machine's apt: its updates and security fixes too.
rm -f "$root/etc/apt/sources.list"
cp -r /etc/apt/sources.list* "$root/etc/apt/"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# "${in_root[@]}" COMMAND...: runs in the fresh system, with its own /proc and /dev/shm mounted
# in a private mount namespace, so that nothing stays mounted inside $WORK when the command
# ends. Every step execs the next: a launched program's pid is the program's own.
in_root=(unshare --mount --propagation private -- bash -c
    'mount -t proc proc "$0/proc" && mount -t tmpfs shm "$0/dev/shm" && exec chroot "$0" "$@"'
    "$root")

cp "$deb" "$root/tmp/"
"${in_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >"$WORK/apt.log" 2>&1 ||
    fail "apt-get update in the fresh system: $(tail -n 5 "$WORK/apt.log")"
"${in_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "/tmp/$(basename "$deb")" \
    >>"$WORK/apt.log" 2>&1 || fail "apt install of the package: $(tail -n 20 "$WORK/apt.log")"
echo "installed on a fresh $release in $(($(date +%s) - started)) s:" \
    "$(grep -o '[0-9]* newly installed' "$WORK/apt.log")"

# A user of the fresh system, starting the command of the menu entry.
"${in_root[@]}" useradd --create-home --shell /bin/bash ola
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/pl.wiklotek.Wiklotek.desktop")
[ -n "$exec_line" ] || fail "the installed desktop entry has no Exec line"
start_x 1024x768
# Xvfb also listens on an abstract socket, which the chroot reaches without its socket folder.
launch app "${in_root[@]}" setpriv --reuid=ola --regid=ola --init-groups --reset-env \
    env DISPLAY="$DISPLAY" LANG=pl_PL.UTF-8 SDL_AUDIODRIVER=dummy sh -c "cd && exec $exec_line"
menu=$(wait_window "^Wiklotek Cz.I$" 30)
wait_splash_gone

# A Memory game started and stopped, then its row saved from the progress view.
choose_memory big
click_at "${START[@]}"
game=$(wait_window "^Memory$" 10)
sleep 0.5
click_at $((BOARD_X + 38)) $((BOARD_Y + 47))
sleep 1
press_in "$game" Escape
leave_summary
click_at $((1024 / 2 - 255 + 42)) $((768 - 768 / 7 + 36))
progress=$(wait_window "^Wiklotek Cz.I - Post" 15)
sleep 1
# Qt's own save dialog.
click_at 95 733
dialog=$(wait_window "^Zapisz tabel" 10)
press_in "$dialog" Return
sleep 1
press_in "$progress" Escape
sleep 0.5
press_in "$menu" Escape
expect_eq "$(wait_exit app 20)" 0 "exit status of the installed program"

home="$root/home/ola"
for file in .local/share/wiklotek/data.ini .local/share/wiklotek/prgst1.stt \
    .local/share/wiklotek/dziennik.sqlite postepy.csv; do
    [ -s "$home/$file" ] || fail "no $file in the user's home"
done
grep -q '^.*Memory;mało;SZ;nagłos;' "$home/postepy.csv" || fail "the saved table lacks the game"
# The fresh system's user is unknown here: compared by number.
expect_eq "$(stat -c %u "$home/.local/share/wiklotek/prgst1.stt")" \
    "$("${in_root[@]}" id -u ola)" "owner of the statistics file"
# Nothing the program did changed an installed file.
"${in_root[@]}" dpkg --verify wiklotek >"$WORK/verify" 2>&1 || fail "dpkg --verify: $(cat "$WORK/verify")"
expect_eq "$(cat "$WORK/verify")" "" "installed files changed"
echo PASS
