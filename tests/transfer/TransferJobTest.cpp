// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/TransferJob.h"

#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <thread>
#include <tuple>

#include "collection/CTunecrateDoc.h"
#include "collection/CollectionTestSupport.h"
#include "collection/RecordingUi.h"
#include "support/RealVolume.h"
#include "support/TmpfsMount.h"
#include "transfer/DriveInfo.h"
#include "transfer/FailingStick.h"
#include "transfer/SeededRandom.h"
#include "transfer/StickManifest.h"

namespace fs = std::filesystem;
using Ending = TransferResult::Ending;
using ::testing::HasSubstr;

namespace {

constexpr uint64_t kMB = 1048576;

// Gives the draws a test asks for, then 0, and counts them.
struct ScriptedRandom : RandomSource {
    std::deque<int> values;
    int draws = 0;
    int Draw() override {
        ++draws;
        values.push_back(0);  // after the values asked for
        const int value = values.front();
        values.pop_front();
        return value;
    }
};

// Records what the job shows. Written on the job's thread, read after it was joined.
struct Recorder : TransferObserver {
    using Text = platform::UserMessage;
    std::vector<std::string> events;
    std::function<void(const std::string&)> onStatus = [](auto&) {};  // acts at a status text

    void SetStatusText(const Text& text) override {
        events.push_back("status " + text.Text());
        onStatus(text.Text());
    }
    void SetProgressRange(uint32_t n) override { events.push_back("range " + std::to_string(n)); }
    void SetProgressPosition(uint32_t n) override { events.push_back("pos " + std::to_string(n)); }
    void SetFreeSpaceText(const Text& text) override { events.push_back("free " + text.Text()); }
    void ShowMessageBox(const Text& text) override { events.push_back("box " + text.Text()); }
    void Finished(const TransferResult&) override { events.push_back("finished"); }
    // The closing status text.
    const std::string& Closing() const { return events.at(events.size() - 3); }
};

class TransferJobTest : public CollectionTest {
  protected:
    TransferJobTest() : doc_(ui_, &settings_) {
        doc_.OnNewDocument();
        doc_.LoadCollection(temp_ / "music.ini");
    }

    // A music directory with files of the given sizes, added to the collection and saved.
    void AddMusic(const std::string& dir, const std::map<std::string, uint64_t>& files) {
        for (const auto& [name, size] : files) {
            fs::resize_file(MakeDir(dir, {name}) + "/" + name, size);
        }
        ASSERT_TRUE(doc_.AddDirectory(temp_ / dir));
        ASSERT_TRUE(doc_.SaveCollection());
    }
    // The flags as the collection file holds them.
    std::string Saved() {
        RecordingUi ui;
        CTunecrateDoc reread(ui, &settings_);
        reread.LoadCollection(temp_ / "music.ini");
        return Describe(reread.GetLibrary());
    }
    // Options for a stick that is a mounted volume, or a plain folder (with a byte limit).
    TransferJob::Options Volume(const std::string& stick, bool plainFolder = false,
                                std::optional<uint64_t> limit = {}) {
        TransferJob::Options options;
        options.stickDrive = stick;
        options.allowPlainFolder = plainFolder;
        options.byteLimit = limit;
        options.settingsPath = settings_.GetSettingsPath();
        return options;
    }
    TransferJob::Options Folder(const std::string& stick, std::optional<uint64_t> limit = {}) {
        return Volume(stick, true, limit);
    }
    // Runs a job on a worker thread, as the program does.
    TransferResult Run(const TransferJob::Options& options, RandomSource* random = nullptr) {
        recorder_.events.clear();
        TransferJob job(doc_, stickInfo_, files_, random ? *random : random_, stop_, recorder_,
                        options);
        TransferResult result;
        std::thread worker([&] { result = job.Run(); });
        worker.join();
        return result;
    }

