// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <dirent.h>

#include "platform/files/FileDescriptor_posix.h"

namespace platform {

// Owns an open directory stream (opendir, fdopendir) and closes it at the end of its scope,
// together with the descriptor under it.
class DirectoryStream {
  public:
    explicit DirectoryStream(DIR* dir) : dir_(dir) {}
    ~DirectoryStream() {
        if (dir_) {
            closedir(dir_);
        }
    }
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;

    // A stream over the open folder `fd`, which it takes over; an invalid one, with `fd`
    // closed, when `fd` is not an open folder.
    static DirectoryStream Adopt(FileDescriptor fd) {
        DIR* dir = fd.IsValid() ? fdopendir(fd.Get()) : nullptr;
        if (dir) {
            fd.Release();
        }
        return DirectoryStream(dir);
    }

    bool IsValid() const { return dir_ != nullptr; }
    DIR* Get() const { return dir_; }

  private:
    DIR* dir_;
};

}  // namespace platform
