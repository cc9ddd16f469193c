#include "transfer/TransferJob.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "collection/CTunecrateDoc.h"
#include "storage/AppSettings.h"
#include "support/TempDir.h"
#include "support/TmpfsMount.h"
#include "transfer/DriveInfo.h"

namespace fs = std::filesystem;
using Ending = TransferResult::Ending;

namespace {

constexpr uint64_t kMB = 1048576;

// Gives the draws a test asks for, then 0; counts the draws.
class ScriptedRandom : public RandomSource {
  public:
    std::deque<int> values;
    int draws = 0;
    int Draw() override {
        ++draws;
        if (values.empty()) {
            return 0;
        }
        const int value = values.front();
        values.pop_front();
        return value;
    }
};

// Records what the job shows; `onStatus` lets a test act at a status text, on the job's thread.
class RecordingObserver : public TransferObserver {
  public:
    std::function<void(const std::string&)> onStatus;

    void SetStatusText(const std::string& text) override {
        Record("status " + text);
        if (onStatus) {
            onStatus(text);
        }
    }
    void SetProgressRange(uint32_t max) override { Record("range " + std::to_string(max)); }
    void SetProgressPosition(uint32_t mb) override { Record("pos " + std::to_string(mb)); }
    void SetFreeSpaceText(const std::string& text) override { Record("free " + text); }
    void ShowMessageBox(const std::string& text) override { Record("box " + text); }
    void Finished(const TransferResult&) override { Record("finished"); }

    std::vector<std::string> Events() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    std::vector<std::string> Matching(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& event : Events()) {
            if (event.compare(0, prefix.size(), prefix) == 0) {
                out.push_back(event);
            }
        }
        return out;
    }

  private:
    void Record(const std::string& event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(event);
    }
    std::mutex mutex_;
    std::vector<std::string> events_;
};

class QuietUi : public CollectionUi {
  public:
    std::vector<std::string> errors;
    void ShowMessage(const std::string& text) override { errors.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
    std::optional<std::string> ChooseFile(const FileDialog&) override { return std::nullopt; }
    void SetTitle(const std::string&) override {}
    void UpdateAllViews() override {}
};

class TransferJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::make_unique<AppSettings>(home_ / "Tunecrate.ini");
        settings_->SetSaveOnDestroy(false);
        settings_->AddExtension("mp3");
        doc_ = std::make_unique<CTunecrateDoc>(ui_, settings_.get());
        doc_->OnNewDocument();
        doc_->LoadCollection(CollectionPath());
    }

    std::string CollectionPath() const { return home_ / "music.ini"; }

    // Creates a music directory with files of the given sizes and adds it to the collection.
    std::string AddMusic(const std::string& dir, const std::map<std::string, uint64_t>& files) {
        const std::string path = home_ / dir;
        fs::create_directories(path);
        for (const auto& [name, size] : files) {
            WriteFileBytes(path + "/" + name, "");
            fs::resize_file(path + "/" + name, size);
        }
        EXPECT_TRUE(doc_->AddDirectory(path));
        EXPECT_TRUE(doc_->SaveCollection());
        return path;
    }

    // The flag of the file `name` in the directory `dir`.
    int Flag(const std::string& name, const std::string& dir = "music") const {
        for (const auto& entry : doc_->GetLibrary().GetFiles()) {
            if (entry->GetName() == name && entry->GetDirectory() == home_ / dir) {
                return entry->GetFlag();
            }
        }
        ADD_FAILURE() << "no entry " << name;
        return -1;
    }

    // The flags as the collection file holds them, loaded afresh.
    std::map<std::string, int> SavedFlags() {
        QuietUi ui;
        CTunecrateDoc reread(ui, settings_.get());
        reread.OnNewDocument();
        reread.LoadCollection(CollectionPath());
        std::map<std::string, int> flags;
        for (const auto& entry : reread.GetLibrary().GetFiles()) {
            flags[entry->GetFullPath()] = entry->GetFlag();
        }
        return flags;
    }

    TransferJob::Options Folder(const std::string& stick, std::optional<uint64_t> limit = {}) {
        TransferJob::Options options;
        options.stickDrive = stick;
        options.allowPlainFolder = true;
        options.byteLimit = limit;
        options.settingsPath = settings_->GetSettingsPath();
        return options;
    }

    TransferJob::Options Volume(const std::string& stick) {
        TransferJob::Options options = Folder(stick);
        options.allowPlainFolder = false;
        return options;
    }

    // Runs a job on a worker thread, as the program does.
    TransferResult Run(TransferJob::Options options) {
        TransferJob job(*doc_, stickInfo_, files_, random_, stop_, observer_, std::move(options));
        TransferResult result;
        std::thread worker([&] { result = job.Run(); });
        worker.join();
        return result;
    }

    TempDir home_;
    QuietUi ui_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<CTunecrateDoc> doc_;
    DriveInfo stickInfo_;
    FileOperations files_;
    ScriptedRandom random_;
    std::atomic<int> stop_{0};
    RecordingObserver observer_;
};

}  // namespace

