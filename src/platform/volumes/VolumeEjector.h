// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/UserMessage.h"

namespace platform {

// What became of a request to eject a stick.
struct EjectResult {
    enum class Outcome {
        kEjected,    // unmounted and its drive powered off: it can be pulled out
        kUnmounted,  // unmounted, but the drive could not be powered off
        kFailed,     // still mounted; the message says why
    };
    Outcome outcome = Outcome::kFailed;
    UserMessage message;  // one line for the user, also on success
};

// Ejects the volume mounted at a mount point, as a file manager's eject button does: through
// UDisks2 on the system bus (Filesystem.Unmount on its block device, then Drive.PowerOff),
// falling back to `umount` when UDisks2 cannot be reached and the program runs as root. A
// volume on a fixed disc is never ejected. Blocks until done.
class VolumeEjector {
  public:
    static EjectResult Eject(const std::string& mountPoint);
};

}  // namespace platform
