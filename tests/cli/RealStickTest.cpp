// SPDX-License-Identifier: GPL-3.0-or-later
// The program end to end on the file systems sticks have: exFAT, NTFS and FAT (RealVolume).
#include <signal.h>

#include <random>

#include "cli/CliFixture.h"
#include "support/RealVolume.h"
#include "transfer/FileOperations.h"

namespace fs = std::filesystem;
using nlohmann::json;
using Kind = RealVolume::Kind;

class RealStickTest : public CliTest {
  protected:
    // Every file on the stick but our temporaries is a whole song (each song's bytes are its
    // own). Returns how many temporaries lie there.
    int ExpectOnlyWholeSongs(const std::string& stick) {
        int temporaries = 0;
        for (const std::string& name : FilesAndCopiesIn(stick)) {
            const std::string data = ReadFileBytes(stick + "/" + name);
            const bool temporary =
                FileOperations::IsTemporaryName(fs::path(name).filename().string());
            temporaries += temporary;
            EXPECT_TRUE(temporary ||
                        std::any_of(songs.begin(), songs.end(),
                                    [&](const auto& song) { return song.second == data; }))
                << name;
        }
        return temporaries;
    }
};

TEST_F(RealStickTest, AnExfatStickWithLargeClustersIsFilledToTheBrim) {
    RealVolume stick(Kind::kExfat, 64 << 20, "MUSIC", 128 * kKiB);
    SKIP_UNLESS_REAL_VOLUME(stick);
    std::mt19937 random(11);
    MakeSongs(520, "song ", [&](int) { return 100 * kKiB + random() % (120 * kKiB); });  // 83 MB
    const json summary = Fill(stick.Path());
    EXPECT_EQ(summary["ending"], "stickFull");
    EXPECT_EQ(ExpectOnlyWholeSongs(stick.Path()), 0);
    EXPECT_EQ(Transferred(), FilesIn(stick.Path()));
    // Free: less than the largest song and a cluster each for the record and the copy folder.
    EXPECT_LT(fs::space(stick.Path()).available, 220 * kKiB + 2 * 128 * kKiB);
    EXPECT_GT(summary["filesCopied"].get<int>(), 250);
}

// A few KiB stay free for the stick's record of its songs.
TEST_F(RealStickTest, AFillGoesOnWithSmallerSongsUntilNoneFits) {
    RealVolume stick(Kind::kExfat, 16 << 20, "");
    SKIP_UNLESS_REAL_VOLUME(stick);
    MakeSongs(34, "song ", [](int i) { return i < 4 ? 5 << 20 : 64 * kKiB; });
    EXPECT_EQ(Fill(stick.Path())["ending"], "stickFull");
    const uint64_t available = fs::space(stick.Path()).available;
    const std::set<std::string> moved = Transferred();
    for (const auto& [name, data] : songs) {
        EXPECT_TRUE(moved.count(name) || data.size() + 8 * kKiB > available) << name;
    }
}

// A FAT root folder holds a fixed number of entries: when it takes no more (a long name needs
// more of them than the copy's temporary name), the folder is full; only songs on it are marked.
TEST_F(RealStickTest, AFullFatRootFolderEndsTheFillAsFull) {
    RealVolume stick(Kind::kFat, 16 << 20, "", 64);  // a root folder of 64 entries
    SKIP_UNLESS_REAL_VOLUME(stick);
    MakeSongs(40, "a song with quite a long name ", [](int i) { return 1000 + i; });
    const json summary = Fill(stick.Path(), {"--limit", "8M"});
    EXPECT_EQ(summary["ending"], "folderFull");
    EXPECT_NE(summary["reason"].get<std::string>().find("folder is full"), std::string::npos);
    EXPECT_EQ(ExpectOnlyWholeSongs(stick.Path()), 0);
    EXPECT_EQ(Transferred(), FilesIn(stick.Path()));
}

