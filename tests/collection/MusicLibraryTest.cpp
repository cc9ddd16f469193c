#include "collection/MusicLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CollectionTestSupport.h"
#include "collection/MusicFileScan.h"

namespace {

std::vector<std::string> Names(const std::vector<LibraryEntry*>& entries) {
    std::vector<std::string> names;
    for (const LibraryEntry* e : entries) {
        names.push_back(e->GetName());
    }
    return names;
}

std::vector<std::string> Walk(MusicLibrary& library) {
    std::vector<std::string> paths;
    library.BeginDirectories();
    for (size_t i = 0; i < library.GetDirectoryCount(); ++i) {
        paths.push_back(library.GetNextDirectory());
    }
    return paths;
}

using MusicLibraryTest = CollectionTest;

}  // namespace

TEST(LibraryEntryTest, FullPathNeverDoublesTheSeparator) {
    LibraryDirectory music("/home/anna/Music", 0);
    LibraryDirectory slashed("/home/anna/Music/", 0);
    LibraryDirectory root("/", 1);
    const LibraryEntry a(&music, "a.mp3", 0);
    EXPECT_EQ(a.GetFullPath(), "/home/anna/Music/a.mp3");
    EXPECT_EQ(a.GetDirectory(), "/home/anna/Music");
    EXPECT_EQ(a.GetOwner(), &music);
    EXPECT_EQ(LibraryEntry(&slashed, "a.mp3", 0).GetFullPath(), "/home/anna/Music/a.mp3");
    EXPECT_EQ(LibraryEntry(&root, "a.mp3", 0).GetFullPath(), "/a.mp3");
}

TEST_F(MusicLibraryTest, ScanFindsOnlyMatchingFilesDirectlyInTheDirectory) {
    const std::string dir = MakeDir("M", {"b.MP3", "a.mp3", "c.wav", "sub/", "sub/d.mp3", "x.mp3/",
                                          "mp3", ".mp3", "e.mp3.bak", "f.Mp3"});
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    // Byte-wise order within the extension: ".", upper case, lower case.
    EXPECT_EQ(Describe(), "M: .mp3=0 a.mp3=0 b.MP3=0 f.Mp3=0");
}

TEST_F(MusicLibraryTest, ScanFollowsTheExtensionListAsStored) {
    const std::string dir = MakeDir("M", {"a.mp3", "b.wav", "c.MP3", "d..mp3"});
    std::vector<std::string> names;

    ASSERT_TRUE(ListMusicFiles(dir, {"wav", "mp3"}, names));
    EXPECT_EQ(names, (std::vector<std::string>{"b.wav", "a.mp3", "c.MP3", "d..mp3"}));

    // The same extension twice finds every file twice, in extension order.
    names.clear();
    ASSERT_TRUE(ListMusicFiles(dir, {"mp3", "MP3"}, names));
    EXPECT_EQ(names,
              (std::vector<std::string>{"a.mp3", "c.MP3", "d..mp3", "a.mp3", "c.MP3", "d..mp3"}));

    // An extension stored with its dot only finds names ending in two dots.
    names.clear();
    ASSERT_TRUE(ListMusicFiles(dir, {".mp3"}, names));
    EXPECT_EQ(names, (std::vector<std::string>{"d..mp3"}));

    names.clear();
    ASSERT_TRUE(ListMusicFiles(dir, {}, names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(ListMusicFiles(temp_ / "absent", {"mp3"}, names));
}

TEST_F(MusicLibraryTest, AddDirectoryRefusesWhatCannotBeListedAndAllowsRepeats) {
    EXPECT_FALSE(library_.AddDirectory(temp_ / "absent", 0));
    WriteFileBytes(temp_ / "plain.mp3", "");
    EXPECT_FALSE(library_.AddDirectory(temp_ / "plain.mp3", 0));
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);

    const std::string dir = MakeDir("M", {"a.mp3"});
    const std::string empty = MakeDir("E", {"a.wav"});
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    ASSERT_TRUE(library_.AddDirectory(empty, 0));
    ASSERT_TRUE(library_.AddDirectory(dir, 1));
    EXPECT_EQ(Describe(), "M: a.mp3=0 | E: | M[xdir]: a.mp3=0");

    settings_.RemoveAllExtensions();
    ASSERT_TRUE(library_.AddDirectory(dir, 0));
    EXPECT_EQ(library_.GetFiles().size(), 2u);
}

TEST_F(MusicLibraryTest, RemoveDirectoryTakesTheFirstExactMatchAndOnlyItsFiles) {
    const std::string music = MakeDir("Music", {"a.mp3", "b.mp3"});
    const std::string other = MakeDir("Other", {"c.mp3"});
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    ASSERT_TRUE(library_.AddDirectory(other, 0));
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    library_.GetFiles()[3]->SetFlag(1);  // the second Music's a.mp3

    library_.RemoveDirectory(temp_ / "music");   // case matters
    library_.RemoveDirectory(temp_ / "Music/");  // so does a trailing separator
    EXPECT_EQ(library_.GetDirectoryCount(), 3u);

    library_.RemoveDirectory(music);
    EXPECT_EQ(Describe(), "Other: c.mp3=0 | Music: a.mp3=1 b.mp3=0");
    EXPECT_EQ(Names(library_.GetUntransferredFiles()),
              (std::vector<std::string>{"c.mp3", "b.mp3"}));
    EXPECT_EQ(Walk(library_), (std::vector<std::string>{other, music}));

    library_.RemoveDirectory(music);
    library_.RemoveDirectory(music);  // nothing left to match: no effect
    EXPECT_EQ(Describe(), "Other: c.mp3=0");
}

TEST_F(MusicLibraryTest, FlagsDecideWhichFilesAreUntransferred) {
    EXPECT_TRUE(library_.GetUntransferredFiles().empty());

    ASSERT_TRUE(library_.AddDirectory(MakeDir("A", {"1.mp3", "2.mp3"}), 0));
    ASSERT_TRUE(library_.AddDirectory(MakeDir("B", {"3.mp3"}), 0));
    library_.SetAllFileFlags(1);
    EXPECT_TRUE(library_.GetUntransferredFiles().empty());

    library_.SetAllFileFlags(0);
    const std::vector<LibraryEntry*> all = library_.GetUntransferredFiles();
    EXPECT_EQ(Names(all), (std::vector<std::string>{"1.mp3", "2.mp3", "3.mp3"}));

    library_.SetFileFlags(1, {});
    EXPECT_EQ(library_.GetUntransferredFiles().size(), 3u);
    library_.SetFileFlags(1, {all[0], all[2]});
    EXPECT_EQ(Names(library_.GetUntransferredFiles()), (std::vector<std::string>{"2.mp3"}));
}

TEST_F(MusicLibraryTest, DirectoryWalkAndClear) {
    ASSERT_TRUE(library_.AddDirectory(MakeDir("A", {"1.mp3"}), 0));
    ASSERT_TRUE(library_.AddDirectory(MakeDir("B"), 0));
    EXPECT_EQ(Walk(library_), (std::vector<std::string>{temp_ / "A", temp_ / "B"}));
    EXPECT_EQ(library_.GetNextDirectory(), "");  // past the end: empty, never out of bounds

    library_.Clear();
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
    EXPECT_TRUE(library_.GetFiles().empty());
    EXPECT_EQ(library_.GetNextDirectory(), "");
}
