// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/FileIdentity.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Text_win.h"
#include "platform/files/FindHandle_win.h"
#include "platform/files/Handle_win.h"

namespace platform {
namespace {

std::optional<FileIdentity> IdentityOfWide(const std::wstring& path, bool followLinks) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    Win32Handle handle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, flags, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle.IsValid() || !GetFileInformationByHandle(handle.Get(), &info)) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber,
                        (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

std::wstring WithRoot(const std::string& path) {
    return Widen(IsBareDrive(path) ? path + "\\" : path);
}

// Junctions, folder links and mounted volumes are reparse points: never entered, as a wipe
// leaves them alone.
void CollectBelow(const std::wstring& dir, uint64_t volume, std::vector<FileIdentity>& found) {
    WIN32_FIND_DATAW data;
    const std::wstring base = dir.empty() || dir.back() == L'\\' ? dir : dir + L"\\";
    const Win32FindHandle find(FindFirstFileW((base + L"*").c_str(), &data));
    if (!find.IsValid()) {
        return;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            continue;
        }
        const std::optional<FileIdentity> identity = IdentityOfWide(base + name, false);
        if (identity && identity->volume == volume) {
            found.push_back(*identity);
            CollectBelow(base + name, volume, found);
        }
    } while (FindNextFileW(find.Get(), &data));
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    return IdentityOfWide(WithRoot(path), true);
}

std::vector<FileIdentity> FolderIdentitiesBelow(const std::string& root) {
    std::vector<FileIdentity> found;
    const std::optional<FileIdentity> top = IdentityOf(root);
    if (top) {
        CollectBelow(WithRoot(root), top->volume, found);
    }
    return found;
}

}  // namespace platform
