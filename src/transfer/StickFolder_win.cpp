// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickFolder.h"

#include <vector>

#include "platform/Text_win.h"
#include "platform/files/FindHandle_win.h"
#include "platform/files/Handle_win.h"
#include "transfer/FileOperations.h"

using platform::JoinSystemPath;
using platform::Status;
using platform::SystemPath;
using platform::UserMessage;

// The folder held open (so that it cannot be renamed or removed meanwhile) and its path as the
// system resolved it when it was opened.
struct StickFolder::Handle {
    explicit Handle(HANDLE handle) : file(handle) {}
    platform::Win32Handle file;
    std::wstring system;
    DWORD volume = 0;
};

namespace {

HANDLE OpenFolder(const std::wstring& path, bool followLink) {
    return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT),
                       nullptr);
}

// The final path of an open handle in the "\\?\" form; `fallback` where it cannot be told.
std::wstring FinalPath(HANDLE handle, const std::wstring& fallback) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : fallback;
}

// The system's words for `err` at `path`.
UserMessage ErrorText(const std::string& path, DWORD err) {
    return UserMessage::System(platform::PathErrorText(path, err));
}

StickFolder::Kind KindOfAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return StickFolder::Kind::kNone;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return StickFolder::Kind::kOther;  // a link or junction, never followed
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? StickFolder::Kind::kFolder
                                                   : StickFolder::Kind::kFile;
}

}  // namespace

std::string StickFolder::PathOf(const std::string& name) const {
    return FileOperations::JoinPath(path_, name);
}

StickFolder::OpenResult StickFolder::OpenRoot(const std::string& path, StickFolder& root) {
    const std::wstring system = SystemPath(path);
    auto handle =
        std::make_shared<Handle>(path.empty() ? INVALID_HANDLE_VALUE : OpenFolder(system, true));
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle->file.IsValid() || !GetFileInformationByHandle(handle->file.Get(), &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const DWORD err = handle->file.IsValid() ? ERROR_DIRECTORY : GetLastError();
        return OpenResult::Failed(
            err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || path.empty()
                ? Outcome::kMissing
                : Outcome::kFailed,
            ErrorText(path, path.empty() ? ERROR_PATH_NOT_FOUND : err));
    }
    handle->system = FinalPath(handle->file.Get(), system);
    handle->volume = info.dwVolumeSerialNumber;
    root.path_ = path;
    root.handle_ = std::move(handle);
    return {};
}

StickFolder::OpenResult StickFolder::OpenChild(const std::string& name, bool create,
                                               StickFolder& child) const {
    const std::wstring system = JoinSystemPath(handle_->system, platform::Widen(name));
    if (create && !CreateDirectoryW(system.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        const DWORD err = GetLastError();
        return OpenResult::Failed(err == ERROR_DISK_FULL || err == ERROR_HANDLE_DISK_FULL
                                      ? Outcome::kFolderFull
                                      : Outcome::kFailed,
                                  ErrorText(PathOf(name), err));
    }
    auto handle = std::make_shared<Handle>(OpenFolder(system, false));
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle->file.IsValid() || !GetFileInformationByHandle(handle->file.Get(), &info)) {
        const DWORD err = GetLastError();
        return OpenResult::Failed(err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND
                                      ? Outcome::kMissing
                                      : Outcome::kFailed,
                                  ErrorText(PathOf(name), err));
    }
    if (KindOfAttributes(info.dwFileAttributes) != Kind::kFolder ||
        info.dwVolumeSerialNumber != handle_->volume) {
        return OpenResult::Failed(
            Outcome::kNotAFolder,
            UserMessage::System(PathOf(name) +
                                ": not a folder of the stick (a link, a junction or a file)"));
    }
    handle->system = system;
    handle->volume = info.dwVolumeSerialNumber;
    child.path_ = PathOf(name);
    child.handle_ = std::move(handle);
    return {};
}

