#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "transfer/FileOperations.h"
#include "transfer/RandomSource.h"
#include "transfer/StickFolder.h"
#include "transfer/StickLayout.h"
#include "transfer/TransferObserver.h"
#include "transfer/TransferResult.h"

class CTunecrateDoc;
class DriveInfo;
class LibraryEntry;

// Fills the stick with music drawn at random from the files of the collection not transferred
// yet: optionally wipes the stick first, copies one drawn file after the other into the stick's
// root (or its numbered folders, see StickLayout) until the next one does not fit, marks every
// file it handled and saves the collection. A dry run decides the same and writes nothing.
//
// A file's cost on the stick is its size in whole allocation units plus its directory entries;
// the free space is measured again at each flush. A full stick ends the run like a file that does
// not fit. Copies are written under a hidden temporary name and get their own name (made safe for
// FAT, exFAT and NTFS) only once their data is on the device, so no half-written song ever carries
// a song's name; a run first removes the temporaries an interrupted run left behind.
//
// The owner starts Run on a worker thread of its own and keeps everything handed in alive until
// the observer's Finished has been called. Meanwhile nothing else may change the collection or
// the drive information. The owner asks the job to stop by setting the stop flag to nonzero;
// the job looks at it before it starts, once its lists are made and after each file.
class TransferJob {
  public:
    struct Options {
        std::string stickDrive;             // the stick's root: a mount point
        bool deleteOld = false;             // wipe the stick before copying
        std::optional<uint64_t> byteLimit;  // fill at most this many bytes
        bool allowPlainFolder = false;      // accept a folder that is no mounted volume
        std::string settingsPath;           // never deleted with the stick's contents
        // Copies reach the device in batches, at least this often (zero: after every file).
        std::chrono::milliseconds flushInterval{1000};
        unsigned perFolder = 0;       // songs per numbered folder; 0: all in the root
        bool numberFiles = false;     // names start with the position in the run: "001 "
        bool playlist = false;        // keep the stick's playlist (StickLayout) up to date
        bool balanceFolders = false;  // draw a music folder first, then a song in it
        // Decide everything, write nothing: the stick and the collection stay as they are, and
        // the result lists the songs that would be copied.
        bool dryRun = false;
    };

    // Unflushed copies are flushed at the latest when they add up to this many bytes.
    static constexpr uint64_t kFlushBytes = uint64_t{256} << 20;

    TransferJob(CTunecrateDoc& document, DriveInfo& stickInfo, const FileOperations& files,
                RandomSource& random, const std::atomic<int>& stopFlag, TransferObserver& observer,
                Options options);

    // The whole run, on the calling thread; ends with the observer's Finished.
    TransferResult Run();

    // A random index 0 .. count - 1 (0 for a count of 0). Up to 32,767 one draw; above, two
    // draws make a 30-bit number, the first draw its upper 15 bits.
    static int RandomIndex(int count, RandomSource& random);
    // "%lu MB free".
    static platform::UserMessage FreeSpaceText(uint64_t megabytes);

