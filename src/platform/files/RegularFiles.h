// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace platform {

// What listing a directory found.
enum class ListOutcome {
    kListed,      // listed to the end
    kEmpty,       // listed, and it holds nothing at all (not even a subfolder or a dot file)
    kUnlistable,  // missing, not a directory, not readable, or the listing broke off
};

// Appends to `files` the names of the regular files directly in `directory`, sorted byte-wise;
// symbolic links count as what they point to. A listing that broke off (a share that went away,
// a disc error) is no true picture of the folder, so it is kUnlistable and appends nothing.
ListOutcome ListRegularFiles(const std::string& directory, std::vector<std::string>& files);

}  // namespace platform
