// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/CTunecrateDoc.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <string>

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

    // The directory A with a.mp3 and b.mp3 added, modified as the main form leaves it.
    void AddMusic() {
        ASSERT_TRUE(doc_.AddDirectory(MakeDir("A", {"a.mp3", "b.mp3"})));
        doc_.SetModifiedFlag();
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

    EXPECT_TRUE(doc_.AddDirectory(MakeDir("A", {"a.mp3"})));
    EXPECT_EQ(doc_.GetUntransferredFiles().size(), 1u);
    EXPECT_FALSE(doc_.IsModified());  // the main form sets it

    // Duplicates are found after normalising; letter case counts where the file system's does.
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

TEST_F(CTunecrateDocTest, ARescanMarksACollectionWithDirectoriesModified) {
    doc_.RescanCollection();
    EXPECT_FALSE(doc_.IsModified());  // nothing listed, nothing to write differently
    AddMusic();
    doc_.SetModifiedFlag(false);
    doc_.RescanCollection();
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(CTunecrateDocTest, SavingTheExitPromptAndTheTransferJobsOperations) {
    EXPECT_TRUE(doc_.OnAppExit());  // unmodified: no question
    AddMusic();
    const std::vector<LibraryEntry*> files = doc_.GetUntransferredFiles();
    ASSERT_EQ(files.size(), 2u);
    // Without a file the marks live on in memory, and the collection counts as modified.
    doc_.SetModifiedFlag(false);
    doc_.MarkFiles({files[1]});
    EXPECT_FALSE(doc_.SaveCollection());
    EXPECT_TRUE(doc_.IsModified());

    // Without a file, Save and the prompt's Yes ask for one; cancelling keeps the program open.
    EXPECT_FALSE(doc_.OnFileSave());
    ui_.answers = {Answer::Yes};
    EXPECT_FALSE(doc_.OnAppExit());
    ASSERT_EQ(ui_.dialogs.size(), 2u);
    EXPECT_FALSE(ui_.dialogs[0].open);
    EXPECT_EQ(ui_.questions,
              (std::vector<std::string>{"Your music selection has been modified.\nSave changes?"}));
    EXPECT_EQ(doc_.GetFilePath(), "");

    ui_.answers = {Answer::No};
    EXPECT_TRUE(doc_.OnAppExit());
    EXPECT_TRUE(doc_.IsModified());

    const std::string path = MakeDir("x.y") + "/mix";
    ui_.chosenFiles = {path};
    EXPECT_TRUE(doc_.OnFileSave());
    EXPECT_EQ(ReadFileBytes(path), Saved("01"));
    EXPECT_EQ(ui_.title, "mix");
    EXPECT_EQ(settings_.GetMusicCollection(), path);
    EXPECT_FALSE(doc_.IsModified());  // saved: Exit need not ask

    fs::remove(path);
    doc_.SetModifiedFlag();
    ui_.answers = {Answer::Yes};
    EXPECT_TRUE(doc_.OnCloseDocument());  // saved to its file without a dialog
    EXPECT_EQ(ui_.dialogs.size(), 3u);
    EXPECT_EQ(ReadFileBytes(path), Saved("01"));
    EXPECT_FALSE(doc_.IsModified());

    ui_.chosenFiles = {temp_ / "coll.ini"};
    ASSERT_TRUE(doc_.OnFileSaveAs());
    EXPECT_EQ(ReadFileBytes(temp_ / "coll.ini"), Saved("01"));
    doc_.SetModifiedFlag(false);
    doc_.MarkFiles({files[0]});
    EXPECT_TRUE(doc_.SaveCollection());
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(ReadFileBytes(temp_ / "coll.ini"), Saved("11"));
    EXPECT_TRUE(ui_.errors.empty());

    doc_.ClearAllFileFlags();
    EXPECT_EQ(doc_.GetUntransferredFiles(), files);

    // File > New asks, then gives an empty, unmodified collection without a file, same settings.
    doc_.SetModifiedFlag();
    EXPECT_FALSE(doc_.OnFileNew());  // Cancel
    ui_.answers = {Answer::No};
    EXPECT_TRUE(doc_.OnFileNew());
    EXPECT_EQ(doc_.GetDirectoryCount(), 0u);
    EXPECT_EQ(doc_.GetFilePath(), "");
    EXPECT_FALSE(doc_.IsModified());
    ASSERT_TRUE(doc_.AddDirectory(temp_ / "A"));
    EXPECT_EQ(doc_.GetUntransferredFiles().size(), 2u);
}

TEST_F(CTunecrateDocTest, AFailedSaveIsShownAndKeepsTheWorkOpen) {
    AddMusic();
    const std::string path = temp_ / "coll.ini";
    WriteFileBytes(path, "[MusicFiles]\r\n");
    fs::permissions(path, fs::perms::owner_read);

    // Save As onto a file that cannot be replaced: shown, and the collection keeps no file.
    ui_.chosenFiles = {path};
    EXPECT_FALSE(doc_.OnFileSaveAs());
    EXPECT_THAT(ui_.errors, ElementsAre(HasSubstr(path)));
    EXPECT_EQ(doc_.GetFilePath(), "");
    EXPECT_EQ(settings_.GetMusicCollection(), "");

    // Opened from it, the transfer job's save reports the failure and marks the work unsaved.
    ui_.answers = {Answer::No};
    ui_.chosenFiles = {path};
    ASSERT_TRUE(doc_.OnFileOpen());
    EXPECT_FALSE(doc_.SaveCollection());
    EXPECT_EQ(ui_.errors.size(), 2u);
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(ReadFileBytes(path), "[MusicFiles]\r\n");
}

TEST_F(CTunecrateDocTest, OpenAsksFirstThenReplacesTheCollection) {
    const std::string rock = temp_ / "Rock.ini";
    WriteFileBytes(rock, "[MusicFiles]\r\ndir=" + MakeDir("Rock", {"r.mp3"}) + "\r\nf1=r.mp3\r\n");
    AddMusic();

    EXPECT_FALSE(doc_.OnFileOpen());  // Cancel at the prompt: no dialog, nothing changes
    EXPECT_TRUE(ui_.dialogs.empty());
    EXPECT_EQ(doc_.GetDirectoryCount(), 1u);

    ui_.answers = {Answer::No};
    ui_.chosenFiles = {rock};
    EXPECT_TRUE(doc_.OnFileOpen());
    EXPECT_TRUE(ui_.dialogs.at(0).open);
    EXPECT_EQ(Describe(doc_.GetLibrary()), "Rock: r.mp3=1");
    EXPECT_EQ(ui_.title, "Rock");
    EXPECT_EQ(settings_.GetMusicCollection(), rock);
    EXPECT_EQ(ui_.viewUpdates, 1);
    EXPECT_FALSE(doc_.IsModified());

    // A missing file opens as an empty collection that a save creates.
    ui_.chosenFiles = {temp_ / "new.ini"};
    EXPECT_TRUE(doc_.OnFileOpen());
    EXPECT_EQ(doc_.GetDirectoryCount(), 0u);
    EXPECT_TRUE(doc_.SaveCollection());
    EXPECT_EQ(ReadFileBytes(temp_ / "new.ini"), "[MusicFiles]\r\n");
    EXPECT_TRUE(ui_.errors.empty());

    // A file that holds no collection is reported and detached, so that no save (such as the
    // transfer job's) can overwrite it.
    const std::string song = temp_ / "song.mp3";
    const std::string bytes("ID3\x04\0\0\0\0\x01\x7f[MusicFiles]", 22);
    WriteFileBytes(song, bytes);
    ui_.chosenFiles = {song};
    EXPECT_FALSE(doc_.OnFileOpen());
    EXPECT_THAT(ui_.errors, ElementsAre(HasSubstr(song)));
    EXPECT_EQ(settings_.GetMusicCollection(), temp_ / "new.ini");
    EXPECT_FALSE(doc_.SaveCollection());
    EXPECT_EQ(ui_.errors.size(), 1u);
    EXPECT_EQ(ReadFileBytes(song), bytes);
}

// Another program saved the collection since it was read: each answer of the question does
// what it says, and nothing is overwritten without one.
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
    for (const Row& row : {Row{Changed::Cancel, false, "", 2}, Row{Changed::Reload, true, "", 1},
                           Row{Changed::Overwrite, true, Saved("00") + both, 2},
                           Row{Changed::TakeFileFlags, true, Saved("10") + both, 2}}) {
        SCOPED_TRACE(static_cast<int>(row.answer));
        WriteFileBytes(path, Saved("00"));
        ASSERT_TRUE(doc_.LoadCollection(path));
        ASSERT_TRUE(doc_.AddDirectory(other));
        {
            RecordingUi otherUi;
            CTunecrateDoc otherProgram(otherUi, &settings_);
            ASSERT_TRUE(otherProgram.LoadCollection(path));
            ASSERT_EQ(otherProgram.GetUntransferredFiles().size(), 2u);
            otherProgram.MarkFiles({otherProgram.GetUntransferredFiles()[0]});
            ASSERT_TRUE(otherProgram.SaveCollection());
        }
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
        ui_.changedAnswers = {Changed::TakeFileFlags};
        EXPECT_TRUE(doc_.SaveCollection());
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
}
