// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RealVolume.h"

// No test volumes on Windows: the tests that need one skip themselves.
RealVolume::RealVolume(Kind, uint64_t, const std::string&, uint64_t)
    : skipReason_("no test volumes on Windows") {}

void RealVolume::Unmount() {}

bool RealVolume::Remount() {
    return false;
}
