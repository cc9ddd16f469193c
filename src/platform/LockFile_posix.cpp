#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/LockFile.h"

namespace platform {

intptr_t LockFile::Acquire(const std::string& path, Result& result, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        result = Result::Failed;
        error = std::strerror(errno);
        return -1;
    }
    // The lock belongs to this open file: a rename over the collection does not touch it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        result = code == EWOULDBLOCK ? Result::Busy : Result::Failed;
        error = std::strerror(code);
        return -1;
    }
    result = Result::Locked;
    return fd;
}

void LockFile::Release(intptr_t handle) {
    // Closing the descriptor drops the lock; the file stays for whoever locks it next.
    ::close(static_cast<int>(handle));
}

}  // namespace platform
