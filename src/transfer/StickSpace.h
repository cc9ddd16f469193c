// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The room a run has for songs on the stick, reckoned ahead from one measurement, so that a dry
// run plans what the real run does. A song costs its size in whole clusters plus its directory
// entries. Room stays free for what a run writes after its songs: the rewrites of the stick's
// record and playlist, which each song makes longer, and, where songs go to the root, the
// staging folders that put the root in play order (StickOrder), which hold every file's entry
// while they stand. The records are rewritten once the staging folders are gone, so the larger
// of the two rooms serves both. The folder the copies are written into stands while the songs
// are copied, and has room of its own. A byte limit is a budget on what stays on the stick: the
// songs and their records, not the staging folders or the copy folder.
class StickSpace {
  public:
    // What a song asks of the room.
    struct Need {
        uint64_t cost = 0;         // its clusters and directory entries
        uint64_t lines = 0;        // its lines in the stick's record and playlist
        uint64_t rootEntries = 0;  // its directory entries in a root put in play order
    };

    // The room kept free at the start of a run.
    struct Kept {
        uint64_t records = 0;  // the rewrites of the record and playlist as they are
        // The directory entries of the root's files where the root is put in play order after
        // the run, nothing where it is not.
        std::optional<uint64_t> rootEntries;
        uint64_t copyFolder = 0;  // the folder the copies are written into
    };

    explicit StickSpace(uint64_t clusterBytes = 1);

    // `freeBytes`: the stick as measured; `byteLimit`: the user's budget.
    void Start(uint64_t freeBytes, std::optional<uint64_t> byteLimit, const Kept& kept);

    uint64_t ClusterBytes() const { return clusterBytes_; }
    // `bytes` rounded up to whole clusters: what a file of that size takes.
    uint64_t InClusters(uint64_t bytes) const;
    // The bytes a file of `size` takes with a directory entry for `name`.
    uint64_t CostOnStick(uint64_t size, const std::string& name) const;

    // What is left for songs.
    uint64_t Room() const;
    // True when a song with `need` fits, with the room it asks to be kept free.
    bool Fits(const Need& need) const;
    // A song is placed.
    void Take(const Need& need);
    // A song placed did not arrive: its cost is back in the byte limit. (The stick's own free
    // space is measured again.)
    void GiveBackToLimit(const Need& need);
    // The stick measured `freeBytes`, after its record grew by `recordGrowth` in this run (the
    // room kept for the record's lines holds those): what was reckoned stands unless the stick
    // has less.
    void Measured(uint64_t freeBytes, uint64_t recordGrowth);
    // The free space the stick has: measured, and reckoned down since.
    uint64_t StickFreeBytes() const { return stickFreeBytes_; }
    // True when the byte limit leaves less than the stick has.
    bool LimitBinds() const;

  private:
    // The room kept free for records whose lines take `lines` and a root whose files' entries
    // take `rootEntries`.
    uint64_t KeptBytes(uint64_t lines, uint64_t rootEntries) const;

    uint64_t clusterBytes_ = 1;
    uint64_t stickRoom_ = 0;       // the stick's free bytes as reckoned, or less as measured
    uint64_t stickFreeBytes_ = 0;  // what the stick has, measured and reckoned down
    std::optional<uint64_t> limitLeft_;
    uint64_t lines_ = 0;  // the room the records' rewrites take
    bool ordersRoot_ = false;
    uint64_t rootEntries_ = 0;
    uint64_t copyFolder_ = 0;
};
