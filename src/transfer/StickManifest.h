// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Result.h"
#include "transfer/StickFolder.h"

// The stick's record of which song became which file: ".tunecrate" in its root, one line
// "<file>\t<song>" per song, the file relative to the root with "/", the song the full path of
// the music file (a tab, a line break or a backslash in it written \t, \n, \\). Read at the
// start of a run keeping only the songs whose file is still on the stick (songs the user deleted
// drop out; of two lines for one song the later counts), and written like the playlist. While a
// run copies, each batch's lines are appended before its songs get their names, so a run cut
// short leaves a record of every song it named.
class StickManifest {
  public:
    static constexpr const char* kName = ".tunecrate";
    static constexpr uint64_t kMaxBytes = uint64_t{64} << 20;

    // Reads the record on the stick; `asIfEmpty`: as the stick will be after a wipe.
    void Read(const StickFolder& root, bool asIfEmpty);
    // The size of the record as read.
    uint64_t ReadBytes() const { return readBytes_; }
    // The size of the record on the stick now, with the lines appended since.
    uint64_t WrittenBytes() const { return written_.size(); }
    // True when the song at `source` is on the stick.
    bool Holds(const std::string& source) const { return songs_.count(source) > 0; }
    // The song `source` is on the stick as `file` now (in place of an earlier file).
    void Add(const std::string& source, const std::string& file);
    // Appends the lines of songs (source, file) about to get their names to the record on the
    // stick (StickFolder::AppendContents); the record in memory is unchanged.
    platform::Status Append(const StickFolder& root,
                            const std::vector<std::pair<std::string, std::string>>& songs);
    // The songs' files on the stick, in the order they were recorded.
    std::vector<std::string> Files() const;
    // The record's line for a song.
    static std::string Line(const std::string& source, const std::string& file);
    std::string Text() const;
    // Writes the record, unless it is the same as on the stick already.
    platform::Status Write(const StickFolder& root);

  private:
    std::vector<std::pair<std::string, std::string>> files_;  // file, song
    std::unordered_map<std::string, size_t> songs_;           // song -> its place in files_
    std::string written_;                                     // the text on the stick
    uint64_t readBytes_ = 0;
};
