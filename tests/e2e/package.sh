#!/usr/bin/env bash
# The Debian package as a distribution builder makes it and a user then runs it: built from a
# copy of this source tree with dpkg-buildpackage (with no network when the machine allows
# it), checked by lintian, its contents and dependencies read, its desktop entry, metainfo and
# manual page validated, then unpacked into a temporary root (never installed on this machine)
# and started from there under Xvfb: the window carries the icon and the class the desktop
# entry names, Qt's Polish catalogue is loaded under a Polish locale only, and the user's
# files go to the user's data folder. The build takes both cores for about ten minutes: the
# package is built once and every check below reads that one build.
source "$(dirname "$0")/lib.sh"
: "${WK_SOURCE_DIR:?WK_SOURCE_DIR must name the source tree to package}"
skip=77

for tool in dpkg-buildpackage dpkg-deb dh fakeroot lintian; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/setup installs the packaging tools)"
        exit $skip
    fi
done

# The picture set the build was made with, or a fresh one from the npm registry.
pictures=${WK_PICTURE_SET:-}
if [ ! -s "$pictures/fluent-emoji-flat/icons.json" ]; then
    pictures="$WORK/pictureset"
    "$WK_SOURCE_DIR/scripts/fetch-picture-set" "$pictures" >/dev/null ||
        fail "no picture set, and scripts/fetch-picture-set could not fetch one"
fi

# A copy of the tree as it is (uncommitted changes too), without build folders or an earlier
# package build's leftovers; the package files land beside it. WK_PACKAGE_DIR (by hand only)
# keeps them in a folder of its own, and a package already built there is checked again as it
# is, without a new build.
version=$(dpkg-parsechangelog -l "$WK_SOURCE_DIR/debian/changelog" -S Version)
upstream=${version%-*}
out=${WK_PACKAGE_DIR:-$WORK/package}
mkdir -p "$out"
out=$(cd "$out" && pwd)
changes="$out/wiklotek_${version}_amd64.changes"
deb="$out/wiklotek_${version}_amd64.deb"
# WK_PACKAGE_OUT receives the checked package for e2e_package_install; an older one goes first,
# so that a failed build leaves none behind.
if [ -n "${WK_PACKAGE_OUT:-}" ]; then
    mkdir -p "$WK_PACKAGE_OUT"
    rm -f "$WK_PACKAGE_OUT"/wiklotek_*.deb
fi
if [ ! -s "$changes" ]; then
    src="$out/wiklotek-$upstream"
    rm -rf "$src"
    mkdir -p "$src"
    tar -C "$WK_SOURCE_DIR" --exclude=./.git --exclude='./build*' --exclude='./obj-*' \
        --exclude=./pictureset --exclude=./debian/wiklotek --exclude=./debian/.debhelper -cf - . |
        tar -C "$src" -xf -
    # No network inside the build, where a private network namespace can be had: the picture
    # set in place is all it may need from outside.
    offline=()
    if unshare --net true 2>/dev/null; then
        offline=(unshare --net)
    fi
    started=$(date +%s)
    (cd "$src" && WIKLOTEK_PICTURE_SET="$pictures" "${offline[@]}" \
        dpkg-buildpackage -b -us -uc -j2) >"$out/build.log" 2>&1 ||
        fail "dpkg-buildpackage: $(tail -n 30 "$out/build.log")"
    echo "package built in $(($(date +%s) - started)) s${offline:+ without network}"
    rm -rf "$src"
fi
[ -s "$deb" ] || fail "no $(basename "$deb"): $(ls "$out")"

# lintian: no error and no warning that the package's overrides do not explain.
lintian --fail-on error,warning "$changes" >"$WORK/lintian" 2>&1 ||
    fail "lintian: $(grep -v '^running with root' "$WORK/lintian")"

# What the package holds, and what it holds back: no user files, nothing outside /usr.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's,^\./,/,' >"$WORK/contents"
for path in /usr/bin/wiklotek '/usr/lib/*/wiklotek/wiklotek-progress.so' \
    /usr/share/wiklotek/Data/Intf/Spec/ /usr/share/wiklotek/Data/Sio/ /usr/share/wiklotek/Data/Smd/ \
    /usr/share/wiklotek/Podrecznik.html /usr/share/applications/pl.wiklotek.Wiklotek.desktop \
    /usr/share/metainfo/pl.wiklotek.Wiklotek.metainfo.xml \
    /usr/share/icons/hicolor/256x256/apps/wiklotek.png \
    /usr/share/icons/hicolor/scalable/apps/wiklotek.svg /usr/share/man/man6/wiklotek.6.gz \
    /usr/share/wiklotek/screenshots/menu.png /usr/share/doc/wiklotek/copyright \
    /usr/share/lintian/overrides/wiklotek; do
    grep -qx -- "${path//\*/[^/]*}" "$WORK/contents" || fail "the package has no $path"
done
strays=$(grep -E '(data\.ini|prgst[0-9]*\.stt|dziennik\.sqlite|/Nagrane/|\.datagen-manifest)' \
    "$WORK/contents" || true)
expect_eq "$strays" "" "user files in the package"
expect_eq "$(grep -v -e '^/$' -e '^/usr/' "$WORK/contents" || true)" "" "files outside /usr"

