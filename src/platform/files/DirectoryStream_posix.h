// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <dirent.h>
#include <fcntl.h>

#include <cstring>
#include <string>
#include <vector>

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

    // The names in the open folder `dirFd`, without "." and ".."; none when it cannot be listed.
    // Read through a descriptor of its own: one shared with another listing shares its position.
    static std::vector<std::string> NamesIn(int dirFd) {
        std::vector<std::string> names;
        const DirectoryStream listing =
            Adopt(FileDescriptor(openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
        while (const dirent* entry = listing.IsValid() ? readdir(listing.Get()) : nullptr) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                names.emplace_back(entry->d_name);
            }
        }
        return names;
    }

    bool IsValid() const { return dir_ != nullptr; }
    DIR* Get() const { return dir_; }

  private:
    DIR* dir_;
};

}  // namespace platform
