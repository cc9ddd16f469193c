// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/PendingBatch.h"

void PendingBatch::Begin(std::chrono::steady_clock::duration interval, size_t maxCopies) {
    interval_ = interval;
    maxCopies_ = maxCopies;
    Clear();
}

void PendingBatch::Add(Copy copy) {
    bytes_ += copy.place.size;
    copies_.push_back(std::move(copy));
}

bool PendingBatch::Due() const {
    return bytes_ >= kMaxBytes || copies_.size() >= maxCopies_ ||
           std::chrono::steady_clock::now() - last_ >= interval_;
}

void PendingBatch::Clear() {
    copies_.clear();
    bytes_ = 0;
    last_ = std::chrono::steady_clock::now();
}
