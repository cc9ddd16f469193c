// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeQueries_win.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h maps GetDriveType to GetDriveTypeA; the name here is our own member.
#undef GetDriveType

#include <cwchar>

#include "platform/Text_win.h"

namespace platform {
namespace {

// The volume functions want a root folder with its closing backslash ("E:\", "C:\mnt\stick\");
// the settings keep a drive as "E:".
std::wstring RootForSystem(const std::string& root) {
    std::wstring wide = Widen(root);
    for (wchar_t& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    if (!wide.empty() && wide.back() != L'\\') {
        wide.push_back(L'\\');
    }
    return wide;
}

// True when `root` (as RootForSystem gives it) is the root folder of a volume: a drive's root or
// a folder a volume is mounted on. The system's drive type alone would describe any folder by
// the volume it lies on.
bool IsVolumeRoot(const std::wstring& root) {
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(root.c_str(), volume, MAX_PATH + 1)) {
        return false;
    }
    std::wstring mount = volume;
    if (!mount.empty() && mount.back() != L'\\') {
        mount.push_back(L'\\');
    }
    return CompareStringOrdinal(mount.c_str(), static_cast<int>(mount.size()), root.c_str(),
                                static_cast<int>(root.size()), TRUE) == CSTR_EQUAL;
}

uint64_t ToBytes(const ULARGE_INTEGER& value) {
    return static_cast<uint64_t>(value.QuadPart);
}

}  // namespace

const VolumeQueries& VolumeQueries::System() {
    static const WindowsVolumeQueries queries;
    return queries;
}

std::vector<std::string> WindowsVolumeQueries::GetDriveRoots() const {
    // Room for all 26 roots of four characters ("C:\" and its terminator) and the closing one.
    wchar_t buffer[105] = {};
    const DWORD length = GetLogicalDriveStringsW(104, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > 104) {
        return roots;
    }
    for (const wchar_t* root = buffer; *root != L'\0'; root += wcslen(root) + 1) {
        roots.push_back(Narrow(root));
    }
    return roots;
}

DriveType WindowsVolumeQueries::GetDriveType(const std::string& root) const {
    if (root.empty()) {
        // No root at all; the system would answer for the current directory's drive.
        return DriveType::kNoRootDir;
    }
    const std::wstring wide = RootForSystem(root);
    if (!IsVolumeRoot(wide)) {
        return DriveType::kNoRootDir;
    }
    // The system's codes are the enumeration's.
    return static_cast<DriveType>(GetDriveTypeW(wide.c_str()));
}

bool WindowsVolumeQueries::GetDiskSpace(const std::string& root, DiskSpace& space) const {
    if (root.empty()) {
        return false;
    }
    const std::wstring wide = RootForSystem(root);
    ULARGE_INTEGER freeToCaller;
    ULARGE_INTEGER total;
    ULARGE_INTEGER totalFree;
    if (!GetDiskFreeSpaceExW(wide.c_str(), &freeToCaller, &total, &totalFree)) {
        return false;
    }
    space.freeToCaller = ToBytes(freeToCaller);
    space.total = ToBytes(total);
    space.totalFree = ToBytes(totalFree);
    return true;
}

bool WindowsVolumeQueries::GetVolumeLabel(const std::string& root, std::string& label) const {
    if (root.empty()) {
        return false;
    }
    const std::wstring wide = RootForSystem(root);
    wchar_t name[256] = {};
    if (!GetVolumeInformationW(wide.c_str(), name, 256, nullptr, nullptr, nullptr, nullptr, 0)) {
        return false;
    }
    label = Narrow(name);
    return true;
}

}  // namespace platform
