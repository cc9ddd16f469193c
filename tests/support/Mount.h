// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// `source` mounted at `at` (made if missing) for the lifetime of the object: a bind mount, or a
// file system of the given type. Linux as superuser only; `mounted` says whether it worked.
struct Mount {
    Mount(const std::string& source, const std::string& at, const char* type = nullptr)
        : target(at) {
        std::filesystem::create_directories(target);
        mounted = geteuid() == 0 &&
                  mount(source.c_str(), target.c_str(), type, type ? 0 : MS_BIND, nullptr) == 0;
    }
    ~Mount() {
        if (mounted) {
            umount2(target.c_str(), MNT_DETACH);
        }
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    std::string target;
    bool mounted;
};