    RecordingUi ui_;
    CTunecrateDoc doc_;
    DriveInfo stickInfo_;
    FailingStick files_;
    ScriptedRandom random_;
    std::atomic<int> stop_{0};
    Recorder recorder_;
    TempDir stick_;  // a plain folder as the stick
};

}  // namespace

TEST(RandomIndexTest, TwoDrawsAboveOneDrawsReachEveryIndex) {
    ScriptedRandom random;
    for (int target = 0; target < 40000; ++target) {
        random.values = {target / 32768, target % 32768};
        ASSERT_EQ(TransferJob::RandomIndex(40000, random), target);
    }
    EXPECT_EQ(random.draws, 80000);
    random.values = {32767, 5};
    EXPECT_EQ(TransferJob::RandomIndex(32767, random), 0);
    EXPECT_EQ(TransferJob::RandomIndex(0, random), 0);
    EXPECT_EQ(random.draws, 80001);  // one draw up to 32,767, none for 0
}

// A limit that leaves less than the stick has ends the run as the limit's; the free space given
// is the stick's, never what the limit left.
TEST_F(TransferJobTest, ReckonsMegabytesDownAndStopsAtTheFirstFileThatDoesNotFit) {
    AddMusic("music", {{"a.mp3", 3145728}, {"huge.mp3", 200 * kMB}});
    const TransferResult result = Run(Folder(stick_.Path(), 105381888));  // 100.5 MB
    EXPECT_EQ(
        recorder_.events,
        (std::vector<std::string>{"range 100", "status Copying: a.mp3", "pos 3", "free 97 MB free",
                                  "status Finished copying", "pos 0", "finished"}));
    EXPECT_EQ(result.ending, Ending::kLimitReached);
    EXPECT_GT(result.freeBytes, 105381888u);
    EXPECT_FALSE(result.newCycle);
    EXPECT_EQ(fs::file_size(stick_ / "a.mp3"), 3145728u);
    EXPECT_EQ(Saved(), "music: a.mp3=1 huge.mp3=0");
}

TEST_F(TransferJobTest, ASongWhoseNameIsTakenArrivesNumbered) {
    AddMusic("music", {{"other.mp3", 1000}});
    WriteFileBytes(stick_ / "other.mp3", "old");
    EXPECT_EQ(Run(Folder(stick_.Path())).filesCopied, 1);
    EXPECT_EQ(ReadFileBytes(stick_ / "other.mp3"), "old");
    EXPECT_EQ(fs::file_size(stick_ / "other (2).mp3"), 1000u);
    EXPECT_EQ(Saved(), "music: other.mp3=1");
}

TEST_F(TransferJobTest, ANameTakenJustBeforeTheRenameGetsTheNextNumber) {
    AddMusic("music", {{"other.mp3", 1000}});
    files_.nameAppears = true;
    EXPECT_EQ(Run(Folder(stick_.Path())).filesCopied, 1);
    EXPECT_EQ(ReadFileBytes(stick_ / "other.mp3"), "came meanwhile");
    EXPECT_EQ(fs::file_size(stick_ / "other (2).mp3"), 1000u);
    EXPECT_EQ(Saved(), "music: other.mp3=1");
}

// A run killed at any moment leaves a record of every song it gave a name on the stick, so
// that the next run neither copies one of them again nor leaves it unmarked.
TEST_F(TransferJobTest, ASongIsInTheSticksRecordBeforeItHasItsName) {
    AddMusic("music", {{"a.mp3", 1000}});
    const std::string song = doc_.GetUntransferredFiles().at(0)->GetFullPath();
    std::optional<std::string> atRename;  // at the song's rename; the run's later moves put the
                                          // stick's songs in play order
    files_.beforeRename = [&] {
        if (!atRename) {
            atRename = ReadFileBytes(stick_ / StickManifest::kName);
        }
    };
    Run(Folder(stick_.Path()));
    EXPECT_THAT(atRename.value_or(""), HasSubstr(StickManifest::Line(song, "a.mp3")));
}

