// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/RegularFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;

namespace platform {

ListOutcome ListRegularFiles(const std::string& directory, std::vector<std::string>& files) {
    std::error_code ec;
    fs::directory_iterator it(PathFromUtf8(directory), ec);
    if (ec) {
        return ListOutcome::kUnlistable;
    }
    std::vector<std::string> found;
    bool anything = false;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        anything = true;
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            found.push_back(PathToUtf8(it->path().filename()));
        }
    }
    if (ec) {
        return ListOutcome::kUnlistable;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return anything ? ListOutcome::kListed : ListOutcome::kEmpty;
}

}  // namespace platform
