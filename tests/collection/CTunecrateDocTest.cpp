// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/CTunecrateDoc.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "CollectionTestSupport.h"
#include "RecordingUi.h"

namespace fs = std::filesystem;

namespace {

using Answer = CollectionUi::Answer;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class CTunecrateDocTest : public CollectionTest {
  protected:
    CTunecrateDocTest() : doc_(ui_, &settings_) {}

    // The directory A with a.mp3 and b.mp3 added, modified as the main form leaves it, or not.
    void AddMusic(bool modified = true) {
        ASSERT_TRUE(doc_.AddDirectory(MakeDir("A", {"a.mp3", "b.mp3"})));
        doc_.SetModifiedFlag(modified);
    }
    std::string Saved(const std::string& flags) const {
        return "[MusicFiles]\r\ndir=" + temp_ / "A" + "\r\nf" + flags[0] + "=a.mp3\r\nf" +
               flags[1] + "=b.mp3\r\n";
    }

    RecordingUi ui_;
    CTunecrateDoc doc_;
};

}  // namespace

TEST_F(CTunecrateDocTest, TheObserverHearsEachChangeOfTheModifiedFlagOnce) {
    std::vector<bool> heard;
    doc_.SetModifiedObserver([&heard](bool modified) { heard.push_back(modified); });
    for (const bool modified : {true, true, false, false, true}) {
        doc_.SetModifiedFlag(modified);
    }
    EXPECT_EQ(heard, (std::vector<bool>{true, false, true}));
}

TEST_F(CTunecrateDocTest, AddDirectoryRefusesWhatCannotBeListedOrStored) {
    const std::string missing = temp_ / "Nowhere";
    EXPECT_FALSE(doc_.AddDirectory(missing));
    EXPECT_EQ(ui_.messages, (std::vector<std::string>{"Directory not found: " + missing}));
    // Listable folders whose paths would not come back unchanged from the collection file.
    const std::pair<std::string, const char*> refused[] = {
        // Refused before the folder is looked at, so these need not exist.
        {temp_ / "two\nlines", "control character"},
        {temp_ / "tab\there", "control character"},
        {temp_ / "blank at end ", "blank"},
        {" " + MakeDir("lead"), "blank"},
        {temp_ / std::string(1100, 'd'), "longer than 1018"},
#ifndef _WIN32
        {temp_ / "latin1-\xe9", "UTF-8"},
#endif
    };
    for (const auto& [path, reason] : refused) {
        SCOPED_TRACE(path);
        ui_.errors.clear();
        EXPECT_FALSE(doc_.AddDirectory(path));
        EXPECT_THAT(ui_.errors, ElementsAre(HasSubstr(reason)));
    }
    EXPECT_EQ(doc_.GetDirectoryCount(), 0u);
}

TEST_F(CTunecrateDocTest, AddDirectoryListsTheSongsAndLeavesTheModifiedFlagToTheForm) {
    EXPECT_TRUE(doc_.AddDirectory(MakeDir("A", {"a.mp3"})));
    EXPECT_EQ(doc_.GetUntransferredFiles().size(), 1u);
    EXPECT_FALSE(doc_.IsModified());
}

// Letter case counts where the file system's does.
TEST_F(CTunecrateDocTest, AListedDirectoryIsFoundHoweverItsPathIsWritten) {
    AddMusic();
    for (const std::string& same : {temp_ / "A/", temp_ / "A/.", temp_ / "x/../A//"}) {
        EXPECT_TRUE(doc_.IsListed(same)) << same;
    }
    EXPECT_FALSE(doc_.IsListed(temp_ / "AB"));
#ifdef _WIN32
    EXPECT_TRUE(doc_.IsListed(temp_ / "a"));
#else
    EXPECT_FALSE(doc_.IsListed(temp_ / "a"));
#endif
}

TEST_F(CTunecrateDocTest, ARelativePathIsStoredAsTheAbsolutePathItNames) {
    MakeDir("A", {"a.mp3"});
    const fs::path before = fs::current_path();
    fs::current_path(temp_.Path());
    const bool added = doc_.AddDirectory("./A/");
    fs::current_path(before);
    ASSERT_TRUE(added);
    EXPECT_EQ(fs::path(doc_.GetLibrary().GetDirectories().at(0)->GetName()), fs::path(temp_ / "A"));
}

TEST_F(CTunecrateDocTest, ARescanMarksACollectionWithDirectoriesModified) {
    doc_.RescanCollection();
    EXPECT_FALSE(doc_.IsModified());  // nothing listed, nothing to write differently
    AddMusic(false);
    doc_.RescanCollection();
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, AnUnmodifiedCollectionClosesWithoutAsking) {
    EXPECT_TRUE(doc_.OnAppExit());
    EXPECT_TRUE(ui_.questions.empty());
}

