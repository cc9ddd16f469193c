// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/LibraryDirectory.h"

#include <utility>

LibraryDirectory::LibraryDirectory(std::string path, int flag)
    : name_(std::move(path)), flag_(flag) {}
