// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Text files written by earlier Windows programs are in the system's ANSI code page, not UTF-8.
// On Windows, when `text` is not valid UTF-8, converts it from the ANSI code page to UTF-8 and
// returns true. Elsewhere (and for valid UTF-8) leaves it and returns false.
bool DecodeLegacyText(std::string& text);
// On Windows, converts UTF-8 `text` to the ANSI code page when every character has its own
// place there (no replacement, no best-fit look-alike) and returns true; otherwise, and
// elsewhere, leaves it as UTF-8 and returns false.
bool EncodeLegacyText(std::string& text);

}  // namespace platform
