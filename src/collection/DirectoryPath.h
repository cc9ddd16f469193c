// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/UserMessage.h"

// Checks and compares the paths of music directories as the collection stores them.
class DirectoryPath {
  public:
    // The longest path that still fits one line of the collection file ("xdir=" and the path
    // in the 1023 characters the reader takes as one line).
    static constexpr size_t kMaxLength = 1018;

    // Why a path would not come back unchanged from the collection file; empty when it would.
    // The reader trims blanks around a line, splits long lines and ends a line at a line break;
    // on Linux the file is UTF-8 text.
    static platform::UserMessage Problem(const std::string& path);

    // The path made absolute and normal ("." and ".." parts resolved, no trailing separator
    // except a root's), links left as they are: how the collection stores a directory, so that
    // it names the same one from any working directory.
    static std::string Absolute(const std::string& path);
    // Absolute(), and on Windows, whose file systems ignore letter case, lower-cased: two paths
    // that give the same key name the same directory.
    static std::string Key(const std::string& path);
};
