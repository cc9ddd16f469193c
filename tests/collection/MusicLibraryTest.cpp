// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MusicLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CollectionTestSupport.h"
#include "collection/MusicFileScan.h"

using Names = std::vector<std::string>;
using MusicLibraryTest = CollectionTest;

TEST_F(MusicLibraryTest, ScanFindsMatchingFilesDirectlyInTheDirectoryAndRemoveTheFirstMatch) {
    const std::string dir = MakeDir("M", {"b.MP3", "a.mp3", "c.wav", "d..mp3", "sub/", "sub/s.mp3",
                                          "x.mp3/", "mp3", ".mp3", "e.mp3.bak"});
    EXPECT_FALSE(library_.AddDirectory(dir + "/a.mp3", 0));  // a file is no directory
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    // Within one extension the order is byte-wise.
    EXPECT_EQ(Describe(), "M: .mp3=0 a.mp3=0 b.MP3=0 d..mp3=0");

    // Extension by extension in list order; a file matching two entries is found twice; an
    // extension stored with its dot needs two dots in the name.
    Names names;
    ASSERT_EQ(ListMusicFiles(dir, {"WAV", "mp3", ".mp3", "MP3"}, names), ListOutcome::kListed);
    EXPECT_EQ(names, (Names{"c.wav", ".mp3", "a.mp3", "b.MP3", "d..mp3", "d..mp3", ".mp3", "a.mp3",
                            "b.MP3", "d..mp3"}));
    names.clear();
    ASSERT_EQ(ListMusicFiles(dir, {}, names), ListOutcome::kListed);
    EXPECT_TRUE(names.empty());

    // Removing takes the first exact match and only its files.
    const std::string music = MakeDir("Music", {"a.mp3", "b.mp3"});
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    ASSERT_TRUE(library_.AddDirectory(music, 1));  // a folder may be listed again
    library_.GetFiles()[6]->SetFlag(1);            // a.mp3 of the second Music
    library_.RemoveDirectory(temp_ / "music");     // case matters
    library_.RemoveDirectory(temp_ / "Music/");    // so does a trailing separator
    EXPECT_EQ(library_.GetDirectoryCount(), 3u);

    library_.RemoveDirectory(music);
    EXPECT_EQ(Describe(), "M: .mp3=0 a.mp3=0 b.MP3=0 d..mp3=0 | Music[xdir]: a.mp3=1 b.mp3=0");
    library_.BeginDirectories();
    EXPECT_EQ(library_.GetNextDirectory(), dir);
    EXPECT_EQ(library_.GetNextDirectory(), music);
    EXPECT_EQ(library_.GetNextDirectory(), "");  // past the end: empty, never out of bounds
}
