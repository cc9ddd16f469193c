#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CollectionTestSupport.h"
#include "collection/MusicLibrary.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;

namespace {

using Status = MusicLibrary::LoadStatus;

class CollectionFileTest : public CollectionTest {
  protected:
    // Writes `body` as the collection file's "MusicFiles" section, with "@" standing for the
    // temporary folder, and loads it.
    Status LoadSection(const std::string& body) {
        std::string text = "[MusicFiles]\r\n" + body;
        for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at)) {
            text.replace(at, 1, temp_.Path());
        }
        WriteFileBytes(temp_ / "coll.ini", text);
        return library_.Load(temp_ / "coll.ini");
    }

    std::string SavedText() { return SavedText(library_); }
    std::string SavedText(MusicLibrary& library) {
        EXPECT_TRUE(library.Save()) << library.GetSaveError();
        std::string text = ReadFileBytes(library.GetFilePath());
        for (size_t at = text.find(temp_.Path()); at != std::string::npos;
             at = text.find(temp_.Path(), at)) {
            text.replace(at, temp_.Path().size(), "@");
        }
        return text;
    }
};

}  // namespace

TEST_F(CollectionFileTest, TheExampleCollectionSavesToTheDocumentedBytesAndLoadsBack) {
    ASSERT_TRUE(library_.AddDirectory(MakeDir("Music", {"x.mp3", "y.mp3"}), 0));
    ASSERT_TRUE(library_.AddDirectory(MakeDir("Other", {"z.mp3"}), 1));
    library_.GetFiles()[0]->SetFlag(1);
    file_.SetPath(temp_ / "coll.ini");
    const std::string expected =
        "[MusicFiles]\r\ndir=@/Music\r\nf1=x.mp3\r\nf0=y.mp3\r\nxdir=@/Other\r\nf0=z.mp3\r\n";
    EXPECT_EQ(SavedText(), expected);

    IniFile otherFile;
    MusicLibrary reloaded(&otherFile, &settings_);
    EXPECT_EQ(reloaded.Load(temp_ / "coll.ini"), Status::Loaded);
    EXPECT_EQ(Describe(reloaded), "Music: x.mp3=1 y.mp3=0 | Other[xdir]: z.mp3=0");
    EXPECT_EQ(reloaded.GetFilePath(), temp_ / "coll.ini");
    EXPECT_EQ(SavedText(reloaded), expected);
}

TEST_F(CollectionFileTest, LoadingRescansKeepsStoredFlagsAndAddsNewFilesAfterTheNamedOnes) {
    MakeDir("A", {"a.mp3", "b.mp3", "c.mp3", "new.mp3"});
    MakeDir("B", {"z.mp3", "y.mp3"});
    EXPECT_EQ(LoadSection("f1=a.mp3\r\n"  // before any directory: dropped
                          "dir=@/A\r\n"
                          "f1=c.mp3\r\n"     // named files come in line order
                          "f0=gone.mp3\r\n"  // vanished: dropped
                          "f1=a.mp3\r\n"
                          "f0=a.mp3\r\n"  // named twice: the second line is dropped
                          "f1=y.mp3\r\n"  // not in this directory: dropped
                          "Dir=@/B\r\ndir =@/B\r\ndir2=@/B\r\nx=1\r\n"  // unknown keys
                          "f0=b.mp3\r\n"
                          "dir=@/B\r\n"
                          "f1=z.mp3\r\n"),
              Status::Loaded);
    EXPECT_EQ(Describe(), "A: c.mp3=1 a.mp3=1 b.mp3=0 new.mp3=0 | B: z.mp3=1 y.mp3=0");
    EXPECT_EQ(SavedText(),
              "[MusicFiles]\r\ndir=@/A\r\nf1=c.mp3\r\nf1=a.mp3\r\nf0=b.mp3\r\nf0=new.mp3\r\n"
              "dir=@/B\r\nf1=z.mp3\r\nf0=y.mp3\r\n");
}

TEST_F(CollectionFileTest, EachDirectoryLineIsMatchedAgainstItsOwnScan) {
    MakeDir("A", {"a.mp3", "b.mp3"});
    // Two lines with the same path: each claims names from its own scan of the directory.
    EXPECT_EQ(LoadSection("dir=@/A\r\nf1=b.mp3\r\ndir=@/A\r\nf1=a.mp3\r\nf1=b.mp3\r\n"),
              Status::Loaded);
    EXPECT_EQ(Describe(), "A: b.mp3=1 a.mp3=0 | A: a.mp3=1 b.mp3=1");
    const auto& files = library_.GetFiles();
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[2]->GetOwner(), library_.GetDirectories()[1].get());

    // A name that two extensions both match is pending twice; two lines may claim it.
    settings_.AddExtension("MP3");
    EXPECT_EQ(LoadSection("dir=@/A\r\nf1=a.mp3\r\nf1=a.mp3\r\nf1=a.mp3\r\n"), Status::Loaded);
    EXPECT_EQ(Describe(), "A: a.mp3=1 a.mp3=1 b.mp3=0 b.mp3=0");
}

