#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#endif
#include <nlohmann/json.hpp>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <set>

#include "cli/CliFixture.h"
#include "platform/Utf8Path.h"
#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;
using nlohmann::json;

TEST_F(CliTest, HelpVersionAndDrives) {
    const CliResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("fill"), std::string::npos);
    EXPECT_NE(Run({"--version"}).out.find("1.1"), std::string::npos);

#ifdef _WIN32
    const std::string systemRoot = std::string(std::getenv("SystemDrive")) + "\\";
#else
    const std::string systemRoot = "/";
#endif
    const CliResult drives = Run({"drives", "--json"});
    ASSERT_EQ(drives.exitCode, 0) << drives.err;
    bool sawRoot = false;
    const json list = json::parse(drives.out);
    for (const json& drive : list["drives"]) {
        EXPECT_GE(drive["type"].get<int>(), 0);
        EXPECT_LE(drive["type"].get<int>(), 6);
        if (drive["root"] == systemRoot) {
            sawRoot = true;
            EXPECT_GT(drive["bytesTotal"].get<uint64_t>(), 0u);
        }
    }
    EXPECT_TRUE(sawRoot) << drives.out;
}

TEST_F(CliTest, ExtensionsAreEditedLikeTheDialogDoes) {
    const std::string fresh = dir / "fresh.ini";
    const auto ext = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", fresh, "ext"});
        return RunCli(args);
    };
    // Listing an absent settings file does not create it.
    EXPECT_EQ(ext({"list"}).out, "");
    EXPECT_FALSE(fs::exists(fresh));

    EXPECT_EQ(ext({"add", "WAV", ".mp3", "ogg"}).exitCode, 0);
    const CliResult again = ext({"add", "Mp3"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("already registered"), std::string::npos);
    EXPECT_EQ(ext({"list"}).out, "mp3\nogg\nwav\n");

    EXPECT_EQ(ext({"remove", "OGG", "flac"}).exitCode, 0);
    EXPECT_EQ(json::parse(ext({"list", "--json"}).out)["extensions"], (json{"mp3", "wav"}));
    const CliResult blank = ext({"add", " "});
    EXPECT_EQ(blank.exitCode, 1);
    EXPECT_NE(blank.err.find("cannot be empty"), std::string::npos) << blank.err;

    // Without any file type, adding and filling say so and write nothing.
    EXPECT_EQ(ext({"remove", "mp3", "wav"}).exitCode, 0);
    for (const char* command : {"add", "fill"}) {
        const CliResult none = RunCli({"--settings", fresh, command, collection, stick});
        EXPECT_EQ(none.exitCode, 1) << command;
        EXPECT_NE(none.err.find("no music file types are set"), std::string::npos) << none.err;
    }
    EXPECT_FALSE(fs::exists(collection));

    // A settings file that cannot be written: the failure is reported, the file is unchanged.
    const std::string before = ReadFileBytes(fresh);
    fs::permissions(fresh, fs::perms::owner_read);
    const CliResult denied = ext({"add", "aac"});
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_NE(denied.err.find("cannot write"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(fresh), before);
}

TEST_F(CliTest, AddListStatusAndRemove) {
    const std::string rock = dir / "Rock";
    // Letters beyond ASCII must survive the command line and the collection file.
    const std::string jazz = dir / "Jäzz Ørkester";
    fs::create_directories(platform::PathFromUtf8(rock));
    fs::create_directories(platform::PathFromUtf8(jazz));
    WriteFileBytes(rock + "/a.mp3", std::string(1000, 'a'));
    WriteFileBytes(rock + "/b.mp3", std::string(2000, 'b'));
    WriteFileBytes(rock + "/notes.txt", "not music");
    WriteFileBytes(jazz + "/x.MP3", std::string(500, 'x'));

    const CliResult added = Run({"add", collection, rock, jazz, dir / "missing"});
    EXPECT_EQ(added.exitCode, 1);  // one of them could not be added
    EXPECT_NE(added.err.find("Verzeichnis nicht gefunden: " + dir / "missing"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(collection), "[MusicFiles]\r\ndir=" + rock +
                                             "\r\nf0=a.mp3\r\nf0=b.mp3\r\n"
                                             "dir=" +
                                             jazz + "\r\nf0=x.MP3\r\n");

    // The same directory written otherwise is skipped with a notice.
    const CliResult again = Run({"add", collection, rock + "/", dir / "x/../Rock"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find(rock + "/ is already in the collection"), std::string::npos);
    EXPECT_NE(again.err.find("../Rock is already in the collection"), std::string::npos);

    EXPECT_EQ(Run({"list", collection}).out,
              rock + "\n  [ ] a.mp3\n  [ ] b.mp3\n" + jazz + "\n  [ ] x.MP3\n");
    const json list = json::parse(Run({"list", collection, "--json"}).out);
    EXPECT_EQ(list["directories"][0]["files"][1]["name"], "b.mp3");
    EXPECT_EQ(list["directories"][1]["path"], jazz);

    // A file that appeared since is found by the rescan; status counts it.
    WriteFileBytes(jazz + "/y.mp3", std::string(100, 'y'));
    const json status = json::parse(Run({"status", collection, "--json"}).out);
    EXPECT_EQ(status["directories"], 2);
    EXPECT_EQ(status["files"], 4);
    EXPECT_EQ(status["transferred"], 0);
    EXPECT_EQ(status["bytes"], 3600);

    EXPECT_EQ(Run({"remove", collection, jazz}).exitCode, 0);
    const std::string rockOnly = "[MusicFiles]\r\ndir=" + rock + "\r\nf0=a.mp3\r\nf0=b.mp3\r\n";
    EXPECT_EQ(ReadFileBytes(collection), rockOnly);
}

// A whole music tree: every folder that holds music becomes a directory of its own; folders
// without music, links to folders and folders already listed are skipped.
TEST_F(CliTest, AddRecursiveTakesEveryMusicFolderOfATree) {
    for (const char* file : {"z.mp3", "A/x.mp3", "A/B/y.mp3", "C/cover.jpg"}) {
        fs::create_directories(fs::path(music + "/" + file).parent_path());
        WriteFileBytes(music + "/" + file, "x");
    }
    fs::create_directories(music + "/Empty");
    const bool linked = TryCreateSymlink(music + "/A", music + "/Link");
    ASSERT_EQ(Run({"add", collection, music + "/A"}).exitCode, 0);

    const CliResult plain = Run({"add", dir / "plain.ini", dir.Path()});
    EXPECT_NE(plain.err.find("--recursive adds the folders below it"), std::string::npos)
        << plain.err;
    const CliResult tree = Run({"add", collection, music, "--recursive"});
    ASSERT_EQ(tree.exitCode, 0) << tree.err;
    EXPECT_NE(tree.err.find("A is already in the collection"), std::string::npos) << tree.err;
    const std::string below = platform::PathToUtf8(platform::PathFromUtf8(music) / "A" / "B");
    EXPECT_EQ(ReadFileBytes(collection), "[MusicFiles]\r\ndir=" + music + "/A\r\nf0=x.mp3\r\n" +
                                             "dir=" + music + "\r\nf0=z.mp3\r\ndir=" + below +
                                             "\r\nf0=y.mp3\r\n")
        << "links followed: " << linked;
}

TEST_F(CliTest, BadInputGetsOneClearLineAndTheRightExitCode) {
    MakeCollection(2);
    const std::string before = ReadFileBytes(collection);
    const std::string none = dir / "none.ini";
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{"ext", "--bogus"}, 2, ""},
        {{"ext", "add"}, 2, ""},
        {{"ext", "add", "a/b"}, 1, "is not a file extension"},
        {{"list", none}, 1, "no collection file"},
        {{"status", dir.Path()}, 1, "is a directory"},
        {{"add", dir.Path(), music}, 1, "is a directory"},
        {{"remove", collection, dir / "Rock"}, 1, "not in the collection"},
        {{"fill", collection, dir / "nowhere", "--folder"}, 1, "Stick not found"},
        {{"fill", collection, music + "/song0.mp3", "--folder"}, 1, "Stick not found"},
        {{"fill", collection, stick}, 1, "Not the root of a mounted drive"},
        {{"fill", none, stick, "--folder"}, 1, "no collection file"},
        {{"fill", collection, stick, "--folder", "--limit", "0"}, 2, "greater than zero"},
        {{"fill", collection, stick, "--folder", "--seed", "abc"}, 2, "--seed"},
        {{"fill", collection}, 2, "STICK"},
        {{"watch", collection, "--label", "A", "--uuid", "B"}, 2, "Exactly 1 option"},
        {{"fill", collection, stick, "--folder", "--per-folder", "-1"}, 2, "--per-folder"},
        {{"fill", collection, stick, "--folder", "--balance", "album"}, 2, "--balance"},
        // Deleting a folder that is not a removable drive needs --yes without a terminal.
        {{"fill", collection, stick, "--folder", "--delete-old"}, 1, "--yes"},
        // The stick may never hold the collection's own music.
        {{"fill", collection, dir.Path(), "--folder", "--delete-old", "--yes"},
         1,
         "Will not delete"},
    };
    for (const Case& c : cases) {
        const CliResult result = Run(c.args);
        const std::string command = c.args.empty() ? "" : c.args[0];
        EXPECT_EQ(result.exitCode, c.exitCode) << command << "\n" << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFileBytes(collection), before);
    EXPECT_FALSE(fs::exists(none));
    EXPECT_TRUE(FilesIn(stick).empty());
    EXPECT_TRUE(fs::exists(music + "/song0.mp3"));
}

TEST_F(CliTest, CtrlCStopsBetweenFilesAndKeepsTheFlags) {
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
    const json summary = json::parse(result.out);
    EXPECT_EQ(summary["ending"], "stopped");
    EXPECT_EQ(summary["saved"], true);
    EXPECT_LT(summary["filesCopied"].get<int>(), 200);
    EXPECT_EQ(Transferred(), FilesIn(stick));
#endif
}

TEST_F(CliTest, WatchEndsCleanlyOnSigtermWhileWaiting) {
#ifndef _WIN32
    const auto start = std::chrono::steady_clock::now();
    bool sent = false;
    const CliResult result =
        Run({"watch", collection, "--label", "NO STICK"}, [&](int pid, const std::string&) {
            if (!sent &&
                std::chrono::steady_clock::now() - start > std::chrono::milliseconds(300)) {
                kill(pid, SIGTERM);
                sent = true;
            }
        });
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Waiting for a volume with the label NO STICK"), std::string::npos);
#endif
}

// Two programs on one collection: while a fill runs, a second fill is refused at once and copies
// nothing, and so is a command that would save; the first fill's flags all arrive.
TEST_F(CliTest, ASecondProgramCannotSaveWhileAFillRuns) {
    MakeCollection(200, 256 * kKiB);
    const std::string stick2 = dir / "stick2";
    fs::create_directories(stick2);
    const std::string other = dir / "Other";
    fs::create_directories(other);
    CliResult second, add;
    const CliResult first =
        Run({"fill", collection, stick, "--folder"}, [&](int, const std::string&) {
            if (second.exitCode < 0 && FilesIn(stick).size() >= 2) {
                second = Run({"fill", collection, stick2, "--folder"});
                add = Run({"add", collection, other});
            }
        });
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("in use by another program"), std::string::npos) << second.err;
    EXPECT_TRUE(FilesIn(stick2).empty());
    EXPECT_EQ(add.exitCode, 1);
    EXPECT_NE(add.err.find("in use by another program"), std::string::npos) << add.err;
    EXPECT_EQ(Transferred(), FilesIn(stick));
    // The lock file stays for the next program; it holds no lock any more.
    EXPECT_TRUE(fs::exists(collection + ".lock"));
    EXPECT_EQ(Run({"add", collection, other}).exitCode, 0);
}

// A read-only volume is an error: the run ends, marks nothing and exits with 1. (A real volume
// filled to the brim: RealStickTest.)
TEST_F(CliTest, AReadOnlyVolumeIsReported) {
    TmpfsMount readOnly(1024 * kKiB, "ro");
    SKIP_UNLESS_MOUNTED(readOnly);
    MakeCollection(15);
    const CliResult denied = Run({"fill", collection, readOnly.Path()});
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_NE(denied.err.find("error: "), std::string::npos);
    EXPECT_TRUE(Transferred().empty());
}
