// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/UserMessage.h"

// What one run of the transfer job did, for a summary and an exit code.
struct TransferResult {
    enum class Ending {
        kStickFull,     // the next drawn file did not fit on the stick, or the stick is full
        kLimitReached,  // the next drawn file did not fit within the byte limit
        kFolderFull,    // the stick's folder takes no more entries (the error says which)
        kDeviceLimit,   // the player's most songs in a folder or most folders is reached
        kAllHandled,    // every file of the collection was handled (or there was none)
        kStopped,       // the user asked the job to stop
        kIndexError,    // "Index error!"
        kRefused,       // nothing was done: no usable stick, or the deletion was refused
        kStickFailed,   // the stick failed during a copy (gone, read-only, I/O error)
    };

    Ending ending = Ending::kAllHandled;
    platform::UserMessage error;  // what went wrong for kRefused, kStickFailed and kFolderFull
    int filesCopied = 0;
    int filesFailed = 0;  // copies that failed for reasons of the single file
    struct Failure {
        std::string file;              // the music file's full path
        platform::UserMessage reason;  // what went wrong
    };
    std::vector<Failure> failures;  // those copies, in the order tried
    uint64_t bytesCopied = 0;
    uint64_t freeBytes = 0;  // free space the stick has at the end (never the byte limit's)
    int deleteFailures = 0;  // entries the deletion of old files could not remove
    bool saved = false;      // the collection file was written with the new flags
    bool newCycle = false;   // all songs came back into play during the run

    // A song put on the stick (or, in a dry run, that would be), in the order written.
    struct Copy {
        std::string source;       // full path in the collection
        std::string destination;  // relative to the stick's root, with "/"
        uint64_t bytes = 0;
        uint64_t bytesOnStick = 0;  // rounded up to whole clusters, with its directory entries
    };
    std::vector<Copy> copies;
    bool dryRun = false;
    uint64_t clusterBytes = 0;  // the stick's allocation unit
    platform::UserMessage
        playlistError;  // why the playlist could not be written; empty when it was
    // Why the songs could not be put on disc in play order (StickOrder); empty when they were.
    platform::UserMessage orderError;
};
