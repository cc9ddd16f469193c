// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Utf8Path.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "platform/Text_win.h"

namespace platform {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    // A bare drive such as "E:" (as the settings keep the stick) names the drive's root; left
    // alone it would mean the drive's current folder.
    return std::filesystem::path(Widen(IsBareDrive(utf8) ? utf8 + "\\" : utf8));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    return Narrow(path.native());
}

std::string PathCaseKey(const std::string& utf8) {
    std::wstring wide = PathFromUtf8(utf8).wstring();
    for (wchar_t& c : wide) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return PathToUtf8(std::filesystem::path(wide));
}

namespace {

// NTFS and FAT compare names without regard to case, as the system's upper-case table says.
bool SameElement(const std::filesystem::path& a, const std::filesystem::path& b) {
    const std::wstring& x = a.native();
    const std::wstring& y = b.native();
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

// The path with "\" as its only separator and without the "\\?\" prefix: "\\?\C:\x", "C:/x"
// and "C:\x" name the same folder.
std::filesystem::path Plain(const std::filesystem::path& path) {
    std::wstring text = path.native();
    if (text.rfind(L"\\\\?\\", 0) == 0 && text.size() >= 6 && text[5] == L':') {
        text.erase(0, 4);
    }
    std::replace(text.begin(), text.end(), L'/', L'\\');
    return std::filesystem::path(text);
}

}  // namespace

bool IsSystemRootFolder(const std::filesystem::path& canonical) {
    const std::filesystem::path path = Plain(canonical);
    if (path != path.root_path()) {
        return false;
    }
    wchar_t windows[MAX_PATH + 1] = {};
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return true;  // cannot tell which drive holds the system: every root is refused
    }
    return SameElement(std::filesystem::path(windows).root_path(), path);
}

}  // namespace platform