TEST_F(TransferJobTest, ASongNamedOtherwiseThanPlannedIsRecordedUnderTheNameItGot) {
    AddMusic("music", {{"other.mp3", 1000}});
    files_.nameAppears = true;
    std::string atLastFlush;  // the record a run killed before its end leaves, as read
    files_.beforeFlush = [&] {
        StickFolder root;
        StickFolder::OpenRoot(stick_.Path(), root);
        StickManifest record;
        record.Read(root, false);
        atLastFlush = record.Text();
    };
    Run(Folder(stick_.Path()));
    EXPECT_NE(atLastFlush.find("\nother (2).mp3\t"), std::string::npos) << atLastFlush;
    EXPECT_EQ(atLastFlush.find("\nother.mp3\t"), std::string::npos) << atLastFlush;
}

TEST(StickManifestTest, ALineCutShortByACrashDoesNotSwallowTheNextAppendedOne) {
    TempDir stick;
    WriteFileBytes(stick / "x.mp3", "x");
    WriteFileBytes(stick / "y.mp3", "y");
    WriteFileBytes(stick / StickManifest::kName, "x.mp3\t/music/x.mp3\ny.mp3\t/mus");
    StickFolder root;
    ASSERT_TRUE(StickFolder::OpenRoot(stick.Path(), root).Ok());
    StickManifest record;
    record.Read(root, false);
    ASSERT_TRUE(record.Append(root, {{"/music/y.mp3", "y.mp3"}}).Ok());
    StickManifest reread;
    reread.Read(root, false);
    EXPECT_TRUE(reread.Holds("/music/x.mp3"));
    EXPECT_TRUE(reread.Holds("/music/y.mp3"));
}

TEST_F(TransferJobTest, AFileTheCollectionListsTwiceArrivesOnce) {
    AddMusic("music", {{"a.mp3", 100}, {"b.mp3", 200}});
    ASSERT_TRUE(doc_.AddDirectory(temp_ / "music"));  // as a hand-edited collection may
    EXPECT_EQ(Run(Folder(stick_.Path())).filesCopied, 2);
    EXPECT_FALSE(fs::exists(stick_ / "a (2).mp3"));
    EXPECT_FALSE(fs::exists(stick_ / "b (2).mp3"));
}

TEST_F(TransferJobTest, DrawsUntransferredFilesFirstThenBeginsANewCycle) {
    AddMusic("music", {{"a.mp3", 100}, {"b.mp3", 200}, {"c.mp3", 300}});
    std::vector<LibraryEntry*> all = doc_.GetUntransferredFiles();
    doc_.MarkFiles({all[0], all[2]});
    const TransferResult first = Run(Folder(stick_.Path()));
    EXPECT_EQ(first.filesCopied, 3);
    EXPECT_TRUE(first.newCycle);
    EXPECT_EQ(recorder_.events[1], "status Copying: b.mp3");
    EXPECT_EQ(Saved(), "music: a.mp3=1 b.mp3=1 c.mp3=1");

    // All transferred: a new cycle begins at once. Each file costs a 4 KiB block and 96 bytes of
    // entries; after c.mp3, a.mp3 would take exactly what is left, which is not enough.
    TempDir second;
    random_.values = {2, 0};
    files_.space = FileOperations::Space{kMB, 4096};
    EXPECT_EQ(Run(Folder(second.Path(), 2 * (4096 + 96))).ending, Ending::kLimitReached);
    EXPECT_TRUE(fs::exists(second / "c.mp3"));
    EXPECT_EQ(Saved(), "music: a.mp3=0 b.mp3=0 c.mp3=1");
}

TEST_F(TransferJobTest, AStopFinishesAndMarksTheCurrentCopyFirst) {
    AddMusic("music", {{"a.mp3", 4 * kMB}, {"b.mp3", kMB}});
    recorder_.onStatus = [&](const std::string&) { stop_ = 1; };  // Stop during the first copy
    EXPECT_EQ(Run(Folder(stick_.Path())).ending, Ending::kStopped);
    EXPECT_EQ(fs::file_size(stick_ / "a.mp3"), 4 * kMB);
    EXPECT_EQ(Saved(), "music: a.mp3=1 b.mp3=0");
    EXPECT_EQ(recorder_.Closing(), "status Stopped on request");
}

