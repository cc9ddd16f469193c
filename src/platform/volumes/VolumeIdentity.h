// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// What tells one stick from another: the file system's label and UUID as `blkid` shows them, and
// its type ("exfat", "vfat", "ntfs", "ext4" ...). Each is empty when it cannot be told.
struct VolumeIdentity {
    std::string label;
    std::string uuid;
    std::string fsType;
};

}  // namespace platform
