// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/FileIdentity.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstring>

#include "platform/files/DirectoryStream_posix.h"
#include "platform/files/FileDescriptor_posix.h"

namespace platform {
namespace {

// The mounted file system an open folder belongs to; the mount id tells a bind mount on the
// same device apart from a plain subfolder.
struct Mount {
    dev_t device = 0;
    uint64_t mountId = 0;
    bool hasMountId = false;
};

bool Describe(int fd, Mount& mount, FileIdentity& identity) {
    struct statx stx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_INO | STATX_MNT_ID, &stx) == 0) {
        mount.device = makedev(stx.stx_dev_major, stx.stx_dev_minor);
        mount.hasMountId = (stx.stx_mask & STATX_MNT_ID) != 0;
        mount.mountId = stx.stx_mnt_id;
        identity = {static_cast<uint64_t>(mount.device), stx.stx_ino};
        return true;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        return false;
    }
    mount = {st.st_dev, 0, false};
    identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    return true;
}

bool SameMount(const Mount& a, const Mount& b) {
    return a.device == b.device && (!a.hasMountId || !b.hasMountId || a.mountId == b.mountId);
}

void CollectBelow(int dirFd, const Mount& mount, std::vector<FileIdentity>& found) {
    const DirectoryStream dir = DirectoryStream::Adopt(FileDescriptor(dup(dirFd)));
    if (!dir.IsValid()) {
        return;
    }
    while (const dirent* entry = readdir(dir.Get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0 ||
            (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)) {
            continue;
        }
        const FileDescriptor sub(
            openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!sub.IsValid()) {
            continue;  // not a folder, a link, or unreadable
        }
        Mount subMount;
        FileIdentity identity;
        if (Describe(sub.Get(), subMount, identity) && SameMount(subMount, mount)) {
            found.push_back(identity);
            CollectBelow(sub.Get(), mount, found);
        }
    }
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

std::vector<FileIdentity> FolderIdentitiesBelow(const std::string& root) {
    std::vector<FileIdentity> found;
    const FileDescriptor fd(open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    Mount mount;
    FileIdentity identity;
    if (fd.IsValid() && Describe(fd.Get(), mount, identity)) {
        CollectBelow(fd.Get(), mount, found);
    }
    return found;
}

}  // namespace platform
