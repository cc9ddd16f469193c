// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string ProgressBar::Render(uint64_t doneMB, uint64_t rangeMB, double elapsedSeconds,
                                int width) {
    const uint64_t shown = std::min(doneMB, rangeMB);
    const int filled =
        rangeMB == 0 ? width : static_cast<int>(shown * static_cast<uint64_t>(width) / rangeMB);
    std::string line = "[" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(width - filled), '.') + "] ";
    char text[96];
    std::snprintf(text, sizeof text, "%llu/%llu MB", static_cast<unsigned long long>(doneMB),
                  static_cast<unsigned long long>(rangeMB));
    line += text;
    // A rate needs some data behind it; before that the line shows none rather than nonsense.
    if (elapsedSeconds >= 0.5 && doneMB > 0) {
        const double rate = static_cast<double>(doneMB) / elapsedSeconds;
        std::snprintf(text, sizeof text, "  %.1f MB/s", rate);
        line += text;
        if (rangeMB > doneMB) {
            line += "  " + FormatDuration(static_cast<double>(rangeMB - doneMB) / rate) + " left";
        }
    }
    return line;
}

std::string ProgressBar::FormatDuration(double seconds) {
    const long long total = std::llround(std::max(0.0, seconds));
    char text[48];
    if (total >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                      total % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    }
    return text;
}
