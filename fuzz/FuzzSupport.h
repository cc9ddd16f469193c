// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Helpers shared by the fuzz targets.
namespace fuzz {

// A property of the code under test does not hold: report it and stop with a crash, which
// libFuzzer records with the input.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

inline std::string& WorkFolderPath() {
    static std::string path;
    return path;
}

inline void RemoveWorkFolder() {
    std::error_code ec;
    std::filesystem::remove_all(WorkFolderPath(), ec);
}

// A private folder for the files a target writes, made once per process and removed when the
// process exits (libFuzzer ends with exit(); a crash leaves it for inspection).
inline const std::string& WorkFolder() {
    static const std::string folder = [] {
        // A RAM disk where there is one: the targets write and flush files on every input.
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/tunecrate-fuzz-XXXXXX"
                                                            : "/tmp/tunecrate-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        WorkFolderPath() = pattern;
        std::atexit(RemoveWorkFolder);
        return pattern;
    }();
    return folder;
}

}  // namespace fuzz