TEST_F(CTunecrateDocTest, MarksWithoutAFileLiveOnInMemoryAndKeepTheCollectionModified) {
    AddMusic(false);
    doc_.MarkFiles({doc_.GetUntransferredFiles()[1]});
    EXPECT_FALSE(doc_.SaveCollection());
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(doc_.GetUntransferredFiles().size(), 1u);
}

TEST_F(CTunecrateDocTest, YesAtExitAsksForAFileForAnUntitledCollectionAndCancellingStaysOpen) {
    AddMusic();
    ui_.answers = {Answer::kYes};
    EXPECT_FALSE(doc_.OnAppExit());
    EXPECT_EQ(ui_.questions,
              (std::vector<std::string>{"Your music selection has been modified.\nSave changes?"}));
    ASSERT_EQ(ui_.dialogs.size(), 1u);
    EXPECT_FALSE(ui_.dialogs[0].open);
    EXPECT_EQ(doc_.GetFilePath(), "");
}

TEST_F(CTunecrateDocTest, NoAtExitClosesWithoutSaving) {
    AddMusic();
    ui_.answers = {Answer::kNo};
    EXPECT_TRUE(doc_.OnAppExit());
    EXPECT_TRUE(ui_.dialogs.empty());
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, SaveWritesTheChosenFileAndRemembersItAsTheCollection) {
    AddMusic();
    doc_.MarkFiles({doc_.GetUntransferredFiles()[1]});
    const std::string path = MakeDir("x.y") + "/mix";
    ui_.chosenFiles = {path};
    EXPECT_TRUE(doc_.OnFileSave());
    EXPECT_EQ(ReadFileBytes(path), Saved("01"));
    EXPECT_EQ(ui_.title, "mix");
    EXPECT_EQ(settings_.GetMusicCollection(), path);
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, ClosingAChangedCollectionSavesItToItsFileWithoutADialog) {
    AddMusic();
    ui_.chosenFiles = {temp_ / "coll.ini"};
    ASSERT_TRUE(doc_.OnFileSaveAs());
    fs::remove(temp_ / "coll.ini");
    doc_.SetModifiedFlag();
    ui_.answers = {Answer::kYes};
    EXPECT_TRUE(doc_.OnCloseDocument());
    EXPECT_EQ(ui_.dialogs.size(), 1u);  // only Save As's
    EXPECT_EQ(ReadFileBytes(temp_ / "coll.ini"), Saved("00"));
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, TheTransferJobsSaveWritesItsMarksToTheCollectionsFile) {
    AddMusic();
    ui_.chosenFiles = {temp_ / "coll.ini"};
    ASSERT_TRUE(doc_.OnFileSaveAs());
    doc_.MarkFiles({doc_.GetUntransferredFiles()[0]});
    EXPECT_TRUE(doc_.SaveCollection());
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(ReadFileBytes(temp_ / "coll.ini"), Saved("10"));
    EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(CTunecrateDocTest, FileNewAsksAndCancelKeepsTheCollection) {
    AddMusic();
    EXPECT_FALSE(doc_.OnFileNew());
    EXPECT_EQ(doc_.GetDirectoryCount(), 1u);
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, FileNewGivesAnEmptyUntitledCollectionWithTheSameSettings) {
    AddMusic();
    ui_.answers = {Answer::kNo};
    EXPECT_TRUE(doc_.OnFileNew());
    EXPECT_EQ(doc_.GetDirectoryCount(), 0u);
    EXPECT_EQ(doc_.GetFilePath(), "");
    EXPECT_FALSE(doc_.IsModified());
    ASSERT_TRUE(doc_.AddDirectory(temp_ / "A"));  // the file types still hold
    EXPECT_EQ(doc_.GetUntransferredFiles().size(), 2u);
}

// A collection file that cannot be replaced.
class CTunecrateDocFailedSaveTest : public CTunecrateDocTest {
  protected:
    void SetUp() override {
        AddMusic();
        WriteFileBytes(path, "[MusicFiles]\r\n");
        fs::permissions(path, fs::perms::owner_read);
    }
    const std::string path = temp_ / "coll.ini";
};

TEST_F(CTunecrateDocFailedSaveTest, SaveAsIsShownAndTheCollectionKeepsNoFile) {
    ui_.chosenFiles = {path};
    EXPECT_FALSE(doc_.OnFileSaveAs());
    EXPECT_THAT(ui_.errors, ElementsAre(HasSubstr(path)));
    EXPECT_EQ(doc_.GetFilePath(), "");
    EXPECT_EQ(settings_.GetMusicCollection(), "");
}

TEST_F(CTunecrateDocFailedSaveTest, TheTransferJobsSaveIsShownAndMarksTheWorkUnsaved) {
    ui_.answers = {Answer::kNo};
    ui_.chosenFiles = {path};
    ASSERT_TRUE(doc_.OnFileOpen());
    EXPECT_FALSE(doc_.SaveCollection());
    EXPECT_EQ(ui_.errors.size(), 1u);
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(ReadFileBytes(path), "[MusicFiles]\r\n");
}

TEST_F(CTunecrateDocTest, OpenCancelledAtThePromptChangesNothing) {
    AddMusic();
    EXPECT_FALSE(doc_.OnFileOpen());
    EXPECT_TRUE(ui_.dialogs.empty());
    EXPECT_EQ(doc_.GetDirectoryCount(), 1u);
}

TEST_F(CTunecrateDocTest, OpenReplacesTheCollection) {
    const std::string rock = temp_ / "Rock.ini";
    WriteFileBytes(rock, "[MusicFiles]\r\ndir=" + MakeDir("Rock", {"r.mp3"}) + "\r\nf1=r.mp3\r\n");
    AddMusic();
    ui_.answers = {Answer::kNo};
    ui_.chosenFiles = {rock};
    EXPECT_TRUE(doc_.OnFileOpen());
    EXPECT_TRUE(ui_.dialogs.at(0).open);
    EXPECT_EQ(Describe(doc_.GetLibrary()), "Rock: r.mp3=1");
    EXPECT_EQ(ui_.title, "Rock");
    EXPECT_EQ(settings_.GetMusicCollection(), rock);
    EXPECT_EQ(ui_.viewUpdates, 1);
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, AMissingFileOpensAsAnEmptyCollectionThatASaveCreates) {
    ui_.chosenFiles = {temp_ / "new.ini"};
    EXPECT_TRUE(doc_.OnFileOpen());
    EXPECT_EQ(doc_.GetDirectoryCount(), 0u);
    EXPECT_TRUE(doc_.SaveCollection());
    EXPECT_EQ(ReadFileBytes(temp_ / "new.ini"), "[MusicFiles]\r\n");
    EXPECT_TRUE(ui_.errors.empty());
}

// Detached, so that no save (such as the transfer job's) can overwrite it.
TEST_F(CTunecrateDocTest, AFileThatHoldsNoCollectionIsReportedAndDetached) {
    const std::string song = temp_ / "song.mp3";
    const std::string bytes("ID3\x04\0\0\0\0\x01\x7f[MusicFiles]", 22);
    WriteFileBytes(song, bytes);
    ui_.chosenFiles = {temp_ / "new.ini", song};
    ASSERT_TRUE(doc_.OnFileOpen());
    EXPECT_FALSE(doc_.OnFileOpen());
    EXPECT_THAT(ui_.errors, ElementsAre(HasSubstr(song)));
    EXPECT_EQ(settings_.GetMusicCollection(), temp_ / "new.ini");
    EXPECT_FALSE(doc_.SaveCollection());
    EXPECT_EQ(ui_.errors.size(), 1u);
    EXPECT_EQ(ReadFileBytes(song), bytes);
}

// Another program saved the collection since it was read.
TEST_F(CTunecrateDocTest, ASaveOverAFileChangedOnDiscFollowsTheAnswer) {
    using Changed = CollectionUi::ChangedAnswer;
    const std::string path = temp_ / "coll.ini";
    MakeDir("A", {"a.mp3", "b.mp3"});
    const std::string other = MakeDir("B", {"c.mp3"});
    struct Row {
        Changed answer;
        bool result;
        std::string file;  // the collection file afterwards, "" for the other program's
        size_t directories;
    };
    const std::string both = "dir=" + other + "\r\nf0=c.mp3\r\n";
    for (const Row& row : {Row{Changed::kCancel, false, "", 2}, Row{Changed::kReload, true, "", 1},
                           Row{Changed::kOverwrite, true, Saved("00") + both, 2},
                           Row{Changed::kTakeFileFlags, true, Saved("10") + both, 2}}) {
        SCOPED_TRACE(static_cast<int>(row.answer));
        WriteFileBytes(path, Saved("00"));
        ASSERT_TRUE(doc_.LoadCollection(path));
        ASSERT_TRUE(doc_.AddDirectory(other));
        WriteFileBytes(path + ".new", Saved("10"));  // another program's save marked a
        fs::rename(path + ".new", path);
        ui_.changedQuestions.clear();
        ui_.changedAnswers = {row.answer};
        EXPECT_EQ(doc_.SaveCollection(), row.result);
        EXPECT_EQ(ui_.changedQuestions, std::vector<std::string>{path});
        EXPECT_EQ(ReadFileBytes(path), row.file.empty() ? Saved("10") : row.file);
        EXPECT_EQ(doc_.GetDirectoryCount(), row.directories);
        // Once settled, the next save asks nothing; after Cancel it asks again.
        ui_.changedQuestions.clear();
        EXPECT_EQ(doc_.SaveCollection(), row.result);
        EXPECT_EQ(ui_.changedQuestions.empty(), row.result);
    }
}

// A run marked b while another program touched the file or marked a: taking the file's flags
// keeps the run's own mark.
TEST_F(CTunecrateDocTest, TakingTheFileFlagsKeepsThisRunsMarks) {
    using Changed = CollectionUi::ChangedAnswer;
    const std::string path = temp_ / "coll.ini";
    MakeDir("A", {"a.mp3", "b.mp3"});
    for (const auto& [otherFile, expected] :
         {std::pair{Saved("00"), Saved("01")}, std::pair{Saved("10"), Saved("11")}}) {
        SCOPED_TRACE(otherFile);
        WriteFileBytes(path, Saved("00"));
        ASSERT_TRUE(doc_.LoadCollection(path));
        doc_.MarkFiles({doc_.GetUntransferredFiles()[1]});
        WriteFileBytes(path + ".new", otherFile);  // a new inode, as another program's save
        fs::rename(path + ".new", path);
        ui_.changedAnswers = {Changed::kTakeFileFlags};
        EXPECT_TRUE(doc_.SaveCollection());
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
}

TEST_F(CTunecrateDocTest, AddingFoldersSkipsListedOnesAndCountsEachOutcome) {
    AddMusic(false);
    const auto added = doc_.AddFolders(
        {temp_ / "A/", MakeDir("B", {"c.mp3", "d.mp3", "e.txt"}), temp_ / "Nowhere"});
    EXPECT_EQ(added.added, 1u);
    EXPECT_EQ(added.listed, 1u);
    EXPECT_EQ(added.refused, 1u);
    EXPECT_EQ(added.files, 2u);
    EXPECT_EQ(Describe(doc_.GetLibrary()), "A: a.mp3=0 b.mp3=0 | B: c.mp3=0 d.mp3=0");
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, AddingOnlyListedFoldersIsNoChange) {
    AddMusic(false);
    EXPECT_EQ(doc_.AddFolders({temp_ / "A", temp_ / "x/../A"}).listed, 2u);
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, AddingFoldersStopsWhenToldAfterTheFolderAtHand) {
    const std::vector<std::string> folders = {MakeDir("A", {"a.mp3"}), MakeDir("B", {"b.mp3"})};
    std::vector<size_t> asked;
    const auto added = doc_.AddFolders(folders, [&](size_t done) {
        asked.push_back(done);
        return false;
    });
    EXPECT_EQ(added.added, 1u);
    EXPECT_EQ(asked, std::vector<size_t>{1});
    EXPECT_EQ(Describe(doc_.GetLibrary()), "A: a.mp3=0");
}

// The extensions dialog leaves a list; the document decides what it means for the collection.
TEST_F(CTunecrateDocTest, AnExtensionChangeRescansOnlyWhenTheListChangedAndHoldsAType) {
    using Change = CTunecrateDoc::ExtensionChange;
    const std::tuple<std::vector<std::string>, Change, const char*> rows[] = {
        {{"mp3"}, Change::kNone, "A: a.mp3=0 b.mp3=0"},
        {{}, Change::kNoTypes, "A: a.mp3=0 b.mp3=0"},
        {{"mp3", "ogg"}, Change::kRescanned, "A: a.mp3=0 b.mp3=0 c.ogg=0"},
    };
    for (const auto& [after, change, library] : rows) {
        SCOPED_TRACE(library);
        doc_.OnNewDocument();
        settings_.RemoveAllExtensions();
        settings_.AddExtension("mp3");
        MakeDir("A", {"c.ogg"});
        AddMusic(false);
        settings_.RemoveAllExtensions();
        for (const std::string& ext : after) {
            settings_.AddExtension(ext);
        }
        EXPECT_EQ(doc_.ApplyExtensionChange({"mp3"}), change);
        EXPECT_EQ(Describe(doc_.GetLibrary()), library);
        EXPECT_EQ(doc_.IsModified(), change == Change::kRescanned);
    }
}
