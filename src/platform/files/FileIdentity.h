// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Which file a path names: device and inode number (on Windows the volume serial number and the
// file index). Two paths with equal identities name the same file, whatever links or bind
// mounts lead to it, so comparing identities cannot be fooled the way comparing paths can.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;

    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && index == other.index;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// The identity of the file or folder at `path`, following symbolic links; none when it cannot
// be read.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// The identities of every folder below `root` (not `root` itself), found the way a wipe of
// `root` walks it: symbolic links are not followed, and a folder where another file system (or a
// bind mount) is mounted is neither listed nor entered. Folders that cannot be opened are not
// listed.
std::vector<FileIdentity> FolderIdentitiesBelow(const std::string& root);

}  // namespace platform
