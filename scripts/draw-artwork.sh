#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Redraws the program's pictures into resources/images with the committed drawing program.
# Run after changing tools/DrawArtwork.cpp, look at the result, commit the PNGs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target tunecrate_draw_artwork
QT_QPA_PLATFORM=offscreen build/bin/tunecrate_draw_artwork resources/images
