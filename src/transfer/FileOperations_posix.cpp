#include "transfer/FileOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

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
    if (st.st_dev != volume.device) {
        return 1;  // another file system is mounted here: neither entered nor removed
    }
    const int sub = openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int failures = 0;
    if (sub >= 0) {
        VolumeIdentity id;
        const bool sameVolume = Identify(sub, id) && SameVolume(id, volume);
        if (sameVolume) {
            failures += DeleteContents(sub, volume);
        }
        close(sub);
        if (!sameVolume) {
            return 1;
        }
    }
    if (unlinkat(dirFd, name, AT_REMOVEDIR) != 0) {
        ++failures;
    }
    return failures;
}

int DeleteContents(int dirFd, const VolumeIdentity& volume) {
    const int listFd = dup(dirFd);
    DIR* dir = listFd >= 0 ? fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) {
            close(listFd);
        }
        return 0;
    }
    // Names first, deletions afterwards: removing entries while the listing runs may make some
    // file systems skip entries.
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    int failures = 0;
    for (const std::string& name : names) {
        failures += DeleteEntry(dirFd, name.c_str(), volume);
    }
    return failures;
}

std::string ErrorText(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
}

// Failures to create the destination that concern only this name: it is taken, or the stick's
// file system refuses it. Everything else (read-only, gone, full, I/O) concerns the stick.
bool IsNameError(int err) {
    return err == EEXIST || err == EISDIR || err == EINVAL || err == ENAMETOOLONG || err == EILSEQ;
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

std::string ParentOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// fsync is refused with EINVAL only where there is nothing to flush.
bool Flush(int fd) {
    return fsync(fd) == 0 || errno == EINVAL;
}

bool FlushDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool flushed = Flush(fd);
    close(fd);
    return flushed;
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
        return FileOperations::CopyResult::Failed(FileOperations::CopyResult::kAbandoned,
                                                  destination + ": copy abandoned");
    }
    if (step == Step::kStalled) {
        return FileOperations::CopyResult::Failed(
            FileOperations::CopyResult::kFileFailed,
            source + ": no data for " + std::to_string(limits.stall.count() / 1000) + " s");
    }
    if (step == Step::kReadFailed) {
        return FileOperations::CopyResult::Failed(FileOperations::CopyResult::kFileFailed,
                                                  ErrorText(source, errno));
    }
    if (step == Step::kWriteFailed) {
        // Too large for the stick's file system (FAT's 4 GiB limit) concerns this file only.
        const int err = errno;
        return FileOperations::CopyResult::Failed(err == EFBIG
                                                      ? FileOperations::CopyResult::kFileFailed
                                                      : FileOperations::CopyResult::kStickFailed,
                                                  ErrorText(destination, err));
    }
    const struct timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
    futimens(out, times);  // keeping the time is a courtesy; the copy does not depend on it
    if (!flushNow) {
        sync_file_range(out, 0, 0, SYNC_FILE_RANGE_WRITE);  // a head start for the later flush
        return FileOperations::CopyResult();
    }
    if (!Flush(out)) {
        return FileOperations::CopyResult::Failed(FileOperations::CopyResult::kStickFailed,
                                                  ErrorText(destination, errno));
    }
    return FileOperations::CopyResult();
}

}  // namespace

int FileOperations::DeleteTree(const std::string& directory) const {
    if (directory.empty()) {
        return 0;
    }
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    VolumeIdentity volume;
    const int failures = Identify(fd, volume) ? DeleteContents(fd, volume) : 0;
    close(fd);
    return failures;
}

uint64_t FileOperations::GetSizeOfFile(const std::string& directory,
                                       const std::string& name) const {
    // Non-blocking, so that a named pipe with a music file's name cannot stall the job.
    const int fd =
        open(JoinPath(directory, name).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    struct stat st;
    const bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    return ok ? static_cast<uint64_t>(st.st_size) : 0;
}

FileOperations::CopyResult FileOperations::CopyWithoutOverwrite(const std::string& source,
                                                                const std::string& destination,
                                                                bool flushNow) const {
    const int in = open(source.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (in < 0) {
        return FileOperations::CopyResult::Failed(CopyResult::kFileFailed,
                                                  ErrorText(source, errno));
    }
    struct stat sourceStat;
    if (fstat(in, &sourceStat) != 0) {
        const int err = errno;
        close(in);
        return FileOperations::CopyResult::Failed(CopyResult::kFileFailed, ErrorText(source, err));
    }
    if (!S_ISREG(sourceStat.st_mode)) {
        close(in);
        return FileOperations::CopyResult::Failed(CopyResult::kFileFailed,
                                                  source + ": not a regular file");
    }
    posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    const int out = open(destination.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (out < 0) {
        const int err = errno;
        close(in);
        return FileOperations::CopyResult::Failed(
            IsNameError(err) ? CopyResult::kFileFailed : CopyResult::kStickFailed,
            ErrorText(destination, err));
    }
    CopyResult result =
        FillDestination(in, out, sourceStat, source, destination, flushNow, limits_);
    close(in);
    if (close(out) != 0 && result.outcome == CopyResult::kCopied) {
        result = FileOperations::CopyResult::Failed(CopyResult::kStickFailed,
                                                    ErrorText(destination, errno));
    }
    if (result.outcome == CopyResult::kCopied && flushNow &&
        !FlushDirectory(ParentOf(destination))) {
        result = FileOperations::CopyResult::Failed(CopyResult::kStickFailed,
                                                    ErrorText(ParentOf(destination), errno));
    }
    if (result.outcome != CopyResult::kCopied) {
        unlink(destination.c_str());
    }
    return result;
}

bool FileOperations::FlushVolume(const std::string& path, std::string& error) const {
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || syncfs(fd) != 0) {
        error = ErrorText(path, errno);
        if (fd >= 0) {
            close(fd);
        }
        return false;
    }
    close(fd);
    return true;
}

bool FileOperations::GetDeviceOf(const std::string& path, uint64_t& device) {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0) {
        return false;
    }
    device = static_cast<uint64_t>(st.st_dev);
    return true;
}