  private:
    bool StopRequested() const { return stopFlag_.load() != 0; }
    // Everything up to the closing status text, which it returns.
    platform::UserMessage Transfer(TransferResult& result);
    // Wipes the stick and measures it again; false when it is no longer usable.
    bool DeleteOldFiles(TransferResult& result);
    // Checks that the stick can be written to now; otherwise says why in `error`.
    bool CheckStick(platform::UserMessage& error);
    // Checks that wiping the stick cannot hit the collection, its music or the settings.
    bool CheckDeletion(platform::UserMessage& error) const;
    // The copy phase: draws, copies and marks files; says in `result` how it ended.
    void CopyFiles(TransferResult& result);
    void DrawAndCopy(std::vector<LibraryEntry*>& candidates, TransferResult& result);
    // The index of the next song drawn among `candidates`: uniformly, or, balancing folders, a
    // folder uniformly among those with candidates and then a song in it.
    int DrawIndex(const std::vector<LibraryEntry*>& candidates);
    // The free space the stick will have once its contents are deleted, for a dry run.
    uint64_t SpaceAfterDeletion(uint64_t freeBytes) const;
    enum class CopyStep { kGoOn, kStickFull, kStickFailed };
    // Copies one drawn entry under a temporary name.
    CopyStep CopyEntry(LibraryEntry& entry, uint64_t size, uint64_t cost, TransferResult& result);
    // A dry run's copy: decided, counted and marked, nothing written.
    CopyStep PlanEntry(LibraryEntry& entry, const std::string& folder, const std::string& name,
                       uint64_t size, uint64_t cost, TransferResult& result);
    void ShowProgress();
    // Handled without being copied: marked so that it is not drawn again in this cycle.
    void FileFailed(LibraryEntry& entry, platform::UserMessage reason, TransferResult& result);
    bool FlushDue() const;
    // Flushes the copies made since the last flush and gives them their names; only then do
    // they count and get marked. The names are flushed with the next batch, or now when `last`
    // (before the collection is saved). False when a flush failed or the stick is gone; those
    // copies are removed then. Measures the free space again.
    bool FlushPending(TransferResult& result, bool last = false);
    // Renames the flushed copies to their own names; false when the stick failed.
    bool NamePending(std::string& error, TransferResult& result, bool last);
    void MeasureFreeSpace();
    // What a measured free space leaves for songs: within the byte limit, less the reserve.
    uint64_t Available(uint64_t measured) const;
    // Keeps room for the playlist's line of the song at `relative`.
    void Reserve(const std::string& relative);
    bool StickStillThere() const;
    // The bytes `size` takes on the stick with a directory entry for `name`.
    uint64_t CostOnStick(uint64_t size, const std::string& name) const;
    // `name` as the stick can hold it (SafeName), numbered from `copy` 2 on.
    std::string StickName(const std::string& name, unsigned copy = 1) const;
    // The numbered folder `folder` of the stick, made when missing; false with `result.error`
    // set when it cannot be had.
    CopyStep OpenFolder(const std::string& folder, TransferResult& result);

    // A copy written to the stick under a temporary name but not yet flushed.
    struct PendingCopy {
        LibraryEntry* entry;
        std::string temporary;  // in the stick's root
        std::string named;      // the name it got in `destination`; empty until then
        StickFolder destination;
        std::string folder;    // relative to the stick's root; empty for the root
        std::string name;      // the name it is to get, before it is made safe
        std::string relative;  // where it got its name, relative to the stick's root
        uint64_t size;
        uint64_t cost;
    };

    CTunecrateDoc& document_;
    DriveInfo& stickInfo_;
    const FileOperations& files_;
    RandomSource& random_;
    const std::atomic<int>& stopFlag_;
    TransferObserver& observer_;
    Options options_;

    uint64_t stickDevice_ = 0;
    StickFolder root_;        // the stick's root, opened once per run
    StickFolder folder_;      // the numbered folder opened last
    std::string folderName_;  // its name; empty when none is open
    bool safeNames_ = false;
    uint64_t clusterBytes_ = 1;
    std::optional<uint64_t> limitLeft_;  // what the byte limit still allows
    bool namesUnflushed_ = false;        // renamed since the last flush
    std::set<std::string> namedInRun_;   // names (before numbering) given in this run
    StickLayout layout_;
    unsigned position_ = 0;               // songs placed in this run so far
    std::set<std::string> plannedInRun_;  // a dry run's destinations
    uint64_t freeBytes_ = 0;
    uint64_t reserved_ = 0;  // kept free for the playlist
    uint32_t startMegabytes_ = 0;
    std::vector<LibraryEntry*> handled_;  // handled in this run: copied, or failed for itself
    std::vector<PendingCopy> pending_;
    uint64_t pendingBytes_ = 0;
    std::chrono::steady_clock::time_point lastFlush_;
};
