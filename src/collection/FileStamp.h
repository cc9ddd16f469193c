// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// What a file looked like at one moment: whether it existed, its size and its last write time.
// Two stamps that differ mean the file was written (or replaced, or removed) in between.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t writeTime = 0;  // in the file system's own clock ticks
    uint64_t fileId = 0;    // the inode where there is one: a rename over the file changes it

    static FileStamp Of(const std::string& path);
    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && writeTime == other.writeTime &&
               fileId == other.fileId;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
