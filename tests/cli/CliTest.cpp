// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#ifndef _WIN32
#include <signal.h>

#include "support/Mount.h"
#endif

#include <algorithm>
#include <cctype>
#include <chrono>
#include <regex>
#include <tuple>

#include "cli/CliFixture.h"
#include "platform/files/Utf8Path.h"
#include "support/TmpfsMount.h"
#include "transfer/FileOperations.h"

namespace fs = std::filesystem;
using nlohmann::json;
using ::testing::HasSubstr;

TEST_F(CliTest, ListingWithoutASettingsFileShowsTheFirstStartsTypes) {
    EXPECT_EQ(Run({"--settings", dir / "fresh.ini", "ext", "list"}).out,
              "mp3\nflac\nogg\nopus\nm4a\naac\nwma\nwav\n");
    EXPECT_FALSE(fs::exists(dir / "fresh.ini"));
}

TEST_F(CliTest, ExtensionsAreEditedLikeTheDialogDoes) {
    EXPECT_EQ(Run({"ext", "add", "WAV", ".mp3", "ogg"}).exitCode, 0);
    const CliResult again = Run({"ext", "add", "Mp3"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_THAT(again.err, HasSubstr("already registered"));
    EXPECT_EQ(Run({"ext", "list"}).out, "mp3\nogg\nwav\n");
    EXPECT_EQ(Run({"ext", "remove", "OGG", "flac"}).exitCode, 0);
    EXPECT_EQ(json::parse(Run({"ext", "list", "--json"}).out)["extensions"], (json{"mp3", "wav"}));
}

TEST_F(CliTest, WithoutAnyFileTypeAddAndFillSaySoAndWriteNothing) {
    EXPECT_EQ(Run({"ext", "remove", "mp3"}).exitCode, 0);
    for (const char* command : {"add", "fill"}) {
        SCOPED_TRACE(command);
        ExpectFailed(Run({command, collection, stick}), "no music file types are set");
    }
    EXPECT_FALSE(fs::exists(collection));
}

// Rock with two songs and a text file, and a folder named beyond ASCII with one song, added
// together with a folder that is missing. Letters beyond ASCII must survive the command line
// and the collection file.
class CliAddTest : public CliTest {
  protected:
    void SetUp() override {
        WriteFileBytes(rock + "/a.mp3", std::string(1000, 'a'));
        WriteFileBytes(rock + "/b.mp3", std::string(2000, 'b'));
        WriteFileBytes(rock + "/notes.txt", "not music");
        WriteFileBytes(jazz + "/x.MP3", std::string(500, 'x'));
        added = Run({"add", collection, rock, jazz, dir / "missing"});
    }
    const std::string rock = dir / "Rock", jazz = dir / "Jäzz Ørkester";
    CliResult added;
};

TEST_F(CliAddTest, AddTakesTheFoldersItCanAndFailsNamingTheOthers) {
    ExpectFailed(added, "error: Directory not found: " + dir / "missing");
    EXPECT_EQ(Run({"list", collection}).out,
              rock + "\n  [ ] a.mp3\n  [ ] b.mp3\n" + jazz + "\n  [ ] x.MP3\n");
}

TEST_F(CliAddTest, TheSameFolderWrittenOtherwiseIsSkippedWithANotice) {
    const std::string before = ReadFileBytes(collection);
    const CliResult again = Run({"add", collection, rock + "/", dir / "x/../Rock"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_THAT(again.err, HasSubstr(rock + "/ is already in the collection"));
    EXPECT_THAT(again.err, HasSubstr("../Rock is already in the collection"));
    EXPECT_EQ(ReadFileBytes(collection), before);
}

TEST_F(CliAddTest, StatusCountsAFileFoundByTheRescan) {
    WriteFileBytes(jazz + "/y.mp3", std::string(100, 'y'));
    const json status = json::parse(Run({"status", collection, "--json"}).out);
    EXPECT_EQ(status["files"], 4);
    EXPECT_EQ(status["bytes"], 3600);
}

TEST_F(CliAddTest, RemoveTakesTheFolderOutOfTheCollection) {
    EXPECT_EQ(Run({"remove", collection, jazz}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(collection),
              "[MusicFiles]\r\ndir=" + rock + "\r\nf0=a.mp3\r\nf0=b.mp3\r\n");
}

// Folders without music, links to folders and folders already listed are skipped.
TEST_F(CliTest, AddRecursiveTakesEveryMusicFolderOfATree) {
    for (const char* file : {"z.mp3", "A/x.mp3", "A/B/y.mp3", "C/cover.jpg"}) {
        WriteFileBytes(music + "/" + file, "x");
    }
    fs::create_directories(music + "/Empty");
    const bool linked = TryCreateSymlink(music + "/A", music + "/Link");
    ASSERT_EQ(Run({"add", collection, music + "/A"}).exitCode, 0);

    const CliResult plain = Run({"add", dir / "plain.ini", dir.Path()});
    EXPECT_THAT(plain.err, HasSubstr("--recursive adds the folders below it"));
    const CliResult tree = Run({"add", collection, music, "--recursive"});
    ASSERT_EQ(tree.exitCode, 0) << tree.err;
    const std::string a = platform::PathToUtf8(platform::PathFromUtf8(music) / "A");
    const std::string below = platform::PathToUtf8(platform::PathFromUtf8(music) / "A" / "B");
    EXPECT_EQ(ReadFileBytes(collection), "[MusicFiles]\r\ndir=" + a + "\r\nf0=x.mp3\r\n" +
                                             "dir=" + music + "\r\nf0=z.mp3\r\ndir=" + below +
                                             "\r\nf0=y.mp3\r\n")
        << "links followed: " << linked;
}

TEST_F(CliTest, BadInputGetsOneClearLineAndTheRightExitCode) {
    MakeCollection(2);
    fs::create_directories(music + "/sub");
    // A collection reached through a link that lies on the stick.
    const std::string linked = stick + "/linked.ini";
    const bool haveLink = TryCreateSymlink(collection, linked);
    const std::string before = ReadFileBytes(collection);
    const std::string none = dir / "none.ini";
    std::string shouted = music;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), ::toupper);
#ifdef _WIN32
    const char* kShoutedMessage = "it is the music folder";
#else
    const char* kShoutedMessage = "Stick not found";
#endif
    std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{}, 2, ""},
        {{"fetch", collection}, 2, "unknown command \"fetch\""},
        {{"ext", "add"}, 2, ""},
        {{"ext", "add", " "}, 1, "cannot be empty"},
        {{"ext", "add", "a/b"}, 1, "is not a file extension"},
        // A collection given as the settings file is neither taken for one nor overwritten.
        {{"--settings", collection, "ext", "add", "flac"}, 1, "is not a settings file"},
        {{"--settings", dir.Path(), "ext", "list"}, 1, "cannot read the settings file"},
        {{"list", none}, 1, "no collection file"},
        {{"status", dir.Path()}, 1, "is a directory"},
        {{"add", dir.Path(), music}, 1, "is a directory"},
        {{"remove", collection, dir / "Rock"}, 1, "not in the collection"},
        {{"fill", collection, dir / "nowhere", "--folder"}, 1, "Stick not found"},
        {{"fill", collection, music + "/song0.mp3", "--folder"}, 1, "Stick not found"},
        {{"fill", collection, stick}, 1, "Not the root of a mounted drive"},
        {{"order", stick}, 1, "Not the root of a mounted drive"},
        {{"fill", none, stick, "--folder"}, 1, "no collection file"},
        {{"fill", collection, stick, "--folder", "--limit", "0"}, 2, "greater than zero"},
        {{"fill", collection, stick, "--folder", "--seed", "abc"}, 2, "--seed"},
        {{"fill", collection}, 2, "STICK"},
        {{"watch", collection, "--label", "A", "--uuid", "B"}, 2, "Exactly 1 option"},
        {{"fill", collection, stick, "--folder", "--per-folder", "-1"}, 2, "--per-folder"},
        {{"fill", collection, stick, "--folder", "--balance", "album"}, 2, "--balance"},
        // Deleting a folder that is not a removable drive needs --yes without a terminal.
        {{"fill", collection, stick, "--folder", "--delete-old"}, 1, "--yes"},
        // Copies never go into the music itself, nor into a folder in it or above it.
        {{"fill", collection, music, "--folder"}, 1, "it is the music folder"},
        {{"fill", collection, music + "/sub", "--folder"}, 1, "it lies in the music folder"},
        {{"fill", collection, dir.Path(), "--folder"}, 1, "it holds the music folder"},
        // The same folder in other letters where the file system ignores case (Windows).
        {{"fill", collection, shouted, "--folder", "--delete-old", "--yes"}, 1, kShoutedMessage},
        // The stick may never hold the collection's own music, nor the collection.
        {{"fill", collection, dir.Path(), "--folder", "--delete-old", "--yes"}, 1, "Will not"},
    };
    if (haveLink) {
        cases.push_back(
            {{"fill", linked, stick, "--folder", "--delete-old", "--yes"}, 1, "Will not delete"});
    }
    for (const auto& [args, exitCode, message] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");  // a refusal is said once, on the error stream
    }
    EXPECT_EQ(ReadFileBytes(collection), before);
    EXPECT_FALSE(fs::exists(none));
    EXPECT_EQ(FilesIn(stick).size(), haveLink ? 1u : 0u);
    EXPECT_EQ(FilesIn(music).size(), 3u);
}

// Unseeded runs in one second would draw alike.
TEST_F(CliTest, TheSeedChoosesTheDraw) {
    MakeCollection(5);
    const auto planned = [&](const char* seed) {
        const std::vector<std::string> args = {"fill",      collection, stick,    "--folder",
                                               "--dry-run", "--json",   "--seed", seed};
        return json::parse(Run(args).out)["files"];
    };
    EXPECT_EQ(planned("7"), planned("7"));
    EXPECT_NE(planned("7"), planned("8"));
}

// A stick with an old song in a folder, wiped before a fill of at most 350 KiB.
class CliWipeTest : public CliTest {
  protected:
    void SetUp() override {
        MakeCollection(5);
        WriteFileBytes(stick + "/old/deeper/old.mp3", "old");
    }
    const std::vector<std::string> fill = {"fill",         collection, stick,  "--folder",
                                           "--delete-old", "--limit",  "350K", "--json"};
};

TEST_F(CliWipeTest, WipingAFolderThatIsNoRemovableDriveIsAskedFirstOnATerminal) {
    ExpectFailed(Run(fill, "n\n"), "On it: 1 file, 1 KB [y/N] Nothing was deleted");
    EXPECT_EQ(FilesIn(stick), (std::set<std::string>{"old"}));
}

// 350 KiB hold three songs of 100 KiB, not four.
TEST_F(CliWipeTest, AFillSavesWhatWentOver) {
    const CliResult filled = Run(fill, "y\n");
    ASSERT_EQ(filled.exitCode, 0) << filled.err;
    const json summary = json::parse(filled.out);
    EXPECT_EQ(summary["filesCopied"], 3);
    EXPECT_EQ(summary["ending"], "limitReached");
    EXPECT_GT(summary["bytesFree"].get<uint64_t>(),
              uint64_t{350} << 10);  // the stick's, not the limit's
    EXPECT_EQ(summary["saved"], true);
    EXPECT_EQ(Transferred(), FilesIn(stick));
}

#ifndef _WIN32
// A song named in Latin-1 (no UTF-8, from old collections) and a song whose reading fails.
class CliJsonTest : public CliTest {
  protected:
    void SetUp() override {
        WriteFileBytes(music + "/caf\xe9.mp3", std::string(1000, 'x'));
        MakeCollection(1);
        fs::remove(music + "/song0.mp3");
        fs::create_symlink("/proc/self/mem", music + "/song0.mp3");
    }
};

TEST_F(CliJsonTest, JsonKeepsANameThatIsNoUtf8Losslessly) {
    const json list = json::parse(Run({"list", collection, "--json"}).out);
    EXPECT_EQ(list["directories"][0]["files"][0]["nameBytes"], "636166e92e6d7033");
    EXPECT_EQ(Run({"status", collection, "--json"}).exitCode, 0);
}

// On the error stream and in the JSON; the song counts as used.
TEST_F(CliJsonTest, AFillNamesEveryFailedFileWithItsReason) {
    const CliResult fill = Run({"fill", collection, stick, "--folder", "--json"});
    ASSERT_EQ(fill.exitCode, 0) << fill.err;
    const json summary = json::parse(fill.out);
    EXPECT_EQ(summary["filesCopied"], 1);
    ASSERT_EQ(summary["failures"].size(), 1u);
    EXPECT_EQ(summary["failures"][0]["file"], music + "/song0.mp3");
    const std::string reason = summary["failures"][0]["reason"];
    EXPECT_THAT(fill.err, HasSubstr("failed: " + music + "/song0.mp3: " + reason));
    EXPECT_TRUE(fs::exists(stick + "/caf_.mp3"));  // named in UTF-8 on the stick
    EXPECT_EQ(summary["ending"], "allHandled");
    EXPECT_EQ(Transferred(), std::set<std::string>{"caf\xef\xbf\xbd.mp3"});  // as JSON shows it
}

// A bind mount shows the music (or a folder above it) under another path: the wipe is refused
// all the same. The same music mounted inside the stick is simply not entered by the wipe.
TEST_F(CliTest, BindMountsCannotLeadTheWipeOntoTheMusic) {
    MakeCollection(3);
    Mount musicAlias(music, dir / "alias");
    Mount parentAlias(dir.Path(), dir / "parentAlias");
    Mount inside(music, stick + "/inside");
    // A folder on a second stick that is also a music folder of the collection.
    const std::string stick2 = dir / "stick2";
    fs::create_directories(stick2 + "/shared");
    Mount shared(stick2 + "/shared", dir / "Shared");
    if (!musicAlias.mounted || !parentAlias.mounted || !inside.mounted || !shared.mounted) {
        GTEST_SKIP() << "bind mounts need the superuser on Linux";
    }
    ASSERT_EQ(Run({"add", collection, dir / "Shared"}).exitCode, 0);
    for (const std::string& alias : {dir / "alias", dir / "parentAlias", stick2}) {
        SCOPED_TRACE(alias);
        ExpectFailed(Run({"fill", collection, alias, "--folder", "--delete-old", "--yes"}),
                     "Will not");
    }
    const CliResult filled =
        Run({"fill", collection, stick, "--folder", "--delete-old", "--yes", "--limit", "1M"});
    EXPECT_EQ(filled.exitCode, 0) << filled.err;
    EXPECT_EQ(FilesIn(music).size(), 3u);
    EXPECT_EQ(FilesIn(stick).size(), 4u);  // the three songs and the mount point
}
// A "song" that is the kernel's trace pipe, whose reads wait for ever.
TEST_F(CliTest, AHangingCopyFailsAfterAStallOrASecondSignal) {
    const Mount tracefs("nodev", dir / "tracefs", "tracefs");
    if (!tracefs.mounted) {
        GTEST_SKIP() << "mounting tracefs needs the superuser on Linux";
    }
    const std::string hanging = tracefs.target + "/trace_pipe";
    FileOperations files;
    files.SetCopyLimits({nullptr, std::chrono::milliseconds(300)});
    const FileOperations::CopyResult stalled =
        files.CopyWithoutOverwrite(hanging, stick + "/song.mp3");
    EXPECT_EQ(stalled.outcome, FileOperations::CopyOutcome::kFileFailed);
    EXPECT_EQ(stalled.message.GetId(), platform::UserMessage::Id::kNoDataFor)
        << stalled.message.Text();

    ASSERT_TRUE(TryCreateSymlink(hanging, music + "/hang.mp3"));
    MakeCollection(0);
    const auto copyBegun = [this] {  // the copy's temporary file is on the stick
        const std::set<std::string> names = FilesAndCopiesIn(stick);
        return std::any_of(names.begin(), names.end(), [](const std::string& name) {
            return FileOperations::IsTemporaryName(fs::path(name).filename().string());
        });
    };
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point firstSignal;
    int sent = 0;
    const CliResult result =
        Spawn({"fill", collection, stick, "--folder", "--json"}, [&](int pid, const std::string&) {
            const auto now = std::chrono::steady_clock::now();
            if (sent == 0 && copyBegun()) {  // the program is past its start, in the copy
                kill(pid, SIGTERM);
                firstSignal = now;
                ++sent;
            } else if (sent == 1 && now - firstSignal > std::chrono::milliseconds(300)) {
                kill(pid, SIGTERM);
                ++sent;
            } else if (now - start > std::chrono::seconds(60)) {
                kill(pid, SIGKILL);  // the run hangs: fail instead of waiting for ever
            }
        });
    ExpectStoppedAndSaved(result);
    EXPECT_TRUE(FilesIn(stick).empty());
}

// What add did, one line per folder given; a tree added again says so in one line.
TEST_F(CliTest, AddSaysWhatItAdded) {
    WriteFileBytes(music + "/a.mp3", "x");
    WriteFileBytes(music + "/b.mp3", "x");
    WriteFileBytes(music + "/A/c.mp3", "x");
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"add", collection, music}, "Added " + music + ": 2 music files\n"},
        {{"add", collection, music, "-r"},
         music + ": 1 folder with 1 music file added, 1 folder already in the collection\n"},
        {{"add", collection, music, "-r"},
         music + ": 0 folders with 0 music files added, 2 folders already in the collection\n"},
    };
    for (const auto& [args, out] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, out);
        EXPECT_EQ(result.err, "");
    }
}

