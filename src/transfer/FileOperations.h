#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

// The file operations of a transfer on the stick: wiping it, measuring a music file, copying one
// to it. Paths are full UTF-8 paths; nothing changes the process's current directory. On Windows
// a bare drive such as "E:" stands for the root folder of that drive.
class FileOperations {
  public:
    // How a copy ended. A failure of the stick itself (gone, read-only, full, I/O error) is told
    // apart from one tied to the single file (name taken, source unreadable, name refused).
    struct CopyResult {
        // kAbandoned: given up on request (CopyLimits), nothing left at the destination.
        enum Outcome { kCopied, kFileFailed, kStickFailed, kAbandoned };
        Outcome outcome = kCopied;
        std::string error;  // what went wrong, for the user; empty after a copy

        static CopyResult Failed(Outcome why, std::string text) { return {why, std::move(text)}; }
    };

    // How a copy in progress is cut short: once `*abandon` is set it is given up at once; a
    // source that yields no data for `stall` (a device or kernel file posing as a music file)
    // fails the copy as that file's own failure. (On Windows only `abandon`, between chunks.)
    struct CopyLimits {
        const std::atomic<bool>* abandon = nullptr;
        std::chrono::milliseconds stall{30000};
    };

    virtual ~FileOperations() = default;

    void SetCopyLimits(CopyLimits limits) { limits_ = limits; }

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
    CopyResult CopyWithoutOverwrite(const std::string& source, const std::string& destination,
                                    bool flushNow = true) const;
    // Writes everything written to the file system holding the directory `path` to its device.
    // False, with the reason in `error`, when that failed. On Windows, where flushing a whole
    // volume needs administrator rights, every copy is flushed as it is made, and this flushes
    // the volume where it may and otherwise checks that the volume is still there.
    bool FlushVolume(const std::string& path, std::string& error) const;

    // `directory` and `name` joined with one separator ("/", on Windows "\"): a bare drive
    // "E:" and "song.mp3" give "E:\song.mp3".
    static std::string JoinPath(const std::string& directory, const std::string& name);
    // True when `name` can stand for a file directly in a folder: not empty, not "." or "..",
    // no separator (on Windows neither "\", "/" nor ":", which would name a data stream).
    static bool IsPlainFileName(const std::string& name);
    // The identity of the volume holding `path` (device number; on Windows the volume serial
    // number); false when `path` cannot be read.
    static bool GetDeviceOf(const std::string& path, uint64_t& device);

  private:
    CopyLimits limits_;
};
