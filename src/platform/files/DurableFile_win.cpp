// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/DurableFile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <random>
#include <vector>

#include "platform/Text_win.h"
#include "platform/files/FindHandle_win.h"
#include "platform/files/Handle_win.h"

namespace platform {
namespace {

// A symbolic link is followed so that the file it names is replaced, not the link.
std::wstring ResolveTarget(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return path;
    }
    Win32Handle file(CreateFileW(path.c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsValid()) {
        return path;
    }
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        GetFinalPathNameByHandleW(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= buffer.size()) {
        return path;
    }
    return std::wstring(buffer.data(), length);
}

std::wstring DirectoryOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

std::wstring NameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Removes what a crash during an earlier write of the file `name` left in `dir` (which ends in a
// separator): only our own temporaries by their name (".NAME.tmp-PID-N-R"), of a process that is
// gone. One with this process's number is this run's unless it is older than this process.
void RemoveLeftoverTemporaries(const std::wstring& dir, const std::wstring& name) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return;
    }
    const std::wstring prefix = L"." + name + L".tmp-";
    WIN32_FIND_DATAW data;
    const Win32FindHandle find(FindFirstFileW((dir + prefix + L"*").c_str(), &data));
    if (!find.IsValid()) {
        return;
    }
    do {
        const std::wstring suffix = std::wstring(data.cFileName).substr(prefix.size());
        const bool pattern =
            std::count(suffix.begin(), suffix.end(), L'-') == 2 && suffix.size() < 40 &&
            suffix.find_first_not_of(L"0123456789-") == std::wstring::npos && suffix[0] != L'-';
        if (!pattern || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            continue;
        }
        const DWORD pid = static_cast<DWORD>(std::wcstoul(suffix.c_str(), nullptr, 10));
        if (pid == GetCurrentProcessId()) {
            if (CompareFileTime(&data.ftLastWriteTime, &created) < 0) {
                DeleteFileW((dir + data.cFileName).c_str());
            }
            continue;
        }
        const Win32Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        // A process still running may be writing it right now.
        if (!process.IsValid() && GetLastError() == ERROR_INVALID_PARAMETER) {  // no such process
            DeleteFileW((dir + data.cFileName).c_str());
        }
    } while (FindNextFileW(find.Get(), &data));
}

// Creates a fresh temporary file beside the target; nobody else may open it meanwhile.
HANDLE CreateTemporary(const std::wstring& dir, const std::wstring& name, std::wstring& tmpPath) {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath = dir + L"." + name + L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(counter++) + L"-" + std::to_wstring(rd() % 100000);
        const HANDLE file = CreateFileW(tmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& data) {
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(left, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        p += written;
        left -= written;
    }
    return true;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, uint64_t maxBytes, std::string& text) {
    text.clear();
    Win32Handle file(CreateFileW(Widen(IsBareDrive(path) ? path + "\\" : path).c_str(),
                                 GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid()) {
        const DWORD err = GetLastError();
        return {err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? ReadOutcome::kMissing
                                                                           : ReadOutcome::kFailed,
                UserMessage::System(SystemErrorText(err))};
    }
    // Pipes, consoles and devices are no files to read settings or a collection from.
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {ReadOutcome::kFailed, UserMessage(UserMessage::Id::kNotRegularFile)};
    }
    const uint64_t size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    const UserMessage tooLarge(UserMessage::Id::kFileTooLarge, {std::to_string(maxBytes >> 20)});
    if (size > maxBytes) {
        return {ReadOutcome::kFailed, tooLarge};
    }
    text.reserve(static_cast<size_t>(size));
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                      nullptr)) {
            text.clear();
            return {ReadOutcome::kFailed, UserMessage::System(SystemErrorText(GetLastError()))};
        }
        if (got == 0) {
            return {};
        }
        if (text.size() + got > maxBytes) {
            text.clear();
            return {ReadOutcome::kFailed, tooLarge};
        }
        text.append(buffer.data(), got);
    }
}

bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

Status ReplaceFileContents(const std::string& path, const std::string& data) {
    if (path.empty()) {
        return Status::Failed(UserMessage(UserMessage::Id::kNoFileName));
    }
    const std::wstring target = ResolveTarget(SystemPath(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return Status::Failed(UserMessage(UserMessage::Id::kIsDirectory, {path}));
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Status::Failed(UserMessage(UserMessage::Id::kFileReadOnly, {path}));
    }

    std::wstring tmpPath;
    Win32Handle file(CreateTemporary(DirectoryOf(target), NameOf(target), tmpPath));
    if (!file.IsValid()) {
        return Status::Failed(UserMessage::System(PathErrorText(path, GetLastError())));
    }
    bool ok = WriteAll(file.Get(), data) && FlushFileBuffers(file.Get());
    DWORD err = ok ? ERROR_SUCCESS : GetLastError();
    if (!file.Close() && ok) {
        ok = false;
        err = GetLastError();
    }
    // Write-through: the rename itself is on the device when the call returns.
    if (ok && !MoveFileExW(tmpPath.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        err = GetLastError();
    }
    if (!ok) {
        DeleteFileW(tmpPath.c_str());
        return Status::Failed(UserMessage::System(PathErrorText(path, err)));
    }
    RemoveLeftoverTemporaries(DirectoryOf(target), NameOf(target));
    return {};
}

}  // namespace platform
