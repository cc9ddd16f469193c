// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/DirectoryPath.h"

#include <filesystem>
#include <system_error>

#include "platform/files/Utf8Path.h"
#include "platform/process/LegacyText.h"

namespace fs = std::filesystem;
using platform::UserMessage;
using Id = platform::UserMessage::Id;

UserMessage DirectoryPath::Problem(const std::string& path) {
    static const char* const kBlanks = " \t\v\f";
    if (path.empty()) {
        return UserMessage(Id::kPathEmpty);
    }
    if (path.find_first_of(kBlanks) == 0 || path.find_last_of(kBlanks) == path.size() - 1) {
        return UserMessage(Id::kPathBlank);
    }
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return UserMessage(Id::kPathControl);
        }
    }
    if (path.size() > kMaxLength) {
        return UserMessage(Id::kPathTooLong, {std::to_string(kMaxLength)});
    }
    if (!platform::IsValidUtf8(path)) {
        return UserMessage(Id::kPathNotUtf8);
    }
    return UserMessage();
}

std::string DirectoryPath::Absolute(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(platform::PathFromUtf8(path), ec);
    if (ec) {
        absolute = platform::PathFromUtf8(path);
    }
    absolute = absolute.lexically_normal();
    // "/music/Rock/" normalises to "/music/Rock/" with an empty last part: drop it.
    if (!absolute.has_filename() && absolute.has_relative_path()) {
        absolute = absolute.parent_path();
    }
    return platform::PathToUtf8(absolute);
}

std::string DirectoryPath::Key(const std::string& path) {
    return platform::PathCaseKey(Absolute(path));
}
