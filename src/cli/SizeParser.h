// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Parses a size such as "4096", "700M" or "2G": a whole number of bytes, optionally followed by
// K, M or G (binary multiples, either case, an optional "B" or "iB" after them). Sizes of zero,
// negative or malformed numbers and sizes that overflow 64 bits are refused with a message.
class SizeParser {
  public:
    static std::optional<uint64_t> Parse(const std::string& text, std::string& error);
};
