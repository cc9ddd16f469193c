// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/volumes/MountTable_linux.h"
#include "platform/volumes/VolumeQueries.h"

namespace platform {

// Which lines of the mount table are drives, decided from the line alone (and the drive's kind,
// which the caller reads from sysfs), so that every front end lists the same ones.
class MountFilter {
  public:
    // A volume at all: a device, a network share or a RAM disk, outside the kernel's and the
    // session's own folders ("/" always is one). Proc, cgroup and the like are not.
    static bool IsVolume(const MountEntry& mount);
    // A drive `user` would fill with music: a removable drive, or a volume where desktops and
    // administrators put drives (/media/USER/..., /run/media/USER/..., /media/NAME, /mnt/...).
    // Never the system's own volumes ("/", /boot, /home, /var ...), a bind mount of a folder, a
    // RAM disk, a snap, or a drive in another user's desktop folder. An empty `user` counts
    // every desktop folder as the user's.
    static bool IsUserDrive(const MountEntry& mount, DriveType type, const std::string& user);

    static bool IsNetworkType(const std::string& fsType);
    static bool IsRamType(const std::string& fsType);
};

}  // namespace platform
