// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/PendingBatch.h"

#include <gtest/gtest.h>

// Due for its flush once its copies reach their number or their bytes, or once its interval
// has passed; a batch cleared after its flush starts over.
TEST(PendingBatchTest, IsDueAtItsCopiesItsBytesOrItsInterval) {
    using std::chrono::hours;
    const uint64_t most = PendingBatch::kMaxBytes;
    const struct {
        hours interval;
        size_t maxCopies;
        std::vector<uint64_t> sizes;
        bool due;
    } rows[] = {{hours(1), 3, {1, 1}, false},
                {hours(1), 3, {1, 1, 1}, true},
                {hours(1), 9, {most - 1}, false},
                {hours(1), 9, {most - 1, 1}, true},
                {hours(0), 9, {}, true}};
    for (const auto& row : rows) {
        PendingBatch batch;
        batch.Begin(row.interval, row.maxCopies);
        for (const uint64_t size : row.sizes) {
            PendingBatch::Copy copy{};
            copy.place.size = size;
            batch.Add(copy);
        }
        EXPECT_EQ(batch.Due(), row.due) << "row " << &row - rows;
        batch.Clear();
        EXPECT_EQ(batch.Due(), row.interval == hours(0)) << "row " << &row - rows;
    }
}
