#pragma once

#include <cstdint>
#include <string>
#include <utility>

// The file operations of a transfer on the stick: wiping it, measuring a music file, copying one
// to it. Paths are full UTF-8 paths; nothing changes the process's current directory. On Windows
// a bare drive such as "E:" stands for the root folder of that drive.
//
// What the transfer job does on the stick itself (copy, flush, identity, free space) is virtual,
// so that tests can put a stick that fails on demand in its place.
class FileOperations {
  public:
    // How a copy ended. A failure of the stick itself (gone, read-only, full, I/O error) is told
    // apart from one tied to the single file (name taken, source unreadable, name refused).
    struct CopyResult {
        enum Outcome { kCopied, kFileFailed, kStickFailed };
        Outcome outcome = kCopied;
        std::string error;  // what went wrong, for the user; empty after a copy

        static CopyResult Failed(Outcome why, std::string text) { return {why, std::move(text)}; }
    };

    // The free space of a volume and its allocation unit: every file takes whole units.
    struct Space {
        uint64_t freeBytes = 0;     // what the calling user may fill
        uint64_t clusterBytes = 1;  // allocation unit; 1 where it cannot be told
    };

    virtual ~FileOperations() = default;

    // Deletes every file and subdirectory below `directory`; the directory itself stays.
    // Symbolic links are removed, never followed; another file system mounted below is left
    // alone; read-only files are not deleted. Returns how many entries could not be deleted
    // (0 also when `directory` cannot be opened).
    int DeleteTree(const std::string& directory) const;

    // Size in bytes of the regular file `name` in `directory`; 0 when it cannot be opened or
    // is not a regular file.
    uint64_t GetSizeOfFile(const std::string& directory, const std::string& name) const;

    // Copies `source` to the new file `destination`, never replacing an existing one; on any
    // failure nothing is left at `destination`. With `flushNow` the copy's data and directory
    // entry are on the device when it returns; otherwise they are on their way, and the copy
    // counts only after a successful FlushVolume.
    virtual CopyResult CopyWithoutOverwrite(const std::string& source,
                                            const std::string& destination,
                                            bool flushNow = true) const;
    // Writes everything written to the file system holding the directory `path` to its device.
    // False, with the reason in `error`, when that failed. On Windows, where flushing a whole
    // volume needs administrator rights, every copy is flushed as it is made, and this flushes
    // the volume where it may and otherwise checks that the volume is still there.
    virtual bool FlushVolume(const std::string& path, std::string& error) const;
    // The identity of the volume holding `path` (device number; on Windows the volume serial
    // number); false when `path` cannot be read.
    virtual bool GetDeviceOf(const std::string& path, uint64_t& device) const;
    // Free space and allocation unit of the volume holding `path`; false when unreadable.
    virtual bool MeasureSpace(const std::string& path, Space& space) const;

    // `directory` and `name` joined with one separator ("/", on Windows "\"): a bare drive
    // "E:" and "song.mp3" give "E:\song.mp3".
    static std::string JoinPath(const std::string& directory, const std::string& name);
    // True when `name` can stand for a file directly in a folder: not empty, not "." or "..",
    // no separator (on Windows neither "\", "/" nor ":", which would name a data stream).
    static bool IsPlainFileName(const std::string& name);
};
