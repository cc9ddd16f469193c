// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The separator the program writes between a folder and a name; Windows also takes "/".
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
constexpr const char* kPathSeparators = "\\/";
#else
constexpr char kPathSeparator = '/';
constexpr const char* kPathSeparators = "/";
#endif

inline bool IsPathSeparator(char c) {
    for (const char* s = kPathSeparators; *s; ++s) {
        if (*s == c) {
            return true;
        }
    }
    return false;
}

// Paths travel through the program as UTF-8 strings. These convert them to and from
// std::filesystem paths without going through the system's 8-bit code page, so that names with
// any letters survive on every platform. On Windows a bare drive "E:" becomes its root "E:\".
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// `utf8` as the system's file systems compare names: lower-cased on Windows, whose file systems
// ignore letter case, unchanged elsewhere. Two paths with the same key name the same file.
std::string PathCaseKey(const std::string& utf8);

// True for the root folder of the system itself: "/" on Linux, the root of the Windows drive
// (normally "C:\") on Windows. Deleting everything below it would wreck the system.
bool IsSystemRootFolder(const std::filesystem::path& canonical);

}  // namespace platform