// Two names that become the same safe name are numbered; the collection keeps the own names.
class RealStickNamesTest : public RealStickTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(RealStickNamesTest, OddNamesArriveUnderSafeNames) {
    RealVolume stick(GetParam(), 16 << 20, "");  // fusefat lists a label as a file
    SKIP_UNLESS_REAL_VOLUME(stick);
    const std::map<std::string, std::string> ownName = {
        {"What's Going On_.mp3", "What's Going On?.mp3"},
        {"Say _Hi_.mp3", "Say \"Hi\".mp3"},
        {"star_.mp3", "star*.mp3"},
        {"AC-DC_ Live.mp3", "AC-DC: Live.mp3"},
        {"a_b_c.mp3", "a<b>c.mp3"},
        {"a_b_c (2).mp3", "a|b|c.mp3"},
        {"Plain song.mp3", "Plain song.mp3"}};
    std::map<std::string, uint64_t> files;
    std::set<std::string> safeNames, ownNames;
    for (const auto& [safe, own] : ownName) {
        files[own] = 5000 + 1000 * files.size();
        safeNames.insert(safe);
        ownNames.insert(own);
    }
    MakeCollection(files);
    const json summary = Fill(stick.Path(), {"--limit", "4M"});  // FAT reports no free space
    EXPECT_EQ(summary["ending"], "allHandled");
    EXPECT_EQ(summary["filesFailed"], 0);
    EXPECT_EQ(ExpectOnlyWholeSongs(stick.Path()), 0);
    // Which of the two a…c songs got the number depends on the draw.
    EXPECT_EQ(FilesIn(stick.Path()), safeNames);
    EXPECT_EQ(Transferred(), ownNames);
    // Every song is on the stick: the next run begins no new cycle, and no song goes twice.
    const json again = Fill(stick.Path(), {"--limit", "4M"});
    EXPECT_EQ(again["filesCopied"], 0);
    EXPECT_EQ(again["newCycle"], false);
    EXPECT_EQ(FilesIn(stick.Path()), safeNames);
}

INSTANTIATE_TEST_SUITE_P(, RealStickNamesTest,
                         ::testing::Values(Kind::kExfat, Kind::kNtfs, Kind::kFat),
                         [](const auto& info) { return RealVolume::KindName(info.param); });

TEST_F(RealStickTest, AKilledFillLeavesNoTruncatedSongAndTheNextRunNoDebris) {
    RealVolume stick(Kind::kExfat, 96 << 20, "MUSIC", 128 * kKiB);
    SKIP_UNLESS_REAL_VOLUME(stick);
    MakeSongs(30, "big ", [](int i) { return (2 + i % 3) * 1024 * kKiB + 12; });
    // Killed at 1, 2, 4 or 7 new files (temporaries too): mid-copy or between flush and rename.
    for (const size_t files : {1, 2, 4, 7}) {
        SCOPED_TRACE(testing::Message() << "killed at " << files << " new files");
        const size_t before =
            FilesAndCopiesIn(stick.Path()).size() - ExpectOnlyWholeSongs(stick.Path());
        const CliResult killed = Spawn({"fill", collection, stick.Path()}, [&](int pid, auto&) {
            if (FilesAndCopiesIn(stick.Path()).size() >= before + files) {
                kill(pid, SIGKILL);
            }
        });
        EXPECT_EQ(killed.exitCode, 128 + SIGKILL);
        ExpectOnlyWholeSongs(stick.Path());
    }
    EXPECT_EQ(Spawn({"fill", collection, stick.Path(), "--limit", "8M"}).exitCode, 0);
    EXPECT_EQ(ExpectOnlyWholeSongs(stick.Path()), 0);
    EXPECT_GT(FilesIn(stick.Path()).size(), 0u);
}

// A fill into numbered folders of five, with the playlist, onto an exFAT stick.
class NumberedFoldersTest : public RealStickTest {
  protected:
    void SetUp() override {
        SKIP_UNLESS_REAL_VOLUME(stick);
        MakeSongs(23, "song ", [](int i) { return 3000 + 700 * i; });
        const json filled = Fill(stick.Path(), {"--per-folder", "5", "--playlist"});
        for (const json& file : filled["files"]) {
            listed.push_back(file["destination"]);
        }
    }
    std::string Playlist() { return ReadFileBytes(stick.Path() + "/Tunecrate.m3u8"); }
    std::string Lines() {
        std::string text = "#EXTM3U\n";
        for (const std::string& song : listed) {
            text += song + "\n";
        }
        return text;
    }

    RealVolume stick{Kind::kExfat, 16 << 20, ""};
    std::vector<std::string> listed;  // the songs filled, in order; Lines() lists them
};

TEST_F(NumberedFoldersTest, EachFolderTakesItsShareAndThePlaylistListsTheSongsInOrder) {
    std::map<std::string, size_t> perFolder;
    for (const std::string& song : listed) {
        ++perFolder[song.substr(0, song.find('/'))];
        EXPECT_EQ(ReadFileBytes(stick.Path() + "/" + song), songs[song.substr(3)]) << song;
    }
    EXPECT_EQ(perFolder, (std::map<std::string, size_t>{
                             {"01", 5}, {"02", 5}, {"03", 5}, {"04", 5}, {"05", 3}}));
    EXPECT_EQ(Playlist(), Lines());
}

