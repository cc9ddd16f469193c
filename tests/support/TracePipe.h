#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <string>

#include "support/TempDir.h"

// A regular file whose reads wait for data that never comes: the kernel's trace pipe, with
// tracefs mounted for the lifetime of the object. It stands for a "music file" that hangs a copy.
// Linux as superuser only; otherwise IsMounted() is false.
class TracePipe {
  public:
    TracePipe()
        : mounted_(geteuid() == 0 &&
                   mount("nodev", dir_.Path().c_str(), "tracefs", 0, nullptr) == 0) {}
    ~TracePipe() {
        if (mounted_) {
            umount2(dir_.Path().c_str(), MNT_DETACH);
        }
    }
    TracePipe(const TracePipe&) = delete;
    TracePipe& operator=(const TracePipe&) = delete;

    bool IsMounted() const { return mounted_; }
    std::string File() const { return dir_ / "trace_pipe"; }

  private:
    TempDir dir_;
    bool mounted_;
};