TEST(RandomIndexTest, CombinesTwoDrawsAboveOneDrawsReach) {
    ScriptedRandom random;
    random.values = {1, 2};
    EXPECT_EQ(TransferJob::RandomIndex(40000, random), (1 * 32768 + 2) % 40000);
    EXPECT_EQ(random.draws, 2);
    for (int target = 0; target < 40000; ++target) {  // every index can be drawn
        random.values = {target / 32768, target % 32768};
        ASSERT_EQ(TransferJob::RandomIndex(40000, random), target);
    }

    random.draws = 0;
    random.values = {32767, 5};
    EXPECT_EQ(TransferJob::RandomIndex(32767, random), 0);
    EXPECT_EQ(random.draws, 1);
    random.values = {32766};
    EXPECT_EQ(TransferJob::RandomIndex(32767, random), 32766);
    random.values = {7};
    EXPECT_EQ(TransferJob::RandomIndex(5, random), 2);
    EXPECT_EQ(TransferJob::RandomIndex(0, random), 0);
    EXPECT_EQ(random.draws, 3);
}

TEST_F(TransferJobTest, ReckonsMegabytesDownFromAHundredAndAHalf) {
    AddMusic("music", {{"a.mp3", 3145728}, {"huge.mp3", 200 * kMB}});
    TempDir stick;
    random_.values = {0, 0};  // a.mp3, then huge.mp3 (the only one left)
    const TransferResult result = Run(Folder(stick.Path(), 105381888));  // 100.5 MB

    EXPECT_EQ(result.ending, Ending::kStickFull);
    EXPECT_EQ(result.filesCopied, 1);
    EXPECT_EQ(result.freeBytes, 105381888u - 3145728u);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(
        observer_.Events(),
        (std::vector<std::string>{"range 100", "status Copying: a.mp3", "pos 3", "free 97 MB free",
                                  "status Finished copying", "pos 0", "finished"}));
    EXPECT_EQ(fs::file_size(stick / "a.mp3"), 3145728u);
    EXPECT_FALSE(fs::exists(stick / "huge.mp3"));
    EXPECT_EQ(Flag("a.mp3"), 1);
    EXPECT_EQ(Flag("huge.mp3"), 0);  // drawn, did not fit, left as it was
    const std::string music = home_ / "music";
    EXPECT_EQ(SavedFlags(),
              (std::map<std::string, int>{{music + "/a.mp3", 1}, {music + "/huge.mp3", 0}}));
}

TEST_F(TransferJobTest, AFileAsLargeAsTheFreeSpaceDoesNotFit) {
    TmpfsMount stick(kMB);
    SKIP_UNLESS_MOUNTED(stick);
    AddMusic("music", {{"exact.mp3", kMB}, {"small.mp3", 1000}});
    random_.values = {0};  // exact.mp3 first
    const TransferResult result = Run(Volume(stick.Path()));

    EXPECT_EQ(result.ending, Ending::kStickFull);
    EXPECT_EQ(result.filesCopied, 0);  // no smaller file is tried instead
    EXPECT_TRUE(fs::is_empty(stick.Path()));
    EXPECT_EQ(Flag("exact.mp3"), 0);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(observer_.Matching("range"), std::vector<std::string>{"range 1"});

    // One byte more and it fits.
    TempDir folder;
    random_.values = {0};
    EXPECT_EQ(Run(Folder(folder.Path(), kMB + 1)).filesCopied, 1);
    EXPECT_EQ(fs::file_size(folder / "exact.mp3"), kMB);
    EXPECT_EQ(Flag("exact.mp3"), 1);
}

