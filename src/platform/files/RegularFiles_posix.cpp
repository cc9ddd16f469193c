// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/RegularFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/files/DirectoryStream_posix.h"

namespace platform {

// readdir's file type answers for most entries; only links and entries of unknown type cost an
// fstatat, relative to the open directory. A big collection lists a great many files at every
// load.
ListOutcome ListRegularFiles(const std::string& directory, std::vector<std::string>& files) {
    const DirectoryStream dir(::opendir(directory.c_str()));
    if (!dir.IsValid()) {
        return ListOutcome::kUnlistable;
    }
    std::vector<std::string> found;
    bool anything = false;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.Get())) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        anything = true;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st;
            regular = ::fstatat(::dirfd(dir.Get()), name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) {
            found.emplace_back(name);
        }
        errno = 0;
    }
    if (errno != 0) {
        return ListOutcome::kUnlistable;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return anything ? ListOutcome::kListed : ListOutcome::kEmpty;
}

}  // namespace platform
