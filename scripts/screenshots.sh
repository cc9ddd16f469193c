#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the documentation's pictures of the desktop programs under a virtual display.
#   scripts/screenshots.sh [qt|windows]   (without an argument: both)
# qt: the Linux program's main window after a run, the question before a wipe and the dialogs,
# in English and German, at scale 1 and 2, into docs/screenshots. Needs xvfb-run and, for the
# run, the superuser (a small RAM volume is mounted as the stick and unmounted again).
# windows: every window of tunecrate.exe under wine (main window, drive, extensions, stick
# layout and about dialogs, the folder picker), in English and German, at 96 and 192 DPI, into
# docs/screenshots/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
what=${1:-all}

qt_shots() {
  cmake --build build --target shot_dialogs >/dev/null
  out=docs/screenshots
  mkdir -p "$out"
  base=$(mktemp -d /tmp/tunecrate-shots.XXXXXX)
  stick=$base/MUSIC
  mkdir "$stick"
  cleanup() { umount "$stick" 2>/dev/null || true; rm -rf "$base"; }
  trap cleanup EXIT
  for scale in 1 2; do
    for lang in en de; do
      umount "$stick" 2>/dev/null || true
      mount -t tmpfs -o size=64m tmpfs "$stick"
      QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 1920x1200x24" \
        build/bin/shot_dialogs "$out/scale$scale" "$lang" "$stick"
    done
  done
  cp "$out/scale1/main-window-en.png" docs/main-window.png
  cleanup
  trap - EXIT
}

# A BMP of the window probe as a PNG, with Python's standard library only.
bmp_to_png() {
  python3 - "$1" "$2" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
stride = (width * 3 + 3) & ~3
rows = []
for y in range(abs(height)):
    row = data[offset + (abs(height) - 1 - y if height > 0 else y) * stride:][:width * 3]
    rows.append(b'\0' + b''.join(bytes((row[x + 2], row[x + 1], row[x]))
                                 for x in range(0, width * 3, 3)))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
PY
}

windows_shots() {
  BUILD_TARGETS="tunecrate tunecrate_window_probe" scripts/dev.sh build windows >/dev/null
  local bin=$root/build-windows/bin out=$root/docs/screenshots/windows
  local wine
  base=$(mktemp -d /tmp/tunecrate-winshots.XXXXXX)
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  export WINEPREFIX=$base/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
  trap 'wineserver -k 2>/dev/null || true; rm -rf "$base"' EXIT
  # A portable copy with a collection of two folders and a stick drive S:, both folders mapped
  # to drive letters.
  mkdir -p "$base/app" "$base/stick" "$base/music/Rock" "$base/music/Jazz" "$out"
  cp "$bin/tunecrate.exe" "$base/app/"
  for folder in Rock Jazz; do
    for i in 1 2 3; do head -c 300000 /dev/zero >"$base/music/$folder/$folder $i.mp3"; done
  done
  # The music lies on a drive M: of its own, so the pictures show short paths.
  printf '[MusicFiles]\r\ndir=M:\\Rock\r\ndir=M:\\Jazz\r\n' >"$base/music/Music.ini"
  printf '[Global]\r\nStickDrive=S:\r\nMusicCollection=M:\\Music.ini\r\n[Extensions]\r\next=mp3\r\next=ogg\r\n' \
    >"$base/app/Tunecrate.ini"
  "$wine" wineboot -i >/dev/null 2>&1
  wineserver -w
  ln -sfn "$base/stick" "$WINEPREFIX/dosdevices/s:"
  ln -sfn "$base/music" "$WINEPREFIX/dosdevices/m:"
  local dpi lang
  for dpi in 96 192; do
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    for lang in en de; do
      local locale=C.UTF-8
      [ "$lang" = de ] && locale=de_DE.UTF-8
      mkdir -p "$base/shots"
      LANG=$locale LC_ALL=$locale xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
        set -e
        wine=$1 probe=$2 app=$3 shots=$4
        "$wine" "$app" & program=$!
        "$wine" "$probe" wait >/dev/null
        "$wine" "$probe" shot "$shots/main-window.bmp"
        "$wine" "$probe" open 32780 "$shots/drive-dialog.bmp"
        "$wine" "$probe" open 32781 "$shots/extensions-dialog.bmp"
        "$wine" "$probe" open 32790 "$shots/stick-layout-dialog.bmp"
        "$wine" "$probe" open 57664 "$shots/about-box.bmp"
        "$wine" "$probe" open 32772 "$shots/folder-picker.bmp"
        "$wine" "$probe" close
        wait $program
        wineserver -w' _ "$wine" "$bin/tunecrate_window_probe.exe" "$base/app/tunecrate.exe" "$base/shots"
      mkdir -p "$out/${dpi}dpi"
      local bmp
      for bmp in "$base"/shots/*.bmp; do
        bmp_to_png "$bmp" "$out/${dpi}dpi/$(basename "$bmp" .bmp)-$lang.png"
      done
      rm -rf "$base/shots"
    done
  done
  echo "pictures of the Windows program in $out"
}

case "$what" in
  qt) qt_shots ;;
  windows) windows_shots ;;
  all) qt_shots; windows_shots ;;
  *) sed -n '2,10p' "$0" >&2; exit 2 ;;
esac
