// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MusicLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CollectionTestSupport.h"
#include "collection/MusicFileScan.h"

using Names = std::vector<std::string>;
using MusicLibraryTest = CollectionTest;

namespace {

// M holds music of two types among other entries, a subfolder with music among them.
class MusicScanTest : public MusicLibraryTest {
  protected:
    const std::string dir = MakeDir("M", {"b.MP3", "a.mp3", "c.wav", "d..mp3", "sub/", "sub/s.mp3",
                                          "x.mp3/", "mp3", ".mp3", "e.mp3.bak"});
};

}  // namespace

// Within one extension the order is byte-wise; a file is no directory.
TEST_F(MusicScanTest, ScanFindsMatchingFilesDirectlyInTheDirectory) {
    EXPECT_FALSE(library_.AddDirectory(dir + "/a.mp3", 0));
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    EXPECT_EQ(Describe(), "M: .mp3=0 a.mp3=0 b.MP3=0 d..mp3=0");
}

// A file matching two entries is found twice; an extension stored with its dot needs two dots
// in the name.
TEST_F(MusicScanTest, MusicFilesAreListedExtensionByExtensionInListOrder) {
    Names names;
    ASSERT_EQ(ListMusicFiles(dir, {"WAV", "mp3", ".mp3", "MP3"}, names), ListOutcome::kListed);
    EXPECT_EQ(names, (Names{"c.wav", ".mp3", "a.mp3", "b.MP3", "d..mp3", "d..mp3", ".mp3", "a.mp3",
                            "b.MP3", "d..mp3"}));
    names.clear();
    ASSERT_EQ(ListMusicFiles(dir, {}, names), ListOutcome::kListed);
    EXPECT_TRUE(names.empty());
}

TEST_F(MusicLibraryTest, RemoveTakesTheFirstExactMatchAndOnlyItsFiles) {
    const std::string dir = MakeDir("M", {"m.mp3"});
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    const std::string music = MakeDir("Music", {"a.mp3", "b.mp3"});
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    ASSERT_TRUE(library_.AddDirectory(music, 1));  // a folder may be listed again
    library_.GetFiles()[3]->SetFlag(1);            // a.mp3 of the second Music
    library_.RemoveDirectory(temp_ / "music");     // case matters
    library_.RemoveDirectory(temp_ / "Music/");    // so does a trailing separator
    EXPECT_EQ(library_.GetDirectoryCount(), 3u);

    library_.RemoveDirectory(music);
    EXPECT_EQ(Describe(), "M: m.mp3=0 | Music[xdir]: a.mp3=1 b.mp3=0");
}

TEST_F(MusicLibraryTest, TheDirectoryWalkEndsInAnEmptyNameNeverOutOfBounds) {
    const std::string dir = MakeDir("M"), music = MakeDir("Music");
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    library_.BeginDirectories();
    EXPECT_EQ(library_.GetNextDirectory(), dir);
    EXPECT_EQ(library_.GetNextDirectory(), music);
    EXPECT_EQ(library_.GetNextDirectory(), "");
}
