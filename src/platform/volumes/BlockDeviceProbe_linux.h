// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/volumes/VolumeIdentity.h"

namespace platform {

// Reads the label, UUID and type of the file system on a block device from its superblock with
// libblkid. That needs read access to the device (root, or the disk group) but no udev.
class BlockDeviceProbe {
  public:
    // False when the device cannot be opened or holds no file system blkid knows; `identity`
    // is unchanged then.
    static bool Read(const std::string& device, VolumeIdentity& identity);
};

}  // namespace platform
