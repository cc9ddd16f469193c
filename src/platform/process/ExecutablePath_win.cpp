// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/ExecutablePath.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Text_win.h"
#include "platform/files/Handle_win.h"
#include "platform/files/Utf8Path.h"

namespace platform {
namespace {

std::string EnvironmentValue(const wchar_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) {
        return std::string();
    }
    std::vector<wchar_t> value(needed);
    const DWORD length = GetEnvironmentVariableW(name, value.data(), needed);
    return length == 0 || length >= needed ? std::string()
                                           : Narrow(std::wstring(value.data(), length));
}

}  // namespace

std::string ExecutablePath(const std::string& argv0) {
    // The module's own path, whatever the program was started as; it may exceed MAX_PATH.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            break;
        }
        if (length < buffer.size()) {
            return Narrow(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
    if (argv0.empty()) {
        return std::string();
    }
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(PathFromUtf8(argv0), ec);
    return ec ? argv0 : PathToUtf8(absolute.lexically_normal());
}

std::string HomeDirectory() {
    std::string home = EnvironmentValue(L"USERPROFILE");
    if (home.empty()) {
        const std::string drive = EnvironmentValue(L"HOMEDRIVE");
        const std::string path = EnvironmentValue(L"HOMEPATH");
        if (!drive.empty() && !path.empty()) {
            home = drive + path;
        }
    }
    return home;
}

std::string UserConfigDirectory() {
    return EnvironmentValue(L"APPDATA");
}

bool IsDirectoryWritable(const std::string& dir) {
    if (dir.empty()) {
        return false;
    }
    // Access rights on Windows come from access lists that no attribute shows; creating a file
    // is the one reliable test. The file goes away when its handle is closed.
    const std::wstring probe = JoinSystemPath(
        SystemPath(dir), L".tunecrate-write-test-" + std::to_wstring(GetCurrentProcessId()));
    const Win32Handle file(CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.IsValid();
}

}  // namespace platform
