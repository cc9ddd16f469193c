// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "CollectionTestSupport.h"
#include "collection/MusicLibrary.h"
#include "platform/files/Utf8Path.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;

namespace {

using Outcome = MusicLibrary::LoadOutcome;

// Collection file texts use "@" for the temporary folder.
class CollectionFileTest : public CollectionTest {
  protected:
    std::string Expand(std::string text, const std::string& from, const std::string& to) const {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
            text.replace(at, from.size(), to);
            at += to.size();
        }
        return text;
    }
    Outcome LoadSection(const std::string& body) {
        WriteFileBytes(temp_ / "coll.ini", Expand("[MusicFiles]\r\n" + body, "@", temp_.Path()));
        return library_.Load(temp_ / "coll.ini").outcome;
    }
    std::string SavedText(MusicLibrary& library) {
        EXPECT_TRUE(library.Save().Ok());
        // The folder's own separator on Windows is "\\"; the expectations are written with "/".
        return Expand(Expand(ReadFileBytes(library.GetFilePath()), temp_.Path(), "@"), "@\\", "@/");
    }
    std::string SavedText() { return SavedText(library_); }

    // A folder that cannot be listed keeps its stored lines and takes no part in transfers until
    // it is back: `makeUnavailable` takes `music` away, `bringBack` returns it (new.mp3 added).
    void ExpectUnavailableFolderKeepsItsLines(const std::string& music,
                                              const std::function<void()>& makeUnavailable,
                                              const std::function<void()>& bringBack) {
        const auto fill = [&](std::initializer_list<const char*> names) {
            for (const char* name : names) {
                WriteFileBytes(music + "/" + name, "x");
            }
        };
        fill({"a.mp3", "b.mp3"});
        ASSERT_TRUE(library_.AddDirectory(music, 0));
        ASSERT_TRUE(library_.AddDirectory(MakeDir("Rest", {"r.mp3"}), 0));
        library_.GetFiles()[0]->SetFlag(1);
        file_.SetPath(temp_ / "coll.ini");
        ASSERT_TRUE(library_.Save().Ok());
        const std::string stored = ReadFileBytes(file_.GetPath());

        makeUnavailable();
        EXPECT_EQ(library_.Load().outcome, Outcome::kLoaded);
        ASSERT_EQ(library_.GetDirectoryCount(), 2u);
        EXPECT_FALSE(library_.GetDirectories()[0]->IsAvailable());
        EXPECT_EQ(library_.Count().unavailableFiles, 2u);
        // Only the other folder's file is drawn; putting all back into play and saving leaves
        // the stored lines of the unavailable folder as they were.
        library_.SetAllFileFlags(1);
        library_.SetAllFileFlags(0);
        ASSERT_EQ(library_.GetUntransferredFiles().size(), 1u);
        EXPECT_EQ(library_.GetUntransferredFiles()[0]->GetName(), "r.mp3");
        ASSERT_TRUE(library_.Save().Ok());
        EXPECT_EQ(ReadFileBytes(file_.GetPath()), stored);

        bringBack();
        fill({"a.mp3", "b.mp3", "new.mp3"});
        EXPECT_EQ(library_.Load().outcome, Outcome::kLoaded);
        EXPECT_TRUE(library_.GetDirectories()[0]->IsAvailable());
        EXPECT_EQ(SavedText().substr(SavedText().find("f1=")),
                  "f1=a.mp3\r\nf0=b.mp3\r\nf0=new.mp3\r\ndir=@/Rest\r\nf0=r.mp3\r\n");
    }
};

}  // namespace

TEST_F(CollectionFileTest, TheCollectionSavesToTheDocumentedBytesAndLoadsBack) {
    ASSERT_TRUE(library_.AddDirectory(MakeDir("Music", {"x.mp3", "y.mp3"}), 0));
    ASSERT_TRUE(library_.AddDirectory(MakeDir("Other", {"z.mp3"}), 1));
    const std::string odd =
        MakeDir("Mü sic=1", {"  spaced .mp3", "ä=ö.mp3", ".hidden.mp3", "two\nlines.mp3"});
    ASSERT_TRUE(library_.AddDirectory(odd + "/", 0));
    for (const size_t i : {0, 3, 4, 5}) {
        library_.GetFiles().at(i)->SetFlag(1);
    }
    EXPECT_EQ(library_.GetFiles()[3]->GetFullPath(), odd + "/  spaced .mp3");
    file_.SetPath(temp_ / "coll.ini");
    // A name with a line break could not be stored as one line, so it is not taken.
    const std::string expected =
        "[MusicFiles]\r\ndir=@/Music\r\nf1=x.mp3\r\nf0=y.mp3\r\nxdir=@/Other\r\nf0=z.mp3\r\n"
        "dir=@/Mü sic=1/\r\nf1=  spaced .mp3\r\nf1=.hidden.mp3\r\nf1=ä=ö.mp3\r\n";
    EXPECT_EQ(SavedText(), expected);

    IniFile otherFile;
    MusicLibrary reloaded(&otherFile, &settings_);
    EXPECT_EQ(reloaded.Load(temp_ / "coll.ini").outcome, Outcome::kLoaded);
    EXPECT_EQ(SavedText(reloaded), expected);
}

