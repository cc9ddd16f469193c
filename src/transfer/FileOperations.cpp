#include "transfer/FileOperations.h"

#include "platform/Utf8Path.h"

std::string FileOperations::JoinPath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && platform::IsPathSeparator(directory.back())) {
        return directory + name;
    }
    return directory + platform::kPathSeparator + name;
}

bool FileOperations::IsPlainFileName(const std::string& name) {
#ifdef _WIN32
    constexpr const char* kForbidden = "\\/:";
#else
    constexpr const char* kForbidden = "/";
#endif
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(kForbidden) == std::string::npos;
}
