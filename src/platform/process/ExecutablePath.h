// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// The absolute path of the running program's executable, or `argv0` made absolute against the
// current directory when the system cannot tell (empty `argv0` gives an empty result).
std::string ExecutablePath(const std::string& argv0 = std::string());

// The user's home directory, or an empty string when it cannot be determined.
std::string HomeDirectory();

// The folder for the user's program settings: $XDG_CONFIG_HOME or ~/.config on Linux, %APPDATA%
// on Windows; empty when there is none.
std::string UserConfigDirectory();

// True when the process may create files in `dir`.
bool IsDirectoryWritable(const std::string& dir);

}  // namespace platform
