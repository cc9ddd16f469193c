// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Utf8Path.h"

namespace platform {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string PathToUtf8(const std::filesystem::path& path) {
    return path.native();
}

std::string PathCaseKey(const std::string& utf8) {
    return utf8;
}

bool IsSystemRootFolder(const std::filesystem::path& canonical) {
    return canonical == canonical.root_path();
}

}  // namespace platform