TEST_F(TransferJobTest, AStopStillSetAtTheNextStartCopiesAndSavesNothing) {
    AddMusic("music", {{"a.mp3", kMB}});
    stop_ = 1;
    EXPECT_FALSE(Run(Folder(stick_.Path())).saved);
    EXPECT_EQ(recorder_.events.front(), "status Stopped on request");
    EXPECT_TRUE(fs::is_empty(stick_.Path()));
}

TEST_F(TransferJobTest, AnIndexErrorEndsTheRunAndStillSaves) {
    AddMusic("music", {{"a.mp3", 100}, {"b.mp3", 100}});
    random_.values = {-1};  // a broken source
    const TransferResult result = Run(Folder(stick_.Path()));
    EXPECT_EQ(result.ending, Ending::kIndexError);
    EXPECT_EQ(recorder_.events[1], "box Index error!");
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(fs::is_empty(stick_.Path()));
}

// A stick that is gone, never chosen, or measured while present and then pulled out.
TEST_F(TransferJobTest, AnAbsentStickIsRefusedAndNothingChanges) {
    AddMusic("music", {{"a.mp3", 100}});
    const std::string before = ReadFileBytes(temp_ / "music.ini");
    const auto expectRefused = [&](const std::string& path, const std::string& text) {
        SCOPED_TRACE(path + ": " + text);
        TransferJob::Options options = Volume(path);
        options.deleteOld = true;
        EXPECT_EQ(Run(options).ending, Ending::kRefused);
        EXPECT_EQ(recorder_.events,
                  (std::vector<std::string>{"status " + text, "pos 0", "finished"}));
        EXPECT_EQ(ReadFileBytes(temp_ / "music.ini"), before);
        EXPECT_EQ(Describe(doc_.GetLibrary()), "music: a.mp3=0");
    };
    expectRefused(temp_ / "gone", "Stick not found: " + (temp_ / "gone"));
    expectRefused("", "No stick drive chosen");
    TmpfsMount stick(4 * kMB);
    SKIP_UNLESS_MOUNTED(stick);
    stickInfo_.SetRootPath(stick.Path());
    stickInfo_.Refresh();
    stick.Unmount();
    expectRefused(stick.Path(), "Not the root of a mounted drive: " + stick.Path());
}

