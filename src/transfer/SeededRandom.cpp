// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/SeededRandom.h"

#include <ctime>

SeededRandom::SeededRandom() : SeededRandom(static_cast<uint32_t>(std::time(nullptr))) {}

SeededRandom::SeededRandom(uint32_t seed) : engine_(seed) {}

int SeededRandom::Draw() {
    return values_(engine_);
}
