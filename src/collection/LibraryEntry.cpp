// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/LibraryEntry.h"

#include <utility>

#include "platform/files/Utf8Path.h"

LibraryEntry::LibraryEntry(LibraryDirectory* owner, std::string name, int flag)
    : owner_(owner), name_(std::move(name)), flag_(flag), fileFlag_(flag) {}

std::string LibraryEntry::GetFullPath() const {
    std::string path = GetDirectory();
    // A drive root or a path typed with a trailing separator already ends in one.
    if (path.empty() || !platform::IsPathSeparator(path.back())) {
        path += platform::kPathSeparator;
    }
    path += name_;
    return path;
}
