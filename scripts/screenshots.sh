#!/usr/bin/env bash
# Takes the documentation's pictures of the desktop program under a virtual display: the main
# window after a run, the question before a wipe and the dialogs, in English and German, at
# scale 1 and 2, into docs/screenshots. Needs xvfb-run and, for the run, the superuser (a small
# RAM volume is mounted as the stick and unmounted again).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
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
