// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/FileStamp.h"

#include <filesystem>
#include <system_error>

#include "platform/files/FileIdentity.h"
#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;

FileStamp FileStamp::Of(const std::string& path) {
    FileStamp stamp;
    std::error_code ec;
    const fs::path file = platform::PathFromUtf8(path);
    const auto time = fs::last_write_time(file, ec);
    if (ec) {
        return stamp;
    }
    const auto size = fs::file_size(file, ec);
    stamp.exists = true;
    stamp.size = ec ? 0 : static_cast<uint64_t>(size);
    stamp.writeTime = static_cast<int64_t>(time.time_since_epoch().count());
    // Two saves within one tick of the clock can leave time and size alike; the replacing
    // rename gives the file a new inode (file index on Windows) all the same.
    if (const auto identity = platform::IdentityOf(path)) {
        stamp.fileId = identity->index;
    }
    return stamp;
}
