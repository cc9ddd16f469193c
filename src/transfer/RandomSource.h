// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A uniform source of 15-bit random values (0 .. 32,767), one per draw. The transfer job draws
// from it on its own thread; one job at a time uses a source.
class RandomSource {
  public:
    static constexpr int kMaxValue = 32767;

    virtual ~RandomSource() = default;
    virtual int Draw() = 0;
};
