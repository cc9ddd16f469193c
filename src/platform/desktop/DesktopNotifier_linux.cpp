// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/DesktopNotifier.h"

#include <systemd/sd-bus.h>

namespace platform {

bool DesktopNotifier::Notify(const std::string& summary, const std::string& body) {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0) {
        return false;
    }
    sd_bus_error error{};  // SD_BUS_ERROR_NULL, without its C compound literal
    // Notify(app name, replaces id, icon, summary, body, actions, hints, timeout: server's).
    const int result = sd_bus_call_method(
        bus, "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
        "org.freedesktop.Notifications", "Notify", &error, nullptr, "susssasa{sv}i", "Tunecrate",
        0u, "tunecrate", summary.c_str(), body.c_str(), 0u, 0u, -1);
    sd_bus_error_free(&error);
    sd_bus_flush_close_unref(bus);
    return result >= 0;
}

}  // namespace platform
