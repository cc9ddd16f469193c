#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/CliRunner.h"
#include "platform/Utf8Path.h"
#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;

namespace {

// A settings file that registers mp3, and two music folders.
class CliCollectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFileBytes(settings, "[Extensions]\r\next=mp3\r\n");
        fs::create_directories(platform::PathFromUtf8(rock));
        fs::create_directories(platform::PathFromUtf8(jazz));
        WriteFileBytes(rock + "/a.mp3", std::string(1000, 'a'));
        WriteFileBytes(rock + "/b.mp3", std::string(2000, 'b'));
        WriteFileBytes(rock + "/notes.txt", "not music");
        WriteFileBytes(jazz + "/x.MP3", std::string(500, 'x'));
    }

    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", settings});
        return RunCli(args);
    }

    TempDir dir;
    const std::string settings = dir / "Tunecrate.ini";
    const std::string collection = dir / "music.ini";
    const std::string rock = dir / "Rock";
    // Letters beyond ASCII must survive the command line and the collection file.
    const std::string jazz = dir / "Jäzz Ørkester";
};

}  // namespace

TEST_F(CliCollectionTest, AddListStatusAndRemove) {
    const CliResult added =
        Run({"add", collection, rock, jazz, "", dir / "missing", dir / "Rock/a.mp3"});
    EXPECT_EQ(added.exitCode, 1);  // two of them could not be added
    EXPECT_NE(added.err.find("Verzeichnis nicht gefunden: " + dir / "missing"), std::string::npos);
    EXPECT_NE(added.err.find("Verzeichnis nicht gefunden: " + dir / "Rock/a.mp3"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(collection), "[MusicFiles]\r\ndir=" + rock +
                                             "\r\nf0=a.mp3\r\nf0=b.mp3\r\n"
                                             "dir=" +
                                             jazz + "\r\nf0=x.MP3\r\n");

    // The same directory in other letters is skipped with a notice.
    std::string shouted = rock;
    for (char& c : shouted) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const CliResult again = Run({"add", collection, shouted});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("already in the collection"), std::string::npos);

    EXPECT_EQ(Run({"list", collection}).out,
              rock + "\n  [ ] a.mp3\n  [ ] b.mp3\n" + jazz + "\n  [ ] x.MP3\n");
    const auto list = nlohmann::json::parse(Run({"list", collection, "--json"}).out);
    EXPECT_EQ(list["directories"][0]["files"][1]["name"], "b.mp3");
    EXPECT_EQ(list["directories"][1]["path"], jazz);

    // A file that appeared since is found by the rescan; status counts it.
    WriteFileBytes(jazz + "/y.mp3", std::string(100, 'y'));
    const auto status = nlohmann::json::parse(Run({"status", collection, "--json"}).out);
    EXPECT_EQ(status["directories"], 2);
    EXPECT_EQ(status["files"], 4);
    EXPECT_EQ(status["transferred"], 0);
    EXPECT_EQ(status["bytes"], 3600);

    EXPECT_EQ(Run({"remove", collection, jazz}).exitCode, 0);
    const CliResult absent = Run({"remove", collection, jazz});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("not in the collection"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(collection),
              "[MusicFiles]\r\ndir=" + rock + "\r\nf0=a.mp3\r\nf0=b.mp3\r\n");
}

TEST_F(CliCollectionTest, BadCollectionPathsFailCleanly) {
    for (const char* command : {"list", "status"}) {
        const CliResult missing = Run({command, collection});
        EXPECT_EQ(missing.exitCode, 1);
        EXPECT_NE(missing.err.find("no collection file"), std::string::npos);
        const CliResult directory = Run({command, dir.Path()});
        EXPECT_EQ(directory.exitCode, 1);
        EXPECT_NE(directory.err.find("is a directory"), std::string::npos);
    }
    EXPECT_EQ(Run({"add", dir.Path(), rock}).exitCode, 1);
    EXPECT_FALSE(fs::exists(collection));

    // A collection that cannot be written: the failure is reported, the file is unchanged.
    ASSERT_EQ(Run({"add", collection, rock}).exitCode, 0);
    const std::string before = ReadFileBytes(collection);
    fs::permissions(collection, fs::perms::owner_read);
    const CliResult denied = Run({"add", collection, jazz});
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_NE(denied.err.find("error:"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(collection), before);
}

TEST_F(CliCollectionTest, CollectionOnAReadOnlyVolumeIsReported) {
    TmpfsMount volume(1 << 20, "ro");
    SKIP_UNLESS_MOUNTED(volume);
    const CliResult result = Run({"add", volume.Path() + "/music.ini", rock});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("error:"), std::string::npos);
}
