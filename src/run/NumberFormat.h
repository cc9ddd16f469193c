// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/UserMessage.h"

namespace run {

// How a front end writes digits: the command line always as English does ("1,204" and "3.2"),
// the GUI with its locale's separators.
struct NumberStyle {
    std::string groupSeparator = ",";
    std::string decimalPoint = ".";
};

// Counts and sizes for the user, decided once for every front end.
class NumberFormat {
  public:
    // "1,204": groups of three digits from the right.
    static std::string Grouped(uint64_t number, const NumberStyle& style = {});
    // In binary units, as the program's MB are: "835 KB" below one MiB (rounded up, so that a
    // few bytes never show as nothing), whole megabytes below one GiB ("1,019 MB"), then GB
    // with one decimal, rounded ("3.2 GB").
    static platform::UserMessage Size(uint64_t bytes, const NumberStyle& style = {});
    // "1 song", "12 songs".
    static platform::UserMessage Songs(uint64_t count, const NumberStyle& style = {});
};

}  // namespace run