TEST_F(TransferJobTest, FilesWhoseNameIsTakenAreHandledWithoutCopying) {
    AddMusic("music", {{"other.mp3", 1000}, {"song.mp3", 2000}});
    AddMusic("more", {{"song.mp3", 3000}});
    TempDir stick;
    WriteFileBytes(stick / "other.mp3", "old");
    const TransferResult result = Run(Folder(stick.Path(), 100 * kMB));

    EXPECT_EQ(result.ending, Ending::kAllHandled);
    EXPECT_EQ(result.filesCopied, 1);  // the first song.mp3 drawn
    EXPECT_EQ(result.filesFailed, 2);  // other.mp3 and the second song.mp3
    EXPECT_EQ(ReadFileBytes(stick / "other.mp3"), "old");
    EXPECT_EQ(observer_.Matching("free").size(), 1u);
    EXPECT_EQ(result.bytesCopied, fs::file_size(stick / "song.mp3"));
    EXPECT_EQ(Flag("other.mp3"), 1);
    EXPECT_EQ(Flag("song.mp3", "music"), 1);
    EXPECT_EQ(Flag("song.mp3", "more"), 1);
}

TEST_F(TransferJobTest, DrawsUntransferredFilesFirstThenStartsANewCycle) {
    AddMusic("music", {{"a.mp3", 100}, {"b.mp3", 200}, {"c.mp3", 300}});
    std::vector<LibraryEntry*> done;
    for (const auto& entry : doc_->GetLibrary().GetFiles()) {
        if (entry->GetName() != "b.mp3") {
            done.push_back(entry.get());
        }
    }
    doc_->MarkFiles(done);
    TempDir stick;
    const TransferResult result = Run(Folder(stick.Path(), 100 * kMB));

    EXPECT_EQ(result.ending, Ending::kAllHandled);
    EXPECT_EQ(result.filesCopied, 3);
    const std::vector<std::string> copies = observer_.Matching("status Copying");
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0], "status Copying: b.mp3");
    const std::string music = home_ / "music";
    EXPECT_EQ(SavedFlags(),
              (std::map<std::string, int>{
                  {music + "/a.mp3", 1}, {music + "/b.mp3", 1}, {music + "/c.mp3", 1}}));

    // Everything transferred: the next run begins a new cycle at once and draws from all.
    TempDir second;
    random_.values = {2, 0};
    const TransferResult again = Run(Folder(second.Path(), 350));
    EXPECT_EQ(again.ending, Ending::kStickFull);  // a.mp3, drawn after c.mp3, fits no more
    EXPECT_EQ(again.filesCopied, 1);
    EXPECT_TRUE(fs::exists(second / "c.mp3"));
    EXPECT_EQ(Flag("c.mp3"), 1);
    EXPECT_EQ(Flag("a.mp3"), 0);
    EXPECT_EQ(Flag("b.mp3"), 0);
}

TEST_F(TransferJobTest, AStopRequestFinishesTheCurrentCopyFirst) {
    AddMusic("music", {{"a.mp3", 4 * kMB}, {"b.mp3", kMB}, {"c.mp3", kMB}});
    TempDir stick;
    // The user thread presses Stop while the job announces its first copy.
    std::mutex mutex;
    std::condition_variable changed;
    bool copying = false;
    observer_.onStatus = [&](const std::string& text) {
        if (text.rfind(TransferJob::kCopyingText, 0) == 0) {
            std::unique_lock<std::mutex> lock(mutex);
            copying = true;
            changed.notify_all();
            changed.wait(lock, [&] { return stop_.load() != 0; });
        }
    };
    TransferJob job(*doc_, stickInfo_, files_, random_, stop_, observer_, Folder(stick.Path()));
    TransferResult result;
    std::thread worker([&] { result = job.Run(); });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return copying; });
        stop_ = 1;
        changed.notify_all();
    }
    worker.join();

    EXPECT_EQ(result.ending, Ending::kStopped);
    EXPECT_EQ(result.filesCopied, 1);
    EXPECT_EQ(fs::file_size(stick / "a.mp3"), 4 * kMB);
    EXPECT_EQ(Flag("a.mp3"), 1);
    EXPECT_EQ(SavedFlags()[home_ / "music/a.mp3"], 1);
    EXPECT_EQ(observer_.Events().end()[-3], "status Finished copying");

    // With the flag still set the next job reads, copies and saves nothing.
    const std::string saved = ReadFileBytes(CollectionPath());
    observer_.onStatus = nullptr;
    TempDir other;
    const TransferResult idle = Run(Folder(other.Path()));
    EXPECT_EQ(idle.ending, Ending::kStopped);
    EXPECT_FALSE(idle.saved);
    EXPECT_EQ(ReadFileBytes(CollectionPath()), saved);
    EXPECT_TRUE(fs::is_empty(other.Path()));
    EXPECT_EQ(observer_.Events().end()[-3], "status Finished copying");
}

