#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/CliRunner.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

TEST(CliTest, UsageErrorsExitWithTwo) {
    EXPECT_EQ(RunCli({}).exitCode, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunCli({"ext", "--bogus"}).exitCode, 2);
    EXPECT_EQ(RunCli({"ext", "add"}).exitCode, 2);
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("fill"), std::string::npos);
    EXPECT_NE(RunCli({"--version"}).out.find("1.1"), std::string::npos);
}

TEST(CliTest, ExtensionsAreEditedLikeTheDialogDoes) {
    TempDir dir;
    const std::string settings = dir / "Tunecrate.ini";
    const auto ext = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", settings, "ext"});
        return RunCli(args);
    };
    // Listing an absent settings file does not create it.
    EXPECT_EQ(ext({"list"}).out, "");
    EXPECT_FALSE(fs::exists(settings));

    EXPECT_EQ(ext({"add", "WAV", ".mp3", "ogg"}).exitCode, 0);
    const CliResult again = ext({"add", "Mp3"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("already registered"), std::string::npos);
    EXPECT_EQ(ext({"list"}).out, "mp3\nogg\nwav\n");
    EXPECT_EQ(ReadFileBytes(settings),
              "[Global]\r\nStickDrive=\r\nMusicCollection=\r\n[Extensions]\r\n"
              "ext=mp3\r\next=ogg\r\next=wav\r\n");

    EXPECT_EQ(ext({"remove", "OGG", "flac"}).exitCode, 0);
    const auto json = nlohmann::json::parse(ext({"list", "--json"}).out);
    EXPECT_EQ(json["extensions"], (nlohmann::json{"mp3", "wav"}));

    EXPECT_EQ(ext({"add", "a/b"}).exitCode, 1);
    // A settings file that cannot be written: the failure is reported, the file is unchanged.
    const std::string before = ReadFileBytes(settings);
    fs::permissions(settings, fs::perms::owner_read);
    const CliResult denied = ext({"add", "aac"});
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_NE(denied.err.find("cannot write"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(settings), before);
}

TEST(CliTest, DrivesListsTheRootFileSystem) {
#ifdef _WIN32
    const std::string kSystemRoot = std::string(std::getenv("SystemDrive")) + "\\";
#else
    const std::string kSystemRoot = "/";
#endif
    const CliResult result = RunCli({"drives", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    bool sawRoot = false;
    for (const auto& drive : json["drives"]) {
        EXPECT_GE(drive["type"].get<int>(), 0);
        EXPECT_LE(drive["type"].get<int>(), 6);
        if (drive["root"] == kSystemRoot) {
            sawRoot = true;
            EXPECT_GT(drive["bytesTotal"].get<uint64_t>(), 0u);
        }
    }
    EXPECT_TRUE(sawRoot) << result.out;
}
