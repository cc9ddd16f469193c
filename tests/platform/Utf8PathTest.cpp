// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Utf8Path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "collection/MusicFileScan.h"
#include "platform/files/DurableFile.h"
#include "storage/IniFile.h"
#include "support/TempDir.h"
#include "transfer/FileOperations.h"

namespace fs = std::filesystem;

// Names with letters outside ASCII go through every file operation of the program unchanged
// (on Windows they would be lost in the system's 8-bit code page).
TEST(Utf8PathTest, NamesWithAnyLettersSurviveEveryFileOperation) {
    TempDir dir;
    const std::string folder = dir / "Müsik Ørkester 音楽";
    const std::string name = "Lied für Ängste – 日本.mp3";
    ASSERT_TRUE(fs::create_directory(platform::PathFromUtf8(folder)));
    EXPECT_EQ(platform::PathToUtf8(platform::PathFromUtf8(folder)), folder);

    const std::string song = FileOperations::JoinPath(folder, name), copy = dir / "Kopie ä.mp3";
    const FileOperations ops;
    WriteFileBytes(song, "music");
    std::vector<std::string> names;
    ASSERT_EQ(ListMusicFiles(folder, {"mp3"}, names), ListOutcome::kListed);
    EXPECT_EQ(names, std::vector<std::string>{name});
    EXPECT_EQ(ops.GetSizeOfFile(folder, name), 5u);
    EXPECT_EQ(ops.CopyWithoutOverwrite(song, copy).outcome, FileOperations::CopyOutcome::kCopied);
    EXPECT_EQ(ReadFileBytes(copy), "music");

    const std::string ini = FileOperations::JoinPath(folder, "Sammlung ß.ini");
    ASSERT_TRUE(platform::ReplaceFileContents(ini, "[MusicFiles]\r\nf0=" + name + "\r\n").Ok());
    IniFile file(ini);
    file.Read();
    file.SelectSection("MusicFiles");
    EXPECT_EQ(file.GetValue("f0"), name);
    EXPECT_EQ(ops.DeleteTree(dir.Path()), 0);
    EXPECT_TRUE(fs::is_empty(platform::PathFromUtf8(dir.Path())));
}

TEST(Utf8PathTest, OnlyTheSystemsOwnRootIsTheSystemRoot) {
#ifdef _WIN32
    const char* windows = std::getenv("SystemRoot");
    ASSERT_NE(windows, nullptr);
    const fs::path systemRoot = platform::PathFromUtf8(windows).root_path();
    EXPECT_TRUE(platform::IsSystemRootFolder(systemRoot));
    EXPECT_FALSE(platform::IsSystemRootFolder(systemRoot / "Users"));
    // Any other drive's root, such as a stick's, may be wiped.
    const std::string other = systemRoot.string()[0] == 'Q' ? "R:\\" : "Q:\\";
    EXPECT_FALSE(platform::IsSystemRootFolder(platform::PathFromUtf8(other)));
#else
    EXPECT_TRUE(platform::IsSystemRootFolder("/"));
    EXPECT_FALSE(platform::IsSystemRootFolder("/media/anna/MUSIC"));
#endif
}