// The next fill goes on in folder 06; a song taken off the stick and lines naming nothing there
// leave the playlist, which keeps the rest of both runs in the order written.
TEST_F(NumberedFoldersTest, ASecondFillGoesOnInTheNextFolderAndThePlaylistKeepsWhatIsThere) {
    fs::remove(stick.Path() + "/" + listed[2]);
    listed.erase(listed.begin() + 2);
    WriteFileBytes(stick.Path() + "/Tunecrate.m3u8",
                   Playlist() + "../Music/song 1.mp3\ngone.mp3\n");
    const json second =
        Fill(stick.Path(), {"--per-folder", "5", "--playlist", "--number", "--limit", "40K"});
    EXPECT_GT(second["filesCopied"].get<int>(), 0);
    for (const json& file : second["files"]) {
        listed.push_back(file["destination"]);
        EXPECT_EQ(listed.back().rfind("06/00", 0), 0u) << listed.back();
    }
    EXPECT_EQ(Playlist(), Lines());
}

// The same name in two folders, names that differ in case only, a safe name beside the same name.
TEST_F(RealStickTest, SongsWhoseNamesClashAllArriveNumbered) {
    RealVolume stick(Kind::kExfat, 16 << 20, "");
    SKIP_UNLESS_REAL_VOLUME(stick);
    MakeCollection({{"01 Intro.mp3", 5000},
                    {"case.mp3", 6000},
                    {"CASE.MP3", 7000},
                    {"a*b.mp3", 8000},
                    {"a_b.mp3", 9000}});
    WriteFileBytes(dir / "More/01 Intro.mp3", songs["More"] = std::string(3000, 'i'));
    ASSERT_EQ(Run({"add", collection, dir / "More"}).exitCode, 0);
    EXPECT_EQ(Fill(stick.Path())["filesCopied"], 6);
    std::multiset<std::string> arrived, made;
    for (const std::string& name : FilesIn(stick.Path())) {
        arrived.insert(ReadFileBytes(stick.Path() + "/" + name));
    }
    for (const auto& song : songs) {
        made.insert(song.second);
    }
    EXPECT_EQ(arrived, made);
    EXPECT_EQ(FilesIn(stick.Path()).count("01 Intro (2).mp3"), 1u);
    EXPECT_EQ(FilesIn(stick.Path()).count("a_b (2).mp3"), 1u);
}

// As wide as the stick needs (4096 clusters: four digits), so two runs sort right past 999.
TEST_F(RealStickTest, NumbersGoOnAcrossRunsAndSortInPlayOrder) {
    RealVolume stick(Kind::kExfat, 16 << 20, "");
    SKIP_UNLESS_REAL_VOLUME(stick);
    MakeSongs(1005, "s", [](int) { return 100; });
    std::vector<std::string> written;
    for (const char* limit : {"2M", "8M"}) {
        const json run = Fill(stick.Path(), {"--number", "--limit", limit});
        for (const json& file : run["files"]) {
            written.push_back(file["destination"]);
        }
    }
    ASSERT_EQ(written.size(), 1005u);
    EXPECT_TRUE(std::is_sorted(written.begin(), written.end()));
    EXPECT_EQ(written.front().substr(0, 5), "0001 ");
    EXPECT_EQ(written.back().substr(0, 5), "1005 ");
}

// A dry run plans what the fill with the same seed then does, names made unique and songs set
// aside included: on a stick whose files take the songs' names, and planning for it wiped.
TEST_F(RealStickTest, ADryRunForetellsTheFillWithAndWithoutDeletion) {
    RealVolume stick(Kind::kExfat, 16 << 20, "", 64 * kKiB);
    SKIP_UNLESS_REAL_VOLUME(stick);
    std::mt19937 random(5);
    std::map<std::string, uint64_t> files;
    for (int i = 0; i < 40; ++i) {
        const std::string number = std::to_string(i);
        files["song " + number + ".mp3"] = files["SONG " + number + ".MP3"] =
            20 * kKiB + random() % (900 * kKiB);
        WriteFileBytes(stick.Path() + "/song " + number + ".mp3", "x");
    }
    MakeCollection(files);
    for (const bool wipe : {false, true}) {
        SCOPED_TRACE(wipe ? "wiped" : "as it is");
        std::vector<std::string> options = {"--dry-run"};
        if (wipe) {
            options.insert(options.end(), {"--delete-old", "--yes"});
        }
        const json planned = Fill(stick.Path(), options);
        options.erase(options.begin());
        const json filled = Fill(stick.Path(), options);
        EXPECT_GT(filled["filesCopied"].get<int>(), 5);
        EXPECT_EQ(planned["files"], filled["files"]);
        EXPECT_EQ(planned["ending"], filled["ending"]);
        EXPECT_NE(filled["files"].dump().find(" (2)"), std::string::npos);
    }
}
