// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MusicFolderWalk.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "collection/MusicFileScan.h"
#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

// A real folder, not a symbolic link to one.
bool IsFolder(const fs::directory_entry& entry) {
    std::error_code ec;
    return entry.is_directory(ec) && !entry.is_symlink(ec);
}

}  // namespace

std::vector<std::string> MusicFolderWalk::Find(const std::string& root,
                                               const Progress& progress) const {
    std::vector<std::string> found;
    std::vector<fs::path> pending{platform::PathFromUtf8(root)};
    size_t seen = 0;
    while (!pending.empty()) {
        const fs::path folder = std::move(pending.back());
        pending.pop_back();
        std::vector<fs::path> subfolders;
        bool music = false;
        std::error_code ec;
        for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::directory_iterator(); it.increment(ec)) {
            if (IsFolder(*it)) {
                subfolders.push_back(it->path());
                continue;
            }
            std::error_code typeError;
            if (music || !it->is_regular_file(typeError)) {
                continue;
            }
            const std::string name = platform::PathToUtf8(it->path().filename());
            music =
                std::any_of(extensions_.begin(), extensions_.end(),
                            [&](const std::string& ext) { return MatchesExtension(name, ext); });
        }
        if (music) {
            // The root keeps the spelling it was given; folders below are root plus names.
            found.push_back(seen == 0 ? root : platform::PathToUtf8(folder));
        }
        // Depth first, in name order: pushed in reverse so the first name comes out first.
        std::sort(subfolders.begin(), subfolders.end(), std::greater<>());
        for (fs::path& sub : subfolders) {
            pending.push_back(std::move(sub));
        }
        ++seen;
        if (progress && !progress(seen)) {
            break;
        }
    }
    return found;
}

bool MusicFolderWalk::HasSubfolders(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(platform::PathFromUtf8(folder), ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (IsFolder(*it)) {
            return true;
        }
    }
    return false;
}
