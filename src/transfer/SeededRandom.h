// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

#include "transfer/RandomSource.h"

// The program's random source: a Mersenne Twister seeded once, from the clock by default or with
// a given seed, so that a run can be repeated.
class SeededRandom : public RandomSource {
  public:
    SeededRandom();  // seeded from the current time in seconds
    explicit SeededRandom(uint32_t seed);

    int Draw() override;

  private:
    std::mt19937 engine_;
    std::uniform_int_distribution<int> values_{0, kMaxValue};
};
