// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/DurableFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

#include "platform/files/DirectoryStream_posix.h"
#include "platform/files/FileDescriptor_posix.h"

namespace platform {
namespace {

UserMessage ErrnoText(const std::string& what, int err) {
    return UserMessage::System(what + ": " + std::strerror(err));
}

// A symbolic link is followed so that the file it names is replaced, not the link.
std::string ResolveTarget(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a fresh temporary file beside the target. The mode 0666 lets the process's umask
// decide the permissions, exactly as for a newly created file.
FileDescriptor CreateTemporary(const std::string& dir, const std::string& name,
                               std::string& tmpPath) {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath = dir + "/." + name + ".tmp-" + std::to_string(getpid()) + "-" +
                  std::to_string(counter++) + "-" + std::to_string(rd() % 100000);
        FileDescriptor fd(open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.IsValid() || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return FileDescriptor();
}

bool WriteAll(int fd, const std::string& data) {
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        const ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// After a rename the directory entry itself must reach the disc too. Some file systems cannot
// sync a directory; that does not make the write fail.
void SyncDirectory(const std::string& dir) {
    const FileDescriptor fd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsValid()) {
        fsync(fd.Get());
    }
}

// When this process started, near enough: temporaries older than that are not of this run. To
// the nanosecond, as file times are: a run killed in the second the next one starts left its
// temporary before that one started.
const struct timespec kProcessStart = [] {
    struct timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}();

bool WrittenSinceStart(const struct stat& st) {
    return st.st_mtim.tv_sec != kProcessStart.tv_sec ? st.st_mtim.tv_sec > kProcessStart.tv_sec
                                                     : st.st_mtim.tv_nsec >= kProcessStart.tv_nsec;
}

// "PID-N-R", the digits after ".NAME.tmp-" in the name of one of our temporaries; the PID.
bool ParseTemporarySuffix(const std::string& suffix, long long& pid) {
    size_t dashes = 0;
    for (size_t i = 0; i < suffix.size(); ++i) {
        if (suffix[i] == '-' && i > 0 && i + 1 < suffix.size() && suffix[i - 1] != '-') {
            ++dashes;
        } else if (suffix[i] < '0' || suffix[i] > '9') {
            return false;
        }
    }
    if (dashes != 2 || suffix.size() > 40) {
        return false;
    }
    pid = std::stoll(suffix.substr(0, suffix.find('-')));
    return true;
}

// Removes what a crash (or kill -9) during an earlier write of the file `name` left in `dir`:
// only our own temporaries by their name, of a process that is gone. One with this process's
// number is this run's unless it is older than this process (an earlier process had the number);
// the time of another's says nothing (a clock set back leaves times in the future).
void RemoveLeftoverTemporaries(const std::string& dir, const std::string& name) {
    const std::string prefix = "." + name + ".tmp-";
    const DirectoryStream listing(opendir(dir.c_str()));
    if (!listing.IsValid()) {
        return;
    }
    while (const dirent* entry = readdir(listing.Get())) {
        const std::string entryName = entry->d_name;
        long long pid = 0;
        struct stat st;
        const std::string path = dir + "/" + entryName;
        if (entryName.rfind(prefix, 0) != 0 ||
            !ParseTemporarySuffix(entryName.substr(prefix.size()), pid) ||
            lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            continue;
        }
        const bool running = pid == getpid()
                                 ? WrittenSinceStart(st)
                                 : pid > 0 && pid <= INT_MAX &&
                                       (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (!running) {
            unlink(path.c_str());
        }
    }
}

UserMessage SizeLimitText(uint64_t maxBytes) {
    return UserMessage(UserMessage::Id::kFileTooLarge, {std::to_string(maxBytes >> 20)});
}

UserMessage SystemText(int err) {
    return UserMessage::System(std::strerror(err));
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, uint64_t maxBytes, std::string& text) {
    text.clear();
    const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.IsValid()) {
        const int err = errno;
        return {err == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed, SystemText(err)};
    }
    FileReadResult result;
    struct stat st;
    if (fstat(fd.Get(), &st) != 0) {
        result = {ReadOutcome::kFailed, SystemText(errno)};
    } else if (S_ISDIR(st.st_mode)) {
        result = {ReadOutcome::kFailed, SystemText(EISDIR)};
    } else if (!S_ISREG(st.st_mode)) {
        result = {ReadOutcome::kFailed, UserMessage(UserMessage::Id::kNotRegularFile)};
    } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        result = {ReadOutcome::kFailed, SizeLimitText(maxBytes)};
    } else {
        text.reserve(static_cast<size_t>(st.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd.Get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                result = {ReadOutcome::kFailed, SystemText(errno)};
                break;
            }
            if (n == 0) {
                break;
            }
            if (text.size() + static_cast<size_t>(n) > maxBytes) {  // it grew while read
                result = {ReadOutcome::kFailed, SizeLimitText(maxBytes)};
                break;
            }
            text.append(buffer, static_cast<size_t>(n));
        }
    }
    if (result.outcome != ReadOutcome::kRead) {
        text.clear();
    }
    return result;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return false;
    }
    if (access(path.c_str(), W_OK) != 0) {
        return true;
    }
    // The superuser may write anything; a file without any write bit is still meant read-only.
    return geteuid() == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

Status ReplaceFileContents(const std::string& path, const std::string& data) {
    if (path.empty()) {
        return Status::Failed(UserMessage(UserMessage::Id::kNoFileName));
    }
    const std::string target = ResolveTarget(path);
    struct stat st;
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        return Status::Failed(ErrnoText(path, EISDIR));
    }
    if (exists && IsReadOnlyFile(target)) {
        return Status::Failed(UserMessage(UserMessage::Id::kFileReadOnly, {path}));
    }

    const std::string dir = DirectoryOf(target);
    std::string tmpPath;
    FileDescriptor fd = CreateTemporary(dir, NameOf(target), tmpPath);
    if (!fd.IsValid()) {
        return Status::Failed(ErrnoText(path, errno));
    }
    if (exists) {
        // Keep the replaced file's permissions and, where allowed, its owner.
        fchmod(fd.Get(), st.st_mode & 07777);
        if (fchown(fd.Get(), st.st_uid, st.st_gid) != 0) {
            // Only the superuser may give a file away; an ordinary user keeps the file as theirs.
        }
    }

    bool ok = WriteAll(fd.Get(), data) && fsync(fd.Get()) == 0;
    int err = errno;
    if (!fd.Close() && ok) {
        ok = false;
        err = errno;
    }
    if (ok && rename(tmpPath.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(tmpPath.c_str());
        return Status::Failed(ErrnoText(path, err));
    }
    SyncDirectory(dir);
    RemoveLeftoverTemporaries(dir, NameOf(target));
    return {};
}

}  // namespace platform
