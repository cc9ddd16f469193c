// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/NumberFormat.h"

namespace run {

using platform::UserMessage;
using Id = platform::UserMessage::Id;

std::string NumberFormat::Grouped(uint64_t number, const NumberStyle& style) {
    std::string digits = std::to_string(number);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(size_t(i), style.groupSeparator);
    }
    return digits;
}

UserMessage NumberFormat::Size(uint64_t bytes, const NumberStyle& style) {
    constexpr uint64_t kKiB = 1024;
    constexpr uint64_t kMiB = kKiB * 1024;
    constexpr uint64_t kGiB = kMiB * 1024;
    if (bytes < kMiB) {
        return UserMessage(Id::kSizeKilobytes, {Grouped((bytes + kKiB - 1) / kKiB, style)});
    }
    if (bytes < kGiB) {
        return UserMessage(Id::kSizeMegabytes, {Grouped(bytes / kMiB, style)});
    }
    // Tenths of a GiB, rounded to the nearest; written without overflow for any count.
    const uint64_t tenths = bytes / kGiB * 10 + ((bytes % kGiB) * 10 + kGiB / 2) / kGiB;
    return UserMessage(Id::kSizeGigabytes, {Grouped(tenths / 10, style) + style.decimalPoint +
                                            std::to_string(tenths % 10)});
}

UserMessage NumberFormat::Songs(uint64_t count, const NumberStyle& style) {
    return count == 1 ? UserMessage(Id::kOneSong)
                      : UserMessage(Id::kSongs, {Grouped(count, style)});
}

}  // namespace run
