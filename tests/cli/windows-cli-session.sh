#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A session with the Windows tunecrate-cli.exe under wine, driven from outside as a user would:
# add, list, fill into a folder, a second fill, a refill that deletes the old files first, and a
# fill of a drive letter of its own, as a stick has. Names with letters beyond ASCII travel
# through the Windows command line and back. Needs WINEPREFIX: the drive is made there.
# Usage: windows-cli-session.sh WINE PROGRAM.exe
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tunecrate-session-XXXXXX")
drive="$WINEPREFIX/dosdevices/t:"
trap 'rm -rf "$work" "$drive"' EXIT
passed=0

fail() { echo "FAILED: $*" >&2; echo "$passed passed, 1 failed"; exit 1; }
check() { if eval "$2"; then passed=$((passed + 1)); else fail "$1"; fi; }
# wine shows the host's root folder as drive Z:
win() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
cli() { "$wine" "$program" --settings "$(win "$work/Tunecrate.ini")" "$@"; }
# The songs in a folder; the stick's own record (a dot file) is not one.
count() { find "$1" -type f ! -name ".*" | wc -l; }
# Each copy in the folder is byte for byte the music file of its name.
check_copies() { for c in "$1"/*; do check "${c#$work/} is exact" 'cmp -s "$c" "$music/${c##*/}"'; done; }
# An old song in a folder "old", for a wipe to delete.
old_song() { mkdir -p "$1/old"; echo old >"$1/old/old.mp3"; }

music="$work/Müsik Ørkester"
mkdir -p "$music" "$work/Stick 1" "$work/Stick 2"
for i in 1 2 3 4; do head -c 102400 /dev/urandom >"$music/Lied ä$i.mp3"; done
head -c 102400 /dev/urandom >"$music/Schön.MP3"
echo "not music" >"$music/cover.txt"
printf '[Extensions]\r\next=mp3\r\n' >"$work/Tunecrate.ini"
coll=$(win "$work/Sammlung.ini")

cli add "$coll" "$(win "$music")" >/dev/null
check "add stores the folder as given" \
  'grep -qF "dir=$(win "$music")" "$work/Sammlung.ini"'
listing=$(cli list "$coll" | tr -d '\r')
check "list shows the five music files" '[ "$(grep -c "\[ \]" <<<"$listing")" = 5 ]'
check "list keeps the names" 'grep -qF "Schön.MP3" <<<"$listing" && grep -qF "Lied ä4.mp3" <<<"$listing"'

cli fill "$coll" "$(win "$work/Stick 1")" --folder --limit 250K --seed 3 >/dev/null
check "the first fill copies two files" '[ "$(count "$work/Stick 1")" = 2 ]'
check_copies "$work/Stick 1"

cli fill "$coll" "$(win "$work/Stick 2")" --folder --limit 350K >/dev/null
check "the second fill takes the three files left" '[ "$(count "$work/Stick 2")" = 3 ]'
for copy in "$work/Stick 2"/*; do
  check "${copy##*/} was not in the first fill" '[ ! -e "$work/Stick 1/${copy##*/}" ]'
done
listing=$(cli list "$coll" | tr -d '\r')
# Every file is handled, but none fits in what the limit leaves: no new cycle begins, and the
# first fill's files stay marked with the second's.
check "after the second fill every file is marked" '[ "$(grep -c "\[x\]" <<<"$listing")" = 5 ]'

old_song "$work/Stick 1"
cli fill "$coll" "$(win "$work/Stick 1")" --folder --delete-old --yes --limit 150K >/dev/null
check "a refill with --delete-old wipes the folder first" \
  '[ ! -e "$work/Stick 1/old" ] && [ "$(count "$work/Stick 1")" = 1 ]'

# wine keeps its drives as links to folders: T: becomes a drive whose root is "Stick 3".
old_song "$work/Stick 3"
ln -sfn "$work/Stick 3" "$drive"
"${WINESERVER:-wineserver}" -w  # the running wine keeps its drive list: let it end first
check "the drive list shows T:" 'cli drives | grep -q "^T:"'
cli fill "$coll" T: --delete-old --yes --limit 250K >/dev/null
check "a fill of the bare drive T: wipes its root and copies into it" \
  '[ ! -e "$work/Stick 3/old" ] && [ "$(count "$work/Stick 3")" = 2 ]'
check_copies "$work/Stick 3"

echo "$passed passed, 0 failed"