// Counts read as English text: thousands grouped by ",", one of a thing singular.
TEST_F(CliTest, CountsReadAsEnglish) {
    WriteFileBytes(collection, "[MusicFiles]\r\ndir=" + dir / "gone" + "\r\nf1=a.mp3\r\n");
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"drives", "--all"}, "[0-9],[0-9]{3} of [0-9]{1,3}(,[0-9]{3})+ bytes free"},
        {{"status", collection}, "not available: +1 directory with 1 file "},
    };
    for (const auto& [args, pattern] : rows) {
        const CliResult result = Run(args);
        EXPECT_TRUE(std::regex_search(result.out, std::regex(pattern))) << result.out;
    }
}

TEST_F(CliTest, HelpShowsOptionsAsTyped) {
    const std::string help = Run({"fill", "--help"}).out;
    for (const char* leftover : {"{false}", "SIZE:", "N:", "TEXT:"}) {
        EXPECT_EQ(help.find(leftover), std::string::npos) << leftover << " in\n" << help;
    }
}

// A dry run writes nothing, so it takes no lock: it works on a read-only file system.
TEST_F(CliTest, ADryRunWorksOnAReadOnlyFileSystem) {
    MakeCollection(3);
    Mount readOnly(dir.Path(), dir / "ro");
    if (!readOnly.mounted || mount(nullptr, readOnly.target.c_str(), nullptr,
                                   MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        GTEST_SKIP() << "bind mounts need the superuser on Linux";
    }
    const CliResult result = Run({"fill", readOnly.target + "/music.ini",
                                  readOnly.target + "/stick", "--folder", "--dry-run"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("A fill would copy"), std::string::npos);
}

// `list | head`: a listing whose reader has read enough ends quietly and successfully.
TEST_F(CliTest, AListingEndsQuietlyWhenItsReaderStops) {
    MakeCollection(3);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list", collection}, {"status", collection}, {"drives"}}) {
        SCOPED_TRACE(args[0]);
        const CliResult result = Spawn(args, {}, true);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
    }
}

// `fill | head -1`: the reader of the output goes away; the run still copies and saves.
TEST_F(CliTest, AClosedOutputPipeLosesNoFlags) {
    MakeCollection(3);
    ExpectFailed(Spawn({"fill", collection, stick, "--folder"}, {}, true),
                 "error: the output could not be written");
    EXPECT_EQ(FilesIn(stick).size(), 3u);
    EXPECT_EQ(Transferred(), FilesIn(stick));
}

TEST_F(CliTest, WatchEndsCleanlyOnSigtermWhileWaiting) {
    const auto start = std::chrono::steady_clock::now();
    bool sent = false;
    const CliResult result =
        Spawn({"watch", collection, "--label", "NO STICK"}, [&](int pid, const std::string&) {
            if (!sent &&
                std::chrono::steady_clock::now() - start > std::chrono::milliseconds(300)) {
                kill(pid, SIGTERM);
                sent = true;
            }
        });
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Waiting for a volume with the label NO STICK"), std::string::npos);
}

// A fill of 200 songs, held still once two are on the stick while `meanwhile` runs, then
// stopped with Ctrl+C.
class CliCtrlCTest : public CliTest {
  protected:
    CliResult FillStoppedByCtrlC(const std::function<void()>& meanwhile = [] {}) {
        MakeCollection(200, 256 * kKiB);
        bool done = false;
        return Spawn({"fill", collection, stick, "--folder", "--json"},
                     [&](int pid, const std::string&) {
                         if (!done && FilesAndCopiesIn(stick).size() >= 2) {
                             kill(pid, SIGSTOP);
                             meanwhile();
                             kill(pid, SIGCONT);
                             kill(pid, SIGINT);
                             done = true;
                         }
                     });
    }
};

// Refused at once, copying nothing; the lock file stays for the next program, holding no lock.
TEST_F(CliCtrlCTest, WhileAFillRunsASecondFillAndASaveAreRefused) {
    const std::string stick2 = dir / "stick2", other = dir / "Other";
    fs::create_directories(stick2);
    fs::create_directories(other);
    CliResult second, add;
    FillStoppedByCtrlC([&] {
        second = Spawn({"fill", collection, stick2, "--folder"});
        add = Spawn({"add", collection, other});
    });
    for (const CliResult& refused : {second, add}) {
        ExpectFailed(refused, "in use by another program");
    }
    EXPECT_TRUE(FilesIn(stick2).empty());
    EXPECT_TRUE(fs::exists(collection + ".lock"));
    EXPECT_EQ(Run({"add", collection, other}).exitCode, 0);
}

TEST_F(CliCtrlCTest, CtrlCStopsAFillBetweenFilesKeepingTheFlags) {
    ExpectStoppedAndSaved(FillStoppedByCtrlC());
    EXPECT_LT(FilesIn(stick).size(), 200u);
}

#endif

TEST_F(CliTest, AReadOnlyVolumeIsReported) {
    TmpfsMount readOnly(1024 * kKiB, "ro");
    SKIP_UNLESS_MOUNTED(readOnly);
    MakeCollection(15);
    ExpectFailed(Run({"fill", collection, readOnly.Path()}), "error: ");
    EXPECT_TRUE(Transferred().empty());
}

// The user's own song in the root counts against the limit.
TEST_F(CliTest, TheFolderLimitEndsARootFillWithTheDeviceLimit) {
    MakeCollection(8, 1000);
    WriteFileBytes(stick + "/mine.mp3", "x");
    EXPECT_EQ(Fill(stick, {"--folder", "--folder-limit", "4"})["ending"], "deviceLimit");
    EXPECT_EQ(FilesIn(stick).size(), 4u);
}

TEST_F(CliTest, TheFolderLimitCapsTheSongsPerNumberedFolder) {
    MakeCollection(7, 1000);
    const json summary = Fill(stick, {"--folder", "--per-folder", "5", "--folder-limit", "3"});
    EXPECT_EQ(summary["ending"], "allHandled");
    for (const char* folder : {"01", "02"}) {
        EXPECT_EQ(FilesIn(stick + "/" + folder).size(), 3u) << folder;
    }
    EXPECT_EQ(FilesIn(stick + "/03").size(), 1u);
}

// Folders the stick has already count against the player's most folders.
TEST_F(CliTest, TheMostFoldersEndTheFillWithTheDeviceLimit) {
    MakeCollection(9, 1000);
    fs::create_directory(stick + "/Audiobooks");
    const json summary = Fill(stick, {"--folder", "--per-folder", "2", "--max-folders", "3"});
    EXPECT_EQ(summary["ending"], "deviceLimit");
    EXPECT_EQ(summary["filesCopied"], 4);
    EXPECT_FALSE(fs::exists(stick + "/03"));
}
