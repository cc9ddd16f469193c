// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/volumes/VolumeQueries.h"

class FileOperations;

// What a wipe of the stick would delete, counted before it is done: every file below the root
// (symbolic links and other non-directories count as files), their bytes, and how many of them
// are neither music files of the extension list nor the program's own (its playlist, its hidden
// ".tunecrate…" files). Links are never followed, and a file system mounted below the root is
// left out, as the wipe leaves both alone (FileOperations::ListTree). The front ends ask the
// user with these counts before they wipe a volume that needs it.
class StickContents {
  public:
    // Counts below `root` through `files`; a root that cannot be read counts as empty.
    static StickContents Count(const std::string& root, const std::vector<std::string>& extensions,
                               const FileOperations& files);

    uint64_t Files() const { return files_; }
    uint64_t Bytes() const { return bytes_; }
    uint64_t NonMusic() const { return nonMusic_; }

    // A wipe needs the user's yes when the volume is not removable or anything on it is not
    // music; a removable stick holding only music and folders is wiped without a question.
    bool NeedsConfirmation(platform::DriveType type) const;

  private:
    uint64_t files_ = 0;
    uint64_t bytes_ = 0;
    uint64_t nonMusic_ = 0;
};
