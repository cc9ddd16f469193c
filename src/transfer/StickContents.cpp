// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickContents.h"

#include <filesystem>
#include <system_error>

#include "collection/MusicFileScan.h"
#include "platform/files/Utf8Path.h"
#include "transfer/FileOperations.h"
#include "transfer/StickLayout.h"

namespace fs = std::filesystem;

namespace {

bool IsMusic(const std::string& name, const std::vector<std::string>& extensions) {
    for (const std::string& extension : extensions) {
        if (MatchesExtension(name, extension)) {
            return true;
        }
    }
    return false;
}

// The program's own files on a stick: its playlist in the root, and its hidden files (records,
// temporaries) anywhere, all named ".tunecrate…".
bool IsOurs(const std::string& name, bool inRoot) {
    return (inRoot && name == StickLayout::kPlaylistName) || name.rfind(".tunecrate", 0) == 0;
}

}  // namespace

StickContents StickContents::Count(const std::string& root,
                                   const std::vector<std::string>& extensions) {
    StickContents contents;
    const FileOperations files;
    uint64_t rootDevice = 0;
    if (!files.GetDeviceOf(root, rootDevice)) {
        return contents;
    }
    const fs::path rootPath = platform::PathFromUtf8(root);
    std::vector<fs::path> folders{rootPath};
    while (!folders.empty()) {
        const fs::path folder = folders.back();
        folders.pop_back();
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::file_status status = it->symlink_status(ec);
            if (ec) {
                ec.clear();
                ++contents.files_;
                ++contents.nonMusic_;
                continue;
            }
            if (fs::is_directory(status)) {
                uint64_t device = 0;
                if (files.GetDeviceOf(platform::PathToUtf8(it->path()), device) &&
                    device == rootDevice) {
                    folders.push_back(it->path());
                }
                continue;
            }
            ++contents.files_;
            const bool regular = fs::is_regular_file(status);
            if (regular) {
                const uintmax_t size = it->file_size(ec);
                contents.bytes_ += ec ? 0 : size;
                ec.clear();
            }
            const std::string name = platform::PathToUtf8(it->path().filename());
            if (!regular || !(IsMusic(name, extensions) || IsOurs(name, folder == rootPath))) {
                ++contents.nonMusic_;
            }
        }
    }
    return contents;
}

bool StickContents::NeedsConfirmation(platform::DriveType type) const {
    return type != platform::DriveType::kRemovable || nonMusic_ > 0;
}
