// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

// Owns a Win32 handle (a file, a volume, a process) and closes it at the end of its scope. Both
// failure values of the API count as no handle: INVALID_HANDLE_VALUE (CreateFile) and null
// (OpenProcess).
class Win32Handle {
  public:
    explicit Win32Handle(HANDLE handle) : handle_(handle) {}
    ~Win32Handle() { Close(); }
    Win32Handle(const Win32Handle&) = delete;
    Win32Handle& operator=(const Win32Handle&) = delete;

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Gives the handle up without closing it.
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    // False when closing failed, which for a file written to may mean lost data.
    bool Close() {
        const bool closed = !IsValid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

}  // namespace platform
