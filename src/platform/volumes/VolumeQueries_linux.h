// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/volumes/MountTable_linux.h"
#include "platform/volumes/VolumeQueries.h"

namespace platform {

// Drives on Linux are mounted volumes named by their mount points. The mount list comes from
// mountinfo, the kind of a block device from sysfs, the byte counts from statvfs, and label, UUID
// and file-system type from the device's superblock (libblkid), or where that cannot be read
// (no access to the device) from udev's by-label and by-uuid links and the mount's type. The
// locations can be moved for tests.
class LinuxVolumeQueries : public VolumeQueries {
  public:
    struct Locations {
        std::string mountInfo = "/proc/self/mountinfo";
        std::string sysfs = "/sys";
        std::string labels = "/dev/disk/by-label";
        std::string uuids = "/dev/disk/by-uuid";
    };

    LinuxVolumeQueries() = default;
    explicit LinuxVolumeQueries(Locations locations) : locations_(std::move(locations)) {}

    std::vector<std::string> GetDriveRoots() const override;
    std::vector<std::string> GetUserDriveRoots() const override;
    DriveType GetDriveType(const std::string& root) const override;
    bool GetDiskSpace(const std::string& root, DiskSpace& space) const override;
    bool GetVolumeLabel(const std::string& root, std::string& label) const override;
    bool GetVolumeIdentity(const std::string& root, VolumeIdentity& identity) const override;

  private:
    // The name of the user running the program; empty when the system does not know it.
    static std::string UserName();
    // The visible mount whose mount point is `root` (symbolic links resolved), or null when
    // `root` is missing or a plain directory.
    const MountEntry* FindVolume(const MountTable& mounts, const std::string& root) const;
    DriveType ClassifyMount(const MountEntry& mount) const;
    // Device numbers of the block device behind the mount, when it has one.
    bool BlockDeviceOf(const MountEntry& mount, unsigned& major, unsigned& minor) const;

    Locations locations_;
};

}  // namespace platform
