// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileOperations.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

#include "platform/Text_win.h"
#include "platform/files/FindHandle_win.h"
#include "platform/files/Handle_win.h"
#include "transfer/StickFolder.h"

using platform::JoinSystemPath;
using platform::PathErrorText;
using platform::SystemPath;
using platform::Win32Handle;

namespace {

// The system's words for a failure on `path`.
platform::UserMessage PathError(const std::string& path, DWORD err) {
    return platform::UserMessage::System(PathErrorText(path, err));
}

struct Entry {
    std::wstring name;
    DWORD attributes;
    uint64_t size = 0;
};

// Names first, deletions afterwards: removing entries while the search runs may make some file
// systems skip entries. False when the folder cannot be listed.
bool ListFolder(const std::wstring& dir, std::vector<Entry>& entries) {
    WIN32_FIND_DATAW data;
    const platform::Win32FindHandle find(FindFirstFileExW(JoinSystemPath(dir, L"*").c_str(),
                                                          FindExInfoBasic, &data,
                                                          FindExSearchNameMatch, nullptr, 0));
    if (!find.IsValid()) {
        return false;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            entries.push_back(Entry{name, data.dwFileAttributes,
                                    (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
        }
    } while (FindNextFileW(find.Get(), &data));
    return true;
}

// A folder with a volume mounted on it, as opposed to a junction or a link to a folder.
bool IsVolumeMountPoint(const std::wstring& path) {
    wchar_t volume[64];
    return GetVolumeNameForVolumeMountPointW(JoinSystemPath(path, L"").c_str(), volume, 64) != 0;
}

int DeleteContents(const std::wstring& dir);

int DeleteEntry(const std::wstring& dir, const Entry& entry) {
    const std::wstring path = JoinSystemPath(dir, entry.name);
    const bool folder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // Links and junctions are removed themselves, never followed; a mounted volume is
        // another file system and stays.
        if (folder && IsVolumeMountPoint(path)) {
            return 1;
        }
        return (folder ? RemoveDirectoryW(path.c_str()) : DeleteFileW(path.c_str())) ? 0 : 1;
    }
    if (!folder) {
        // Read-only files are not made writable: they stay and count.
        if (entry.attributes & FILE_ATTRIBUTE_READONLY) {
            return 1;
        }
        return DeleteFileW(path.c_str()) ? 0 : 1;
    }
    // Asked again just before entering: a folder swapped for a link since the listing is not
    // followed either.
    const DWORD now = GetFileAttributesW(path.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return DeleteEntry(dir, Entry{entry.name, now});
    }
    const int failures = DeleteContents(path);
    return failures + (RemoveDirectoryW(path.c_str()) ? 0 : 1);
}

int DeleteContents(const std::wstring& dir) {
    std::vector<Entry> entries;
    if (!ListFolder(dir, entries)) {
        return 0;
    }
    int failures = 0;
    for (const Entry& entry : entries) {
        failures += DeleteEntry(dir, entry);
    }
    return failures;
}

// Lists below `dir` as DeleteContents walks it.
void ListContents(const std::wstring& dir, bool inRoot,
                  const std::function<void(const FileOperations::TreeEntry&)>& visit) {
    using Kind = FileOperations::TreeEntry::Kind;
    std::vector<Entry> entries;
    ListFolder(dir, entries);
    for (const Entry& found : entries) {
        const std::wstring path = JoinSystemPath(dir, found.name);
        const bool folder = (found.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool link = (found.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (folder && link && IsVolumeMountPoint(path)) {
            continue;  // another file system
        }
        FileOperations::TreeEntry entry;
        entry.name = platform::Narrow(found.name);
        entry.inRoot = inRoot;
        entry.kind = link ? Kind::kOther : folder ? Kind::kFolder : Kind::kFile;
        entry.size = entry.kind == Kind::kFile ? found.size : 0;
        visit(entry);
        if (entry.kind == Kind::kFolder) {
            ListContents(path, false, visit);
        }
    }
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDiskFull(DWORD err) {
    return err == ERROR_DISK_FULL || err == ERROR_HANDLE_DISK_FULL;
}

bool IsNameTaken(DWORD err) {
    return err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS;
}

// Failures to create the destination that concern only this name: the stick's file system
// refuses it. Everything else (write-protected, gone, I/O) concerns the stick.
bool IsNameError(DWORD err, const std::wstring& destination) {
    switch (err) {
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY:
            return true;
        case ERROR_ACCESS_DENIED:
            // A folder or a read-only file of that name refuses access; the stick may not.
            return GetFileAttributesW(destination.c_str()) != INVALID_FILE_ATTRIBUTES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: {
            // Some file systems answer so for a name they cannot hold; while the folder is
            // there, it is the name.
            const size_t slash = destination.find_last_of(L'\\');
            return slash != std::wstring::npos && IsFolder(destination.substr(0, slash + 1));
        }
        default:
            return false;
    }
}

// Too large for the stick's file system (FAT's 4 GiB limit) concerns this file only.
bool IsFileTooLarge(DWORD err) {
    return err == ERROR_FILE_TOO_LARGE;
}

FileOperations::CopyResult Failure(DWORD err, const std::wstring& target,
                                   const std::string& destination) {
    using Result = FileOperations::CopyResult;
    using Outcome = FileOperations::CopyOutcome;
    return Result::Failed(IsNameTaken(err)           ? Outcome::kNameTaken
                          : IsNameError(err, target) ? Outcome::kFileFailed
                          : IsDiskFull(err)          ? Outcome::kStickFull
                          : err == ERROR_CANNOT_MAKE ? Outcome::kFolderFull  // a full FAT root
                                                     : Outcome::kStickFailed,
                          PathError(destination, err));
}

enum class Step { kDone, kReadFailed, kWriteFailed, kAbandoned };

Step CopyData(HANDLE in, HANDLE out, DWORD& err, const std::atomic<bool>* abandon) {
    thread_local std::vector<char> buffer(size_t{1} << 20);
    for (;;) {
        if (abandon && abandon->load()) {
            return Step::kAbandoned;
        }
        DWORD got = 0;
        if (!ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            err = GetLastError();
            return Step::kReadFailed;
        }
        if (got == 0) {
            return Step::kDone;
        }
        for (DWORD done = 0; done < got;) {
            DWORD written = 0;
            if (!WriteFile(out, buffer.data() + done, got - done, &written, nullptr) ||
                written == 0) {
                err = written == 0 && GetLastError() == ERROR_SUCCESS ? ERROR_WRITE_FAULT
                                                                      : GetLastError();
                return Step::kWriteFailed;
            }
            done += written;
        }
    }
}

// Copies and flushes the data of `in` into `out`; the outcome of a failure and its text.
FileOperations::CopyResult FillDestination(HANDLE in, HANDLE out, const std::string& source,
                                           const std::string& destination,
                                           const std::atomic<bool>* abandon) {
    DWORD err = ERROR_SUCCESS;
    const Step step = CopyData(in, out, err, abandon);
    if (step == Step::kAbandoned) {
        return FileOperations::CopyResult::Failed(
            FileOperations::CopyOutcome::kAbandoned,
            platform::UserMessage(platform::UserMessage::Id::kCopyAbandoned, {destination}));
    }
    if (step == Step::kReadFailed) {
        return FileOperations::CopyResult::Failed(FileOperations::CopyOutcome::kFileFailed,
                                                  PathError(source, err));
    }
    if (step == Step::kWriteFailed) {
        using Result = FileOperations::CopyResult;
        using Outcome = FileOperations::CopyOutcome;
        return Result::Failed(IsFileTooLarge(err) ? Outcome::kFileFailed
                              : IsDiskFull(err)   ? Outcome::kStickFull
                                                  : Outcome::kStickFailed,
                              PathError(destination, err));
    }
    FILETIME created;
    FILETIME accessed;
    FILETIME written;
    if (GetFileTime(in, &created, &accessed, &written)) {
        SetFileTime(out, nullptr, nullptr, &written);  // a courtesy; the copy does not need it
    }
    // Flushing a whole volume needs administrator rights, so each copy is flushed here.
    if (!FlushFileBuffers(out)) {
        return FileOperations::CopyResult::Failed(FileOperations::CopyOutcome::kStickFailed,
                                                  PathError(destination, GetLastError()));
    }
    return FileOperations::CopyResult();
}

}  // namespace

unsigned long long FileOperations::ProcessId() {
    return GetCurrentProcessId();
}

bool FileOperations::ProcessRunning(unsigned long long id) {
    if (id > MAXDWORD) {
        return false;
    }
    const platform::Win32Handle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id)));
    if (process.IsValid()) {
        return true;
    }
    return GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
}

int FileOperations::DeleteTree(const std::string& directory) const {
    if (directory.empty()) {
        return 0;
    }
    const std::wstring dir = SystemPath(directory);
    return IsFolder(dir) ? DeleteContents(dir) : 0;
}

int FileOperations::DeleteTree(const StickFolder& folder) const {
    return DeleteTree(folder.Path());
}

void FileOperations::ListTree(const std::string& directory,
                              const std::function<void(const TreeEntry&)>& visit) const {
    const std::wstring dir = directory.empty() ? std::wstring() : SystemPath(directory);
    if (!dir.empty() && IsFolder(dir)) {
        ListContents(dir, true, visit);
    }
}

bool FileOperations::IsDirectory(const std::string& path) const {
    return !path.empty() && IsFolder(SystemPath(path));
}

uint64_t FileOperations::GetSizeOfFile(const std::string& directory,
                                       const std::string& name) const {
    // Others may read the file meanwhile (a player playing it); one that another program is
    // writing without letting others read does not open and measures 0.
    Win32Handle file(CreateFileW(SystemPath(JoinPath(directory, name)).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    if (!file.IsValid() || GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return 0;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) {
        return 0;
    }
    return static_cast<uint64_t>(size.QuadPart);
}

FileOperations::CopyResult FileOperations::CopyInto(const std::string& source,
                                                    const StickFolder& folder,
                                                    const std::string& name,
                                                    bool /*flushNow*/) const {
    const std::string destination = folder.PathOf(name);
    Win32Handle in(CreateFileW(SystemPath(source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.IsValid()) {
        return FileOperations::CopyResult::Failed(CopyOutcome::kFileFailed,
                                                  PathError(source, GetLastError()));
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(in.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(in.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return FileOperations::CopyResult::Failed(
            CopyOutcome::kFileFailed,
            platform::UserMessage(platform::UserMessage::Id::kNotRegularFileAt, {source}));
    }
    // CREATE_NEW never replaces an existing file. The copy gets plain attributes: a read-only
    // source must not give a read-only file on the stick, which could not be wiped later.
    const std::wstring target = SystemPath(destination);
    Win32Handle out(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!out.IsValid()) {
        return Failure(GetLastError(), target, destination);
    }
    CopyResult result = FillDestination(in.Get(), out.Get(), source, destination, limits_.abandon);
    in.Close();
    if (!out.Close() && result.outcome == CopyOutcome::kCopied) {
        result = FileOperations::CopyResult::Failed(CopyOutcome::kStickFailed,
                                                    PathError(destination, GetLastError()));
    }
    if (result.outcome != CopyOutcome::kCopied) {
        DeleteFileW(target.c_str());  // no partial file stays behind
    }
    return result;
}

platform::Status FileOperations::FlushVolume(const std::string& path) const {
    const std::wstring dir = SystemPath(path);
    const DWORD attributes = GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return platform::Status::Failed(PathError(
            path, attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_DIRECTORY));
    }
    // The copies were flushed one by one. Flushing the folder as well puts the new directory
    // entries on the device; file systems and rights that do not allow that are no failure.
    Win32Handle folder(CreateFileW(dir.c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (folder.IsValid() && !FlushFileBuffers(folder.Get())) {
        const DWORD err = GetLastError();
        if (err != ERROR_INVALID_FUNCTION && err != ERROR_ACCESS_DENIED &&
            err != ERROR_NOT_SUPPORTED && err != ERROR_INVALID_PARAMETER) {
            return platform::Status::Failed(PathError(path, err));
        }
    }
    return {};
}

bool FileOperations::GetDeviceOf(const std::string& path, uint64_t& device) const {
    if (path.empty()) {
        return false;
    }
    Win32Handle file(CreateFileW(SystemPath(path).c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || !GetFileInformationByHandle(file.Get(), &info)) {
        return false;
    }
    device = info.dwVolumeSerialNumber;
    return true;
}

bool FileOperations::MeasureSpace(const std::string& path, Space& space) const {
    if (path.empty()) {
        return false;
    }
    const std::wstring dir = JoinSystemPath(SystemPath(path), L"");
    ULARGE_INTEGER freeToCaller;
    if (!GetDiskFreeSpaceExW(dir.c_str(), &freeToCaller, nullptr, nullptr)) {
        return false;
    }
    space.freeBytes = freeToCaller.QuadPart;
    space.clusterBytes = 1;
    wchar_t root[MAX_PATH + 1];
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    if (GetVolumePathNameW(dir.c_str(), root, MAX_PATH + 1) &&
        GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) &&
        sectorsPerCluster * bytesPerSector > 0) {
        space.clusterBytes = uint64_t{sectorsPerCluster} * bytesPerSector;
    }
    return true;
}

FileOperations::CopyResult FileOperations::RenameWithoutOverwrite(const StickFolder& fromFolder,
                                                                  const std::string& from,
                                                                  const StickFolder& toFolder,
                                                                  const std::string& to) const {
    // Without MOVEFILE_REPLACE_EXISTING nothing at the new name (a link neither) is replaced.
    const std::string destination = toFolder.PathOf(to);
    const std::wstring target = SystemPath(destination);
    if (MoveFileExW(SystemPath(fromFolder.PathOf(from)).c_str(), target.c_str(),
                    MOVEFILE_WRITE_THROUGH)) {
        return CopyResult();
    }
    return Failure(GetLastError(), target, destination);
}

bool FileOperations::RemoveFile(const StickFolder& folder, const std::string& name) const {
    return DeleteFileW(SystemPath(folder.PathOf(name)).c_str()) ||
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool FileOperations::NeedsSafeNames(const std::string& path) const {
    wchar_t root[MAX_PATH + 1];
    wchar_t type[MAX_PATH + 1];
    if (!GetVolumePathNameW(JoinSystemPath(SystemPath(path), L"").c_str(), root, MAX_PATH + 1) ||
        !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, type, MAX_PATH + 1)) {
        return false;
    }
    const std::wstring name = type;
    return name == L"FAT" || name == L"FAT32" || name == L"exFAT" || name == L"NTFS";
}

bool FileOperations::RenamesAcrossFoldersSafely(const std::string&) const {
    return true;
}
