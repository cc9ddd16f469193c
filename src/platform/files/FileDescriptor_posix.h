// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

namespace platform {

// Owns a POSIX file descriptor and closes it at the end of its scope. Move-only. A file written
// to is closed explicitly with Close(), whose failure may mean lost data.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = other.Release();
        }
        return *this;
    }

    bool IsValid() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    // Gives the descriptor up without closing it.
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // False, with errno set, when closing failed. The descriptor is gone either way (Linux
    // releases it even when close reports an error, so it is never closed twice).
    bool Close() {
        if (fd_ < 0) {
            return true;
        }
        return close(Release()) == 0;
    }

  private:
    int fd_ = -1;
};

}  // namespace platform
