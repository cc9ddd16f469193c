#include "platform/Utf8Path.h"

#include <algorithm>

namespace platform {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string PathToUtf8(const std::filesystem::path& path) {
    return path.native();
}

bool PathIsWithin(const std::filesystem::path& outer, const std::filesystem::path& inner) {
    const auto mismatch = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return mismatch.first == outer.end();
}

bool IsSystemRootFolder(const std::filesystem::path& canonical) {
    return canonical == canonical.root_path();
}

}  // namespace platform
