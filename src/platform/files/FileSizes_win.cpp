// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Text_win.h"
#include "platform/files/FileSizes.h"

namespace platform {

bool FileSizesIn(const std::string& directory, const std::vector<const std::string*>& names,
                 std::vector<uint64_t>& sizes) {
    sizes.assign(names.size(), 0);
    const std::wstring dir = SystemPath(directory);
    const DWORD attributes = GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(JoinSystemPath(dir, Widen(*names[i])).c_str(),
                                 GetFileExInfoStandard, &data) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            sizes[i] = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    }
    return true;
}

}  // namespace platform
