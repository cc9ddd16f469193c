// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/FileStamp.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Text_win.h"
#include "platform/files/Handle_win.h"
#else
#include <sys/stat.h>
#endif

#include <filesystem>
#include <system_error>

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
#ifdef _WIN32
    platform::Win32Handle handle(
        CreateFileW(platform::SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (handle.IsValid() && GetFileInformationByHandle(handle.Get(), &info)) {
        stamp.fileId = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        stamp.fileId = static_cast<uint64_t>(st.st_ino);
    }
#endif
    return stamp;
}