bool StickFolder::CreateEmptyFile(const std::string& name) const {
    const std::wstring system = JoinSystemPath(handle_->system, platform::Widen(name));
    return platform::Win32Handle(CreateFileW(system.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr))
        .IsValid();
}

bool StickFolder::RemoveEmptyChild(const std::string& name) const {
    const std::wstring system = JoinSystemPath(handle_->system, platform::Widen(name));
    return RemoveDirectoryW(system.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

StickFolder::Kind StickFolder::KindOf(const std::string& relative) const {
    std::wstring path = handle_->system;
    size_t start = 0;
    for (;;) {
        const size_t slash = relative.find('/', start);
        path = JoinSystemPath(path, platform::Widen(relative.substr(start, slash - start)));
        const Kind kind = KindOfAttributes(GetFileAttributesW(path.c_str()));
        if (slash == std::string::npos || kind != Kind::kFolder) {
            return slash == std::string::npos || kind == Kind::kNone ? kind : Kind::kOther;
        }
        start = slash + 1;
    }
}

std::vector<std::string> StickFolder::List() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    const platform::Win32FindHandle find(
        FindFirstFileExW(JoinSystemPath(handle_->system, L"*").c_str(), FindExInfoBasic, &data,
                         FindExSearchNameMatch, nullptr, 0));
    if (!find.IsValid()) {
        return names;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(platform::Narrow(name));
        }
    } while (FindNextFileW(find.Get(), &data));
    return names;
}

bool StickFolder::ReadSmallFile(const std::string& name, uint64_t maxBytes,
                                std::string& text) const {
    text.clear();
    const std::wstring path = JoinSystemPath(handle_->system, platform::Widen(name));
    platform::Win32Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.Get(), &info) ||
        KindOfAttributes(info.dwFileAttributes) != Kind::kFile ||
        ((uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow) > maxBytes) {
        return false;
    }
    char buffer[65536];
    for (DWORD got = 0;; text.append(buffer, got)) {
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) ||
            text.size() + got > maxBytes) {
            text.clear();
            return false;
        }
        if (got == 0) {
            return true;
        }
    }
}

Status StickFolder::AppendContents(const std::string& name, const std::string& data) const {
    const std::wstring path = JoinSystemPath(handle_->system, platform::Widen(name));
    platform::Win32Handle file(CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                           FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || !GetFileInformationByHandle(file.Get(), &info)) {
        return Status::Failed(ErrorText(PathOf(name), GetLastError()));
    }
    if (GetFileType(file.Get()) != FILE_TYPE_DISK ||
        KindOfAttributes(info.dwFileAttributes) != Kind::kFile) {
        return Status::Failed(ErrorText(PathOf(name), ERROR_INVALID_PARAMETER));
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
        written != data.size() || !FlushFileBuffers(file.Get())) {
        return Status::Failed(ErrorText(PathOf(name), GetLastError()));
    }
    return {};
}

Status StickFolder::ReplaceContents(const std::string& name, const std::string& data) const {
    const std::wstring target = JoinSystemPath(handle_->system, platform::Widen(name));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return Status::Failed((attributes & FILE_ATTRIBUTE_DIRECTORY)
                                  ? ErrorText(PathOf(name), ERROR_DIRECTORY)
                                  : UserMessage::System(PathOf(name) + ": the file is read-only"));
    }
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 10 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary =
            JoinSystemPath(handle_->system, platform::Widen(FileOperations::NextTemporaryName()));
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    platform::Win32Handle file(created);
    if (!file.IsValid()) {
        return Status::Failed(ErrorText(PathOf(name), GetLastError()));
    }
    DWORD written = 0;
    bool ok =
        WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
        written == data.size() && FlushFileBuffers(file.Get());
    DWORD err = GetLastError();
    ok = file.Close() && ok;
    // A link at the name is replaced itself: MoveFileEx renames over the link, not through it.
    if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        err = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return Status::Failed(ErrorText(PathOf(name), err));
    }
    return {};
}
