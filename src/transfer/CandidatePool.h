// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class LibraryDirectory;
class LibraryEntry;

// The songs a run may still draw, and the draw among them in O(log n) each: uniformly among the
// songs left, or, balancing folders, a music folder uniformly among those with songs left (in
// the order of their first song), then a song in it. Songs are first counted in library order
// (the i-th left, counted from the head). Once ordered by cost, a draw takes only songs that
// cost less than the room given; a folder without such a song is passed over from then on (the
// room never grows within a run).
class CandidatePool {
  public:
    using RandomIndex = std::function<int(int count)>;

    CandidatePool() = default;
    CandidatePool(const std::vector<LibraryEntry*>& songs, bool balanceFolders);

    bool IsOrdered() const { return ordered_; }
    // True when no song is left that may be drawn.
    bool IsEmpty() const { return groupsLeft_.Total() == 0; }
    // The songs left (before ordering: all of them may be drawn).
    size_t Left() const { return left_; }
    // True when a draw passed over songs that cost too much.
    bool PassedOver() const { return passedOver_; }
    // The songs left, in library order within each folder.
    std::vector<LibraryEntry*> Songs() const;
    // Orders the songs left by `cost` (ties in library order).
    void OrderByCost(const std::function<uint64_t(const LibraryEntry&)>& cost);
    // Draws a song and takes it out of the pool; nullptr when none is left that costs less than
    // `room` (once ordered). An index from `randomIndex` outside the count sets `indexError`.
    LibraryEntry* Draw(const RandomIndex& randomIndex, uint64_t room, bool& indexError);

  private:
    // Counts over positions 0 .. n-1 with prefix sums and "the k-th counted position".
    class Counter {
      public:
        explicit Counter(size_t size = 0, int each = 1);
        void Add(size_t position, int delta);
        int CountBelow(size_t end) const;  // positions 0 .. end-1
        int Total() const { return CountBelow(tree_.size()); }
        size_t Find(int k) const;  // the position of the k-th counted one, from 0
      private:
        std::vector<int> tree_;
    };
    struct Group {
        std::vector<LibraryEntry*> songs;
        std::vector<uint64_t> costs;  // ascending, once ordered
        Counter left;
    };

    int Fitting(const Group& group, uint64_t room) const;

    std::vector<Group> groups_;
    Counter groupsLeft_;  // 1 for every folder with songs left that may still be drawn
    size_t left_ = 0;
    bool balanced_ = false;
    bool ordered_ = false;
    bool passedOver_ = false;
};