// A stick that fails while a.mp3, then b.mp3 are copied (each copy is flushed twice: its data,
// then its name): only flushed copies count and stay. A full stick ends the run as usual.
TEST_F(TransferJobTest, AFailingStickEndsTheRunAndKeepsOnlyWhatReachedIt) {
    using F = FailingStick::Fault;
    using O = FileOperations::CopyOutcome;
    using E = Ending;
    const char* stop = "Copying stopped: ";
    struct Row {
        F fault;
        int nth, error;
        O outcome;  // of a failing copy
        bool flushEachFile;
        E ending;
        const char* flags;
        size_t filesLeft;     // on the stick
        const char* message;  // how the error begins
    };
    const Row rows[] = {
        {F::kCopy, 2, EIO, O::kStickFailed, true, E::kStickFailed, "a.mp3=1 b.mp3=0", 1, stop},
        {F::kCopy, 1, EROFS, O::kStickFailed, false, E::kStickFailed, "a.mp3=0 b.mp3=0", 0, stop},
        {F::kCopy, 2, ENOSPC, O::kStickFull, false, E::kStickFull, "a.mp3=1 b.mp3=0", 1, ""},
        {F::kCopy, 1, EPERM, O::kFolderFull, true, E::kFolderFull, "a.mp3=0 b.mp3=0", 0,
         "The stick's folder is full: "},
        {F::kCopy, 1, EINVAL, O::kFileFailed, true, E::kAllHandled, "a.mp3=0 b.mp3=1", 1, ""},
        {F::kFlush, 1, EIO, O::kCopied, false, E::kStickFailed, "a.mp3=0 b.mp3=0", 0, stop},
        {F::kFlush, 2, EIO, O::kCopied, true, E::kStickFailed, "a.mp3=1 b.mp3=0", 1, stop},
        {F::kFlush, 3, EIO, O::kCopied, true, E::kStickFailed, "a.mp3=1 b.mp3=1", 2, stop},
        {F::kOtherVolume, 1, 0, O::kCopied, false, E::kStickFailed, "a.mp3=0 b.mp3=0", 1,
         "The stick is gone: "},
    };
    AddMusic("music", {{"a.mp3", 1000}, {"b.mp3", 1000}});
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        doc_.ClearAllFileFlags();
        files_.fault = row.fault;
        files_.nth = row.nth;
        files_.error = row.error;
        files_.copyOutcome = row.outcome;
        files_.copies = files_.flushes = 0;
        TempDir stick;
        TransferJob::Options options = Folder(stick.Path());
        options.flushInterval = std::chrono::hours(row.flushEachFile ? 0 : 1);
        const TransferResult result = Run(options);
        EXPECT_EQ(result.ending, row.ending);
        EXPECT_EQ(result.error.Text().rfind(row.message, 0), 0u) << result.error.Text();
        EXPECT_EQ(recorder_.Closing(), "status " + (row.ending == Ending::kStickFailed
                                                        ? result.error.Text()
                                                        : std::string("Finished copying")));
        EXPECT_TRUE(result.saved);
        EXPECT_EQ(Saved(), std::string("music: ") + row.flags);
        // Whole songs under their names are left (a stick turned another volume keeps its
        // temporaries: they cannot be told from what lies there now).
        const std::set<std::string> left = FilesIn(stick.Path());
        EXPECT_EQ(left.size(), row.filesLeft);
        if (row.fault != F::kOtherVolume) {
            for (const std::string& name : left) {
                EXPECT_EQ(fs::file_size(stick / name), 1000u) << name;
                EXPECT_FALSE(FileOperations::IsTemporaryName(name)) << name;
            }
        }
    }
}

// The real world: the volume is pulled out while b.mp3 is being copied.
TEST_F(TransferJobTest, AStickPulledOutMidRunEndsIt) {
    TmpfsMount volume(kMB);
    SKIP_UNLESS_MOUNTED(volume);
    AddMusic("music", {{"a.mp3", 1000}, {"b.mp3", 1000}});
    recorder_.onStatus = [&](const std::string& text) {
        if (text == "Copying: b.mp3") {
            volume.Unmount();
        }
    };
    TransferJob::Options options = Volume(volume.Path());
    options.flushInterval = std::chrono::hours(1);
    EXPECT_EQ(Run(options).error.Text(), "The stick is gone: " + volume.Path());
    EXPECT_EQ(Saved(), "music: a.mp3=0 b.mp3=0");
    EXPECT_TRUE(fs::is_empty(volume.Path()));  // nothing written beside the volume
}

TEST_F(TransferJobTest, WipesTheStickFirstOnlyWhereThatIsSafe) {
    // (Where wiping is refused: the CLI's tests of the wipe guard.)
    AddMusic("music", {{"a.mp3", 2 * kMB}});
    // Old files go first, and the space they leave counts; a link to the music goes alone.
    files_.capacity = 4 * kMB;
    WriteFileBytes(stick_ / "old/deeper/x.mp3", std::string(3 * kMB, 'x'));
    TryCreateSymlink(temp_ / "music", stick_ / "link");
    TransferJob::Options options = Folder(stick_.Path());
    options.deleteOld = true;
    EXPECT_EQ(Run(options).filesCopied, 1);
    EXPECT_EQ(recorder_.events[0], "status Deleting old music files");
    EXPECT_EQ(recorder_.events[1], "range 3");  // 4 MiB, less a cluster kept for the stick's record
    EXPECT_EQ(FilesIn(stick_.Path()), std::set<std::string>{"a.mp3"});
    EXPECT_TRUE(fs::exists(temp_ / "music/a.mp3"));
}

