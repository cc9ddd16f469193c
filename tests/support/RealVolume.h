// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "support/TempDir.h"

// A small volume in an image file, mounted on a fresh directory: exFAT (exfat-fuse on a loop
// device), NTFS (ntfs-3g with windows_names: refuses what Windows refuses), FAT (fusefat; no free
// space of its own: fill it with a byte limit) or tmpfs (exact free space). Linux as superuser,
// with loop devices and FUSE; else IsMounted() is false and SkipReason() says why. The destructor
// always unmounts, detaches the loop device and removes the image.
class RealVolume {
  public:
    enum class Kind { kExfat, kNtfs, kFat, kTmpfs };

    // `label`: the volume label (none when empty), for tmpfs its options ("ro": read-only).
    // `clusterBytes`: exFAT's allocation unit (0: mkfs's choice), FAT's root folder entries.
    RealVolume(Kind kind, uint64_t sizeBytes, const std::string& label = "STICK",
               uint64_t clusterBytes = 0);
    ~RealVolume() { Unmount(); }
    RealVolume(const RealVolume&) = delete;
    RealVolume& operator=(const RealVolume&) = delete;

    bool IsMounted() const { return mounted_; }
    const std::string& Path() const { return path_; }
    const std::string& SkipReason() const { return skipReason_; }
    // Unmounts now, as when a stick is pulled out; the mount directory stays until destruction.
    void Unmount();
    // Unmounts and mounts the volume again (not tmpfs), as when a stick is put into a player:
    // exfat-fuse lists a folder in on-disc order only as it reads it from the device.
    bool Remount();
    // "exFAT", "NTFS", "FAT" or "tmpfs", for test names and messages.
    static const char* KindName(Kind kind);

  private:
    bool Make(Kind kind, uint64_t sizeBytes, const std::string& label, uint64_t clusterBytes);

    TempDir base_;  // holds the image, the loop device's name and the mount directory
    std::string path_;
    std::string skipReason_;
    std::string mountAgain_;  // the command that mounts the volume again
    bool mounted_ = false;
};

#define SKIP_UNLESS_REAL_VOLUME(volume)                                                \
    do {                                                                               \
        if (!(volume).IsMounted()) {                                                   \
            GTEST_SKIP() << "cannot mount the test volume: " << (volume).SkipReason(); \
        }                                                                              \
    } while (0)
