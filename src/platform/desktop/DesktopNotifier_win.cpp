// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/DesktopNotifier.h"

namespace platform {

// The command-line program sends no notifications on Windows; it prints the summary.
bool DesktopNotifier::Notify(const std::string&, const std::string&) {
    return false;
}

}  // namespace platform
