// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace platform {

// Sleeps until the mounted volumes change, without polling in a loop: on Linux the kernel wakes a
// poll on mountinfo whenever something is mounted or unmounted. A signal handler may cut the wait
// short with Wake(). One watcher at a time.
class MountWatcher {
  public:
    MountWatcher();
    ~MountWatcher();
    MountWatcher(const MountWatcher&) = delete;
    MountWatcher& operator=(const MountWatcher&) = delete;

    // Returns after a change of the mount table, after Wake(), or after `timeoutMs` (a safety
    // net; the caller looks again anyway).
    void Wait(int timeoutMs);
    // Async-signal-safe.
    static void Wake();

  private:
    struct Descriptors;  // what the system's wait needs, owned here
    std::unique_ptr<Descriptors> descriptors_;
};

}  // namespace platform
