// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <atomic>
#include <string>
#include <thread>

// Ejects the stick after a run on a thread of its own: unmounting waits for the stick's data to
// be written, which the window does not wait for. The result reaches the window as
// WM_APP_EJECT_ENDED, on which the window calls OnEnded.
class WinEjectRunner {
  public:
    explicit WinEjectRunner(HWND window) : window_(window) {}
    ~WinEjectRunner() { Wait(); }
    WinEjectRunner(const WinEjectRunner&) = delete;
    WinEjectRunner& operator=(const WinEjectRunner&) = delete;

    bool IsRunning() const { return running_; }
    // Starts ejecting `drive` ("E:"); false, starting nothing, while an eject runs.
    bool Start(const std::string& drive);
    // Waits for a running eject; its result, still on the way, is then dropped by OnEnded.
    void Wait();
    // After WM_APP_EJECT_ENDED: false for the late word of an eject already waited for.
    bool OnEnded();

  private:
    HWND window_;
    bool running_ = false;
    std::thread thread_;
};
