// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/MountWatcher.h"

#include <chrono>
#include <thread>

namespace platform {

// Windows tells a window about new drives, not a console program: look again every second.
struct MountWatcher::Descriptors {};

MountWatcher::MountWatcher() = default;
MountWatcher::~MountWatcher() = default;

void MountWatcher::Wait(int timeoutMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs < 1000 ? timeoutMs : 1000));
}

void MountWatcher::Wake() {}

}  // namespace platform
