#!/usr/bin/env bash
# Installs every package needed to build, test and benchmark Tunecrate from Debian's archive.
# Idempotent: when everything is already installed it touches nothing (no apt-get update either).
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang-format
  # the fuzz targets: clang with libFuzzer and the sanitizers' runtimes
  clang libclang-rt-dev
  # GUI: Qt 6 Widgets and the Linguist tools for the translation
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  # German texts of Qt's own dialogs (the folder picker)
  qt6-translations-l10n
  # command line: option parsing and JSON output
  libcli11-dev nlohmann-json3-dev
  # volume label/UUID from the device (util-linux); eject and notifications over D-Bus (sd-bus)
  libblkid-dev libsystemd-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # screenshots of the GUI, and real FAT sticks for tests without a device
  xvfb xauth x11-apps fusefat dosfstools
  # real stick file systems for tests: exFAT and NTFS images over loop devices
  exfatprogs exfat-fuse ntfs-3g
  # a private D-Bus with mock UDisks2 and notification services for the eject and watch tests
  dbus-daemon python3-dbusmock
  # the Debian package: man pages from scdoc, its checks, and man to read the page
  scdoc lintian appstream man-db
  # shared compiler cache between build folders
  ccache
  # the Windows build: mingw-w64 (posix threads), GoogleTest's sources to build for it, and wine
  # to run the tests
  g++-mingw-w64-x86-64-posix googletest wine wine64
)

missing=()
for p in "${packages[@]}"; do
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
