// SPDX-License-Identifier: GPL-3.0-or-later
// The size parser on any text: no crash, and a size it accepts is a positive number that reads
// back the same when written in plain digits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "cli/SizeParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    uint64_t parsed = 0;
    const platform::Status status = SizeParser::Parse(text, parsed);
    fuzz::Require(status.Ok() == status.message.IsEmpty(),
                  "a refusal has a reason, a size has none");
    if (status.Ok()) {
        fuzz::Require(parsed > 0, "sizes are positive");
        uint64_t again = 0;
        fuzz::Require(SizeParser::Parse(std::to_string(parsed), again).Ok() && again == parsed,
                      "a size reads back from its digits");
    }
    return 0;
}
