// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The one-line progress display of a fill on a terminal: a bar, megabytes done of the planned
// megabytes, the copy rate and the estimated time left.
class ProgressBar {
  public:
    // `doneMB` of `rangeMB` after `elapsedSeconds`; `width` is the bar's number of cells.
    static std::string Render(uint64_t doneMB, uint64_t rangeMB, double elapsedSeconds,
                              int width = 30);
    // "1:05" or "1:02:03"
    static std::string FormatDuration(double seconds);
};
