// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileOperations.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>

#include "support/Mount.h"
#endif

#include <atomic>
#include <filesystem>
#include <tuple>

#include "support/TempDir.h"
#include "transfer/StickFolder.h"

namespace fs = std::filesystem;
using Outcome = FileOperations::CopyOutcome;
using MessageId = platform::UserMessage::Id;

// Links on the stick are removed, not followed.
TEST(FileOperationsTest, DeletesEverythingBelowTheRootButReadOnlyFilesAndNothingBehindALink) {
    TempDir stick, outside;  // on the same file system
    WriteFileBytes(outside / "keep.mp3", "precious");
    for (const char* file : {"top.mp3", ".hidden", "a/1.mp3", "a/b/2.txt", "a/b/c/3", "locked/x"}) {
        WriteFileBytes(stick / file, "data");
    }
    const bool linked = TryCreateSymlink(outside.Path(), stick / "a/link") &&
                        TryCreateSymlink(outside / "keep.mp3", stick / "file-link");
    WriteFileBytes(stick / "locked/read-only.mp3", "x");
    fs::permissions(stick / "locked/read-only.mp3",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const FileOperations ops;
    EXPECT_EQ(ops.DeleteTree(stick.Path()), 2);  // the file and the folder that holds it
    EXPECT_EQ(FilesIn(stick.Path()), std::set<std::string>{"locked"});
    EXPECT_EQ(FilesIn(stick / "locked"), std::set<std::string>{"read-only.mp3"});
    EXPECT_EQ(FilesIn(outside.Path()), std::set<std::string>{"keep.mp3"}) << "linked: " << linked;
    EXPECT_EQ(ReadFileBytes(outside / "keep.mp3"), "precious");

    fs::permissions(stick / "locked/read-only.mp3", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(stick / "locked/read-only.mp3");
    EXPECT_EQ(ops.DeleteTree(stick.Path()), 0);
    EXPECT_TRUE(fs::is_empty(stick.Path()));
    EXPECT_EQ(ops.DeleteTree(stick.Path()), 0);
    EXPECT_EQ(ops.DeleteTree(stick / "missing"), 0);
    EXPECT_EQ(ops.DeleteTree(""), 0);
    EXPECT_TRUE(fs::is_directory(stick.Path()));
}

#ifndef _WIN32
TEST(FileOperationsTest, OtherMountsOnTheStickAreNotEntered) {
    TempDir outside;
    WriteFileBytes(outside / "keep.mp3", "precious");
    TempDir stick;
    const Mount nested("tmpfs", stick / "nested", "tmpfs");
    if (!nested.mounted) {
        GTEST_SKIP() << "mounts below the stick need the superuser";
    }
    WriteFileBytes(stick / "nested/inside.mp3", "kept");
    const Mount bound(outside.Path(), stick / "bound");
    ASSERT_TRUE(bound.mounted);
    int listed = 0;  // nor are they listed, as the wipe question counts
    FileOperations().ListTree(stick.Path(), [&listed](const auto&) { ++listed; });
    EXPECT_EQ(listed, 0);
    EXPECT_EQ(FileOperations().DeleteTree(stick.Path()), 2);  // each mount point stays and counts
    EXPECT_EQ(ReadFileBytes(stick / "nested/inside.mp3"), "kept");
    EXPECT_EQ(ReadFileBytes(outside / "keep.mp3"), "precious");
}
#endif

TEST(FileOperationsTest, MeasuresRegularFilesOnly) {
    TempDir dir;
    const uint64_t big = (uint64_t{5} << 30) + 17;  // beyond 32 bits; sparse on disc
    WriteFileBytes(dir / "big.flac", "");
    fs::resize_file(dir / "big.flac", big);
    WriteFileBytes(dir / "empty.mp3", "");
    fs::create_directory(dir / "folder.mp3");
    std::vector<std::string> zeros = {"empty.mp3", "missing.mp3", "folder.mp3"};
#ifndef _WIN32
    ASSERT_EQ(mkfifo((dir / "pipe.mp3").c_str(), 0644), 0);
    zeros.push_back("pipe.mp3");
#endif
    const FileOperations ops;
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "big.flac"), big);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path() + "/", "big.flac"), big);
    for (const std::string& name : zeros) {
        EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), name), 0u) << name;  // a pipe must not block
    }
}

TEST(FileOperationsTest, CopiesNeverOverwriteAndTellTheStickFromTheFile) {
    TempDir music, stick;
    const std::string data(3 * 1024 * 1024 + 5, 'm');
    WriteFileBytes(music / "song.mp3", data);
    fs::last_write_time(music / "song.mp3",
                        fs::file_time_type::clock::now() - std::chrono::hours(24));
    WriteFileBytes(stick / "taken.mp3", "old");
    const FileOperations ops;
    EXPECT_EQ(ops.CopyWithoutOverwrite(music / "song.mp3", stick / "song.mp3").outcome,
              Outcome::kCopied);
    EXPECT_EQ(ReadFileBytes(stick / "song.mp3"), data);
    EXPECT_EQ(fs::last_write_time(stick / "song.mp3"), fs::last_write_time(music / "song.mp3"));
    const std::map<std::string, Outcome> cases = {{"taken.mp3", Outcome::kNameTaken},
                                                  {std::string(300, 'n'), Outcome::kFileFailed},
                                                  {"pulled-out/song.mp3", Outcome::kStickFailed}};
    for (const auto& [name, outcome] : cases) {
        const FileOperations::CopyResult result =
            ops.CopyWithoutOverwrite(music / "song.mp3", stick / name);
        EXPECT_EQ(result.outcome, outcome) << name << ": " << result.message.Text();
    }
    EXPECT_EQ(ops.CopyWithoutOverwrite(music / "gone.mp3", stick / "gone.mp3").outcome,
              Outcome::kFileFailed);
    // Nothing else arrived, not even a temporary of a failed copy.
    EXPECT_EQ(FilesIn(stick.Path()), (std::set<std::string>{"song.mp3", "taken.mp3"}));
    EXPECT_EQ(ReadFileBytes(stick / "taken.mp3"), "old");
}

