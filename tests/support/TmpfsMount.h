// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/RealVolume.h"

// A size-limited RAM volume for tests of full discs and sticks; `options` "ro": read-only.
class TmpfsMount : public RealVolume {
  public:
    explicit TmpfsMount(uint64_t sizeBytes, const std::string& options = std::string())
        : RealVolume(Kind::kTmpfs, sizeBytes, options) {}
};

#define SKIP_UNLESS_MOUNTED(mount) SKIP_UNLESS_REAL_VOLUME(mount)