TEST_F(TransferJobTest, AnIndexErrorEndsTheRunAndStillSaves) {
    AddMusic("music", {{"a.mp3", 100}, {"b.mp3", 100}});
    random_.values = {-1};  // a broken source
    TempDir stick;
    const TransferResult result = Run(Folder(stick.Path()));
    EXPECT_EQ(result.ending, Ending::kIndexError);
    EXPECT_EQ(observer_.Matching("box"), std::vector<std::string>{"box Index error!"});
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(Flag("a.mp3"), 0);
    EXPECT_TRUE(fs::is_empty(stick.Path()));
}

TEST_F(TransferJobTest, AnAbsentStickChangesNothing) {
    AddMusic("music", {{"a.mp3", 100}, {"b.mp3", 100}});
    const std::string saved = ReadFileBytes(CollectionPath());
    TmpfsMount stick(4 * kMB);
    SKIP_UNLESS_MOUNTED(stick);
    stickInfo_.SetRootPath(stick.Path());
    stickInfo_.Refresh();  // measured while present, as the form does at start-up
    stick.Unmount();       // then pulled out: a plain directory is left behind

    struct Case {
        std::string stick;
        std::string status;
    };
    for (const Case& c : {Case{stick.Path(), "Not the root of a mounted drive: " + stick.Path()},
                          Case{home_ / "gone", "Stick not found: " + home_ / "gone"},
                          Case{"", "No stick drive chosen"}}) {
        TransferJob::Options options = Volume(c.stick);
        options.deleteOld = true;
        const TransferResult result = Run(options);
        EXPECT_EQ(result.ending, Ending::kRefused) << c.stick;
        EXPECT_EQ(result.error, c.status);
        EXPECT_EQ(observer_.Events().end()[-3], "status " + c.status);
        EXPECT_FALSE(result.saved);
    }
    EXPECT_TRUE(observer_.Matching("status Copying").empty());
    EXPECT_EQ(Flag("a.mp3"), 0);
    EXPECT_EQ(Flag("b.mp3"), 0);
    EXPECT_EQ(ReadFileBytes(CollectionPath()), saved);
    EXPECT_TRUE(fs::is_empty(stick.Path()));
}

// Pulled out while b.mp3 is about to be copied: a.mp3 counts only if it had been flushed.
TEST_F(TransferJobTest, AStickPulledOutMidRunEndsItAtOnce) {
    AddMusic("music", {{"a.mp3", 1000}, {"b.mp3", 1000}, {"c.mp3", 1000}});
    for (const auto interval : {std::chrono::hours(0), std::chrono::hours(1)}) {
        doc_->ClearAllFileFlags();
        TmpfsMount stick(4 * kMB);
        SKIP_UNLESS_MOUNTED(stick);
        observer_.onStatus = [&](const std::string& text) {
            if (text == "Copying: b.mp3") {
                stick.Unmount();
            }
        };
        TransferJob::Options options = Volume(stick.Path());
        options.flushInterval = interval;
        const TransferResult result = Run(options);

        const bool flushed = interval.count() == 0;
        EXPECT_EQ(result.ending, Ending::kStickFailed);
        EXPECT_EQ(result.filesCopied, flushed ? 1 : 0);
        EXPECT_EQ(result.error, "The stick is gone: " + stick.Path());
        EXPECT_EQ(observer_.Events().end()[-3], "status " + result.error);
        EXPECT_TRUE(fs::is_empty(stick.Path()));  // nothing written beside the volume
        EXPECT_EQ(Flag("a.mp3"), flushed ? 1 : 0);
        EXPECT_EQ(Flag("b.mp3"), 0);
        EXPECT_EQ(Flag("c.mp3"), 0);
        EXPECT_TRUE(result.saved);
        EXPECT_EQ(SavedFlags()[home_ / "music/a.mp3"], flushed ? 1 : 0);
    }
}

