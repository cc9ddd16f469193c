// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/FileDescriptor_posix.h"
#include "platform/files/FileSizes.h"

namespace platform {

bool FileSizesIn(const std::string& directory, const std::vector<const std::string*>& names,
                 std::vector<uint64_t>& sizes) {
    sizes.assign(names.size(), 0);
    const FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.IsValid()) {
        return false;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        struct stat st;
        if (::fstatat(dir.Get(), names[i]->c_str(), &st, 0) == 0 && S_ISREG(st.st_mode)) {
            sizes[i] = static_cast<uint64_t>(st.st_size);
        }
    }
    return true;
}

}  // namespace platform
