// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The sizes of the files `names` directly in `directory`, in the same order; 0 for a name that
// is missing or not a regular file (a link counts as what it points to). On Linux the folder is
// opened once and each file measured with one fstatat relative to it: no open, no path walk per
// file. Returns false, all sizes 0, when the folder cannot be opened.
bool FileSizesIn(const std::string& directory, const std::vector<const std::string*>& names,
                 std::vector<uint64_t>& sizes);

}  // namespace platform
