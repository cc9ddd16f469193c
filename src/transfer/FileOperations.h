// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/Result.h"

class StickFolder;

// The file operations of a transfer on the stick: wiping it, measuring a music file, copying one
// to it. Paths are full UTF-8 paths; nothing changes the process's current directory. On Windows
// a bare drive such as "E:" stands for the root folder of that drive.
//
// What the transfer job and the wipe question do on the stick itself (look, list, wipe, copy,
// rename, remove, flush, identity, free space, name rules) is virtual, so that tests can put a
// stick of their own in its place.
class FileOperations {
  public:
    // How a copy or rename ended. A failure of the stick itself (gone, read-only, I/O error) is
    // told apart from one tied to the single file (name taken, source unreadable, name refused)
    // and from a stick that is full: out of space, or a folder that takes no more entries (a FAT
    // root folder).
    enum class CopyOutcome {
        kCopied,
        kNameTaken,
        kFileFailed,
        kStickFull,
        kFolderFull,
        kStickFailed,
        kAbandoned,  // given up on request (CopyLimits), nothing left at the destination
    };
    // The message says what went wrong, for the user.
    using CopyResult = platform::Result<CopyOutcome>;

    // The free space of a volume and its allocation unit: every file takes whole units.
    struct Space {
        uint64_t freeBytes = 0;     // what the calling user may fill
        uint64_t clusterBytes = 1;  // allocation unit; 1 where it cannot be told
    };

    // How a copy in progress is cut short: once `*abandon` is set it is given up at once; a
    // source that yields no data for `stall` (a device or kernel file posing as a music file)
    // fails the copy as that file's own failure. (On Windows only `abandon`, between chunks.)
    struct CopyLimits {
        const std::atomic<bool>* abandon = nullptr;
        std::chrono::milliseconds stall{30000};
    };

    // One entry below a folder, as ListTree gives it: a regular file, a folder of the same file
    // system, or anything else (a link, a device, a pipe, an entry that cannot be examined).
    struct TreeEntry {
        enum class Kind { kFile, kFolder, kOther };
        Kind kind = Kind::kOther;
        std::string name;     // the entry's own name
        bool inRoot = false;  // directly in the folder walked
        uint64_t size = 0;    // the bytes of a regular file; 0 for everything else
    };

    virtual ~FileOperations() = default;

    void SetCopyLimits(CopyLimits limits) { limits_ = limits; }

    // Deletes every file and subdirectory below `directory`; the directory itself stays.
    // Symbolic links are removed, never followed; another file system mounted below is left
    // alone; read-only files are not deleted. Returns how many entries could not be deleted
    // (0 also when `directory` cannot be opened).
    int DeleteTree(const std::string& directory) const;
    virtual int DeleteTree(const StickFolder& folder) const;
    // Calls `visit` for each entry DeleteTree would reach below `directory`, a folder before
    // what it holds: links are given, never followed; a file system mounted below is neither
    // given nor entered. Nothing when `directory` cannot be opened.
    virtual void ListTree(const std::string& directory,
                          const std::function<void(const TreeEntry&)>& visit) const;
    // True when `path` is a folder (or a link to one, as a stick's mount point may be reached).
    virtual bool IsDirectory(const std::string& path) const;

    // Size in bytes of the regular file `name` in `directory`; 0 when it cannot be opened or
    // is not a regular file.
    uint64_t GetSizeOfFile(const std::string& directory, const std::string& name) const;

