// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/ExecutablePath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {

std::string ExecutablePath(const std::string& argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) {
        return self.string();
    }
    if (argv0.empty()) {
        return std::string();
    }
    const auto absolute = std::filesystem::absolute(argv0, ec);
    return ec ? argv0 : absolute.lexically_normal().string();
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd pw;
    struct passwd* result = nullptr;
    if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &result) == 0 && result &&
        result->pw_dir) {
        return result->pw_dir;
    }
    return std::string();
}

std::string UserConfigDirectory() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
        xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        return xdg;
    }
    const std::string home = HomeDirectory();
    return home.empty() ? std::string() : (std::filesystem::path(home) / ".config").string();
}

bool IsDirectoryWritable(const std::string& dir) {
    return !dir.empty() && access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace platform
