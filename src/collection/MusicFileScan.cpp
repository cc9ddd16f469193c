#include "collection/MusicFileScan.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The names of the regular files directly in `directory`, sorted byte-wise.
bool ListRegularFiles(const std::string& directory, std::vector<std::string>& files) {
    std::error_code ec;
    fs::directory_iterator it(platform::PathFromUtf8(directory), ec);
    if (ec) {
        return false;
    }
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        // A name with a line break could not be written as one line of the collection file
        // (and could smuggle in a line of its own), so it is not taken.
        std::string name = platform::PathToUtf8(it->path().filename());
        if (name.find_first_of("\r\n") == std::string::npos) {
            files.push_back(std::move(name));
        }
    }
    // An error in the middle of the listing ends it; the names read so far are kept.
    std::sort(files.begin(), files.end());
    return true;
}

}  // namespace

bool MatchesExtension(const std::string& name, const std::string& extension) {
    if (name.size() < extension.size() + 1) {
        return false;
    }
    const size_t dot = name.size() - extension.size() - 1;
    if (name[dot] != '.') {
        return false;
    }
    return std::equal(extension.begin(), extension.end(), name.begin() + dot + 1,
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

bool ListMusicFiles(const std::string& directory, const std::vector<std::string>& extensions,
                    std::vector<std::string>& names) {
    std::vector<std::string> files;
    if (!ListRegularFiles(directory, files)) {
        return false;
    }
    for (const std::string& extension : extensions) {
        for (const std::string& file : files) {
            if (MatchesExtension(file, extension)) {
                names.push_back(file);
            }
        }
    }
    return true;
}