    // Copies `source` to the new file `name` in `folder`, never replacing anything there (not
    // even a link); on any failure nothing is left at `name`. With `flushNow` the copy's data
    // and directory entry are on the device when it returns; otherwise they are on their way,
    // and the copy counts only after a successful FlushVolume.
    virtual CopyResult CopyInto(const std::string& source, const StickFolder& folder,
                                const std::string& name, bool flushNow = true) const;
    // The same to the path `destination`, whose folder is opened first.
    CopyResult CopyWithoutOverwrite(const std::string& source, const std::string& destination,
                                    bool flushNow = true) const;
    // Writes everything written to the file system holding the directory `path` to its device;
    // the message of a failure gives the system's words. On Windows, where flushing a whole
    // volume needs administrator rights, every copy is flushed as it is made, and this flushes
    // the volume where it may and otherwise checks that the volume is still there.
    virtual platform::Status FlushVolume(const std::string& path) const;
    // The identity of the volume holding `path` (device number; on Windows the volume serial
    // number); false when `path` cannot be read.
    virtual bool GetDeviceOf(const std::string& path, uint64_t& device) const;
    // Free space and allocation unit of the volume holding `path`; false when unreadable.
    virtual bool MeasureSpace(const std::string& path, Space& space) const;
    // Gives the file `from` in `fromFolder` the name `to` in `toFolder` (of the same volume),
    // never replacing anything there (kNameTaken then). A name the file system refuses gives
    // kFileFailed; a folder without the free entries a longer name needs (a full FAT root)
    // kFolderFull, no room at all kStickFull.
    virtual CopyResult RenameWithoutOverwrite(const StickFolder& fromFolder,
                                              const std::string& from, const StickFolder& toFolder,
                                              const std::string& to) const;
    // Removes one file (a link itself); true when it is gone (or was not there).
    virtual bool RemoveFile(const StickFolder& folder, const std::string& name) const;
    // Removes the temporary copies (TemporaryName) an interrupted run left directly in
    // `folder`, and nothing else: not those of a run still going on in another process (or
    // this one), and clears its copy folder (RemoveCopyFolder). Returns how many could not be
    // removed.
    int RemoveLeftovers(const StickFolder& folder) const;
    // Removes the copy folder (kCopyFolder) in `root` with the temporary copies in it, but for
    // those of a run still going on; a folder that holds anything else stays.
    void RemoveCopyFolder(const StickFolder& root) const;
    // True when the volume holding `path` has a FAT, exFAT or NTFS file system, whose names
    // cannot hold every character a music file's name may have (SafeName).
    virtual bool NeedsSafeNames(const std::string& path) const;
    // False where a rename into another folder that has no room left may lose the file, or
    // leave a name on the wrong data, while it fails: the FUSE FAT driver does so with a FAT16
    // root folder, which holds a fixed number of entries. Copies then stay in the folder they
    // get their names in.
    bool RenamesAcrossFoldersSafely(const std::string& path) const;

    // The hidden name of this process's `number`th copy in progress:
    // ".tunecrate-<process id>-<number>.part". Runs on one stick at the same time never share
    // one, and none takes away another's. (Older versions wrote ".tunecrate-<number>.part".)
    static std::string TemporaryName(unsigned number);
    // The hidden folder in the stick's root that a run writes its copies into: renamed from
    // there, the songs are the only entries the run makes in the root, in the order they are
    // named. A short name, so that the gap it leaves takes few directory slots.
    static constexpr const char* kCopyFolder = ".tccopies";
    static bool IsTemporaryName(const std::string& name);
    // A temporary name no other in this process had.
    static std::string NextTemporaryName();
    // `name` as FAT, exFAT and NTFS can hold it: \ / : * ? " < > |, control characters and
    // bytes that are no UTF-8 become "_", trailing dots and blanks go, and a name longer than
    // 255 UTF-16 units (or bytes, where the system counts bytes) is shortened before its
    // extension. A `copy` above 1 adds " (copy)" before the extension. Without `fatRules`, for
    // other file systems, only what a UTF-8 playlist line cannot hold is replaced (ValidName).
    static std::string SafeName(const std::string& name, unsigned copy = 1, bool fatRules = true);
    // `name` as a line of a UTF-8 playlist can hold it, on any stick: bytes that are no UTF-8
    // and control characters (a line break among them) become "_".
    static std::string ValidName(const std::string& name);

    // `directory` and `name` joined with one separator ("/", on Windows "\"): a bare drive
    // "E:" and "song.mp3" give "E:\song.mp3".
    static std::string JoinPath(const std::string& directory, const std::string& name);
    // True when `name` can stand for a file directly in a folder: not empty, not "." or "..",
    // no separator (on Windows neither "\", "/" nor ":", which would name a data stream).
    static bool IsPlainFileName(const std::string& name);

  private:
    static unsigned long long ProcessId();
    // True unless the process `id` is known to be gone.
    static bool ProcessRunning(unsigned long long id);
    // True when `name` is the temporary copy of a run going on in another process (or this one).
    static bool IsLiveTemporary(const std::string& name);

    CopyLimits limits_;
    // The volume that refused to rename without overwriting, 0 for none (POSIX): drivers that
    // do not know that (FUSE ones among them) look both names up before they refuse, a round
    // trip to the driver each time, so that volume is not asked again.
    mutable std::atomic<unsigned long long> noReplaceRefusedBy_{0};
};
