// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/CandidatePool.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "collection/LibraryEntry.h"

CandidatePool::Counter::Counter(size_t size, int each) : tree_(size, 0) {
    for (size_t i = 0; i < size; ++i) {  // built in O(n): each node passes its sum upwards
        tree_[i] += each;
        const size_t parent = i | (i + 1);
        if (parent < size) {
            tree_[parent] += tree_[i];
        }
    }
}

void CandidatePool::Counter::Add(size_t position, int delta) {
    for (size_t i = position; i < tree_.size(); i |= i + 1) {
        tree_[i] += delta;
    }
}

int CandidatePool::Counter::CountBelow(size_t end) const {
    int sum = 0;
    for (size_t i = end; i > 0; i &= i - 1) {
        sum += tree_[i - 1];
    }
    return sum;
}

size_t CandidatePool::Counter::Find(int k) const {
    size_t position = 0;
    size_t step = 1;
    while (step * 2 <= tree_.size()) {
        step *= 2;
    }
    for (; step > 0; step /= 2) {
        if (position + step <= tree_.size() && tree_[position + step - 1] <= k) {
            position += step;
            k -= tree_[position - 1];
        }
    }
    return position;
}

CandidatePool::CandidatePool(const std::vector<LibraryEntry*>& songs, bool balanceFolders)
    : balanced_(balanceFolders) {
    std::unordered_map<const LibraryDirectory*, size_t> groupOf;
    for (LibraryEntry* song : songs) {
        const LibraryDirectory* folder = balanceFolders ? song->GetOwner() : nullptr;
        const auto found = groupOf.emplace(folder, groups_.size());
        if (found.second) {
            groups_.emplace_back();
        }
        groups_[found.first->second].songs.push_back(song);
    }
    for (Group& group : groups_) {
        group.left = Counter(group.songs.size());
    }
    groupsLeft_ = Counter(groups_.size());
    left_ = songs.size();
}

std::vector<LibraryEntry*> CandidatePool::Songs() const {
    std::vector<LibraryEntry*> songs;
    for (const Group& group : groups_) {
        for (size_t i = 0; i < group.songs.size(); ++i) {
            if (group.left.CountBelow(i + 1) > group.left.CountBelow(i)) {
                songs.push_back(group.songs[i]);
            }
        }
    }
    return songs;
}

void CandidatePool::OrderByCost(const std::function<uint64_t(const LibraryEntry&)>& cost) {
    groupsLeft_ = Counter(groups_.size(), 0);
    for (size_t g = 0; g < groups_.size(); ++g) {
        Group& group = groups_[g];
        std::vector<std::pair<uint64_t, LibraryEntry*>> left;
        for (size_t i = 0; i < group.songs.size(); ++i) {
            if (group.left.CountBelow(i + 1) > group.left.CountBelow(i)) {
                left.emplace_back(cost(*group.songs[i]), group.songs[i]);
            }
        }
        std::stable_sort(left.begin(), left.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        group.songs.clear();
        group.costs.clear();
        for (const auto& [songCost, song] : left) {
            group.costs.push_back(songCost);
            group.songs.push_back(song);
        }
        group.left = Counter(group.songs.size());
        groupsLeft_.Add(g, group.songs.empty() ? 0 : 1);
    }
    ordered_ = true;
}

int CandidatePool::Fitting(const Group& group, uint64_t room) const {
    if (!ordered_) {
        return group.left.Total();
    }
    const size_t below = static_cast<size_t>(
        std::lower_bound(group.costs.begin(), group.costs.end(), room) - group.costs.begin());
    return group.left.CountBelow(below);
}

LibraryEntry* CandidatePool::Draw(const RandomIndex& randomIndex, uint64_t room, bool& indexError) {
    indexError = false;
    while (groupsLeft_.Total() > 0) {
        size_t g = groupsLeft_.Find(0);
        if (balanced_) {
            const int folders = groupsLeft_.Total();
            const int index = randomIndex(folders);
            if (index < 0 || index >= folders) {
                indexError = true;
                return nullptr;
            }
            g = groupsLeft_.Find(index);
        }
        Group& group = groups_[g];
        const int count = Fitting(group, room);
        if (count == 0) {
            groupsLeft_.Add(g, -1);  // nothing here fits now, nor will later
            passedOver_ = true;
            continue;
        }
        const int index = randomIndex(count);
        if (index < 0 || index >= count) {
            indexError = true;
            return nullptr;
        }
        const size_t position = group.left.Find(index);
        group.left.Add(position, -1);
        --left_;
        if (group.left.Total() == 0) {
            groupsLeft_.Add(g, -1);
        }
        return group.songs[position];
    }
    return nullptr;
}
