// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/MountWatcher.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>

#include "platform/files/FileDescriptor_posix.h"

namespace platform {
namespace {

// The write end of the current watcher's pipe, published for Wake(), which a signal handler
// calls without an object. The watcher owns the descriptor; -1 while there is none.
std::atomic<int> gWakeWrite{-1};

}  // namespace

// Mountinfo, and the pipe that Wake() writes to, whose read end is polled beside it.
struct MountWatcher::Descriptors {
    FileDescriptor mountInfo;
    FileDescriptor wakeRead;
    FileDescriptor wakeWrite;
};

MountWatcher::MountWatcher() : descriptors_(std::make_unique<Descriptors>()) {
    descriptors_->mountInfo = FileDescriptor(open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC));
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        descriptors_->wakeRead = FileDescriptor(fds[0]);
        descriptors_->wakeWrite = FileDescriptor(fds[1]);
        gWakeWrite.store(fds[1]);
    }
}

MountWatcher::~MountWatcher() {
    // Withdrawn before the descriptor closes, so that a late Wake() writes to no other file.
    gWakeWrite.store(-1);
}

void MountWatcher::Wait(int timeoutMs) {
    // The kernel reports a changed mount table as POLLPRI on an open mountinfo; the poll itself
    // takes note of the change, so nothing needs to be read.
    const int wakeRead = descriptors_->wakeRead.Get();
    pollfd fds[2] = {{descriptors_->mountInfo.Get(), POLLPRI, 0}, {wakeRead, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) > 0 && (fds[1].revents & POLLIN)) {
        char drain[64];
        while (read(wakeRead, drain, sizeof drain) > 0) {
        }
    }
}

void MountWatcher::Wake() {
    const int fd = gWakeWrite.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
}

}  // namespace platform
