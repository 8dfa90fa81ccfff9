#!/usr/bin/env bash
# cpack makes the Debian package orvane_<version>_<arch>.deb: the program, its reader and the
# demo catalogue together in /usr/lib/orvane, the links and tools in /usr/bin, Depends naming
# the Qt packages and not libmdb, and lintian (when installed) finds no error. Unpacked into a
# temporary folder and started through its /usr/bin link, the program searches its packaged
# catalogue: "jeu" shows "1/12" and the same counter and first entry as the program of the build.
set -euo pipefail
BUILD=${ORVANE_BUILD:?ORVANE_BUILD must name the build folder}
VERSION=${ORVANE_VERSION:?ORVANE_VERSION must give the project version}
PKG=$(mktemp -d "${TMPDIR:-/tmp}/orvane-deb.XXXXXX")
trap 'rm -rf "$PKG"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Packaged in a folder of its own: nothing lands in the build folder.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$PKG/out" >"$PKG/cpack.log" 2>&1 ||
    { cat "$PKG/cpack.log"; fail "cpack failed"; }
deb=$PKG/out/orvane_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$PKG/out")"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
! grep -q libmdb <<<"$depends" || fail "Depends names libmdb: $depends"
for field in Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field"
done

root=$PKG/root
dpkg-deb -x "$deb" "$root"
for file in lib/orvane/orvane lib/orvane/orvane-read-catalogue bin/orvane-catalogue; do
    [ -x "$root/usr/$file" ] || fail "/usr/$file missing or not executable"
done
cmp -s "$root/usr/lib/orvane/base.MDB" "$BUILD/base.MDB" || fail "/usr/lib/orvane/base.MDB is not the demo catalogue"
[ "$(readlink "$root/usr/bin/orvane")" = ../lib/orvane/orvane ] ||
    fail "/usr/bin/orvane is not a link to the program: $(ls -l "$root/usr/bin/orvane")"
for file in share/applications/orvane.desktop share/metainfo/fr.atelierorvane.orvane.metainfo.xml \
    share/icons/hicolor/48x48/apps/orvane.png share/doc/orvane/copyright; do
    [ -f "$root/usr/$file" ] || fail "/usr/$file missing"
done

if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" >"$PKG/lintian.log" 2>&1 || true
    cat "$PKG/lintian.log"
    ! grep -q '^E:' "$PKG/lintian.log" || fail "lintian reports errors"
else
    echo "SKIP: lintian not installed (Debian package lintian)"
fi

# The counter and the first entry after searching "jeu", as one program shows them, in $1; the
# counter must read "1/12".
AREA_COUNTER=71x16+146+269
AREA_FIELDS=160x200+102+63
search_jeu() {
    local prefix=$1 id tries=0
    start_orvane
    id=$(wait_for_window "Orvane Zelkis") || fail "no window from $ORVANE"
    grab_area "$id" "$AREA_COUNTER" "$WORK/$prefix-empty.png"
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool type --delay 30 jeu
    xdotool key Return
    # Painted once the counter has changed and two looks in a row agree.
    until grab_area "$id" "$AREA_COUNTER" "$WORK/$prefix-counter.png" &&
        grab_area "$id" "$AREA_FIELDS" "$WORK/$prefix-fields.png" &&
        [ "$(differing "$WORK/$prefix-empty.png" "$WORK/$prefix-counter.png")" -gt 20 ] &&
        [ -f "$WORK/$prefix-last.png" ] &&
        [ "$(differing "$WORK/$prefix-last.png" "$WORK/$prefix-fields.png")" -eq 0 ]; do
        [ -f "$WORK/$prefix-fields.png" ] && cp "$WORK/$prefix-fields.png" "$WORK/$prefix-last.png"
        tries=$((tries + 1)); [ $tries -gt 100 ] && fail "$ORVANE shows no result for jeu"
        sleep 0.1
    done
    /usr/bin/python3 "$(dirname "$0")/../e2e/atspi_read.py" expect 181 277 name "1/12" ||
        fail "$ORVANE: the counter does not read 1/12 after searching jeu"
    kill -9 "$ORVANE_PID"
    wait "$ORVANE_PID" 2>/dev/null || true
}

ORVANE=$BUILD/orvane
# A screen reader's view of the window reads the counter as text.
ACCESSIBILITY=1
source "$(dirname "$0")/../e2e/x_session.sh"
trap 'cleanup; rm -rf "$PKG"' EXIT
search_jeu build
ORVANE=$root/usr/bin/orvane
search_jeu packaged
for part in counter fields; do
    [ "$(differing "$WORK/build-$part.png" "$WORK/packaged-$part.png")" -eq 0 ] ||
        fail "the packaged program's $part differs from the build's after searching jeu"
done
if [ -n "${ARTIFACTS:-}" ]; then
    mkdir -p "$ARTIFACTS"
    cp "$WORK/packaged-counter.png" "$ARTIFACTS/package-counter.png"
fi
echo "package OK: $(basename "$deb")"
