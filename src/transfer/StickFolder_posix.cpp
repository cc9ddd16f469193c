// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/files/DirectoryStream_posix.h"
#include "platform/files/FileDescriptor_posix.h"
#include "transfer/FileOperations.h"

using platform::FileDescriptor;
using platform::Status;
using platform::UserMessage;

struct StickFolder::Handle {
    FileDescriptor fd;
    dev_t device = 0;
};

namespace {

// The system's words for `err` at `path`.
UserMessage ErrorText(const std::string& path, int err) {
    return UserMessage::System(path + ": " + std::strerror(err));
}

StickFolder::Kind KindOfMode(mode_t mode) {
    return S_ISREG(mode)   ? StickFolder::Kind::kFile
           : S_ISDIR(mode) ? StickFolder::Kind::kFolder
                           : StickFolder::Kind::kOther;
}

bool WriteAll(int fd, const std::string& data) {
    for (size_t done = 0; done < data.size();) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            errno = n == 0 ? EIO : errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

int StickFolder::Descriptor() const {
    return handle_ ? handle_->fd.Get() : -1;
}

unsigned long long StickFolder::Device() const {
    return handle_ ? static_cast<unsigned long long>(handle_->device) : 0;
}

std::string StickFolder::PathOf(const std::string& name) const {
    return FileOperations::JoinPath(path_, name);
}

StickFolder::OpenResult StickFolder::OpenRoot(const std::string& path, StickFolder& root) {
    auto handle = std::make_shared<Handle>();
    handle->fd = FileDescriptor(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st;
    if (path.empty() || !handle->fd.IsValid() || fstat(handle->fd.Get(), &st) != 0) {
        const int err = path.empty() ? ENOENT : errno;
        return OpenResult::Failed(err == ENOENT    ? Outcome::kMissing
                                  : err == ENOTDIR ? Outcome::kNotAFolder
                                                   : Outcome::kFailed,
                                  ErrorText(path, err));
    }
    handle->device = st.st_dev;
    root.path_ = path;
    root.handle_ = std::move(handle);
    return {};
}

StickFolder::OpenResult StickFolder::OpenChild(const std::string& name, bool create,
                                               StickFolder& child) const {
    const int dir = Descriptor();
    const std::string path = PathOf(name);
    if (create && mkdirat(dir, name.c_str(), 0777) != 0 && errno != EEXIST) {
        const int err = errno;
        // A FAT root folder without a free entry answers EPERM under fusefat.
        return OpenResult::Failed(err == ENOSPC || err == EDQUOT || err == EPERM
                                      ? Outcome::kFolderFull
                                      : Outcome::kFailed,
                                  ErrorText(path, err));
    }
    auto handle = std::make_shared<Handle>();
    handle->fd =
        FileDescriptor(openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st;
    if (!handle->fd.IsValid() || fstat(handle->fd.Get(), &st) != 0) {
        const int err = errno;
        return OpenResult::Failed(err == ENOENT                    ? Outcome::kMissing
                                  : err == ELOOP || err == ENOTDIR ? Outcome::kNotAFolder
                                                                   : Outcome::kFailed,
                                  ErrorText(path, err == ELOOP ? ENOTDIR : err));
    }
    if (st.st_dev != handle_->device) {
        return OpenResult::Failed(Outcome::kNotAFolder,
                                  UserMessage::System(path + ": another volume is mounted here"));
    }
    handle->device = st.st_dev;
    child.path_ = path;
    child.handle_ = std::move(handle);
    return {};
}

bool StickFolder::CreateEmptyFile(const std::string& name) const {
    return FileDescriptor(openat(Descriptor(), name.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666))
        .IsValid();
}

bool StickFolder::RemoveEmptyChild(const std::string& name) const {
    return unlinkat(Descriptor(), name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT;
}

StickFolder::Kind StickFolder::KindOf(const std::string& relative) const {
    FileDescriptor held;  // the folder reached so far, when below this one
    int dir = Descriptor();
    std::istringstream parts(relative);
    std::string part;
    std::getline(parts, part, '/');
    for (std::string next; std::getline(parts, next, '/'); part = next) {
        held = FileDescriptor(
            openat(dir, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!held.IsValid()) {
            return errno == ENOENT ? Kind::kNone : Kind::kOther;
        }
        dir = held.Get();
    }
    struct stat st;
    if (part.empty() || fstatat(dir, part.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return Kind::kNone;
    }
    return st.st_dev == handle_->device ? KindOfMode(st.st_mode) : Kind::kOther;
}

std::vector<std::string> StickFolder::List() const {
    return platform::DirectoryStream::NamesIn(Descriptor());
}

bool StickFolder::ReadSmallFile(const std::string& name, uint64_t maxBytes,
                                std::string& text) const {
    text.clear();
    const FileDescriptor fd(openat(Descriptor(), name.c_str(),
                                   O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    struct stat st;
    if (!fd.IsValid() || fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<uint64_t>(st.st_size) > maxBytes) {
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 || text.size() + static_cast<size_t>(n) > maxBytes) {  // failed, or it grew
            text.clear();
            return false;
        }
        if (n == 0) {
            return true;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
}

Status StickFolder::AppendContents(const std::string& name, const std::string& data) const {
    const FileDescriptor fd(openat(
        Descriptor(), name.c_str(),
        O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    struct stat st;
    if (!fd.IsValid() || fstat(fd.Get(), &st) != 0) {
        return Status::Failed(ErrorText(PathOf(name), errno));
    }
    if (!S_ISREG(st.st_mode)) {  // a pipe or device is never written to
        return Status::Failed(ErrorText(PathOf(name), EINVAL));
    }
    // No flush of its own: on FUSE file systems that flushes the whole device, and the volume
    // flush that follows covers it.
    if (!WriteAll(fd.Get(), data)) {
        return Status::Failed(ErrorText(PathOf(name), errno));
    }
    return {};
}

Status StickFolder::ReplaceContents(const std::string& name, const std::string& data) const {
    const int dir = Descriptor();
    struct stat st;
    if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        (S_ISDIR(st.st_mode) ||
         (S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))) {
        return Status::Failed(S_ISDIR(st.st_mode)
                                  ? ErrorText(PathOf(name), EISDIR)
                                  : UserMessage::System(PathOf(name) + ": the file is read-only"));
    }
    std::string temporary;
    FileDescriptor fd;
    for (int attempt = 0; attempt < 10 && !fd.IsValid(); ++attempt) {
        temporary = FileOperations::NextTemporaryName();
        fd = FileDescriptor(openat(dir, temporary.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!fd.IsValid() && errno != EEXIST) {
            break;
        }
    }
    const bool created = fd.IsValid();
    bool ok = created && WriteAll(fd.Get(), data) && fsync(fd.Get()) == 0;
    int err = errno;
    if (created && !fd.Close() && ok) {
        ok = false;
        err = errno;
    }
    if (ok && renameat(dir, temporary.c_str(), dir, name.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        if (created) {
            unlinkat(dir, temporary.c_str(), 0);
        }
        return Status::Failed(ErrorText(PathOf(name), err));
    }
    fsync(dir);  // the new entry; file systems that cannot sync a folder lose nothing by it
    return {};
}
