// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One line of /proc/self/mountinfo.
struct MountEntry {
    int mountId = 0;
    int parentId = 0;
    unsigned major = 0;      // device numbers as the kernel reports them (0 for most
    unsigned minor = 0;      // virtual file systems)
    std::string root;        // the folder of the file system mounted here: "/" but for a bind
                             // mount of a folder
    std::string mountPoint;  // with the kernel's octal escapes decoded
    std::string fsType;      // "ext4", "vfat", "fuse.sshfs" ...
    std::string source;      // "/dev/sdb1", "server:/export", "tmpfs" ...
};

// The mounts of the calling process, in the kernel's order (a mount stacked over another at the
// same mount point comes after it).
class MountTable {
  public:
    MountTable() = default;
    explicit MountTable(std::vector<MountEntry> entries) : entries_(std::move(entries)) {}

    // Reads the table from a mountinfo file; an unreadable file gives an empty table.
    static MountTable Read(const std::string& mountInfoPath = "/proc/self/mountinfo");
    // Parses mountinfo text; lines that do not have the expected fields are skipped.
    static MountTable Parse(std::string_view text);

    const std::vector<MountEntry>& Entries() const { return entries_; }
    // The visible (topmost) mount whose mount point is exactly `mountPoint`, or null.
    const MountEntry* FindMountPoint(const std::string& mountPoint) const;

  private:
    std::vector<MountEntry> entries_;
};

}  // namespace platform
