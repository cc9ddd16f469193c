// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <systemd/sd-bus.h>

#include <memory>
#include <string>

namespace platform {

// A D-Bus connection (sd-bus) that is flushed and closed at the end of its scope.
struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using Bus = std::unique_ptr<sd_bus, BusCloser>;

// An sd-bus error that frees itself.
struct BusError {
    sd_bus_error error{};  // SD_BUS_ERROR_NULL, without its C compound literal
    ~BusError() { sd_bus_error_free(&error); }
    bool Is(const char* name) const { return sd_bus_error_has_name(&error, name); }
    std::string Text() const { return error.message ? error.message : "no answer"; }
};

}  // namespace platform
