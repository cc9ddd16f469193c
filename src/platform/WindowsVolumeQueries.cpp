#include "platform/WindowsVolumeQueries.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h maps GetDriveType to GetDriveTypeA; the name here is our own member.
#undef GetDriveType

#include <cwchar>

namespace platform {
namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const wchar_t* text, size_t size) {
    if (size == 0) {
        return std::string();
    }
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), &narrow[0], length, nullptr,
                        nullptr);
    return narrow;
}

// The volume functions want the root with its backslash; the settings keep a drive as "E:".
std::wstring RootForSystem(const std::string& root) {
    std::wstring wide = Widen(root);
    if (wide.size() == 2 && wide[1] == L':') {
        wide.push_back(L'\\');
    }
    return wide;
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
        roots.push_back(Narrow(root, wcslen(root)));
    }
    return roots;
}

int WindowsVolumeQueries::GetDriveType(const std::string& root) const {
    const std::wstring wide = RootForSystem(root);
    return static_cast<int>(GetDriveTypeW(wide.c_str()));
}

bool WindowsVolumeQueries::GetDiskSpace(const std::string& root, DiskSpace& space) const {
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
    const std::wstring wide = RootForSystem(root);
    wchar_t name[256] = {};
    if (!GetVolumeInformationW(wide.c_str(), name, 256, nullptr, nullptr, nullptr, nullptr, 0)) {
        return false;
    }
    label = Narrow(name, wcslen(name));
    return true;
}

}  // namespace platform
