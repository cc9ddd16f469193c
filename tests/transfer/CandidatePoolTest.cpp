// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/CandidatePool.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>

#include "collection/LibraryEntry.h"

namespace {

// Songs "a".."e" in two folders (a, b, c in one; d, e in the other) with costs by name, and the
// indexes a draw is to take, in turn.
class CandidatePoolTest : public ::testing::Test {
  protected:
    CandidatePoolTest() {
        for (const char* name : {"a", "b", "c", "d", "e"}) {
            entries_.push_back(
                std::make_unique<LibraryEntry>(name[0] < 'd' ? &one_ : &two_, name, 0));
            songs_.push_back(entries_.back().get());
        }
    }
    // The names drawn with `indexes_` (as RandomIndex gives them), one for each room given; "-"
    // where none was left.
    std::string Draws(CandidatePool& pool, const std::vector<uint64_t>& rooms) {
        std::string drawn;
        for (const uint64_t room : rooms) {
            bool indexError = false;
            const LibraryEntry* song = pool.Draw([this](int) { return Next(); }, room, indexError);
            drawn += song ? song->GetName() : "-";
        }
        return drawn;
    }
    void OrderByCost(CandidatePool& pool) {
        const std::map<std::string, uint64_t> costs = {
            {"a", 50}, {"b", 10}, {"c", 30}, {"d", 40}, {"e", 20}};
        pool.OrderByCost([&](const LibraryEntry& song) { return costs.at(song.GetName()); });
    }
    int Next() {
        indexes_.push_back(0);  // after the indexes asked for
        const int index = indexes_.front();
        indexes_.pop_front();
        return index;
    }

    LibraryDirectory one_{"one", 0}, two_{"two", 0};
    std::vector<std::unique_ptr<LibraryEntry>> entries_;
    std::vector<LibraryEntry*> songs_;
    std::deque<int> indexes_;
};

}  // namespace

TEST_F(CandidatePoolTest, DrawsTheIthSongLeftCountedFromTheHead) {
    CandidatePool pool(songs_, false);
    indexes_ = {2, 0, 2, 1, 0};
    EXPECT_EQ(Draws(pool, {1, 1, 1, 1, 1, 1}), "caedb-");
}

TEST_F(CandidatePoolTest, OnceOrderedOnlySongsCheaperThanTheRoomAreDrawn) {
    CandidatePool pool(songs_, false);
    OrderByCost(pool);     // b 10, e 20, c 30, d 40, a 50
    indexes_ = {2, 1, 0};  // of b, e, c; of b, e, d; of b, d, a
    EXPECT_EQ(Draws(pool, {35, 45, 100, 15}), "ceb-");
    EXPECT_TRUE(pool.PassedOver());
}

TEST_F(CandidatePoolTest, BalancedDrawsAFolderThenASongInIt) {
    CandidatePool pool(songs_, true);
    indexes_ = {1, 1, 0, 2};  // folder two: e; folder one: c
    EXPECT_EQ(Draws(pool, {1, 1}), "ec");
    OrderByCost(pool);     // one: b 10, a 50; two: d 40
    indexes_ = {1, 0, 0};  // folder two has nothing below 30: passed over, then b
    EXPECT_EQ(Draws(pool, {30, 30}), "b-");
}
