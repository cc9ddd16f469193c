// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "transfer/StickFolder.h"

// The names in the stick's folders that a run writes to, compared as the stick compares them:
// FAT, exFAT and NTFS ignore letter case. A folder's names are read from the stick when the run
// first uses it (none for a stick that a dry run plans to wipe) and then kept up to date with the
// names the run gives, so that a dry run and the real run give the same names.
class StickNames {
  public:
    // `stickRules`: the stick is FAT, exFAT or NTFS (names made safe, letter case ignored as
    // Unicode folds it: a little wider than those file systems, which never does harm).
    void Start(const StickFolder& root, bool stickRules, bool asIfEmpty);

    // A name for the song `name` in `folder` ("" for the root) that no file there has: the name
    // as the stick can hold it (FileOperations::SafeName), else with " (2)", " (3)" ... before
    // its extension. Empty when the name cannot be had at all.
    std::string Unique(const std::string& folder, const std::string& name);
    // `name` is given in `folder` now.
    void Take(const std::string& folder, const std::string& name);
    // The highest number a name in `folder` starts with ("0012 Song.mp3": 12); 0 for none.
    unsigned HighestNumber(const std::string& folder);

  private:
    struct Folder {
        std::unordered_set<std::string> names;            // folded where case is ignored
        std::unordered_map<std::string, unsigned> tried;  // the last copy number per name
        unsigned highest = 0;
    };

    Folder& Named(const std::string& folder);
    std::string Key(const std::string& name) const;

    StickFolder root_;
    bool stickRules_ = false;
    bool asIfEmpty_ = false;
    std::unordered_map<std::string, Folder> folders_;
};
