#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#endif
#include <nlohmann/json.hpp>

#include <filesystem>
#include <set>

#include "cli/CliRunner.h"
#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kKiB = 1024;

// A collection of `count` music files of 100 KiB each, and an empty folder for the stick.
class CliFillTest : public ::testing::Test {
  protected:
    void MakeCollection(int count, uint64_t size = 100 * kKiB) {
        WriteFileBytes(settings, "[Extensions]\r\next=mp3\r\n");
        fs::create_directories(music);
        fs::create_directories(stick);
        for (int i = 0; i < count; ++i) {
            WriteFileBytes(music + "/song" + std::to_string(i) + ".mp3",
                           std::string(size, static_cast<char>('a' + i % 26)));
        }
        ASSERT_EQ(Run({"add", collection, music}).exitCode, 0);
    }

    CliResult Run(std::vector<std::string> args,
                  const std::function<void(int, const std::string&)>& whileRunning = {}) {
        args.insert(args.begin(), {"--settings", settings});
        return RunCli(args, whileRunning);
    }

    // The names of the files flagged as transferred in the collection file.
    std::set<std::string> Transferred() {
        const auto list = nlohmann::json::parse(Run({"list", collection, "--json"}).out);
        std::set<std::string> names;
        for (const auto& file : list["directories"][0]["files"]) {
            if (file["flag"] == 1) {
                names.insert(file["name"].get<std::string>());
            }
        }
        return names;
    }

    static std::set<std::string> FilesIn(const std::string& dir) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    TempDir dir;
    const std::string settings = dir / "Tunecrate.ini";
    const std::string collection = dir / "music.ini";
    const std::string music = dir / "Music";
    const std::string stick = dir / "stick";
};

}  // namespace

TEST_F(CliFillTest, FillsDrawFromUntransferredFilesThenStartANewCycle) {
    MakeCollection(5);
    // 350 KiB hold three files of 100 KiB; the fourth does not fit.
    const CliResult first =
        Run({"fill", collection, stick, "--folder", "--limit", "350K", "--seed", "7", "--json"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const auto summary = nlohmann::json::parse(first.out);
    EXPECT_EQ(summary["filesCopied"], 3);
    EXPECT_EQ(summary["ending"], "stickFull");
    EXPECT_EQ(summary["saved"], true);
    const std::set<std::string> firstFill = FilesIn(stick);
    EXPECT_EQ(firstFill.size(), 3u);
    EXPECT_EQ(Transferred(), firstFill);
    EXPECT_EQ(ReadFileBytes(stick + "/song2.mp3").size() % (100 * kKiB), 0u);

    // The second fill takes the two files left. Then a new cycle begins within the run: the
    // first fill's files come back into play, but the next one drawn does not fit.
    const std::string stick2 = dir / "stick2";
    fs::create_directories(stick2);
    const CliResult second = Run({"fill", collection, stick2, "--folder", "--limit", "250K"});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_NE(second.out.find("Copying: "), std::string::npos);
    EXPECT_NE(second.out.find("Finished copying"), std::string::npos);
    EXPECT_NE(second.out.find("Files copied: 2"), std::string::npos) << second.out;
    for (const std::string& name : FilesIn(stick2)) {
        EXPECT_EQ(firstFill.count(name), 0u) << name;
    }
    EXPECT_EQ(Transferred(), FilesIn(stick2));

    // The third fill draws from the first fill's files, which the new cycle put back.
    const std::string stick3 = dir / "stick3";
    fs::create_directories(stick3);
    ASSERT_EQ(Run({"fill", collection, stick3, "--folder", "--limit", "250K"}).exitCode, 0);
    EXPECT_EQ(FilesIn(stick3).size(), 2u);
    for (const std::string& name : FilesIn(stick3)) {
        EXPECT_EQ(firstFill.count(name), 1u) << name;
    }
    EXPECT_EQ(Transferred().size(), 4u);
}

TEST_F(CliFillTest, TheSameSeedDrawsTheSameFiles) {
    MakeCollection(8);
    const std::string copy = dir / "copy.ini";
    fs::copy_file(collection, copy);
    const std::string other = dir / "other";
    fs::create_directories(other);
    ASSERT_EQ(
        Run({"fill", collection, stick, "--folder", "--limit", "300K", "--seed", "42"}).exitCode,
        0);
    ASSERT_EQ(Run({"fill", copy, other, "--folder", "--limit", "300K", "--seed", "42"}).exitCode,
              0);
    EXPECT_EQ(FilesIn(stick), FilesIn(other));
}

TEST_F(CliFillTest, BadInputGetsOneClearLineAndTheRightExitCode) {
    MakeCollection(2);
    const std::string before = ReadFileBytes(collection);
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"fill", collection, dir / "nowhere", "--folder"}, 1, "Stick not found"},
        {{"fill", collection, music + "/song0.mp3", "--folder"}, 1, "Stick not found"},
        {{"fill", collection, stick}, 1, "Not the root of a mounted drive"},
        {{"fill", dir / "none.ini", stick, "--folder"}, 1, "no collection file"},
        {{"fill", collection, stick, "--folder", "--limit", "0"}, 2, "greater than zero"},
        {{"fill", collection, stick, "--folder", "--limit", "-5"}, 2, "--limit"},
        {{"fill", collection, stick, "--folder", "--limit", "12X"}, 2, "unknown unit"},
        {{"fill", collection, stick, "--folder", "--limit", "99999999999G"}, 2, "too large"},
        {{"fill", collection, stick, "--folder", "--seed", "abc"}, 2, "--seed"},
        {{"fill", collection}, 2, "STICK"},
        // Deleting a folder that is not a removable drive needs --yes without a terminal.
        {{"fill", collection, stick, "--folder", "--delete-old"}, 1, "--yes"},
    };
    for (const Case& c : cases) {
        const CliResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[2] << "\n" << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFileBytes(collection), before);
    EXPECT_TRUE(FilesIn(stick).empty());
}

