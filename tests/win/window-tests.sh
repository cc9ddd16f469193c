#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the window tests of the Windows program under wine on a virtual display: the stick is a
# folder mapped to a drive letter of its own, as wine keeps its drives; the tests run once with
# an English and once with a German user interface language. Needs WINEPREFIX.
# Usage: window-tests.sh WINE TESTS.exe tunecrate.exe
set -euo pipefail
wine=$1
tests=$2
app=$(realpath "$3")
work=$(mktemp -d "${TMPDIR:-/tmp}/tunecrate-windows-XXXXXX")
drive="$WINEPREFIX/dosdevices/s:"
trap 'rm -rf "$work" "$drive"' EXIT
win() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }

mkdir -p "$work/stick"
ln -sfn "$work/stick" "$drive"
"${WINESERVER:-wineserver}" -w  # a running wine keeps its drive list: let it end first
# The tests look at the stick's folder through Z:, the program through its drive letter.
export TUNECRATE_TEST_APP=$(win "$app") TUNECRATE_TEST_STICK=$(win "$work/stick") TUNECRATE_TEST_DRIVE='S:'
run() { env LANG="$1" LC_ALL="$1" xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$tests" "$2"; }
status=0
run C.UTF-8 --gtest_filter='-*German*' || status=1
run de_DE.UTF-8 --gtest_filter='*German*' || status=1
exit $status
