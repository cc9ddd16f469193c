// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MusicFileScan.h"

#include <algorithm>

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name with a line break could not be written as one line of the collection file (and could
// smuggle in a line of its own), so it is not taken.
bool Storable(const std::string& name) {
    return name.find_first_of("\r\n") == std::string::npos;
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

ListOutcome ListMusicFiles(const std::string& directory, const std::vector<std::string>& extensions,
                           std::vector<std::string>& names) {
    std::vector<std::string> files;
    const ListOutcome outcome = platform::ListRegularFiles(directory, files);
    if (outcome != ListOutcome::kListed) {
        return outcome;
    }
    for (const std::string& extension : extensions) {
        for (const std::string& file : files) {
            if (MatchesExtension(file, extension) && Storable(file)) {
                names.push_back(file);
            }
        }
    }
    return ListOutcome::kListed;
}
