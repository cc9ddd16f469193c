// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Helpers of the Windows platform code: the program keeps text and paths in UTF-8, the wide
// (UTF-16) Win32 functions take and give UTF-16.
namespace platform {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// The system's text for a Win32 error code, in UTF-8, without the closing line break.
std::string SystemErrorText(unsigned long code);
// "path: text of the error"
std::string PathErrorText(const std::string& path, unsigned long code);

// A path for the wide file functions: separators made "\", a bare drive "E:" made the drive's
// root "E:\", and absolute paths given the "\\?\" prefix that lifts the 260-character limit.
std::wstring SystemPath(const std::string& utf8);

// `dir` and `name` joined with exactly one "\" (the "\\?\" form takes no doubled separators).
std::wstring JoinSystemPath(const std::wstring& dir, const std::wstring& name);

// True for a path made of a drive letter and a colon only ("E:").
bool IsBareDrive(const std::string& path);

}  // namespace platform
