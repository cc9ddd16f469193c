// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickContents.h"

#include "collection/MusicFileScan.h"
#include "transfer/FileOperations.h"
#include "transfer/StickLayout.h"

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
                                   const std::vector<std::string>& extensions,
                                   const FileOperations& files) {
    using Kind = FileOperations::TreeEntry::Kind;
    StickContents contents;
    files.ListTree(root, [&](const FileOperations::TreeEntry& entry) {
        if (entry.kind == Kind::kFolder) {
            return;
        }
        ++contents.files_;
        contents.bytes_ += entry.size;
        if (entry.kind != Kind::kFile ||
            !(IsMusic(entry.name, extensions) || IsOurs(entry.name, entry.inRoot))) {
            ++contents.nonMusic_;
        }
    });
    return contents;
}

bool StickContents::NeedsConfirmation(platform::DriveType type) const {
    return type != platform::DriveType::kRemovable || nonMusic_ > 0;
}
