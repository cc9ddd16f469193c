// SPDX-License-Identifier: GPL-3.0-or-later
// Songs stand on disc in play order (players play a folder in the order of its entries), on
// the file systems where that order is the order entries were made: exFAT and FAT. Read after
// mounting the volume again: exfat-fuse lists a folder in on-disc order as it reads it.
#include <fcntl.h>

#include "cli/CliFixture.h"
#include "platform/files/DirectoryStream_posix.h"
#include "support/RealVolume.h"

namespace fs = std::filesystem;
using Kind = RealVolume::Kind;

class PlayOrderTest : public CliTest, public ::testing::WithParamInterface<Kind> {
  protected:
    PlayOrderTest() : volume(GetParam(), 32 << 20, "") {}

    void SetUp() override {
        SKIP_UNLESS_REAL_VOLUME(volume);
        MakeSongs(30, "", [](int i) { return 3000 + 100 * i; });
    }

    // A fill of about 12 songs (fusefat has no free space of its own) with a playlist.
    void FillSome(std::vector<std::string> extra = {}) {
        extra.insert(extra.end(), {"--playlist", "--limit", "240K"});
        Fill(volume.Path(), extra);
    }
    // The songs in `folder` of the stick in the order of their entries on disc.
    std::vector<std::string> OnDisc(const std::string& folder) {
        std::vector<std::string> names;
        const platform::FileDescriptor dir(
            open((volume.Path() + "/" + folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (const std::string& name : platform::DirectoryStream::NamesIn(dir.Get())) {
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mp3") == 0) {
                names.push_back(folder.empty() ? name : folder + "/" + name);
            }
        }
        return names;
    }
    std::vector<std::string> Playlist(const std::string& folder) {
        std::vector<std::string> entries;
        std::istringstream lines(ReadFileBytes(volume.Path() + "/Tunecrate.m3u8"));
        for (std::string line; std::getline(lines, line);) {
            const size_t slash = line.rfind('/');
            if (line[0] != '#' &&
                (slash == std::string::npos ? "" : line.substr(0, slash)) == folder) {
                entries.push_back(line);
            }
        }
        return entries;
    }
    void ExpectPlayOrder(const std::vector<std::string>& folders = {""}) {
        ASSERT_TRUE(volume.Remount());
        for (const std::string& folder : folders) {
            EXPECT_FALSE(Playlist(folder).empty());
            EXPECT_EQ(OnDisc(folder), Playlist(folder)) << "folder '" << folder << "'";
        }
    }

    RealVolume volume;
};

TEST_P(PlayOrderTest, AFillStandsOnDiscInPlaylistOrder) {
    FillSome();
    ExpectPlayOrder();
}

TEST_P(PlayOrderTest, NumberedSongsStandOnDiscInNumberOrder) {
    FillSome({"--number"});
    ASSERT_TRUE(volume.Remount());
    std::vector<std::string> sorted = OnDisc("");
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(OnDisc(""), sorted);
}

TEST_P(PlayOrderTest, ASecondFillAfterDeletedSongsContinuesThePlayOrder) {
    FillSome();
    const std::vector<std::string> first = OnDisc("");
    fs::remove(volume.Path() + "/" + first[1]);
    fs::remove(volume.Path() + "/" + first[4]);
    FillSome();
    ExpectPlayOrder();
}

TEST_P(PlayOrderTest, AWipeAndRefillStandsInPlayOrder) {
    FillSome();
    FillSome({"--delete-old", "--yes"});
    ExpectPlayOrder();
}

TEST_P(PlayOrderTest, ASecondFillIntoNumberedFoldersStandsInPlayOrder) {
    FillSome({"--per-folder", "5"});
    FillSome({"--per-folder", "5"});
    ExpectPlayOrder({"01", "02", "03", "04"});
}

// Songs written in one order, some deleted and others written into the holes, a playlist of
// another order: `order` puts them in the playlist's order.
TEST_P(PlayOrderTest, OrderPutsAScrambledStickInPlaylistOrder) {
    const std::string root = volume.Path();
    fs::create_directory(root + "/01");
    std::string playlist = "#EXTM3U\n";
    for (int i : {7, 3, 12, 1, 9, 20, 5, 14}) {
        const std::string name = (i % 2 ? "" : "01/") + std::to_string(i) + ".mp3";
        WriteFileBytes(root + "/" + name, songs[std::to_string(i) + ".mp3"]);
        playlist += name + "\n";
    }
    fs::remove(root + "/3.mp3");
    WriteFileBytes(root + "/3.mp3", songs["3.mp3"]);
    WriteFileBytes(root + "/Tunecrate.m3u8", playlist);
    const CliResult result = Run({"order", root, "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["ending"], "done");
    ExpectPlayOrder({"", "01"});
}

// What an interrupted `order` left in its staging folder is back in the folder, in order.
TEST_P(PlayOrderTest, OrderFinishesWhatAnInterruptedOneLeft) {
    FillSome();
    const std::vector<std::string> listed = Playlist("");
    fs::create_directory(volume.Path() + "/.tcorder2");
    fs::rename(volume.Path() + "/" + listed[0], volume.Path() + "/.tcorder2/" + listed[0]);
    EXPECT_EQ(Run({"order", volume.Path()}).exitCode, 0);
    EXPECT_FALSE(fs::exists(volume.Path() + "/.tcorder2"));
    ExpectPlayOrder();
}

INSTANTIATE_TEST_SUITE_P(Volumes, PlayOrderTest, ::testing::Values(Kind::kExfat, Kind::kFat),
                         [](const auto& info) { return RealVolume::KindName(info.param); });

// The staging folders that put the root in order need room of their own on a full stick: here
// big clusters, and no playlist, whose rewrite would keep room free as well.
TEST_F(CliTest, AFillToTheBrimLeavesRoomToPutTheRootInPlayOrder) {
    RealVolume stick(Kind::kExfat, 32 << 20, "", 128 << 10);
    SKIP_UNLESS_REAL_VOLUME(stick);
    MakeSongs(70, "", [](int i) { return i < 30 ? 3000 + 100 * i : 900000 + 7919 * i; });
    const nlohmann::json summary = Fill(stick.Path());
    EXPECT_EQ(summary["ending"], "stickFull");
    EXPECT_EQ(summary["orderError"], "");
}

TEST_F(CliTest, OrderOfAStickWithoutSongsHasNothingToDo) {
    const CliResult result = Run({"order", stick, "--folder", "--json"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(result.out)["ending"], "nothingToDo");
}
