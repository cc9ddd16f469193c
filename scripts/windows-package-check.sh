#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows packages under wine on a virtual display, in a fresh wine prefix
# ($WINEPREFIX): the installer installs silently for the user, the installed tunecrate.exe shows
# its window and keeps its settings in %APPDATA%, the uninstaller leaves nothing behind; the
# zip's tunecrate.exe shows its window and keeps its settings beside itself.
# Usage: WINEPREFIX=DIR windows-package-check.sh BUILD_DIR   (after scripts/dev.sh package-windows)
set -euo pipefail
build=$(realpath "$1")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
probe=$build/bin/tunecrate_window_probe.exe
setup=$(ls "$build"/tunecrate-*-windows-x64-setup.exe)
zip=$(ls "$build"/tunecrate-*-windows-x64-portable.zip)
work=$(mktemp -d "${TMPDIR:-/tmp}/tunecrate-package-XXXXXX")
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"; [ -n "${KEEP_PREFIX:-}" ] || rm -rf "$WINEPREFIX"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

"$wine" wineboot -i >/dev/null 2>&1
wineserver -w
user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)
home=$WINEPREFIX/drive_c/users/$user
installed=$home/AppData/Local/Programs/Tunecrate
appdata=$home/AppData/Roaming/Tunecrate

# Starts the program, waits for its window and closes it again, all on one virtual display.
show_window() {
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" & app=$!
    "$0" "$2" wait && "$0" "$2" close; status=$?
    wait $app; wineserver -w; exit $status' "$wine" "$1" "$probe"
}

"$wine" "$setup" /S
wineserver -w
for file in tunecrate.exe tunecrate-cli.exe LICENSE.txt Uninstall.exe; do
  [ -f "$installed/$file" ] || fail "the installer did not install $file"
done
[ ! -e "$installed/Tunecrate.ini" ] || fail "the installer put a Tunecrate.ini beside the program"
find "$home" -path '*Start Menu*' -name 'Tunecrate.lnk' | grep -q . || fail "no Start-menu entry"
show_window "$installed/tunecrate.exe" || fail "the installed program showed no window"
[ -f "$appdata/Tunecrate.ini" ] || fail "the installed program kept no settings in %APPDATA%"
echo "installed for the user, started, settings in %APPDATA%"

"$wine" "$installed/Uninstall.exe" /S
wineserver -w
[ ! -e "$installed/tunecrate.exe" ] || fail "the uninstaller left tunecrate.exe"
! find "$home" -path '*Start Menu*' -name 'Tunecrate.lnk' | grep -q . || fail "the Start-menu entry stayed"
echo "uninstalled"

rm -rf "$appdata"
python3 -m zipfile -e "$zip" "$work"
portable=$(ls -d "$work"/tunecrate-*-portable)
[ -f "$portable/Tunecrate.ini" ] && [ ! -s "$portable/Tunecrate.ini" ] || fail "the zip has no empty Tunecrate.ini"
show_window "$portable/tunecrate.exe" || fail "the zip's program showed no window"
[ -s "$portable/Tunecrate.ini" ] || fail "the portable program did not keep its settings beside itself"
[ ! -e "$appdata" ] || fail "the portable program wrote into %APPDATA%"
echo "portable copy started, settings beside it"
echo "Windows packages checked: $(basename "$setup") $(basename "$zip")"