TEST_F(CollectionFileTest, LoadingRescansKeepsStoredFlagsAndAddsNewFilesAfterTheNamedOnes) {
    MakeDir("A", {"a.mp3", "b.mp3", "c.mp3", "new.mp3"});
    MakeDir("B", {"z.mp3", "y.mp3"});
    MakeDir("C", {"cover.jpg"});          // holds no music: available, its file lines dropped
    EXPECT_EQ(LoadSection("f1=a.mp3\r\n"  // before any directory: dropped
                          "dir=@/A\r\nf1=c.mp3\r\n"
                          "f0=gone.mp3\r\n"           // vanished
                          "f1=a.mp3\r\nf0=a.mp3\r\n"  // named twice: the second is dropped
                          "f1=y.mp3\r\n"              // lies in another directory
                          "Dir=@/B\r\ndir =@/B\r\ndir2=@/B\r\nx=1\r\n"  // unknown keys
                          "f0=b.mp3\r\n"
                          "dir=@/B\r\nf1=z.mp3\r\ndir=@/C\r\nf1=old.mp3\r\n"),
              Outcome::kLoaded);
    EXPECT_EQ(library_.Count().unavailableDirectories, 0u);
    const std::string saved =
        "[MusicFiles]\r\ndir=@/A\r\nf1=c.mp3\r\nf1=a.mp3\r\nf0=b.mp3\r\nf0=new.mp3\r\n"
        "dir=@/B\r\nf1=z.mp3\r\nf0=y.mp3\r\ndir=@/C\r\n";
    EXPECT_EQ(SavedText(), saved);
}

// Even for a repeated path; a name that two extensions match is pending twice, so two lines
// may claim it.
TEST_F(CollectionFileTest, EachDirectoryLineClaimsNamesFromItsOwnScan) {
    MakeDir("B", {"z.mp3", "y.mp3"});
    settings_.AddExtension("MP3");
    EXPECT_EQ(LoadSection("dir=@/B\r\nf1=y.mp3\r\nf1=y.mp3\r\nf1=y.mp3\r\ndir=@/B\r\n"),
              Outcome::kLoaded);
    EXPECT_EQ(Describe(),
              "B: y.mp3=1 y.mp3=1 z.mp3=0 z.mp3=0 | B: y.mp3=0 z.mp3=0 y.mp3=0 z.mp3=0");
}

// An empty library, with nothing of the file loaded before.
TEST_F(CollectionFileTest, AFileWithoutACollectionLoadsAsAnEmptyOne) {
    MakeDir("A", {"a.mp3"});
    ASSERT_EQ(LoadSection("dir=@/A\r\n"), Outcome::kLoaded);
    ASSERT_EQ(library_.GetDirectoryCount(), 1u);
    EXPECT_EQ(library_.Load(temp_ / "missing.ini").outcome, Outcome::kFileMissing);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
    WriteFileBytes(temp_ / "empty.ini", "");
    EXPECT_EQ(library_.Load(temp_ / "empty.ini").outcome, Outcome::kLoaded);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
}

// In the engine's section order; a section named in other letters is not the collection.
TEST_F(CollectionFileTest, OtherSectionsAreWrittenBack) {
    MakeDir("A");
    WriteFileBytes(temp_ / "other.ini", "[Keep]\r\nk=v\r\n[musicfiles]\r\ndir=@/A\r\n");
    EXPECT_EQ(library_.Load(temp_ / "other.ini").outcome, Outcome::kLoaded);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
    EXPECT_EQ(SavedText(), "[Keep]\r\nk=v\r\n[MusicFiles]\r\n[musicfiles]\r\ndir=@/A\r\n");
}

TEST_F(CollectionFileTest, WhatHoldsNoCollectionOrCannotBeReadIsRefused) {
    WriteFileBytes(temp_ / "notes.txt", "just some notes\nabout=music\n");
    EXPECT_EQ(library_.Load(temp_ / "notes.txt").outcome, Outcome::kNotACollectionFile);
    const MusicLibrary::LoadResult unreadable = library_.Load(temp_.Path());
    EXPECT_EQ(unreadable.outcome, Outcome::kFileUnreadable);
    EXPECT_FALSE(unreadable.message.IsEmpty());
}

TEST_F(CollectionFileTest, AFolderThatIsGoneKeepsItsLinesUntilItIsBack) {
    const std::string music = MakeDir("Music");
    const fs::path at = platform::PathFromUtf8(music), moved = platform::PathFromUtf8(temp_ / "M");
    ExpectUnavailableFolderKeepsItsLines(
        music, [&] { fs::rename(at, moved); }, [&] { fs::rename(moved, at); });
}

TEST_F(CollectionFileTest, AVolumeUnmountedBetweenTwoLoadsKeepsItsLines) {
    TmpfsMount volume(1 << 20);
    SKIP_UNLESS_MOUNTED(volume);
    // What stays after unmounting is the empty mount point, where the files come back.
    ExpectUnavailableFolderKeepsItsLines(
        volume.Path(), [&] { volume.Unmount(); }, [] {});
}
