// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "transfer/FileOperations.h"
#include "transfer/StickFolder.h"

class StickLayout;
class StickManifest;

// Puts a folder's songs on disc in play order. Many players play a folder in the order of its
// directory entries, and FAT and exFAT place a new entry into the first free run of slots that
// fits, deleted ones included, so creating entries in order is not enough in a folder with holes.
// A folder is rewritten instead: every file moves into a staging folder inside it, then into a
// second one made once the folder holds no file (so that it, and a third, empty one made after
// it, stand at the folder's start, with at most a gap too small for any entry before them), and
// from there back in play order; the staging folders go. Folders in it are not moved: the gaps
// before them are filled with empty files first, removed at the end. Only renames: a file is
// always in the folder or in one of the staging folders under its own name, and Recover puts back
// what an interrupted run left there.
class StickOrder {
  public:
    // How putting folders in order ended (the message: why a folder could not be), and what
    // was put in order.
    struct Arranged : platform::Status {
        unsigned folders = 0;  // folders put in order
        unsigned songs = 0;    // entries put in play order in them
    };

    explicit StickOrder(const FileOperations& files) : files_(files) {}

    // True for the names of the staging folders, the gap fillers and the copy folder.
    static bool IsStagingName(const std::string& name);
    // The most bytes of directory entries a file named `name` takes on FAT or exFAT: two entries
    // and one per 13 characters of the name (exFAT: per 15), 32 bytes each.
    static uint64_t EntryBytes(const std::string& name);
    // The bytes of directory entries the staging folders hold at once while a folder whose files'
    // entries take `entryBytes` is arranged: two of them hold every file, each with "." and "..".
    static uint64_t StagingEntryBytes(uint64_t entryBytes) { return entryBytes + 2 * 32; }
    // How many staging folders stand at once.
    static constexpr unsigned kStagingFolders = 2;
    // The order of the stick's songs as relative paths: the playlist's entries, then those of the
    // stick's record not in it.
    static std::vector<std::string> PlayOrderOn(const StickFolder& root);
    // The same from a layout and a record already read.
    static std::vector<std::string> PlayOrder(const StickLayout& layout,
                                              const StickManifest& manifest);

    // Moves what an interrupted run left in `folder`'s staging folders back into it; returns how
    // many entries could not be moved back.
    int Recover(const StickFolder& folder) const;
    // Recover for the root and each folder directly in it.
    int RecoverStick(const StickFolder& root) const;
    // Rewrites `folder` so that the names of `songs` found in it stand first in that order, the
    // other entries after them in name order. Done, it counts the folder and how many songs
    // stand in order now.
    Arranged Arrange(const StickFolder& folder, const std::vector<std::string>& songs) const;
    // Arrange for the folder `folder` of the stick ("" for the root) with the entries of `order`
    // (relative paths, as PlayOrderOn gives them) in it.
    Arranged ArrangeIn(const StickFolder& root, const std::string& folder,
                       const std::vector<std::string>& order) const;
    // Arranges the root and each folder directly in it that holds an entry of `order`; where
    // `order` is empty (no playlist, no record), each of them that holds a file, in name order.
    Arranged ArrangeStick(const StickFolder& root, const std::vector<std::string>& order) const;

  private:
    // Moves every entry of `names` from `from` into `to`, under the same name.
    platform::Status MoveAll(const StickFolder& from, const std::vector<std::string>& names,
                             const StickFolder& to) const;
    // Fills the gaps of `folder` with `count` empty files, and removes them.
    platform::Status FillGaps(const StickFolder& folder, size_t count) const;
    void RemoveGapFillers(const StickFolder& folder) const;
    // Makes the staging folder `name` in `folder`.
    platform::Status MakeStaging(const StickFolder& folder, const std::string& name,
                                 StickFolder& staging) const;

    const FileOperations& files_;
};
