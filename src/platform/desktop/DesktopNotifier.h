// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// A desktop notification (the freedesktop.org Notifications service on the session bus).
class DesktopNotifier {
  public:
    // False when there is no session bus or no notification service; nothing is reported then,
    // since the notification only repeats what the program printed.
    static bool Notify(const std::string& summary, const std::string& body);
};

}  // namespace platform
