// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickNames.h"

#include <algorithm>

#include "platform/CaseFold.h"
#include "transfer/FileOperations.h"

namespace {

// Names tried for one song: its own, then " (2)" up to this.
constexpr unsigned kMaxCopyNumber = 9999;

// The number a name starts with, when digits and a blank begin it; 0 otherwise.
unsigned LeadingNumber(const std::string& name) {
    const size_t digits = name.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos || digits > 9 || name[digits] != ' ') {
        return 0;
    }
    return static_cast<unsigned>(std::stoul(name.substr(0, digits)));
}

}  // namespace

void StickNames::Start(const StickFolder& root, bool stickRules, bool asIfEmpty) {
    root_ = root;
    stickRules_ = stickRules;
    asIfEmpty_ = asIfEmpty;
    folders_.clear();
}

std::string StickNames::Key(const std::string& name) const {
    return stickRules_ ? platform::CaseFold::Fold(name) : name;
}

StickNames::Folder& StickNames::Named(const std::string& folder) {
    const auto found = folders_.find(folder);
    if (found != folders_.end()) {
        return found->second;
    }
    Folder& named = folders_[folder];
    StickFolder opened = root_;
    const bool listed =
        !asIfEmpty_ && (folder.empty() || (root_.KindOf(folder) == StickFolder::Kind::kFolder &&
                                           root_.OpenChild(folder, false, opened).Ok()));
    if (listed) {
        for (const std::string& name : opened.List()) {
            named.names.insert(Key(name));
            named.highest = std::max(named.highest, LeadingNumber(name));
        }
    }
    return named;
}

std::string StickNames::Unique(const std::string& folder, const std::string& name) {
    Folder& named = Named(folder);
    const std::string first = FileOperations::SafeName(name, 1, stickRules_);
    unsigned& tried = named.tried[Key(first)];
    for (unsigned copy = std::max(tried, 1u); copy <= kMaxCopyNumber; ++copy) {
        const std::string candidate = FileOperations::SafeName(name, copy, stickRules_);
        if (!FileOperations::IsPlainFileName(candidate)) {
            return std::string();
        }
        if (named.names.count(Key(candidate)) == 0) {
            tried = copy;
            return candidate;
        }
    }
    return std::string();
}

void StickNames::Take(const std::string& folder, const std::string& name) {
    Folder& named = Named(folder);
    named.names.insert(Key(name));
    named.highest = std::max(named.highest, LeadingNumber(name));
}

unsigned StickNames::HighestNumber(const std::string& folder) {
    return Named(folder).highest;
}
