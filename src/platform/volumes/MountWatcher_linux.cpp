// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/MountWatcher.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <initializer_list>

namespace platform {
namespace {

// The pipe that Wake() writes to; its read end is polled beside mountinfo.
std::atomic<int> gWakeWrite{-1};
int gWakeRead = -1;
int gMountInfo = -1;

}  // namespace

MountWatcher::MountWatcher() {
    gMountInfo = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        gWakeRead = fds[0];
        gWakeWrite.store(fds[1]);
    }
}

MountWatcher::~MountWatcher() {
    const int write = gWakeWrite.exchange(-1);
    for (const int fd : {gMountInfo, gWakeRead, write}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    gMountInfo = gWakeRead = -1;
}

void MountWatcher::Wait(int timeoutMs) {
    // The kernel reports a changed mount table as POLLPRI on an open mountinfo; the poll itself
    // takes note of the change, so nothing needs to be read.
    pollfd fds[2] = {{gMountInfo, POLLPRI, 0}, {gWakeRead, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) > 0 && (fds[1].revents & POLLIN)) {
        char drain[64];
        while (read(gWakeRead, drain, sizeof drain) > 0) {
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
