#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs from Debian's archive what one purpose needs, so that running the program does not
# bring in wine or the packaging tools:
#   scripts/install-deps.sh [PURPOSE...]   PURPOSE: build (default), test, fuzz, windows, package, all
# Idempotent: when everything is already installed it touches nothing (no apt-get update either).
set -euo pipefail

# Building and running both programs.
build=(
  build-essential cmake ninja-build pkg-config
  # GUI: Qt 6 Widgets and the Linguist tools for the translation
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  # our own fallback icons are SVG
  qt6-svg-dev
  # German texts of Qt's own dialogs (the folder picker)
  qt6-translations-l10n
  # command line: option parsing and JSON output
  libcli11-dev nlohmann-json3-dev
  # volume label/UUID from the device (util-linux); eject and notifications over D-Bus (sd-bus)
  libblkid-dev libsystemd-dev
  # shared compiler cache between build folders
  ccache
)
# The tests, the benchmarks and the formatting check.
test=(
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  # screenshots of the GUI, and real FAT sticks for tests without a device
  xvfb xauth x11-apps fusefat dosfstools
  # real stick file systems for tests: exFAT and NTFS images over loop devices
  exfatprogs exfat-fuse ntfs-3g
  # a private D-Bus with mock UDisks2 and notification services for the eject and watch tests
  dbus-daemon python3-dbusmock
)
# The fuzz targets: clang with libFuzzer and the sanitizers' runtimes.
fuzz=(clang libclang-rt-dev)
# The Windows build: mingw-w64 (posix threads), GoogleTest's sources to build for it, and wine
# (with a virtual display for the window tests) to run the tests; Python makes the desktop
# program's pictures and German catalogue into resources; NSIS and zip make its packages.
windows=(g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth python3 nsis zip)
# The Debian package: man pages from scdoc, its checks, and man to read the page.
package=(scdoc lintian appstream man-db)

[ $# -gt 0 ] || set -- build
wanted=()
for purpose in "$@"; do
  case "$purpose" in
    build) wanted+=("${build[@]}") ;;
    test) wanted+=("${build[@]}" "${test[@]}") ;;
    fuzz) wanted+=("${build[@]}" "${fuzz[@]}") ;;
    windows) wanted+=("${build[@]}" "${windows[@]}") ;;
    package) wanted+=("${build[@]}" "${package[@]}") ;;
    all) wanted+=("${build[@]}" "${test[@]}" "${fuzz[@]}" "${windows[@]}" "${package[@]}") ;;
    *) echo "install-deps.sh: unknown purpose '$purpose' (build, test, fuzz, windows, package, all)" >&2
       exit 2 ;;
  esac
done

missing=()
for p in $(printf '%s\n' "${wanted[@]}" | sort -u); do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
