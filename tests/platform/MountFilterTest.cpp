// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/MountFilter_linux.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

using platform::DriveType;
using platform::MountFilter;
using platform::MountTable;

namespace {

// One mountinfo line, the drive's kind as sysfs tells it, and whether the user anna is offered
// the mount as a drive for music.
struct Case {
    const char* line;
    DriveType type;
    bool listed;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.line;
}

constexpr DriveType kFixed = DriveType::kFixed;
constexpr DriveType kRemovable = DriveType::kRemovable;

const Case kCases[] = {
    {"27 1 8:2 / / rw - ext4 /dev/sda2 rw", kFixed, false},
    {"28 27 8:1 / /boot rw - ext4 /dev/sda1 rw", kFixed, false},
    {"29 28 8:17 / /boot/firmware rw - vfat /dev/sdb1 rw", kRemovable, false},
    {"30 27 8:3 / /home rw - ext4 /dev/sda3 rw", kFixed, false},
    {"31 27 8:4 / /var/lib/docker rw - ext4 /dev/sda4 rw", kFixed, false},
    {"32 27 7:0 / /snap/core22/1122 ro - squashfs /dev/loop0 ro", kFixed, false},
    {"33 27 0:21 / /proc rw - proc proc rw", DriveType::kUnknown, false},
    {"34 27 0:26 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw", DriveType::kUnknown, false},
    {"35 27 0:45 / /run/user/1000/doc rw - fuse.portal portal rw", DriveType::kUnknown, false},
    {"36 27 0:46 / /mnt/ram rw - tmpfs tmpfs rw", DriveType::kRamDisk, false},
    // A folder of the home volume bound into the desktop folder is not a drive of its own.
    {"37 27 8:3 /anna/Music /media/anna/Music rw - ext4 /dev/sda3 rw", kFixed, false},
    {"38 27 8:17 / /media/anna/MUSIC rw - vfat /dev/sdb1 rw", kRemovable, true},
    {"39 27 8:33 / /media/anna/BACKUP rw - ext4 /dev/sdc1 rw", kFixed, true},
    {"40 27 8:49 / /run/media/anna/MY\\040STICK rw - exfat /dev/sdd1 rw", kRemovable, true},
    {"41 27 8:65 / /media/bob/STICK rw - fuseblk /dev/sde1 rw", kRemovable, false},
    {"42 27 8:81 / /run/media/bob/STICK rw - vfat /dev/sdf1 rw", kRemovable, false},
    {"43 27 8:97 / /media/usb0 rw - vfat /dev/sdg1 rw", kFixed, true},
    {"44 27 8:113 / /mnt/data rw - ext4 /dev/sdh1 rw", kFixed, true},
    {"45 27 0:50 / /mnt/nas rw - nfs4 nas:/music rw", DriveType::kRemote, true},
    {"46 27 0:51 / /mnt/fat rw - fuse.fusefat fusefat rw", DriveType::kUnknown, false},
    {"47 27 8:129 / /data/stick rw - vfat /dev/sdi1 rw", kRemovable, true},
    {"48 27 8:145 / /data/disc rw - ext4 /dev/sdj1 rw", kFixed, false},
    {"49 27 11:0 / /media/anna/HOLIDAY ro - iso9660 /dev/sr0 ro", DriveType::kOptical, true},
};

class MountFilterTest : public ::testing::TestWithParam<Case> {};

TEST_P(MountFilterTest, OffersOnlyDrivesAUserFillsWithMusic) {
    SCOPED_TRACE(GetParam().line);
    const MountTable table = MountTable::Parse(GetParam().line);
    ASSERT_EQ(table.Entries().size(), 1u);
    EXPECT_EQ(MountFilter::IsUserDrive(table.Entries()[0], GetParam().type, "anna"),
              GetParam().listed);
}

// Named by the line's number and mount point: "5_snap_core22_1122".
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    const MountTable table = MountTable::Parse(info.param.line);
    std::string name = std::to_string(info.index);
    for (const char c : table.Entries().empty() ? "" : table.Entries()[0].mountPoint) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(MountLines, MountFilterTest, ::testing::ValuesIn(kCases), CaseName);

TEST(MountFilterUserTest, AnUnknownUserSeesTheDrivesOfEveryDesktopFolder) {
    const MountTable table =
        MountTable::Parse("41 27 8:65 / /media/bob/STICK rw - vfat /dev/sde1 rw");
    EXPECT_TRUE(MountFilter::IsUserDrive(table.Entries()[0], DriveType::kFixed, ""));
}

}  // namespace
