#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills `tunecrate-cli fill` and `tunecrate-cli add` with SIGKILL at random moments on a real stick
# volume (exFAT over a loop device; a RAM volume where that cannot be made) and checks after each
# kill:
#   - the collection file is the old or the new version, never a mix;
#   - no song on the stick is truncated (every name on it holds a whole song);
#   - no song is marked transferred that is not on the stick;
#   - the next, uninterrupted run leaves no debris (temporary copies, temporary collection files).
#
#   scripts/crash-consistency.sh [KILLS] [CLI]   KILLS defaults to 50, CLI to build/bin/tunecrate-cli
# VOLUME=tmpfs in the environment uses a RAM volume even where exFAT could be made.
# Needs the superuser (mounting). Exits 1 on the first violated check, with what was found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-50}
cli=${2:-$root/build/bin/tunecrate-cli}
[ -x "$cli" ] || { echo "no program at $cli (build it first)" >&2; exit 2; }
if [ "$(id -u)" -ne 0 ]; then
  echo "crash-consistency: skipped, mounting a volume needs the superuser" >&2
  exit 0
fi

work=$(mktemp -d /tmp/tunecrate-crash-XXXXXX)
stick=$work/stick
loop=
cleanup() {
  umount -l "$stick" 2>/dev/null || fusermount -u "$stick" 2>/dev/null || true
  [ -n "$loop" ] && losetup -d "$loop" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$stick" "$work/music" "$work/more1" "$work/more2"

volume="RAM volume (tmpfs)"
truncate -s 128M "$work/stick.img"
if [ "${VOLUME:-exfat}" = exfat ] && command -v mkfs.exfat >/dev/null && command -v mount.exfat-fuse >/dev/null &&
   mkfs.exfat -c 128K -L MUSIC "$work/stick.img" >/dev/null 2>&1 &&
   loop=$(losetup -f --show "$work/stick.img" 2>/dev/null) &&
   mount.exfat-fuse "$loop" "$stick" >/dev/null 2>&1; then
  volume="exFAT over $loop, 128 KiB clusters"
else
  [ -n "$loop" ] && losetup -d "$loop" 2>/dev/null
  loop=
  mount -t tmpfs -o size=128m tmpfs "$stick"
fi
echo "crash-consistency: $kills kills on a $volume"

# Songs of different sizes, about 50 MiB together, so that a fill takes long enough to be hit.
for i in $(seq 1 24); do
  head -c $(( (RANDOM % 3500 + 500) * 1024 )) /dev/urandom >"$work/music/song$i.mp3"
done
for d in more1 more2; do head -c 1000 /dev/urandom >"$work/$d/x.mp3"; done
sums=$work/songs.sha
(cd "$work/music" && sha256sum -- *.mp3) >"$sums"

settings=$work/Tunecrate.ini
collection=$work/music.ini
printf '[Extensions]\r\next=mp3\r\n' >"$settings"
run() { "$cli" --settings "$settings" "$@"; }
# In the background, with exec: $! is then the program itself, so the kill hits it and not a
# shell that would leave it running on its own beside the next run.
launch() { ( exec "$cli" --settings "$settings" "$@" ) & }
# The next, uninterrupted run: it must not be refused or fail (a song already on the stick is
# no error).
next_run() {
  local out
  out=$("$cli" --settings "$settings" "$@" 2>&1) || true
  ! grep -q '^error:' <<<"$out" || fail "the next run failed: $(grep '^error:' <<<"$out")"
}
run add "$collection" "$work/music" >/dev/null
fresh=$work/fresh.ini
cp "$collection" "$fresh"
# The one new version an add of two folders can write.
cp "$collection" "$work/added.ini"
run add "$work/added.ini" "$work/more1" "$work/more2" >/dev/null 2>&1
# How long a whole fill takes here: the kills are spread over that time.
cp "$collection" "$work/timing.ini"
start=$(date +%s%N)
run fill "$work/timing.ini" "$stick" >/dev/null 2>&1 || true
fill_ms=$(( ($(date +%s%N) - start) / 1000000 + 1 ))
find "$stick" -mindepth 1 -delete
echo "crash-consistency: a whole fill takes $fill_ms ms"
# A pause of a random length below $1 milliseconds.
pause() {
  local ms=$(( (RANDOM * 32768 + RANDOM) % $1 ))
  sleep "$(( ms / 1000 )).$(printf '%03d' $(( ms % 1000 )))"
}

# The lines of a collection file without their flags: a mix would show here.
shape() { sed -E 's/^f[01]=/f=/' "$1"; }

fail() {
  echo "crash-consistency: FAILED after kill $kill ($what, $stage): $*" >&2
  ls -la "$stick" "$work" >&2
  exit 1
}

# The checks that hold after every kill and every run.
check_state() {
  local old=$1
  # The collection is the old version, or a whole new one with the same folders and files.
  if ! cmp -s "$collection" "$old"; then
    [ "$(tail -c 2 "$collection" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "collection cut short"
    diff <(shape "$collection") <(shape "$old") >/dev/null || fail "collection is a mix"
  fi
  # Every song on the stick is whole.
  local name
  for name in $(ls "$stick"); do
    grep -q "  $name\$" "$sums" || fail "unknown file $name on the stick"
    [ "$(sha256sum <"$stick/$name" | cut -d' ' -f1)" = "$(grep "  $name\$" "$sums" | cut -d' ' -f1)" ] ||
      fail "$name on the stick is truncated or damaged ($(stat -c %s "$stick/$name") of $(stat -c %s "$work/music/$name") bytes)"
  done
  # Every song marked is on the stick.
  for name in $(sed -n 's/^f1=\(.*\)\r$/\1/p' "$collection"); do
    [ -f "$stick/$name" ] || fail "$name is marked but not on the stick"
  done
}

stage=
for kill in $(seq 1 "$kills"); do
  if [ $(( RANDOM % 3 )) -eq 0 ]; then
    what=add
    stage="after the kill"
    cp "$fresh" "$collection"
    launch add "$collection" "$work/more1" "$work/more2" >/dev/null 2>&1
    pid=$!
    pause 10
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    cmp -s "$collection" "$fresh" || cmp -s "$collection" "$work/added.ini" ||
      fail "collection is neither the old nor the new version"
    next_run add "$collection" "$work/more1"
  else
    what=fill
    find "$stick" -mindepth 1 -delete
    cp "$fresh" "$collection"
    launch fill "$collection" "$stick" >/dev/null 2>&1
    pid=$!
    pause "$fill_ms"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    stage="after the kill"
    check_state "$fresh"
    cp "$collection" "$work/before-next.ini"
    stage="after the next run"
    next_run fill "$collection" "$stick"
    check_state "$work/before-next.ini"
  fi
  # Copies are written into the stick's copy folder, which goes at the end of a run.
  debris=$( (find "$stick" "$work" -maxdepth 1 \( -name '.*.part' -o -name '.*.tmp-*' \)
             find "$stick" -maxdepth 1 -name .tccopies) | head -3)
  [ -z "$debris" ] || fail "the next run left debris: $debris"
done
echo "crash-consistency: $kills kills, every check held"
