#pragma once

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <string>

#include "support/TempDir.h"

// A regular file whose reads wait for data that never comes: the kernel's trace pipe, with
// tracefs mounted for the lifetime of the object. It stands for a "music file" that hangs a copy.
// Linux as superuser only; elsewhere IsMounted() is false.
class TracePipe {
  public:
    TracePipe() {
#ifndef _WIN32
        mounted_ =
            geteuid() == 0 && mount("nodev", dir_.Path().c_str(), "tracefs", 0, nullptr) == 0;
#endif
    }
    ~TracePipe() {
#ifndef _WIN32
        if (mounted_) {
            umount2(dir_.Path().c_str(), MNT_DETACH);
        }
#endif
    }
    TracePipe(const TracePipe&) = delete;
    TracePipe& operator=(const TracePipe&) = delete;

    bool IsMounted() const {
        return mounted_;
    }
    std::string File() const {
        return dir_ / "trace_pipe";
    }

  private:
    TempDir dir_;
    bool mounted_ = false;
};
