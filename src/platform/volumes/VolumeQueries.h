// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/volumes/VolumeIdentity.h"

namespace platform {

// The kind of a drive, with the system's codes (the numbers are shown and stored as they are).
enum class DriveType {
    kUnknown = 0,    // cannot be determined
    kNoRootDir = 1,  // no root directory at this path: missing, or a plain directory
    kRemovable = 2,
    kFixed = 3,
    kRemote = 4,  // network
    kOptical = 5,
    kRamDisk = 6,
};

// Byte counts of one mounted volume.
struct DiskSpace {
    uint64_t freeToCaller = 0;  // free bytes the calling user may fill
    uint64_t total = 0;         // size of the volume
    uint64_t totalFree = 0;     // all free bytes, whatever the user's quota
};

// The operating system's answers about drives: the drive list, a drive's type code, its byte
// counts and its label. The real implementation comes from System(); tests hand a fake to the
// classes that take one.
class VolumeQueries {
  public:
    virtual ~VolumeQueries() = default;

    // The roots of all mounted volumes, in the system's order: mount points on Linux ("/",
    // "/media/anna/MUSIC"), "C:\" style roots on Windows.
    virtual std::vector<std::string> GetDriveRoots() const = 0;
    // The roots of the drives a user would fill with music, in the system's order. On Linux the
    // removable drives and the volumes where desktops mount drives, not the system's own; on
    // Windows every drive letter.
    virtual std::vector<std::string> GetUserDriveRoots() const { return GetDriveRoots(); }
    virtual DriveType GetDriveType(const std::string& root) const = 0;
    // False when the counts cannot be read (nothing is changed then).
    virtual bool GetDiskSpace(const std::string& root, DiskSpace& space) const = 0;
    // False when the label cannot be read; an unlabelled volume gives true and an empty label.
    virtual bool GetVolumeLabel(const std::string& root, std::string& label) const = 0;
    // Label, UUID and file-system type; false when `root` is not a mounted volume. Systems that
    // can tell only the label leave the other two empty.
    virtual bool GetVolumeIdentity(const std::string& root, VolumeIdentity& identity) const {
        identity = VolumeIdentity();
        return GetVolumeLabel(root, identity.label);
    }

    // The implementation for the platform the program runs on.
    static const VolumeQueries& System();
};

}  // namespace platform