// A box set of 400 songs, 40 albums of 10, room for 200: balanced, the box set gets about its
// share of folders (1 in 41), the plain draw about half. A dry run saves nothing.
TEST_F(TransferJobTest, BalancedDrawsGiveABigFolderItsShareOfFolders) {
    const auto numbered = [](const char* prefix, int from, int count) {
        std::map<std::string, uint64_t> songs;
        for (int i = from; i < from + count; ++i) {
            songs[prefix + std::to_string(i) + ".mp3"] = 1;
        }
        return songs;
    };
    AddMusic("box", numbered("b", 1000, 400));
    for (int album = 0; album < 40; ++album) {
        AddMusic("album" + std::to_string(album), numbered("a", 1000 + 10 * album, 10));
    }
    const std::string saved = ReadFileBytes(temp_ / "music.ini");
    files_.space = FileOperations::Space{200 * (4096 + 96) + 100, 4096};
    TempDir stick;
    for (const auto& [balance, low, high] : {std::tuple{false, 90, 110}, {true, 1, 9}}) {
        SCOPED_TRACE(balance ? "balanced" : "plain");
        doc_.ClearAllFileFlags();
        TransferJob::Options options = Folder(stick.Path());
        options.balanceFolders = balance;
        options.dryRun = true;
        SeededRandom random(7);
        const TransferResult result = Run(options, &random);
        // The stick's record and the room to put the root in play order take a little.
        ASSERT_GT(result.copies.size(), 185u);
        const auto fromBox = std::count_if(
            result.copies.begin(), result.copies.end(),
            [](const auto& copy) { return copy.source.find("box") != std::string::npos; });
        EXPECT_GE(fromBox, low);
        EXPECT_LE(fromBox, high);
        EXPECT_FALSE(result.saved);
    }
    EXPECT_EQ(ReadFileBytes(temp_ / "music.ini"), saved);
    EXPECT_TRUE(fs::is_empty(stick.Path()));
}

#ifndef _WIN32
// The sticks a playlist or folder test runs on: NTFS (links and pipes on a stick's file
// system) and a plain folder (--folder); each empty, with room to write beside it.
class StickSafetyTest : public TransferJobTest {
  protected:
    StickSafetyTest() : ntfs_(RealVolume::Kind::kNtfs, 16 * kMB) {
        fs::create_directory(stick_ / "stick");
    }
    std::vector<TransferJob::Options> Sticks() {
        std::vector<TransferJob::Options> sticks = {Folder(stick_ / "stick")};
        if (ntfs_.IsMounted()) {
            sticks.push_back(Volume(ntfs_.Path()));
        }
        return sticks;
    }
    static void Empty(const std::string& stick) {
        for (const auto& entry : fs::directory_iterator(stick)) {
            fs::remove_all(entry.path());
        }
    }
    RealVolume ntfs_;
};

// A link out of the stick, a pipe, a device or a huge file at the playlist's name is replaced,
// never written through, waited for or read whole.
TEST_F(StickSafetyTest, WhateverLiesAtThePlaylistsNameIsReplaced) {
    AddMusic("music", {{"a.mp3", 1000}});
    const std::vector<std::function<void(const std::string&)>> makers = {
        [](const std::string& at) { fs::create_symlink(fs::path(at).parent_path() / "v.txt", at); },
        [](const std::string& at) { fs::create_symlink("../v.txt", at); },
        [](const std::string& at) { ASSERT_EQ(mkfifo(at.c_str(), 0644), 0); },
        [](const std::string& at) { fs::create_symlink("/dev/zero", at); },
        [](const std::string& at) {
            WriteFileBytes(at, "#EXTM3U\n");
            fs::resize_file(at, StickLayout::kMaxPlaylistBytes + 1);
        },
    };
    for (TransferJob::Options options : Sticks()) {
        options.playlist = true;
        const std::string victim = fs::path(options.stickDrive).parent_path() / "v.txt";
        const std::string playlist = options.stickDrive + "/Tunecrate.m3u8";
        for (size_t row = 0; row < makers.size(); ++row) {
            SCOPED_TRACE(options.stickDrive + ", row " + std::to_string(row));
            Empty(options.stickDrive);
            doc_.ClearAllFileFlags();
            WriteFileBytes(victim, "victim");
            makers[row](playlist);
            EXPECT_EQ(Run(options).filesCopied, 1);
            EXPECT_EQ(ReadFileBytes(victim), "victim");
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(playlist)));
            EXPECT_EQ(ReadFileBytes(playlist), "#EXTM3U\na.mp3\n");
        }
    }
}