# The run-time needs the binary does not show: SDL (opened when sound is first needed), Qt's
# window-system plugins, a font for the child's letters; and the recommended extras.
depends=$(dpkg-deb -f "$deb" Depends)
for need in libsdl2-2.0-0 qt6-qpa-plugins 'fonts-sil-andika | fonts-dejavu-core' libqt6widgets6 \
    libqt6charts6; do
    grep -qF -- "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for want in qt6-translations-l10n xdg-utils; do
    grep -qF -- "$want" <<<"$recommends" || fail "Recommends lacks $want: $recommends"
done

# Unpacked into a root of its own, as apt would install it.
root="$WORK/root"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
entry="$usr/share/applications/pl.wiklotek.Wiklotek.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/pl.wiklotek.Wiklotek.metainfo.xml" \
    >"$WORK/appstream" 2>&1 || fail "appstreamcli validate: $(cat "$WORK/appstream")"
grep -q 'side="shortest">600<' "$usr/share/metainfo/pl.wiklotek.Wiklotek.metainfo.xml" ||
    fail "the metainfo does not ask for 600 pixels on the shortest side"
for shot in $(grep -o 'screenshots/[a-z]*\.png' "$usr/share/metainfo/pl.wiklotek.Wiklotek.metainfo.xml"); do
    [ -s "$usr/share/wiklotek/$shot" ] || fail "the metainfo's $shot is not installed"
done

# The manual page: formatted without a warning, naming every switch of --help.
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/man6/wiklotek.6.gz" \
    >"$WORK/man" 2>"$WORK/man-warnings" || fail "man: $(cat "$WORK/man-warnings")"
[ ! -s "$WORK/man-warnings" ] || fail "man --warnings: $(cat "$WORK/man-warnings")"
env -u DISPLAY "$usr/bin/wiklotek" --help >"$WORK/help" || fail "--help failed"
for switch in $(grep -o -- '--[a-z][a-z-]*' "$WORK/help" | sort -u); do
    grep -q -- "$switch" "$WORK/man" || fail "the manual page does not name $switch"
done

# Started from the unpacked tree by a user with a home of their own. The theme icon is found
# where the desktop would look (XDG_DATA_DIRS), the program's own copy when the desktop does
# not know the tree.
start_x 1024x768
home="$WORK/home"
mkdir -p "$home/data"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wm_class" ] || fail "the desktop entry has no StartupWMClass"

# icon_sizes WINDOW: the sizes in the window's _NET_WM_ICON, one "WxH" a line.
icon_sizes() {
    xprop -id "$1" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | tr -d ',' |
        awk '{ sub(/^_NET_WM_ICON = /, ""); n = split($0, v, " ");
               for (i = 1; i + 1 <= n; i += 2 + v[i] * v[i + 1]) print v[i] "x" v[i + 1] }'
}

# run_unpacked NAME LANG DATA_DIRS: starts the unpacked program, leaves its menu on screen.
run_unpacked() {
    cd "$home"
    launch "$1" env -u LC_ALL -u LC_MESSAGES -u LANGUAGE HOME="$home" XDG_DATA_HOME="$home/data" \
        XDG_DATA_DIRS="$3" LANG="$2" "$usr/bin/wiklotek"
    menu=$(wait_window "^Wiklotek Cz.I$")
    wait_splash_gone
}

run_unpacked polish pl_PL.UTF-8 "$usr/share:/usr/local/share:/usr/share"
expect_eq "$(xprop -id "$menu" WM_CLASS)" "WM_CLASS(STRING) = \"wiklotek\", \"$wm_class\"" \
    "WM_CLASS against the desktop entry's StartupWMClass"
# Every size the theme has to offer, where the program's own copy has one.
sizes=$(icon_sizes "$menu" | sort -u | tr '\n' ' ')
[ "$(wc -w <<<"$sizes")" -ge 2 ] || fail "not the theme's icon on the window: $sizes"
# Qt's catalogues are mapped from the file while they are in use.
grep -q 'translations/qtbase_pl\.qm' "/proc/$(pid_of polish)/maps" ||
    fail "Qt's Polish catalogue is not loaded under LANG=pl_PL.UTF-8"
[ -f "$home/data/wiklotek/data.ini" ] || fail "no data.ini in the user's data folder"
press_in "$menu" Escape
expect_eq "$(wait_exit polish)" 0 "exit status under a Polish locale"

run_unpacked english en_US.UTF-8 /usr/local/share:/usr/share
expect_eq "$(icon_sizes "$menu")" 256x256 "the program's own icon copy on the window"
! grep -q 'translations/qtbase_pl\.qm' "/proc/$(pid_of english)/maps" ||
    fail "Qt's Polish catalogue is loaded under LANG=en_US.UTF-8"
press_in "$menu" Escape
expect_eq "$(wait_exit english)" 0 "exit status under an English locale"

# Everything the runs wrote is the user's; the unpacked tree is as the package made it.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's,^\./,,; s,/$,,' | sort >"$WORK/packaged"
(cd "$root" && find . -mindepth 1 | sed 's,^\./,,' | sort) >"$WORK/unpacked"
expect_eq "$(comm -13 "$WORK/packaged" "$WORK/unpacked")" "" "files the runs left in the tree"
[ -f "$home/data/wiklotek/prgst1.stt" ] || fail "no statistics file in the user's data folder"
[ -z "${WK_PACKAGE_OUT:-}" ] || cp "$deb" "$WK_PACKAGE_OUT/"
echo PASS
