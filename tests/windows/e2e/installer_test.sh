#!/usr/bin/env bash
# The installer made by cpack installs silently (/S) into the folder given with /D, with an
# uninstaller and a Start menu entry; the installed program finds its catalogue there and
# searches it. The uninstaller then removes it all, silently too.
source "$(dirname "$0")/wine_session.sh"

version=${ORVANE_VERSION:?ORVANE_VERSION must give the version}
(cd "$WORK" && cpack --config "$ORVANE_BUILD/CPackConfig.cmake" -G NSIS >cpack.log 2>&1) ||
    fail "cpack could not make the installer: $(tail -n 5 "$WORK/cpack.log")"
installer=$WORK/Orvane-$version-win64.exe
[ -f "$installer" ] || fail "no installer $installer"

wine "$installer" /S '/D=C:\Orvane-installé' </dev/null >>"$WORK/program.log" 2>&1 ||
    fail "the silent installation failed"
folder="$WINEPREFIX/drive_c/Orvane-installé"
for file in Orvane.exe orvane-read-catalogue.exe orvane-catalogue.exe base.MDB Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "$file was not installed"
done
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/"*/*.lnk >/dev/null ||
    fail "no Start menu entry"

start_program "$folder/Orvane.exe"
wait_for_title "Orvane Zelkis" || fail "the installed program shows no window"
xdotool type --delay 30 jeu
xdotool key Return
eventually text_is "Orvane Zelkis" "$LABEL4" "1/12" ||
    fail "the installed program does not find its catalogue"
wineserver -k

wine "$folder/Uninstall.exe" /S </dev/null >>"$WORK/program.log" 2>&1 || true
# The uninstaller copies itself away and removes the folder from there: wait for that copy.
wineserver -w
[ ! -e "$folder/Orvane.exe" ] || fail "the uninstaller left the program"
