// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MusicFileScan.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name with a line break could not be written as one line of the collection file (and could
// smuggle in a line of its own), so it is not taken.
bool Storable(const std::string& name) {
    return name.find_first_of("\r\n") == std::string::npos;
}

#ifndef _WIN32
// The names of the regular files directly in `directory`, sorted byte-wise. readdir's file type
// answers for most entries; only links and entries of unknown type cost an fstatat, relative
// to the open directory. A big collection lists a great many files at every load.
ListOutcome ListRegularFiles(const std::string& directory, std::vector<std::string>& files) {
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) {
        return ListOutcome::kUnlistable;
    }
    bool anything = false;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        anything = true;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st;
            regular = ::fstatat(::dirfd(dir), name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) {
            std::string text(name);
            if (Storable(text)) {
                files.push_back(std::move(text));
            }
        }
        errno = 0;
    }
    // A listing that broke off (a share that went away, a disc error) is no true picture of
    // the folder: taking it as one would drop the files it did not reach.
    const bool broken = errno != 0;
    ::closedir(dir);
    if (broken) {
        files.clear();
        return ListOutcome::kUnlistable;
    }
    std::sort(files.begin(), files.end());
    return anything ? ListOutcome::kListed : ListOutcome::kEmpty;
}
#else
// The names of the regular files directly in `directory`, sorted byte-wise.
ListOutcome ListRegularFiles(const std::string& directory, std::vector<std::string>& files) {
    std::error_code ec;
    fs::directory_iterator it(platform::PathFromUtf8(directory), ec);
    if (ec) {
        return ListOutcome::kUnlistable;
    }
    bool anything = false;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        anything = true;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        std::string name = platform::PathToUtf8(it->path().filename());
        if (Storable(name)) {
            files.push_back(std::move(name));
        }
    }
    // A listing that broke off (a share that went away, a disc error) is no true picture of
    // the folder: taking it as one would drop the files it did not reach.
    if (ec) {
        files.clear();
        return ListOutcome::kUnlistable;
    }
    std::sort(files.begin(), files.end());
    return anything ? ListOutcome::kListed : ListOutcome::kEmpty;
}
#endif

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
    const ListOutcome outcome = ListRegularFiles(directory, files);
    if (outcome != ListOutcome::kListed) {
        return outcome;
    }
    for (const std::string& extension : extensions) {
        for (const std::string& file : files) {
            if (MatchesExtension(file, extension)) {
                names.push_back(file);
            }
        }
    }
    return ListOutcome::kListed;
}
