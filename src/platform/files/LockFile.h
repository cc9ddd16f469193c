// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/Result.h"

namespace platform {

// An exclusive lock between programs, held on a lock file (flock on Linux, LockFileEx on
// Windows). The file is created when missing and never removed: another program may be holding
// it or about to lock it, and a leftover file is harmless, since the system drops the lock when
// its holder ends, however it ends. Within one process the lock nests: a second TryLock of the
// same path while it is held succeeds at once, so a save inside a locked run needs no special
// path.
class LockFile {
  public:
    enum class Outcome {
        kLocked,  // this object holds the lock
        kBusy,    // another program holds it
        kFailed,  // the lock file could not be created or locked
    };
    // The message gives the system's words for a lock not taken.
    using Result = platform::Result<Outcome>;

    LockFile() = default;
    ~LockFile() { Unlock(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Takes the lock on the file at `path` without waiting. The lock file takes the owner and
    // mode of the file at `like` (the collection it guards), so that whoever may write that file
    // may lock it, also after a run as root; a lock file this user cannot write is locked
    // through a descriptor opened for reading.
    Result TryLock(const std::string& path, const std::string& like = std::string());
    // Gives the lock up (the last holder in this process releases it); nothing when not held.
    void Unlock();
    bool IsLocked() const { return !path_.empty(); }

  private:
    // The system part: opens or creates the file and locks it without waiting. Returns the
    // handle (a descriptor or a HANDLE) or -1.
    static intptr_t Acquire(const std::string& path, const std::string& like, Result& result);
    static void Release(intptr_t handle);

    std::string path_;
};

}  // namespace platform