TEST_F(TransferJobTest, AFolderRemovedMidRunEndsIt) {
    AddMusic("music", {{"a.mp3", 1000}, {"b.mp3", 1000}});
    for (const auto interval : {std::chrono::hours(0), std::chrono::hours(1)}) {
        doc_->ClearAllFileFlags();
        const std::string stick = home_ / "stick";
        fs::create_directory(stick);
        observer_.onStatus = [&](const std::string& text) {
            if (text == "Copying: b.mp3") {
                fs::remove_all(stick);
            }
        };
        TransferJob::Options options = Folder(stick);
        options.flushInterval = interval;
        const TransferResult result = Run(options);
        EXPECT_EQ(result.ending, Ending::kStickFailed);
        EXPECT_EQ(Flag("a.mp3"), interval.count() == 0 ? 1 : 0);
        EXPECT_EQ(Flag("b.mp3"), 0);
    }
}

TEST_F(TransferJobTest, AStickThatFillsUpOrTurnsReadOnlyEndsTheRun) {
    TmpfsMount stick(kMB);
    SKIP_UNLESS_MOUNTED(stick);
    AddMusic("music", {{"a.mp3", 600 * 1024}, {"b.mp3", 100 * 1024}});
    // Something else fills the stick after it was measured.
    observer_.onStatus = [&](const std::string& text) {
        if (text == "Copying: a.mp3") {
            WriteFileBytes(stick.Path() + "/other", std::string(700 * 1024, 'o'));
        }
        if (text == "Copying: b.mp3") {
            mount(nullptr, stick.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
        }
    };
    random_.values = {0};
    TransferResult result = Run(Volume(stick.Path()));
    EXPECT_EQ(result.ending, Ending::kStickFailed);
    EXPECT_NE(result.error.find("No space left on device"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(stick.Path() + "/a.mp3"));  // the partial copy is gone
    EXPECT_EQ(Flag("a.mp3"), 0);

    fs::remove(stick.Path() + "/other");
    random_.values = {1};
    result = Run(Volume(stick.Path()));
    EXPECT_EQ(result.ending, Ending::kStickFailed);
    EXPECT_NE(result.error.find("Read-only file system"), std::string::npos) << result.error;
    EXPECT_EQ(Flag("b.mp3"), 0);
}

TEST_F(TransferJobTest, DeletesOldFilesFirstAndCountsTheSpaceTheyFreed) {
    TmpfsMount stick(4 * kMB);
    SKIP_UNLESS_MOUNTED(stick);
    fs::create_directories(stick.Path() + "/old/deeper");
    WriteFileBytes(stick.Path() + "/old/deeper/x.mp3", std::string(3 * kMB, 'x'));
    AddMusic("music", {{"new.mp3", 2 * kMB}});
    TransferJob::Options options = Volume(stick.Path());
    options.deleteOld = true;
    const TransferResult result = Run(options);

    EXPECT_EQ(result.filesCopied, 1);
    EXPECT_EQ(result.deleteFailures, 0);
    EXPECT_FALSE(fs::exists(stick.Path() + "/old"));
    EXPECT_EQ(fs::file_size(stick.Path() + "/new.mp3"), 2 * kMB);
    EXPECT_EQ(observer_.Events().front(), "status Deleting old music files");
    EXPECT_EQ(observer_.Matching("range"), std::vector<std::string>{"range 4"});
}

TEST_F(TransferJobTest, RefusesToWipeAStickThatHoldsTheUsersFiles) {
    // The stick folder holds the music, or the collection and settings files.
    const std::string music = AddMusic("music", {{"a.mp3", 100}});
    const std::string saved = ReadFileBytes(CollectionPath());
    for (const std::string& stick : {music, home_.Path(), std::string("/")}) {
        TransferJob::Options options = Folder(stick);
        options.deleteOld = true;
        const TransferResult result = Run(options);
        EXPECT_EQ(result.ending, Ending::kRefused) << stick;
        EXPECT_EQ(observer_.Events().end()[-3], "status " + result.error);
    }
    EXPECT_TRUE(fs::exists(music + "/a.mp3"));
    EXPECT_EQ(ReadFileBytes(CollectionPath()), saved);
    EXPECT_EQ(Flag("a.mp3"), 0);
    EXPECT_TRUE(observer_.Matching("status Deleting").empty());

    // A link to the music directory inside the stick is no reason to refuse.
    TempDir stick;
    fs::create_directory_symlink(music, stick / "link");
    TransferJob::Options options = Folder(stick.Path());
    options.deleteOld = true;
    EXPECT_EQ(Run(options).filesCopied, 1);
    EXPECT_TRUE(fs::exists(music + "/a.mp3"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(stick / "link")));
}
