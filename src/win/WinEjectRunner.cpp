// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/WinEjectRunner.h"

#include "platform/volumes/VolumeEjector.h"
#include "win/WinMessages.h"

bool WinEjectRunner::Start(const std::string& drive) {
    if (running_) {
        return false;
    }
    Wait();
    running_ = true;
    HWND window = window_;
    thread_ = std::thread([window, drive] {
        PostPayload(window, WM_APP_EJECT_ENDED,
                    new platform::EjectResult(platform::VolumeEjector::Eject(drive)));
    });
    return true;
}

void WinEjectRunner::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = false;
}

bool WinEjectRunner::OnEnded() {
    if (!running_) {
        return false;
    }
    Wait();
    return true;
}
