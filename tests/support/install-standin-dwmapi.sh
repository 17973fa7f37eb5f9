#!/usr/bin/env bash
# Puts the test stand-in dwmapi.dll into the system folder of the session's Wine
# prefix (the folder the program loads it from), in place of Wine's own, and
# checks that it is the one there.
set -eu
dll=$1
[ -n "${WINEPREFIX:-}" ] || { echo "no Wine session (WINEPREFIX unset)" >&2; exit 1; }
target="$WINEPREFIX/drive_c/windows/system32/dwmapi.dll"
cp -f "$dll" "$target"
cmp -s "$dll" "$target" || { echo "could not place $target" >&2; exit 1; }
echo "stand-in dwmapi.dll in $target"
