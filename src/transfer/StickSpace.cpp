// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickSpace.h"

#include <algorithm>

#include "transfer/StickOrder.h"

StickSpace::StickSpace(uint64_t clusterBytes)
    : clusterBytes_(std::max<uint64_t>(clusterBytes, 1)) {}

void StickSpace::Start(uint64_t freeBytes, std::optional<uint64_t> byteLimit, const Kept& kept) {
    stickRoom_ = freeBytes;
    stickFreeBytes_ = freeBytes;
    limitLeft_ = byteLimit;
    lines_ = kept.records;
    ordersRoot_ = kept.rootEntries.has_value();
    rootEntries_ = kept.rootEntries.value_or(0);
    copyFolder_ = kept.copyFolder;
}

uint64_t StickSpace::InClusters(uint64_t bytes) const {
    return (bytes + clusterBytes_ - 1) / clusterBytes_ * clusterBytes_;
}

uint64_t StickSpace::CostOnStick(uint64_t size, const std::string& name) const {
    return InClusters(size) + StickOrder::EntryBytes(name);
}

uint64_t StickSpace::KeptBytes(uint64_t lines, uint64_t rootEntries) const {
    const uint64_t staging =
        ordersRoot_
            ? StickOrder::kStagingFolders * InClusters(StickOrder::StagingEntryBytes(rootEntries))
            : 0;
    return std::max(lines, staging) + copyFolder_;
}

uint64_t StickSpace::Room() const {
    const uint64_t kept = KeptBytes(lines_, rootEntries_);
    const uint64_t onStick = stickRoom_ - std::min(stickRoom_, kept);
    if (!limitLeft_) {
        return onStick;
    }
    return std::min(onStick, *limitLeft_ - std::min(*limitLeft_, lines_));
}

bool StickSpace::Fits(const Need& need) const {
    const uint64_t lines = lines_ + need.lines;
    return stickRoom_ > need.cost + KeptBytes(lines, rootEntries_ + need.rootEntries) &&
           (!limitLeft_ || *limitLeft_ > need.cost + lines);
}

void StickSpace::Take(const Need& need) {
    stickRoom_ -= std::min(stickRoom_, need.cost);
    stickFreeBytes_ -= std::min(stickFreeBytes_, need.cost);
    if (limitLeft_) {
        *limitLeft_ -= std::min(*limitLeft_, need.cost);
    }
    lines_ += need.lines;
    rootEntries_ += need.rootEntries;
}

void StickSpace::GiveBackToLimit(const Need& need) {
    if (limitLeft_) {
        *limitLeft_ += need.cost;
    }
}

void StickSpace::Measured(uint64_t freeBytes, uint64_t recordGrowth) {
    stickFreeBytes_ = freeBytes;
    stickRoom_ = std::min(stickRoom_, freeBytes + recordGrowth);
}

bool StickSpace::LimitBinds() const {
    return limitLeft_ && *limitLeft_ < stickFreeBytes_;
}
