// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
    // A fresh name of our own, made with a call that fails when the directory already exists.
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate = base / ("tunecrate-test-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = platform::PathToUtf8(candidate);
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot create a temporary directory");
    }
}

TempDir::~TempDir() {
    // Tests may leave read-only entries behind; make everything writable before removing it.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(platform::PathFromUtf8(path_), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::remove_all(platform::PathFromUtf8(path_), ec);
}

std::string TempDir::operator/(const std::string& name) const {
    return platform::PathToUtf8(platform::PathFromUtf8(path_) / platform::PathFromUtf8(name));
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(platform::PathFromUtf8(path), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool TryCreateSymlink(const std::string& target, const std::string& link) {
    const fs::path to = platform::PathFromUtf8(target);
    const fs::path at = platform::PathFromUtf8(link);
    std::error_code ec;
    if (fs::is_directory(to, ec)) {
        fs::create_directory_symlink(to, at, ec);
    } else {
        fs::create_symlink(to, at, ec);
    }
    return !ec && fs::is_symlink(fs::symlink_status(at, ec));
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    const fs::path file = platform::PathFromUtf8(path);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);  // the folders it lies in, where missing
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::set<std::string> FilesIn(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(platform::PathFromUtf8(dir))) {
        names.insert(platform::PathToUtf8(entry.path().filename()));
    }
    names.erase(".tunecrate");  // a stick's record of its songs
    return names;
}
