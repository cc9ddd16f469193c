// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "transfer/StickFolder.h"

// Where the songs of a run go on the stick and the playlist that lists them. With a folder size
// N the songs go into numbered folders "01", "02", ... (wider past 99) of at most N songs each,
// filled in the order they are written; a run continues after the highest numbered folder it
// finds. With numbering each song's name starts with a number of a width fixed for the stick
// ("0001 ", ...), so that names sort in play order.
//
// The playlist "Tunecrate.m3u8" in the stick's root is the record of what this program put on
// the stick: the entries of the one found at the start that still name a file on the stick, then
// this run's songs in the order written, as paths relative to the root with "/", in UTF-8. A
// playlist that is no regular file of at most kMaxPlaylistBytes (a link, a pipe, a huge file) is
// not read, and replaced.
class StickLayout {
  public:
    static constexpr const char* kPlaylistName = "Tunecrate.m3u8";
    static constexpr uint64_t kMaxPlaylistBytes = uint64_t{8} << 20;

    // `perFolder` 0 puts every song in the root; numbers have at least `numberWidth` digits.
    StickLayout(unsigned perFolder = 0, bool numberFiles = false, size_t numberWidth = 3);

    // Looks at the stick: its numbered folders and its playlist. `asIfEmpty`: as the stick will
    // be after its contents are deleted. Anything with a numbered folder's name (a file, a link)
    // is passed over: new folders come after it.
    void Start(const StickFolder& root, bool asIfEmpty);
    // The size of the playlist found at the start.
    uint64_t PlaylistBytes() const { return playlistBytes_; }

    // The folder (relative to the root; empty for the root) of the song at `position` (from 0)
    // of this run, and whether that song is the first in a new folder.
    std::string FolderFor(unsigned position) const;
    bool StartsFolder(unsigned position) const {
        return perFolder_ > 0 && position % perFolder_ == 0;
    }
    // The name the song `name` gets as the `number`th in its folder: the name itself, or with
    // its number.
    std::string NameFor(unsigned number, const std::string& name) const;

    // A song put on the stick at `relative` (folder "/" name), in the order written.
    void Add(const std::string& relative) { added_.push_back(relative); }
    // The entries of the playlist found at the start, then this run's songs.
    std::vector<std::string> Entries() const;
    // The playlist's text: "#EXTM3U", then every entry whose file is on the stick now.
    std::string PlaylistText() const;
    // Replaces the playlist on the stick with PlaylistText(), atomically.
    platform::Status WritePlaylist() const;

    // "relative" made from a folder and a name.
    static std::string Relative(const std::string& folder, const std::string& name);
    // The line that names `relative` in a playlist: a player takes a line starting with "#"
    // for a comment, so such a name is written "./#...".
    static std::string PlaylistLine(const std::string& relative);
    // The entries of a playlist's text, as PlaylistLine wrote them: UTF-8 paths inside the
    // stick, without comments, blank lines, "." or ".." elements.
    static std::vector<std::string> ParsePlaylist(const std::string& text);

  private:
    bool OnStick(const std::string& relative) const;

    unsigned perFolder_;
    bool numberFiles_;
    size_t numberWidth_;
    StickFolder root_;
    uint64_t playlistBytes_ = 0;
    unsigned firstFolder_ = 1;
    std::vector<std::string> kept_;   // entries of the playlist found at the start
    std::vector<std::string> added_;  // this run's songs
};
