// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/volumes/VolumeQueries.h"

namespace platform {

// Drives on Windows: the logical drive roots ("C:\") and the KERNEL32 volume functions. Paths are
// UTF-8 in the program and UTF-16 towards the system.
class WindowsVolumeQueries : public VolumeQueries {
  public:
    std::vector<std::string> GetDriveRoots() const override;
    DriveType GetDriveType(const std::string& root) const override;
    bool GetDiskSpace(const std::string& root, DiskSpace& space) const override;
    bool GetVolumeLabel(const std::string& root, std::string& label) const override;
};

}  // namespace platform