TEST_F(CollectionFileTest, ADirectoryThatIsGoneKeepsItsLineButLosesItsFiles) {
    const std::string music = MakeDir("Music", {"a.mp3", "b.mp3"});
    MakeDir("Rest", {"r.mp3"});
    ASSERT_TRUE(library_.AddDirectory(music, 0));
    ASSERT_TRUE(library_.AddDirectory(temp_ / "Rest", 0));
    library_.SetAllFileFlags(1);
    file_.SetPath(temp_ / "coll.ini");

    // Vanished between adding and saving: the library in memory is saved as it is.
    fs::remove_all(music);
    const std::string full =
        "[MusicFiles]\r\ndir=@/Music\r\nf1=a.mp3\r\nf1=b.mp3\r\n"
        "dir=@/Rest\r\nf1=r.mp3\r\n";
    EXPECT_EQ(SavedText(), full);

    EXPECT_EQ(library_.Load(), Status::Loaded);
    EXPECT_EQ(Describe(), "Music: | Rest: r.mp3=1");
    EXPECT_EQ(SavedText(), "[MusicFiles]\r\ndir=@/Music\r\ndir=@/Rest\r\nf1=r.mp3\r\n");

    // A path naming a file, and an empty path, cannot be listed either.
    EXPECT_EQ(LoadSection("dir=@/coll.ini\r\nf0=x.mp3\r\ndir=\r\ndir=@/Rest\r\n"), Status::Loaded);
    EXPECT_EQ(Describe(), "coll.ini: | : | Rest: r.mp3=0");
}

TEST_F(CollectionFileTest, PathsAndNamesAreStoredExactly) {
    const std::string odd =
        MakeDir("Mü sic=1", {"  spaced out .mp3", "ä=ö.mp3", ".hidden.mp3", "Ω song.mp3"});
    ASSERT_TRUE(library_.AddDirectory(odd + "/", 0));
    library_.SetAllFileFlags(1);
    EXPECT_EQ(library_.GetFiles()[0]->GetFullPath(), odd + "/  spaced out .mp3");
    file_.SetPath(temp_ / "coll.ini");
    EXPECT_EQ(SavedText(),
              "[MusicFiles]\r\ndir=@/Mü sic=1/\r\nf1=  spaced out .mp3\r\nf1=.hidden.mp3\r\n"
              "f1=ä=ö.mp3\r\nf1=Ω song.mp3\r\n");
    EXPECT_EQ(library_.Load(), Status::Loaded);
    EXPECT_EQ(Describe(), "Mü sic=1/:   spaced out .mp3=1 .hidden.mp3=1 ä=ö.mp3=1 Ω song.mp3=1");
}

TEST_F(CollectionFileTest, FilesWithoutACollectionGiveAnEmptyLibrary) {
    ASSERT_TRUE(library_.AddDirectory(MakeDir("A", {"a.mp3"}), 0));
    file_.SetPath(temp_ / "first.ini");
    ASSERT_TRUE(library_.Save());

    // Nothing of the file loaded before survives into the next one.
    EXPECT_EQ(library_.Load(temp_ / "missing.ini"), Status::FileMissing);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
    EXPECT_EQ(SavedText(), "[MusicFiles]\r\n");  // and a save creates it

    WriteFileBytes(temp_ / "empty.ini", "");
    EXPECT_EQ(library_.Load(temp_ / "empty.ini"), Status::Loaded);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);

    WriteFileBytes(temp_ / "other.ini", "[Keep]\r\nk=v\r\n[musicfiles]\r\ndir=@/A\r\n");
    EXPECT_EQ(library_.Load(temp_ / "other.ini"), Status::Loaded);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
    // Other sections are written back (in the engine's section order); the collection is not.
    EXPECT_EQ(SavedText(), "[Keep]\r\nk=v\r\n[MusicFiles]\r\n[musicfiles]\r\ndir=@/A\r\n");

    const char binary[] = "ID3\x03\0\0[MusicFiles]\ndir=/x\n";
    WriteFileBytes(temp_ / "song.mp3", std::string(binary, sizeof binary - 1));
    EXPECT_EQ(library_.Load(temp_ / "song.mp3"), Status::NotACollectionFile);
    EXPECT_EQ(library_.GetDirectoryCount(), 0u);
    WriteFileBytes(temp_ / "notes.txt", "just some notes\nabout=music\n");
    EXPECT_EQ(library_.Load(temp_ / "notes.txt"), Status::NotACollectionFile);

    EXPECT_EQ(library_.Load(temp_.Path()), Status::FileUnreadable);
    EXPECT_FALSE(library_.GetLoadError().empty());
}

TEST_F(CollectionFileTest, AFailedSaveSaysWhyAndLeavesTheFileAlone) {
    IniFile noPath;
    MusicLibrary unsaved(&noPath, &settings_);
    EXPECT_FALSE(unsaved.Save());
    EXPECT_FALSE(unsaved.GetSaveError().empty());

    ASSERT_TRUE(library_.AddDirectory(MakeDir("A", {"a.mp3"}), 0));
    const std::string path = temp_ / "coll.ini";
    WriteFileBytes(path, "[MusicFiles]\r\ndir=/old\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    file_.SetPath(path);
    EXPECT_FALSE(library_.Save());
    EXPECT_FALSE(library_.GetSaveError().empty());
    EXPECT_EQ(ReadFileBytes(path), "[MusicFiles]\r\ndir=/old\r\n");
    EXPECT_EQ(library_.GetDirectoryCount(), 1u);  // the collection in memory is untouched

    TmpfsMount readOnly(1 << 20, "ro");
    SKIP_UNLESS_MOUNTED(readOnly);
    file_.SetPath(readOnly.Path() + "/coll.ini");
    EXPECT_FALSE(library_.Save());
    EXPECT_NE(library_.GetSaveError().find("coll.ini"), std::string::npos)
        << library_.GetSaveError();
}
