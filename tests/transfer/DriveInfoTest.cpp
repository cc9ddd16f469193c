// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/DriveInfo.h"

#include <gtest/gtest.h>

#include "support/FakeVolumes.h"

TEST(DriveInfoTest, DescribesADriveInFourLines) {
    FakeVolumes volumes;
    volumes.Add("E:\\", {platform::DriveType::kRemovable,
                         platform::DiskSpace{64487424, 128974848, 64487430}, "MUSICSTICK1"});
    volumes.Add("A:\\",
                {platform::DriveType::kRemovable, platform::DiskSpace{999, 1474560, 999}, ""});
    DriveInfo stick(volumes);
    stick.SetRootPath("E:\\");
    stick.Refresh();
    EXPECT_EQ(stick.GetDescription(),
              "Removable Drive\n\nBytes total: 128.974.848\nBytes free: 64.487.424");
    EXPECT_EQ(stick.GetDisplayName(), "E:  (MUSICSTICK1)");
    EXPECT_EQ(stick.GetTotalFreeBytes(), 64487430u);

    DriveInfo floppy(volumes);
    floppy.SetRootPath("A:\\");
    floppy.Refresh();
    EXPECT_EQ(floppy.GetDescription(),
              "Floppy Disc Drive\n\nBytes total: 1.474.560\nBytes free: 999");
    EXPECT_EQ(floppy.GetDisplayName(), "A:");
}

// Only the letters A and B; "/" sorts below "C" but is no drive letter.
TEST(DriveInfoTest, OnlyTheLettersAAndBAreFloppyDrives) {
    FakeVolumes volumes;
    const std::pair<const char*, bool> letters[] = {
        {"A:", true}, {"B:\\", true}, {"C:\\", false}, {"a:\\", false}, {"/", false}};
    for (const auto& [root, isFloppy] : letters) {
        DriveInfo drive(volumes);
        drive.SetRootPath(root);
        EXPECT_EQ(drive.IsFloppyLetter(), isFloppy) << root;
    }
}

TEST(DriveInfoTest, APulledStickKeepsItsLastCountsAndLabel) {
    FakeVolumes volumes;
    volumes.Add("/media/anna/MUSIC", {platform::DriveType::kRemovable,
                                      platform::DiskSpace{1500000, 2000000, 1500000}, "MUSIC"});
    DriveInfo info(volumes);
    info.Refresh();  // no root path yet: nothing is asked
    EXPECT_EQ(info.GetDescription(), "");
    info.SetRootPath("/media/anna/MUSIC");
    info.Refresh();
    EXPECT_TRUE(info.IsSpaceCurrent());

    volumes.Remove("/media/anna/MUSIC");
    info.Refresh();
    EXPECT_EQ(info.GetDriveType(), platform::DriveType::kNoRootDir);
    EXPECT_EQ(info.GetDescription(), "Root directory does not exist.");
    EXPECT_EQ(info.GetFreeBytes(), 1500000u);
    EXPECT_EQ(info.GetDisplayName(), "/media/anna/MUSIC  (MUSIC)");
    EXPECT_FALSE(info.IsSpaceCurrent());
}

TEST(DriveInfoTest, TheStickChoicesAreTheDrivesForMusicAndTheMountedStickInUse) {
    FakeVolumes volumes;
    volumes.Add("/media/anna/MUSIC", {platform::DriveType::kRemovable, {}, "MUSIC"});
    volumes.AddNotForMusic("/", {platform::DriveType::kFixed, {}, ""});
    volumes.AddNotForMusic("/srv/stick", {platform::DriveType::kFixed, {}, ""});
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {"/media/anna/MUSIC"}},
        {"/media/anna/MUSIC", {"/media/anna/MUSIC"}},
        {"/srv/stick", {"/media/anna/MUSIC", "/srv/stick"}},
        {"/media/anna/GONE", {"/media/anna/MUSIC"}},
    };
    for (const auto& [stick, choices] : cases) {
        EXPECT_EQ(DriveInfo::StickChoices(volumes, stick), choices) << stick;
    }
}
