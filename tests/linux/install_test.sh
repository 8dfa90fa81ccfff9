#!/usr/bin/env bash
# `cmake --install` into a temporary prefix puts the program, the catalogue builder, the desktop
# entry, the icons and the AppStream metadata where Linux desktops look for them, and the
# freedesktop validators accept what it installed.
set -euo pipefail
BUILD=${ORVANE_BUILD:?ORVANE_BUILD must name the build folder}
SOURCE=${ORVANE_SOURCE:?ORVANE_SOURCE must name the source folder}
PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvane-install.XXXXXX")
trap 'rm -rf "$PREFIX"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$BUILD" --prefix "$PREFIX" >"$PREFIX.log" 2>&1 || { cat "$PREFIX.log"; fail "cmake --install failed"; }
rm -f "$PREFIX.log"

for program in orvane orvane-catalogue; do
    [ -x "$PREFIX/bin/$program" ] || fail "bin/$program not installed"
done

desktop=$PREFIX/share/applications/orvane.desktop
metainfo=$PREFIX/share/metainfo/fr.atelierorvane.orvane.metainfo.xml
[ -f "$desktop" ] || fail "desktop entry not installed"
[ -f "$metainfo" ] || fail "AppStream metadata not installed"

# The entry starts the installed program and names the installed icon.
grep -qx 'Name=Orvane Zelkis' "$desktop" || fail "desktop entry: wrong name"
grep -qx 'Exec=orvane' "$desktop" || fail "desktop entry: wrong command"
grep -qx 'Icon=orvane' "$desktop" || fail "desktop entry: wrong icon"
grep -q '^Comment\[fr\]=' "$desktop" || fail "desktop entry: no French comment"
grep -q '<launchable type="desktop-id">orvane.desktop</launchable>' "$metainfo" ||
    fail "metadata does not launch orvane.desktop"
grep -q '<id>fr.atelierorvane.orvane</id>' "$metainfo" || fail "metadata file not named after its id"
grep -q '<release version="1.00.0003"' "$metainfo" || fail "metadata: release 1.00.0003 missing"

# Every size the artwork provides, at its own pixel size; the sizes desktops ask for most.
for size in 16 32 48 64 128 256; do
    [ -f "$SOURCE/resources/icons/hicolor/${size}x${size}/apps/orvane.png" ] ||
        fail "no ${size}x${size} icon in resources/icons/hicolor"
done
count=0
for source_icon in "$SOURCE"/resources/icons/hicolor/*/apps/orvane.png; do
    folder=$(basename "$(dirname "$(dirname "$source_icon")")")
    installed=$PREFIX/share/icons/hicolor/$folder/apps/orvane.png
    [ -f "$installed" ] || fail "icon $folder not installed"
    cmp -s "$source_icon" "$installed" || fail "icon $folder differs from the source"
    actual=$(identify -format '%wx%h' "$installed")
    [ "$actual" = "$folder" ] || fail "icon in $folder is $actual pixels"
    count=$((count + 1))
done
echo "installed: 2 programs, desktop entry, metadata, $count icon sizes"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
    echo "desktop-file-validate: OK"
else
    echo "SKIP: desktop-file-validate not installed (Debian package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects the metadata"
    echo "appstreamcli validate: OK"
else
    echo "SKIP: appstreamcli not installed (Debian package appstream)"
fi
echo "install OK"
