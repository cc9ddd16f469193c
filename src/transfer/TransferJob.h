// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "transfer/CandidatePool.h"
#include "transfer/FileOperations.h"
#include "transfer/PendingBatch.h"
#include "transfer/Placement.h"
#include "transfer/RandomSource.h"
#include "transfer/StickFolder.h"
#include "transfer/StickLayout.h"
#include "transfer/StickManifest.h"
#include "transfer/StickNames.h"
#include "transfer/StickSpace.h"
#include "transfer/TransferObserver.h"
#include "transfer/TransferResult.h"

class CTunecrateDoc;
class DriveInfo;
class LibraryEntry;

// Fills the stick with music drawn at random from the files of the collection not transferred
// yet: optionally wipes the stick first, copies one drawn file after the other into the stick's
// root (or its numbered folders, see StickLayout) to the brim: a drawn song that does not fit is
// set aside and the draw goes on among the songs that still fit. When no untransferred song
// fits any more and one of the others fits, a new cycle begins. A song is marked only once it is
// on the stick under its name; a song on the stick already (StickManifest) is never copied
// again. At the end the collection is saved. A dry run decides the same and writes nothing.
//
// A file's cost on the stick is its size in whole allocation units plus its directory entries;
// the free space is reckoned down and measured again at each flush (the smaller counts, so that
// a dry run foretells the real run). A full stick ends the run like a file that does not fit.
// Copies are written under a hidden temporary name and get their own name (made safe for FAT, exFAT
// and NTFS) only once their data is on the device, so no half-written song ever carries a song's
// name; a run first removes the temporaries an interrupted run left behind. The temporaries are
// written into a folder of their own (FileOperations::kCopyFolder) where the stick renames
// across folders safely: a root that held nothing then gets its songs' entries in the order
// they are named, which is play order, and needs no rewrite afterwards.
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
        // Each flush waits for the device, which meanwhile gets nothing new to write: seconds
        // apart, the copying keeps the device busy almost all the time, as one copy would.
        std::chrono::milliseconds flushInterval{5000};
        unsigned perFolder = 0;       // songs per numbered folder; 0: all in the root
        unsigned folderLimit = 0;     // the player's most songs in any folder; 0: no limit
        unsigned maxFolders = 0;      // the player's most folders on the stick; 0: no limit
        bool numberFiles = false;     // names start with the position in the run: "001 "
        bool playlist = false;        // keep the stick's playlist (StickLayout) up to date
        bool balanceFolders = false;  // draw a music folder first, then a song in it
        // Decide everything, write nothing: the stick and the collection stay as they are, and
        // the result lists the songs that would be copied.
        bool dryRun = false;
        // Save the collection at the end of the run, on the job's thread. An owner whose
        // document talks to the user on another thread turns this off and saves there once Run
        // has returned (and sets the result's `saved`).
        bool saveCollection = true;
    };

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
    // Looks at the stick once it is measured: its names, layout, records and free space.
    void Prepare(const FileOperations::Space& space);
    // Wipes the stick and measures it again; false when it is no longer usable.
    bool DeleteOldFiles(TransferResult& result);
    // Checks that the stick can be written to now; otherwise says why.
    platform::Status CheckStick();
    // Checks that wiping the stick cannot hit the collection, its music or the settings.
    platform::Status CheckDeletion() const;
    // The copy phase: draws, copies and marks files; says in `result` how it ended.
    void CopyFiles(TransferResult& result);
    void DrawAndCopy(CandidatePool& pool, TransferResult& result);
    // When no song of the cycle fits any more: begins a new cycle, if a song not on the stick
    // (and not given up in this run) fits, with those songs in `pool`.
    bool BeginNewCycle(CandidatePool& pool, TransferResult& result);
    // Measures the songs of `pool` not measured yet and orders it by their cost.
    void OrderByCost(CandidatePool& pool);
    // Measures those of `songs` not measured yet, until `enough` (when given) says so for one.
    bool MeasureSizes(const std::vector<LibraryEntry*>& songs,
                      const std::function<bool(LibraryEntry&)>& enough);
    // True while a song with data may still fit.
    bool HasRoom() const;
    // True while the next song stays within the player's folder limits.
    bool WithinDeviceLimits() const;
    // Looks at the root once before the run: counts the songs and folders the player sees
    // there (device limits), and returns the directory entries of its files (the room the
    // play order's staging folders take), where either is wanted; notes whether it is empty.
    uint64_t LookAtRoot(bool asIfEmpty);
    // How many copies a batch holds at most.
    size_t BatchCopies() const;
    // The room the copy folder takes: its entry, and the temporaries of a batch in it.
    uint64_t CopyFolderRoom() const;
    // How a run ends that has songs left and no room for them: a full folder, the byte limit
    // or the stick.
    TransferResult::Ending NoRoomEnding() const;
    // The free space the stick will have once its contents are deleted, for a dry run.
    uint64_t SpaceAfterDeletion(uint64_t freeBytes) const;

    Placement Place(const LibraryEntry& entry);
    enum class CopyStep { kGoOn, kStickFull, kFolderFull, kStickFailed };
    // Copies one drawn entry under a temporary name.
    CopyStep CopyEntry(LibraryEntry& entry, const Placement& place, TransferResult& result);
    // A dry run's copy: decided, counted and marked, nothing written.
    void PlanEntry(LibraryEntry& entry, const Placement& place, TransferResult& result);
    // Counts a song placed at `place` against the room.
    void Account(const LibraryEntry& entry, const Placement& place);
    // A song on the stick under its own name: marked, and kept marked in a new cycle.
    void Handled(LibraryEntry& entry);
    void ShowProgress();
    // Not copied for a reason of its own (unreadable, name refused): reported, left unmarked and
    // not drawn again in this run.
    void FileFailed(LibraryEntry& entry, platform::UserMessage reason, TransferResult& result);
    // Flushes the copies made since the last flush and gives them their names; only then do
    // they count and get marked. The names are flushed with the next batch, or now when `last`
    // (before the collection is saved). False when a flush failed or the stick is gone; those
    // copies are removed then. Measures the free space again.
    bool FlushPending(TransferResult& result, bool last = false);
    // Renames the flushed copies to their own names; fails when the stick failed.
    platform::Status NamePending(TransferResult& result, bool last);
    // Appends the pending songs' lines to the stick's record: before their names are given
    // (the names planned), so that a run cut short leaves no song of its own unrecorded; or
    // after, for the songs that got another name than planned.
    void RecordPending(bool renamedOnly);
    // Writes the stick's record of its songs and the playlist.
    void WriteRecords(TransferResult& result);
    // Rewrites the root's entries in play order when the run put songs into a root that held
    // files before (StickOrder).
    void PutRootInOrder(TransferResult& result);
    // Removes the copy folder, empty once every copy has its name.
    void RemoveCopyFolder();
    void MeasureFreeSpace();
    // The bytes of the lines of the song at `relative` in the stick's record and playlist.
    uint64_t LinesFor(const LibraryEntry& entry, const std::string& relative) const;
    bool StickStillThere() const;
    // The numbered folder `folder` of the stick, made when missing; sets `result.error` when it
    // cannot be had.
    CopyStep OpenFolder(const std::string& folder, TransferResult& result);
    // The folder `name` in the root, made when missing, opened as `folder`.
    CopyStep MakeFolder(const std::string& name, StickFolder& folder, TransferResult& result);

    CTunecrateDoc& document_;
    DriveInfo& stickInfo_;
    const FileOperations& files_;
    RandomSource& random_;
    const std::atomic<int>& stopFlag_;
    TransferObserver& observer_;
    Options options_;

    uint64_t stickDevice_ = 0;
    StickFolder root_;             // the stick's root, opened once per run
    StickFolder folder_;           // the numbered folder opened last
    std::string folderName_;       // its name; empty when none is open
    StickFolder copies_;           // where copies are written: opened with the first one
    bool copyFolderUsed_ = false;  // copies go to the copy folder, not the root
    bool rootInOrder_ = false;     // the root held nothing: its songs come in play order
    bool safeNames_ = false;
    bool namesUnflushed_ = false;  // renamed since the last flush
    bool folderFull_ = false;      // a folder of the stick took no more names
    StickLayout layout_;
    StickNames names_;
    StickManifest manifest_;
    unsigned position_ = 0;       // songs placed in this run so far
    unsigned rootSongs_ = 0;      // files in the root before the run (device limits)
    unsigned foldersBefore_ = 0;  // folders on the stick before the run (device limits)
    StickSpace space_;
    uint32_t startMegabytes_ = 0;
    std::vector<LibraryEntry*> handled_;  // on the stick: copied in this run, or found there
    std::unordered_set<const LibraryEntry*> handledSet_;
    std::unordered_set<const LibraryEntry*> setAside_;  // not drawn again in this run
    std::unordered_set<std::string> placedSources_;     // the files placed in this run
    bool songsLeft_ = false;                            // some song was set aside: no room
    std::unordered_map<const LibraryEntry*, uint64_t> sizes_;
    PendingBatch batch_;
};
