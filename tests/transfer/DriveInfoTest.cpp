#include "transfer/DriveInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Drives that answer as the test says; a drive without space or label fails those queries.
class FakeVolumes : public platform::VolumeQueries {
  public:
    struct Drive {
        int type = 1;
        bool hasSpace = false;
        platform::DiskSpace space;
        bool hasLabel = false;
        std::string label;
    };
    std::map<std::string, Drive> drives;

    std::vector<std::string> GetDriveRoots() const override { return {}; }
    int GetDriveType(const std::string& root) const override {
        auto it = drives.find(root);
        return it == drives.end() ? 1 : it->second.type;
    }
    bool GetDiskSpace(const std::string& root, platform::DiskSpace& space) const override {
        auto it = drives.find(root);
        if (it == drives.end() || !it->second.hasSpace) {
            return false;
        }
        space = it->second.space;
        return true;
    }
    bool GetVolumeLabel(const std::string& root, std::string& label) const override {
        auto it = drives.find(root);
        if (it == drives.end() || !it->second.hasLabel) {
            return false;
        }
        label = it->second.label;
        return true;
    }
};

FakeVolumes::Drive Stick(int type, uint64_t total, uint64_t free, const std::string& label) {
    FakeVolumes::Drive drive;
    drive.type = type;
    drive.hasSpace = true;
    drive.space.total = total;
    drive.space.freeToCaller = free;
    drive.space.totalFree = free + 7;
    drive.hasLabel = true;
    drive.label = label;
    return drive;
}

}  // namespace

TEST(DriveInfoTest, DescribesARemovableStickInFourLines) {
    FakeVolumes volumes;
    volumes.drives["E:\\"] = Stick(2, 128974848, 64487424, "MUSICSTICK1");
    DriveInfo info(volumes);
    info.SetRootPath("E:\\");
    info.Refresh();
    EXPECT_EQ(info.GetDriveType(), 2);
    EXPECT_EQ(info.GetDescription(),
              "Removable Drive\n\nBytes total: 128.974.848\nBytes free: 64.487.424");
    EXPECT_EQ(info.GetFreeBytes(), 64487424u);
    EXPECT_EQ(info.GetTotalBytes(), 128974848u);
    EXPECT_EQ(info.GetTotalFreeBytes(), 64487431u);
    EXPECT_TRUE(info.IsSpaceCurrent());
    EXPECT_EQ(info.GetDriveLetter(), "E:");
    EXPECT_EQ(info.GetDisplayName(), "E:  (MUSICSTICK1)");
    EXPECT_FALSE(info.IsFloppyLetter());
}

TEST(DriveInfoTest, TypeTextsAndFloppyLetters) {
    EXPECT_EQ(DriveInfo::TypeText(0, false), "Drive type cannot be determined.");
    EXPECT_EQ(DriveInfo::TypeText(1, false), "Root directory does not exist.");
    EXPECT_EQ(DriveInfo::TypeText(2, true), "Floppy Disc Drive");
    EXPECT_EQ(DriveInfo::TypeText(3, false), "Hard Disc");
    EXPECT_EQ(DriveInfo::TypeText(4, false), "Remote (Network) Drive.");
    EXPECT_EQ(DriveInfo::TypeText(5, false), "CD-/DVD-ROM drive");
    EXPECT_EQ(DriveInfo::TypeText(6, false), "RAM disk");
    EXPECT_EQ(DriveInfo::TypeText(7, false), "");

    FakeVolumes volumes;
    volumes.drives["A:\\"] = Stick(2, 1474560, 1000, "");
    volumes.drives["/"] = Stick(2, 1000, 999, "");
    DriveInfo floppy(volumes);
    floppy.SetRootPath("A:\\");
    floppy.Refresh();
    EXPECT_TRUE(floppy.IsFloppyLetter());
    EXPECT_EQ(floppy.GetDescription(),
              "Floppy Disc Drive\n\nBytes total: 1.474.560\nBytes free: 1.000");
    EXPECT_EQ(floppy.GetDisplayName(), "A:");

    DriveInfo mountPoint(volumes);  // "/" sorts below C but is no drive letter
    mountPoint.SetRootPath("/");
    mountPoint.Refresh();
    EXPECT_FALSE(mountPoint.IsFloppyLetter());
    EXPECT_EQ(mountPoint.GetDescription(),
              "Removable Drive\n\nBytes total: 1.000\nBytes free: 999");
    EXPECT_EQ(mountPoint.GetDriveLetter(), "/");
}

TEST(DriveInfoTest, GroupsDigitsFromTheRight) {
    for (const auto& [in, out] :
         std::map<std::string, std::string>{{"0", "0"},
                                            {"123", "123"},
                                            {"1234", "1.234"},
                                            {"123456", "123.456"},
                                            {"1234567", "1.234.567"},
                                            {"128974848", "128.974.848"},
                                            {"18446744073709551615", "18.446.744.073.709.551.615"},
                                            {"", ""}}) {
        std::string text = in;
        DriveInfo::GroupDigits(text);
        EXPECT_EQ(text, out) << in;
    }
}

TEST(DriveInfoTest, APulledStickKeepsItsOldCountsAndLabel) {
    FakeVolumes volumes;
    volumes.drives["/media/anna/MUSIC"] = Stick(2, 2000000, 1500000, "MUSIC");
    DriveInfo info(volumes);
    info.SetRootPath("/media/anna/MUSIC");
    info.Refresh();
    ASSERT_EQ(info.GetDisplayName(), "/media/anna/MUSIC  (MUSIC)");

    volumes.drives.erase("/media/anna/MUSIC");
    info.Refresh();
    EXPECT_EQ(info.GetDriveType(), 1);
    EXPECT_EQ(info.GetDescription(), "Root directory does not exist.");
    EXPECT_EQ(info.GetFreeBytes(), 1500000u);
    EXPECT_EQ(info.GetTotalBytes(), 2000000u);
    EXPECT_EQ(info.GetVolumeLabel(), "MUSIC");
    EXPECT_FALSE(info.IsSpaceCurrent());
}

TEST(DriveInfoTest, AnEmptyRootIsNeverQueried) {
    FakeVolumes volumes;
    volumes.drives[""] = Stick(3, 10, 5, "X");
    DriveInfo info(volumes);
    info.Refresh();
    EXPECT_EQ(info.GetDriveType(), 0);
    EXPECT_EQ(info.GetDescription(), "");
    EXPECT_EQ(info.GetFreeBytes(), 0u);
    EXPECT_EQ(info.GetVolumeLabel(), "");
    EXPECT_EQ(info.GetDisplayName(), "");
    EXPECT_FALSE(info.IsSpaceCurrent());
}
