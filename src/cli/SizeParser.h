// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/Result.h"

// Parses a size such as "4096", "700M" or "2G": a whole number of bytes, optionally followed by
// K, M or G (binary multiples, either case, an optional "B" or "iB" after them). Sizes of zero,
// negative or malformed numbers and sizes that overflow 64 bits are refused with a message;
// `bytes` is set only when the size is taken.
class SizeParser {
  public:
    static platform::Status Parse(const std::string& text, uint64_t& bytes);
};
