// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "transfer/Placement.h"
#include "transfer/StickFolder.h"

class LibraryEntry;

// The copies written to the stick under temporary names since the last flush. They count, get
// their names and are marked only once a flush has put their data on the device. A batch is due
// for its flush once its copies add up to kMaxBytes or are as many as the folder they are
// written into has room for, or once the interval has passed since the last flush.
class PendingBatch {
  public:
    struct Copy {
        LibraryEntry* entry;    // null once the copy has failed
        std::string temporary;  // in the folder copies are written into
        std::string named;      // the name it got in `destination`; empty until then
        StickFolder destination;
        Placement place;
        std::string relative;  // where it got its name, relative to the stick's root
    };

    static constexpr uint64_t kMaxBytes = uint64_t{256} << 20;

    // Empties the batch; `interval` runs from now; a batch holds at most `maxCopies`.
    void Begin(std::chrono::steady_clock::duration interval, size_t maxCopies);
    void Add(Copy copy);
    bool Due() const;
    bool Empty() const { return copies_.empty(); }
    std::vector<Copy>& Copies() { return copies_; }
    // Empties the batch once it has been flushed; the interval runs again from now.
    void Clear();

  private:
    std::vector<Copy> copies_;
    uint64_t bytes_ = 0;
    size_t maxCopies_ = 1;
    std::chrono::steady_clock::duration interval_{};
    std::chrono::steady_clock::time_point last_;
};
