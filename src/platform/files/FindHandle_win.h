// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

// Owns a search handle of FindFirstFileW and ends the search (FindClose) at the end of its scope.
class Win32FindHandle {
  public:
    explicit Win32FindHandle(HANDLE handle) : handle_(handle) {}
    ~Win32FindHandle() {
        if (IsValid()) {
            FindClose(handle_);
        }
    }
    Win32FindHandle(const Win32FindHandle&) = delete;
    Win32FindHandle& operator=(const Win32FindHandle&) = delete;

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace platform
