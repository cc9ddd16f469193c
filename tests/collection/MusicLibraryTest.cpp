#include "collection/MusicLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CollectionTestSupport.h"
#include "collection/MusicFileScan.h"

namespace {

using Names = std::vector<std::string>;

Names NamesOf(const std::vector<LibraryEntry*>& entries) {
    Names names;
    for (const LibraryEntry* e : entries) {
        names.push_back(e->GetName());
    }
    return names;
}

using MusicLibraryTest = CollectionTest;

}  // namespace

// The Windows paths (C:\Music, D:\) have a test of their own.
TEST(LibraryEntryTest, FullPathNeverDoublesTheSeparator) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows paths: WindowsPathTest";
#endif
    LibraryDirectory music("/m", 0), slashed("/m/", 0), root("/", 0);
    EXPECT_EQ(LibraryEntry(&music, "a.mp3", 0).GetFullPath(), "/m/a.mp3");
    EXPECT_EQ(LibraryEntry(&slashed, "a.mp3", 0).GetFullPath(), "/m/a.mp3");
    EXPECT_EQ(LibraryEntry(&root, "a.mp3", 0).GetFullPath(), "/a.mp3");
}

TEST_F(MusicLibraryTest, ScanFindsMatchingFilesDirectlyInTheDirectory) {
    const std::string dir = MakeDir("M", {"b.MP3", "a.mp3", "c.wav", "d..mp3", "sub/", "sub/s.mp3",
                                          "x.mp3/", "mp3", ".mp3", "e.mp3.bak"});
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    // Within one extension the order is byte-wise.
    EXPECT_EQ(Describe(), "M: .mp3=0 a.mp3=0 b.MP3=0 d..mp3=0");

    // Extension by extension in list order; a file matching two entries is found twice; an
    // extension stored with its dot needs two dots in the name.
    Names names;
    ASSERT_TRUE(ListMusicFiles(dir, {"WAV", "mp3", ".mp3", "MP3"}, names));
    EXPECT_EQ(names, (Names{"c.wav", ".mp3", "a.mp3", "b.MP3", "d..mp3", "d..mp3", ".mp3", "a.mp3",
                            "b.MP3", "d..mp3"}));
    names.clear();
    ASSERT_TRUE(ListMusicFiles(dir, {}, names));
    EXPECT_TRUE(names.empty());
}

TEST_F(MusicLibraryTest, AddDirectoryRefusesWhatCannotBeListedAndAllowsRepeats) {
    EXPECT_FALSE(library_.AddDirectory(temp_ / "absent", 0));
    EXPECT_FALSE(library_.AddDirectory(MakeDir("F", {"f.mp3"}) + "/f.mp3", 0));
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);

    const std::string dir = MakeDir("M", {"a.mp3"});
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    ASSERT_TRUE(library_.AddDirectory(MakeDir("E", {"a.wav"}), 0));
    ASSERT_TRUE(library_.AddDirectory(dir, 1));
    EXPECT_EQ(Describe(), "M: a.mp3=0 | E: | M[xdir]: a.mp3=0");
}

TEST_F(MusicLibraryTest, RemoveDirectoryTakesTheFirstExactMatchAndOnlyItsFiles) {
    const std::string music = MakeDir("Music", {"a.mp3", "b.mp3"});
    const std::string other = MakeDir("Other", {"c.mp3"});
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    ASSERT_TRUE(library_.AddDirectory(other, 0));
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    library_.GetFiles()[3]->SetFlag(1);  // a.mp3 of the second Music

    library_.RemoveDirectory(temp_ / "music");   // case matters
    library_.RemoveDirectory(temp_ / "Music/");  // so does a trailing separator
    EXPECT_EQ(library_.GetDirectoryCount(), 3u);

    library_.RemoveDirectory(music);
    EXPECT_EQ(Describe(), "Other: c.mp3=0 | Music: a.mp3=1 b.mp3=0");
    library_.BeginDirectories();
    EXPECT_EQ(library_.GetNextDirectory(), other);
    EXPECT_EQ(library_.GetNextDirectory(), music);
    EXPECT_EQ(library_.GetNextDirectory(), "");  // past the end: empty, never out of bounds
}

TEST_F(MusicLibraryTest, FlagsDecideWhichFilesAreUntransferred) {
    EXPECT_TRUE(library_.GetUntransferredFiles().empty());
    ASSERT_TRUE(library_.AddDirectory(MakeDir("A", {"1.mp3", "2.mp3"}), 0));
    ASSERT_TRUE(library_.AddDirectory(MakeDir("B", {"3.mp3"}), 0));
    library_.SetAllFileFlags(1);
    EXPECT_TRUE(library_.GetUntransferredFiles().empty());

    library_.SetAllFileFlags(0);
    const std::vector<LibraryEntry*> all = library_.GetUntransferredFiles();
    EXPECT_EQ(NamesOf(all), (Names{"1.mp3", "2.mp3", "3.mp3"}));
    library_.SetFileFlags(1, {all[0], all[2]});
    EXPECT_EQ(NamesOf(library_.GetUntransferredFiles()), (Names{"2.mp3"}));
}
