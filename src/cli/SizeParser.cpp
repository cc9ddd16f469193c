// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SizeParser.h"

#include <cctype>
#include <limits>

namespace {

// The multiplier of a unit suffix, or 0 when the suffix is not one we know.
uint64_t UnitFactor(std::string unit) {
    for (char& c : unit) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (unit.empty() || unit == "B") {
        return 1;
    }
    const char prefix = unit[0];
    const std::string rest = unit.substr(1);
    if (!(rest.empty() || rest == "B" || rest == "IB")) {
        return 0;
    }
    switch (prefix) {
        case 'K':
            return uint64_t{1} << 10;
        case 'M':
            return uint64_t{1} << 20;
        case 'G':
            return uint64_t{1} << 30;
        default:
            return 0;
    }
}

}  // namespace

platform::Status SizeParser::Parse(const std::string& text, uint64_t& bytes) {
    using platform::UserMessage;
    const auto refused = [&text](UserMessage::Id why) {
        return platform::Status::Failed(UserMessage(why, {text}));
    };
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
        ++digits;
    }
    if (digits == 0) {
        return refused(UserMessage::Id::kSizeNotANumber);
    }
    const uint64_t factor = UnitFactor(text.substr(digits));
    if (factor == 0) {
        return refused(UserMessage::Id::kSizeUnknownUnit);
    }
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (size_t i = 0; i < digits; ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (value > (kMax - digit) / 10) {
            return refused(UserMessage::Id::kSizeTooLarge);
        }
        value = value * 10 + digit;
    }
    if (value > kMax / factor) {
        return refused(UserMessage::Id::kSizeTooLarge);
    }
    if (value == 0) {
        return refused(UserMessage::Id::kSizeZero);
    }
    bytes = value * factor;
    return {};
}
