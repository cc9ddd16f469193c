// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "transfer/FileOperations.h"
#include "transfer/StickContents.h"

using platform::DriveType;

TEST(StickContentsTest, CountsWhatAWipeDeletesWithoutFollowingLinks) {
    TempDir stick, outside;
    WriteFileBytes(stick / "a.mp3", std::string(1000, 'x'));
    WriteFileBytes(stick / "deep/er/B.MP3", std::string(24, 'x'));
    WriteFileBytes(outside / "big.mp3", std::string(5000, 'x'));
    WriteFileBytes(outside / "tax.pdf", "");
    const FileOperations files;
    const StickContents music = StickContents::Count(stick.Path(), {"ogg", "mp3"}, files);
    EXPECT_EQ(music.Files(), 2u);
    EXPECT_EQ(music.Bytes(), 1024u);
    EXPECT_FALSE(music.NeedsConfirmation(DriveType::kRemovable));
    EXPECT_TRUE(music.NeedsConfirmation(DriveType::kFixed));

    WriteFileBytes(stick / "deep/photo.jpg", "jpg");
    const bool linked = TryCreateSymlink(outside.Path(), stick / "link");
    const StickContents mixed = StickContents::Count(stick.Path(), {"mp3"}, files);
    EXPECT_EQ(mixed.Files(), 3u + linked);
    EXPECT_EQ(mixed.Bytes(), 1027u);
    EXPECT_EQ(mixed.NonMusic(), 1u + linked);
    EXPECT_TRUE(mixed.NeedsConfirmation(DriveType::kRemovable));
    EXPECT_EQ(StickContents::Count(stick / "missing", {"mp3"}, files).Files(), 0u);
}

// The program's own files (its playlist in the root, its hidden records) are not "not music":
// wiping a stick the program filled asks nothing.
TEST(StickContentsTest, CountsTheProgramsOwnFilesAsOurs) {
    TempDir stick;
    WriteFileBytes(stick / "a.mp3", "x");
    WriteFileBytes(stick / "Tunecrate.m3u8", "a.mp3\n");
    WriteFileBytes(stick / ".tunecrate", "record");
    WriteFileBytes(stick / "01/.tunecrate-1-2.part", "x");
    WriteFileBytes(stick / "01/Tunecrate.m3u8", "not ours below the root");
    const StickContents contents = StickContents::Count(stick.Path(), {"mp3"}, FileOperations());
    EXPECT_EQ(contents.Files(), 5u);
    EXPECT_EQ(contents.NonMusic(), 1u);
}