// The program's own reasons travel as message ids, which the GUI translates.
TEST(FileOperationsTest, ACopyFromWhatIsNoFileFailsWithTheProgramsOwnReason) {
    TempDir music, stick;
#ifdef _WIN32
    const std::string source = "NUL";  // a device
#else
    const std::string source = music / "folder.mp3";
    fs::create_directory(source);
#endif
    const FileOperations::CopyResult result =
        FileOperations().CopyWithoutOverwrite(source, stick / "song.mp3");
    EXPECT_EQ(result.outcome, Outcome::kFileFailed);
    EXPECT_EQ(result.message, platform::UserMessage(MessageId::kNotRegularFileAt, {source}));
}

TEST(FileOperationsTest, AnAbandonedCopyLeavesNothingAndGivesTheProgramsOwnReason) {
    TempDir music, stick;
    WriteFileBytes(music / "song.mp3", "music");
    const std::atomic<bool> abandon{true};
    FileOperations ops;
    ops.SetCopyLimits({&abandon});
    const FileOperations::CopyResult result =
        ops.CopyWithoutOverwrite(music / "song.mp3", stick / "song.mp3");
    EXPECT_EQ(result.outcome, Outcome::kAbandoned);
    EXPECT_EQ(result.message.GetId(), MessageId::kCopyAbandoned) << result.message.Text();
    EXPECT_TRUE(FilesIn(stick.Path()).empty());
}

TEST(FileOperationsTest, SafeNamesForFatExfatAndNtfs) {
    const std::tuple<const char*, unsigned, const char*> rows[] = {
        {"What's Going On?.mp3", 1, "What's Going On_.mp3"},
        {"Say \"Hi\" <live>|*.mp3", 1, "Say _Hi_ _live___.mp3"},
        {"AC-DC: Live\\1/2.mp3", 1, "AC-DC_ Live_1_2.mp3"},
        {"tab\there\x7f.ogg", 1, "tab_here\x7f.ogg"},
        {"Ends with dots. . ", 1, "Ends with dots"},
        {"bad \xff\xc3.mp3", 1, "bad __.mp3"},
        {"Lied \xc3\xa4?.mp3", 3, "Lied \xc3\xa4_ (3).mp3"},
        {"...", 1, "_"},
    };
    for (const auto& [name, copy, safe] : rows) {
        EXPECT_EQ(FileOperations::SafeName(name, copy), safe) << name << ", copy " << copy;
    }
    // 300 two-byte letters: shortened before the extension to what every system holds.
    std::string umlauts;
    for (int i = 0; i < 300; ++i) {
        umlauts += "\xc3\xa4";
    }
    const std::string shortened = FileOperations::SafeName(umlauts + ".flac", 12);
#ifdef _WIN32
    const auto units = std::count_if(shortened.begin(), shortened.end(), [](char c) {
        return (static_cast<unsigned char>(c) >> 6) != 2;  // UTF-16 units: one per letter here
    });
    EXPECT_EQ(units, 255);
#else
    EXPECT_EQ(shortened.size(), 254u);  // Linux counts bytes; whole letters only
#endif
    EXPECT_EQ(shortened.substr(shortened.size() - 12), "\xc3\xa4 (12).flac");
}

TEST(FileOperationsTest, RemovesOnlyItsOwnLeftovers) {
    TempDir stick;
    fs::create_directories(stick / ".tunecrate-7.part");  // a folder: not ours
    // This process's copy is a running run's, which another run on the stick must leave alone.
    const std::string mine = FileOperations::TemporaryName(3);
    const std::set<std::string> kept = {
        ".tunecrate-7.part",     ".tunecrate-x.part",  "song.part", "tunecrate-3.part",
        ".tunecrate-3.part.mp3", ".tunecrate--3.part", mine};
    for (const std::string& name : kept) {
        if (name != ".tunecrate-7.part") {
            WriteFileBytes(stick / name, "x");
        }
    }
    WriteFileBytes(stick / ".tunecrate-3.part", "half a song");      // an older version's
    WriteFileBytes(stick / ".tunecrate-2147483646-12345.part", "");  // of a process that is gone
    StickFolder folder;
    ASSERT_TRUE(StickFolder::OpenRoot(stick.Path(), folder).Ok());
    EXPECT_EQ(FileOperations().RemoveLeftovers(folder), 0);
    EXPECT_EQ(FilesIn(stick.Path()), kept);
}
