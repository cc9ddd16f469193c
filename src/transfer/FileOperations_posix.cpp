// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileOperations.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files/DirectoryStream_posix.h"
#include "platform/files/FileDescriptor_posix.h"
#include "platform/volumes/MountTable_linux.h"
#include "transfer/StickFolder.h"

namespace {

using platform::FileDescriptor;

// Which mounted file system a directory belongs to. The mount id tells a bind mount of a
// directory of the same file system apart from a plain subdirectory.
struct VolumeIdentity {
    dev_t device = 0;
    uint64_t mountId = 0;
    bool hasMountId = false;
};

bool Identify(int fd, VolumeIdentity& id) {
    struct statx stx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_TYPE | STATX_MNT_ID, &stx) == 0) {
        id.device = makedev(stx.stx_dev_major, stx.stx_dev_minor);
        id.hasMountId = (stx.stx_mask & STATX_MNT_ID) != 0;
        id.mountId = stx.stx_mnt_id;
        return true;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        return false;
    }
    id.device = st.st_dev;
    id.hasMountId = false;
    return true;
}

bool SameVolume(const VolumeIdentity& a, const VolumeIdentity& b) {
    return a.device == b.device && (!a.hasMountId || !b.hasMountId || a.mountId == b.mountId);
}

// The read-only attribute of a stick's file system shows as a file without write permission.
bool IsReadOnly(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The folder `name` of `dirFd`, whose status is `st`, opened into `sub` where it can be; false
// when it lies on another file system or another mount of this one (a bind mount), which is
// neither entered nor removed.
bool OpenOnVolume(int dirFd, const char* name, const struct stat& st, const VolumeIdentity& volume,
                  FileDescriptor& sub) {
    if (st.st_dev != volume.device) {
        return false;
    }
    sub = FileDescriptor(openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    VolumeIdentity id;
    return !sub.IsValid() || (Identify(sub.Get(), id) && SameVolume(id, volume));
}

int DeleteContents(int dirFd, const VolumeIdentity& volume);

int DeleteEntry(int dirFd, const char* name, const VolumeIdentity& volume) {
    struct stat st;
    if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT ? 0 : 1;
    }
    if (!S_ISDIR(st.st_mode)) {
        if (S_ISREG(st.st_mode) && IsReadOnly(st)) {
            return 1;
        }
        return unlinkat(dirFd, name, 0) == 0 ? 0 : 1;
    }
    FileDescriptor sub;
    if (!OpenOnVolume(dirFd, name, st, volume, sub)) {
        return 1;
    }
    int failures = sub.IsValid() ? DeleteContents(sub.Get(), volume) : 0;
    sub.Close();
    if (unlinkat(dirFd, name, AT_REMOVEDIR) != 0) {
        ++failures;
    }
    return failures;
}

int DeleteContents(int dirFd, const VolumeIdentity& volume) {
    // Names first, deletions afterwards: removing entries while the listing runs may make some
    // file systems skip entries.
    const std::vector<std::string> names = platform::DirectoryStream::NamesIn(dirFd);
    int failures = 0;
    for (const std::string& name : names) {
        failures += DeleteEntry(dirFd, name.c_str(), volume);
    }
    return failures;
}

void ListContents(int dirFd, const VolumeIdentity& volume, bool inRoot,
                  const std::function<void(const FileOperations::TreeEntry&)>& visit);

// Gives the entry `entry.name` of `dirFd` and, for a folder, what it holds, as DeleteEntry
// walks it.
void ListEntry(int dirFd, FileOperations::TreeEntry& entry, const VolumeIdentity& volume,
               const std::function<void(const FileOperations::TreeEntry&)>& visit) {
    using Kind = FileOperations::TreeEntry::Kind;
    struct stat st;
    if (fstatat(dirFd, entry.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            visit(entry);  // there, but not to be examined
        }
        return;
    }
    if (!S_ISDIR(st.st_mode)) {
        entry.kind = S_ISREG(st.st_mode) ? Kind::kFile : Kind::kOther;
        entry.size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
        visit(entry);
        return;
    }
    FileDescriptor sub;
    if (!OpenOnVolume(dirFd, entry.name.c_str(), st, volume, sub)) {
        return;
    }
    entry.kind = Kind::kFolder;
    visit(entry);
    if (sub.IsValid()) {
        ListContents(sub.Get(), volume, false, visit);
    }
}

void ListContents(int dirFd, const VolumeIdentity& volume, bool inRoot,
                  const std::function<void(const FileOperations::TreeEntry&)>& visit) {
    for (const std::string& name : platform::DirectoryStream::NamesIn(dirFd)) {
        FileOperations::TreeEntry entry;
        entry.name = name;
        entry.inRoot = inRoot;
        ListEntry(dirFd, entry, volume, visit);
    }
}

std::string SystemText(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
}

platform::UserMessage ErrorText(const std::string& path, int err) {
    return platform::UserMessage::System(SystemText(path, err));
}

bool Exists(int dir, const std::string& name) {
    struct stat st;
    return fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// What a failure to create or rename to a name in the folder `dir` means. Taken, or refused by the
// stick's file system (kernel drivers answer EINVAL, exfat-fuse ENOENT while the folder is there):
// this name only. Out of space: the stick is full. A FAT root folder that has no free entry
// left answers EPERM under fusefat. Everything else (read-only, gone, I/O) concerns the stick.
FileOperations::CopyOutcome NameOutcome(int err, int dir) {
    using Outcome = FileOperations::CopyOutcome;
    switch (err) {
        case EEXIST:
        case ENOTEMPTY:
            return Outcome::kNameTaken;
        case EISDIR:
        case EINVAL:
        case ENAMETOOLONG:
        case EILSEQ:
            return Outcome::kFileFailed;
        case ENOENT:
            return Exists(dir, ".") ? Outcome::kFileFailed : Outcome::kStickFailed;
        case ENOSPC:
        case EDQUOT:
            return Outcome::kStickFull;
        case EPERM:
            return Outcome::kFolderFull;
        default:
            return Outcome::kStickFailed;
    }
}

enum class Step { kDone, kTryNext, kReadFailed, kWriteFailed, kStalled, kAbandoned };

bool Abandoned(const FileOperations::CopyLimits& limits) {
    return limits.abandon && limits.abandon->load();
}

// The in-kernel copy, where source and destination share a file system. What it cannot do is
// left to the plain copy, from the current file offsets, which it advances.
Step CopyInKernel(int in, int out, const FileOperations::CopyLimits& limits) {
    constexpr size_t kChunk = size_t{8} << 20;  // small enough to notice an abandon request
    for (;;) {
        if (Abandoned(limits)) {
            return Step::kAbandoned;
        }
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
        if (n > 0) {
            continue;
        }
        if (n == 0) {
            return Step::kDone;
        }
        if (errno != EINTR) {
            return Step::kTryNext;
        }
    }
}

bool WriteAll(int out, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(out, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The plain copy, which also tells a failing source from a failing destination. The source is
// non-blocking: a file that has no data for now is waited for in short polls, so that an abandon
// request is seen and a source that stalls fails.
Step CopyThroughBuffer(int in, int out, const FileOperations::CopyLimits& limits) {
    thread_local std::vector<char> buffer(size_t{1} << 20);
    auto lastProgress = std::chrono::steady_clock::now();
    for (;;) {
        if (Abandoned(limits)) {
            return Step::kAbandoned;
        }
        const ssize_t n = read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (std::chrono::steady_clock::now() - lastProgress >= limits.stall) {
                return Step::kStalled;
            }
            struct pollfd wait = {in, POLLIN, 0};
            poll(&wait, 1, 100);
            continue;
        }
        lastProgress = std::chrono::steady_clock::now();
        if (n < 0) {
            return Step::kReadFailed;
        }
        if (n == 0) {
            return Step::kDone;
        }
        if (!WriteAll(out, buffer.data(), static_cast<size_t>(n))) {
            return Step::kWriteFailed;
        }
    }
}

// fsync is refused with EINVAL only where there is nothing to flush.
bool Flush(int fd) {
    return fsync(fd) == 0 || errno == EINVAL;
}

// Copies the data of `in` to `out` and flushes it, or only starts writing it back to the
// device; the outcome of a failure and its text.
FileOperations::CopyResult FillDestination(int in, int out, const struct stat& sourceStat,
                                           const std::string& source,
                                           const std::string& destination, bool flushNow,
                                           const FileOperations::CopyLimits& limits) {
    Step step = CopyInKernel(in, out, limits);
    if (step == Step::kTryNext) {
        step = CopyThroughBuffer(in, out, limits);
    }
    if (step == Step::kAbandoned) {
        return FileOperations::CopyResult::Failed(
            FileOperations::CopyOutcome::kAbandoned,
            platform::UserMessage(platform::UserMessage::Id::kCopyAbandoned, {destination}));
    }
    if (step == Step::kStalled) {
        return FileOperations::CopyResult::Failed(
            FileOperations::CopyOutcome::kFileFailed,
            platform::UserMessage(platform::UserMessage::Id::kNoDataFor,
                                  {source, std::to_string(limits.stall.count() / 1000)}));
    }
    if (step == Step::kReadFailed) {
        return FileOperations::CopyResult::Failed(FileOperations::CopyOutcome::kFileFailed,
                                                  ErrorText(source, errno));
    }
    if (step == Step::kWriteFailed) {
        // Too large for the stick's file system (FAT's 4 GiB limit) concerns this file only.
        const int err = errno;
        using Result = FileOperations::CopyResult;
        using Outcome = FileOperations::CopyOutcome;
        return Result::Failed(err == EFBIG                     ? Outcome::kFileFailed
                              : err == ENOSPC || err == EDQUOT ? Outcome::kStickFull
                                                               : Outcome::kStickFailed,
                              ErrorText(destination, err));
    }
    const struct timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
    futimens(out, times);  // keeping the time is a courtesy; the copy does not depend on it
    if (!flushNow) {
        sync_file_range(out, 0, 0, SYNC_FILE_RANGE_WRITE);  // a head start for the later flush
        return FileOperations::CopyResult();
    }
    if (!Flush(out)) {
        return FileOperations::CopyResult::Failed(FileOperations::CopyOutcome::kStickFailed,
                                                  ErrorText(destination, errno));
    }
    return FileOperations::CopyResult();
}

}  // namespace

unsigned long long FileOperations::ProcessId() {
    return static_cast<unsigned long long>(getpid());
}

bool FileOperations::ProcessRunning(unsigned long long id) {
    return id <= static_cast<unsigned long long>(INT_MAX) &&
           (kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
}

int FileOperations::DeleteTree(const std::string& directory) const {
    if (directory.empty()) {
        return 0;
    }
    FileDescriptor fd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    VolumeIdentity volume;
    return fd.IsValid() && Identify(fd.Get(), volume) ? DeleteContents(fd.Get(), volume) : 0;
}

int FileOperations::DeleteTree(const StickFolder& folder) const {
    // A descriptor of its own, whose listing starts at the beginning.
    FileDescriptor fd(openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    VolumeIdentity volume;
    return fd.IsValid() && Identify(fd.Get(), volume) ? DeleteContents(fd.Get(), volume) : 0;
}

void FileOperations::ListTree(const std::string& directory,
                              const std::function<void(const TreeEntry&)>& visit) const {
    const FileDescriptor fd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    VolumeIdentity volume;
    if (fd.IsValid() && Identify(fd.Get(), volume)) {
        ListContents(fd.Get(), volume, true, visit);
    }
}

bool FileOperations::IsDirectory(const std::string& path) const {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

uint64_t FileOperations::GetSizeOfFile(const std::string& directory,
                                       const std::string& name) const {
    // Non-blocking, so that a named pipe with a music file's name cannot stall the job.
    const FileDescriptor fd(
        open(JoinPath(directory, name).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st;
    const bool ok = fd.IsValid() && fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode);
    return ok ? static_cast<uint64_t>(st.st_size) : 0;
}

FileOperations::CopyResult FileOperations::CopyInto(const std::string& source,
                                                    const StickFolder& folder,
                                                    const std::string& name, bool flushNow) const {
    const FileDescriptor in(open(source.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat sourceStat;
    if (!in.IsValid() || fstat(in.Get(), &sourceStat) != 0) {
        return FileOperations::CopyResult::Failed(CopyOutcome::kFileFailed,
                                                  ErrorText(source, errno));
    }
    if (!S_ISREG(sourceStat.st_mode)) {
        return FileOperations::CopyResult::Failed(
            CopyOutcome::kFileFailed,
            platform::UserMessage(platform::UserMessage::Id::kNotRegularFileAt, {source}));
    }
    posix_fadvise(in.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    const int dir = folder.Descriptor();
    const std::string destination = folder.PathOf(name);
    FileDescriptor out(openat(
        dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    if (!out.IsValid()) {
        const int err = errno;
        return CopyResult::Failed(NameOutcome(err, dir), ErrorText(destination, err));
    }
    CopyResult result =
        FillDestination(in.Get(), out.Get(), sourceStat, source, destination, flushNow, limits_);
    if (!out.Close() && result.outcome == CopyOutcome::kCopied) {
        result = FileOperations::CopyResult::Failed(CopyOutcome::kStickFailed,
                                                    ErrorText(destination, errno));
    }
    if (result.outcome == CopyOutcome::kCopied && flushNow && !Flush(dir)) {
        result = FileOperations::CopyResult::Failed(CopyOutcome::kStickFailed,
                                                    ErrorText(folder.Path(), errno));
    }
    if (result.outcome != CopyOutcome::kCopied) {
        unlinkat(dir, name.c_str(), 0);
    }
    return result;
}

platform::Status FileOperations::FlushVolume(const std::string& path) const {
    const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsValid() || syncfs(fd.Get()) != 0) {
        return platform::Status::Failed(ErrorText(path, errno));
    }
    return {};
}

bool FileOperations::GetDeviceOf(const std::string& path, uint64_t& device) const {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0) {
        return false;
    }
    device = static_cast<uint64_t>(st.st_dev);
    return true;
}

bool FileOperations::MeasureSpace(const std::string& path, Space& space) const {
    struct statvfs st;
    if (path.empty() || statvfs(path.c_str(), &st) != 0) {
        return false;
    }
    const uint64_t unit = st.f_frsize ? st.f_frsize : st.f_bsize;
    space.freeBytes = static_cast<uint64_t>(st.f_bavail) * unit;
    space.clusterBytes = unit ? unit : 1;
    return true;
}

FileOperations::CopyResult FileOperations::RenameWithoutOverwrite(const StickFolder& fromFolder,
                                                                  const std::string& from,
                                                                  const StickFolder& toFolder,
                                                                  const std::string& to) const {
    const int fromDir = fromFolder.Descriptor();
    const int toDir = toFolder.Descriptor();
    const std::string target = toFolder.PathOf(to);
    const bool refused = toFolder.Device() != 0 && noReplaceRefusedBy_ == toFolder.Device();
    if (!refused && renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE) == 0) {
        return CopyResult();
    }
    int err = refused ? EINVAL : errno;
    if (err == EINVAL || err == ENOSYS || err == EOPNOTSUPP) {
        // Drivers that do not know the flag (FUSE ones among them): look first, then rename.
        // Only this program writes the stick during a run.
        if (Exists(toDir, to)) {
            return CopyResult::Failed(CopyOutcome::kNameTaken, ErrorText(target, EEXIST));
        }
        if (renameat(fromDir, from.c_str(), toDir, to.c_str()) == 0) {
            noReplaceRefusedBy_ = toFolder.Device();  // the flag, not the name, was refused
            return CopyResult();
        }
        err = errno;
    }
    // A longer name takes more entries than the temporary's: a full FAT root refuses it.
    CopyOutcome outcome = NameOutcome(err, toDir);
    if (err == ENOENT && Exists(fromDir, from)) {
        outcome = CopyOutcome::kFileFailed;  // the name is refused
    }
    return CopyResult::Failed(outcome, ErrorText(target, err));
}

bool FileOperations::RemoveFile(const StickFolder& folder, const std::string& name) const {
    return unlinkat(folder.Descriptor(), name.c_str(), 0) == 0 || errno == ENOENT;
}

namespace {

// The type of the file system mounted where `path` lies, as the mount table names it; empty
// when it cannot be told.
std::string FileSystemTypeOf(const std::string& path) {
    struct statx stx;
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_MNT_ID, &stx) != 0) {
        return std::string();
    }
    const platform::MountTable mounts = platform::MountTable::Read();
    const platform::MountEntry* found = nullptr;
    for (const platform::MountEntry& mount : mounts.Entries()) {
        const bool same =
            (stx.stx_mask & STATX_MNT_ID)
                ? static_cast<uint64_t>(mount.mountId) == stx.stx_mnt_id
                : mount.major == stx.stx_dev_major && mount.minor == stx.stx_dev_minor;
        if (same) {
            found = &mount;
        }
    }
    return found ? found->fsType : std::string();
}

}  // namespace

bool FileOperations::NeedsSafeNames(const std::string& path) const {
    // fuseblk is what exfat-fuse and ntfs-3g mount as; other FUSE drivers name their type.
    const std::string type = FileSystemTypeOf(path);
    for (const char* kind : {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk"}) {
        if (type == kind) {
            return true;
        }
    }
    return type.rfind("fuse.", 0) == 0 &&
           (type.find("fat") != std::string::npos || type.find("ntfs") != std::string::npos);
}

bool FileOperations::RenamesAcrossFoldersSafely(const std::string& path) const {
    return FileSystemTypeOf(path) != "fuse.fusefat";
}