TEST_F(CliFillTest, DeleteOldWipesTheStickFirst) {
    MakeCollection(3);
    fs::create_directories(stick + "/old/deeper");
    WriteFileBytes(stick + "/old/deeper/old.mp3", "old");
    WriteFileBytes(stick + "/leftover.txt", "old");
    const CliResult result =
        Run({"fill", collection, stick, "--folder", "--delete-old", "--yes", "--limit", "1M"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Deleting old music files"), std::string::npos);
    EXPECT_EQ(FilesIn(stick), (std::set<std::string>{"song0.mp3", "song1.mp3", "song2.mp3"}));

    // The stick may never hold the collection's own music.
    const CliResult refused =
        Run({"fill", collection, dir.Path(), "--folder", "--delete-old", "--yes"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Will not delete"), std::string::npos);
    EXPECT_TRUE(fs::exists(music + "/song0.mp3"));
}

TEST_F(CliFillTest, FillsASizeLimitedVolume) {
    TmpfsMount volume(1024 * kKiB);
    SKIP_UNLESS_MOUNTED(volume);
    MakeCollection(15, 100 * kKiB);
    const CliResult result = Run({"fill", collection, volume.Path(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto summary = nlohmann::json::parse(result.out);
    EXPECT_EQ(summary["ending"], "stickFull");
    EXPECT_GE(summary["filesCopied"].get<int>(), 9);
    EXPECT_EQ(FilesIn(volume.Path()).size(), summary["filesCopied"].get<size_t>());
    EXPECT_EQ(Transferred(), FilesIn(volume.Path()));
}

TEST_F(CliFillTest, CtrlCStopsBetweenFilesAndKeepsTheFlags) {
#ifdef _WIN32
    GTEST_SKIP() << "a console's Ctrl+C cannot be sent to one program from a test on Windows";
#else
    MakeCollection(200, 256 * kKiB);
    bool sent = false;
    const CliResult result =
        Run({"fill", collection, stick, "--folder", "--json"}, [&](int pid, const std::string&) {
            if (!sent && FilesIn(stick).size() >= 3) {
                kill(pid, SIGINT);
                sent = true;
            }
        });
    ASSERT_TRUE(sent);
    EXPECT_EQ(result.exitCode, 1);
    const auto summary = nlohmann::json::parse(result.out);
    EXPECT_EQ(summary["ending"], "stopped");
    EXPECT_EQ(summary["saved"], true);
    EXPECT_LT(summary["filesCopied"].get<int>(), 200);
    EXPECT_EQ(Transferred(), FilesIn(stick));
#endif
}

TEST_F(CliFillTest, FullAndReadOnlySticksLoseNothing) {
    TmpfsMount tiny(64 * kKiB);
    TmpfsMount readOnly(1024 * kKiB, "ro");
    SKIP_UNLESS_MOUNTED(tiny);
    SKIP_UNLESS_MOUNTED(readOnly);
    MakeCollection(3);

    // Full: the first file drawn does not fit; nothing is copied, the flags stay.
    const CliResult full = Run({"fill", collection, tiny.Path(), "--json"});
    EXPECT_EQ(full.exitCode, 0) << full.err;
    EXPECT_EQ(nlohmann::json::parse(full.out)["filesCopied"], 0);
    EXPECT_TRUE(Transferred().empty());

    // Read-only: the copy fails for the stick itself; the run ends and marks nothing.
    const CliResult denied = Run({"fill", collection, readOnly.Path()});
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_NE(denied.err.find("error: "), std::string::npos);
    EXPECT_TRUE(Transferred().empty());
}