// A numbered folder's name that a link out of the stick or a file holds at the start is passed
// over; a link made there during the run ends it. Nothing is written through either.
TEST_F(StickSafetyTest, NoSongGoesThroughANumberedFolderThatIsNoFolder) {
    AddMusic("music", {{"a.mp3", 1000}, {"b.mp3", 1000}});
    TempDir outside;
    const struct {
        const char* at;  // where a link to `outside` is made ("01 file": a file "01")
        bool duringRun;
        Ending ending;
        std::set<std::string> entries;
    } rows[] = {
        {"01", false, Ending::kAllHandled, {"01", "02", "03"}},
        {"01 file", false, Ending::kAllHandled, {"01", "02", "03"}},
        {"02", true, Ending::kStickFailed, {"01", "02"}},
    };
    for (TransferJob::Options options : Sticks()) {
        options.perFolder = 1;
        for (const auto& row : rows) {
            SCOPED_TRACE(options.stickDrive + ", " + row.at);
            Empty(options.stickDrive);
            doc_.ClearAllFileFlags();
            const std::string at = options.stickDrive + "/" + std::string(row.at, 2);
            const auto make = [&] {
                row.at[2] ? WriteFileBytes(at, "mine")
                          : fs::create_directory_symlink(outside.Path(), at);
            };
            recorder_.onStatus = [&](const std::string& text) {
                if (row.duringRun && text == "Copying: b.mp3") {
                    make();
                }
            };
            if (!row.duringRun) {
                make();
            }
            EXPECT_EQ(Run(options).ending, row.ending);
            EXPECT_EQ(FilesIn(options.stickDrive), row.entries);
            EXPECT_TRUE(fs::is_empty(outside.Path()));
            EXPECT_EQ(Saved(), row.duringRun ? "music: a.mp3=1 b.mp3=0" : "music: a.mp3=1 b.mp3=1");
        }
    }
}

// Names a player takes for a comment ("#…") or that hold ":" or "\" are listed so that players
// and the next run read them; a name that is no UTF-8 gets one that is, on the stick too.
TEST_F(TransferJobTest, EveryPlaylistLineIsReadAgainAndInUtf8) {
    AddMusic("music",
             {{"#9 Dream.mp3", 10}, {"a:b.mp3", 10}, {"b\\c.mp3", 10}, {"\xe9t\xe9.mp3", 10}});
    TransferJob::Options options = Folder(stick_.Path());
    options.playlist = true;
    EXPECT_EQ(Run(options).filesCopied, 4);
    const std::string playlist = ReadFileBytes(stick_ / "Tunecrate.m3u8");
    EXPECT_EQ(playlist, "#EXTM3U\n./#9 Dream.mp3\na:b.mp3\nb\\c.mp3\n_t_.mp3\n");
    EXPECT_EQ(FilesIn(stick_.Path()), (std::set<std::string>{"#9 Dream.mp3", "a:b.mp3", "b\\c.mp3",
                                                             "_t_.mp3", "Tunecrate.m3u8"}));
    Run(options);  // a new cycle: every song is on the stick already
    EXPECT_EQ(ReadFileBytes(stick_ / "Tunecrate.m3u8"), playlist);
}
#endif
