// SPDX-License-Identifier: GPL-3.0-or-later
// The size parser on any text: no crash, and a size it accepts is a positive number that reads
// back the same when written in plain digits.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "cli/SizeParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<uint64_t> parsed = SizeParser::Parse(text, error);
    fuzz::Require(parsed.has_value() == error.empty(), "a refusal has a reason, a size has none");
    if (parsed) {
        fuzz::Require(*parsed > 0, "sizes are positive");
        std::string again;
        fuzz::Require(SizeParser::Parse(std::to_string(*parsed), again) == parsed,
                      "a size reads back from its digits");
    }
    return 0;
}
