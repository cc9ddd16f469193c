// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Text_win.h"
#include "platform/files/Handle_win.h"
#include "platform/files/LockFile.h"

namespace platform {
namespace {

// Opens or creates the lock file. Everybody may open it; the byte-range lock is what excludes. A
// lock file that may not be written is opened for reading, which LockFileEx takes as well.
HANDLE OpenLockFile(const std::string& path) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (const DWORD access : {GENERIC_READ | GENERIC_WRITE, DWORD{GENERIC_READ}}) {
        file = CreateFileW(SystemPath(path).c_str(), access,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_ACCESS_DENIED) {
            break;
        }
    }
    return file;
}

}  // namespace

intptr_t LockFile::Acquire(const std::string& path, const std::string& /*like*/, Result& result) {
    Win32Handle file(OpenLockFile(path));
    if (!file.IsValid()) {
        result = Result::Failed(UserMessage::System(SystemErrorText(GetLastError())));
        return -1;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                    MAXDWORD, &whole)) {
        const DWORD code = GetLastError();
        result = Result::Failed(code == ERROR_LOCK_VIOLATION ? Outcome::kBusy : Outcome::kFailed,
                                UserMessage::System(SystemErrorText(code)));
        return -1;
    }
    result = {};
    return reinterpret_cast<intptr_t>(file.Release());  // held until Release() takes it back
}

void LockFile::Release(intptr_t handle) {
    Win32Handle file(reinterpret_cast<HANDLE>(handle));
    OVERLAPPED whole{};
    UnlockFileEx(file.Get(), 0, MAXDWORD, MAXDWORD, &whole);
}

}  // namespace platform
