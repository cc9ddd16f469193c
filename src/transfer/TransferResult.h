#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one run of the transfer job did, for a summary and an exit code.
struct TransferResult {
    enum class Ending {
        kStickFull,    // the next drawn file did not fit
        kAllHandled,   // every file of the collection was handled (or there was none)
        kStopped,      // the user asked the job to stop
        kIndexError,   // "Index error!"
        kRefused,      // nothing was done: no usable stick, or the deletion was refused
        kStickFailed,  // the stick failed during a copy (gone, read-only, full, I/O error)
    };

    Ending ending = Ending::kAllHandled;
    std::string error;  // what went wrong for kRefused and kStickFailed
    int filesCopied = 0;
    int filesFailed = 0;  // copies that failed for reasons of the single file
    struct Failure {
        std::string file;    // the music file's full path
        std::string reason;  // what went wrong
    };
    std::vector<Failure> failures;  // those copies, in the order tried
    uint64_t bytesCopied = 0;
    uint64_t freeBytes = 0;  // free space on the stick as reckoned at the end
    int deleteFailures = 0;  // entries the deletion of old files could not remove
    bool saved = false;      // the collection file was written with the new flags
};
