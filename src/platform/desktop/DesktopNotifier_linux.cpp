// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/DesktopNotifier.h"

#include "platform/Bus_linux.h"

namespace platform {

bool DesktopNotifier::Notify(const std::string& summary, const std::string& body) {
    sd_bus* rawBus = nullptr;
    const int opened = sd_bus_open_user(&rawBus);
    const Bus bus(rawBus);
    if (opened < 0) {
        return false;
    }
    BusError error;
    // Notify(app name, replaces id, icon, summary, body, actions, hints, timeout: server's).
    return sd_bus_call_method(bus.get(), "org.freedesktop.Notifications",
                              "/org/freedesktop/Notifications", "org.freedesktop.Notifications",
                              "Notify", &error.error, nullptr, "susssasa{sv}i", "Tunecrate", 0u,
                              "tunecrate", summary.c_str(), body.c_str(), 0u, 0u, -1) >= 0;
}

}  // namespace platform
