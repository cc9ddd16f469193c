// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Case-insensitive comparison of UTF-8 text as Unicode defines it (full case folding, as
// CaseFolding.txt of Unicode 14 gives it): "MÜSIK CAR" and "müsik car" fold alike, so do
// "STRASSE" and "straße". Bytes that are not UTF-8 are kept as they are.
class CaseFold {
  public:
    static std::string Fold(std::string_view text);
    static bool Same(std::string_view a, std::string_view b) { return Fold(a) == Fold(b); }
};

}  // namespace platform
