// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/FileDescriptor_posix.h"
#include "platform/files/LockFile.h"

namespace platform {
namespace {

constexpr mode_t kModeBits = 0666;

// Opens or creates the lock file, with the mode of `model` when there is one. Without the right
// to write it (a lock file left by a run as root, a read-only file system), it is opened for
// reading: flock needs no more.
FileDescriptor OpenLockFile(const std::string& path, const struct stat* model) {
    const mode_t mode = model ? model->st_mode & kModeBits : 0644;
    FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, mode));
    if (fd.IsValid() || (errno != EACCES && errno != EROFS && errno != EPERM)) {
        return fd;
    }
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
}

// Gives the lock file the owner and mode of the file it guards, as far as this user may: the
// superuser hands it to the collection's owner, so that the owner can still lock it later.
void MatchOwnerAndMode(int fd, const struct stat& model) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    if (geteuid() == 0 && (st.st_uid != model.st_uid || st.st_gid != model.st_gid)) {
        (void)::fchown(fd, model.st_uid, model.st_gid);  // best effort: the lock works anyway
    }
    if ((st.st_mode & kModeBits) != (model.st_mode & kModeBits)) {
        (void)::fchmod(fd, model.st_mode & kModeBits);
    }
}

}  // namespace

intptr_t LockFile::Acquire(const std::string& path, const std::string& like, Result& result) {
    struct stat model {};
    const bool hasModel = !like.empty() && ::stat(like.c_str(), &model) == 0;
    FileDescriptor fd = OpenLockFile(path, hasModel ? &model : nullptr);
    if (!fd.IsValid()) {
        result = Result::Failed(UserMessage::System(std::strerror(errno)));
        return -1;
    }
    if (hasModel) {
        MatchOwnerAndMode(fd.Get(), model);
    }
    // The lock belongs to this open file: a rename over the collection does not touch it.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        result = Result::Failed(code == EWOULDBLOCK ? Outcome::kBusy : Outcome::kFailed,
                                UserMessage::System(std::strerror(code)));
        return -1;
    }
    result = {};
    return fd.Release();  // held until Release() takes it back
}

void LockFile::Release(intptr_t handle) {
    // Closing the descriptor drops the lock; the file stays for whoever locks it next.
    FileDescriptor(static_cast<int>(handle)).Close();
}

}  // namespace platform
