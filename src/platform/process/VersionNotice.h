// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// The lines every program of the project prints for --version: name, version, copyright and
// the licence, as GNU programs word them.
inline std::string VersionNotice(const std::string& program) {
    return program + " " TUNECRATE_VERSION
                     "\n"
                     "Copyright (C) 2026 Vornhollow\n"
                     "License " TUNECRATE_LICENSE
                     ": GNU GPL version 3 or later "
                     "<https://gnu.org/licenses/gpl.html>.\n"
                     "This is free software: you are free to change and redistribute it.\n"
                     "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace platform
