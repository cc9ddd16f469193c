#include "platform/MountTable.h"

#include <gtest/gtest.h>

using platform::MountTable;

TEST(MountTableTest, ParsesFieldsEscapesAndOptionalTags) {
    const MountTable table = MountTable::Parse(
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "88 27 8:17 / /media/anna/MY\\040STICK rw master:3 propagate_from:2 - vfat /dev/sdb1 rw\n"
        "not a mountinfo line\n"
        "89 27 x:y / /broken rw - ext4 /dev/sdc1 rw\n"
        "90 27 0:50 / /mnt/share rw - nfs4 server:/export\\134x rw");
    ASSERT_EQ(table.Entries().size(), 3u);
    const platform::MountEntry& stick = table.Entries()[1];
    EXPECT_EQ(stick.mountId, 88);
    EXPECT_EQ(stick.parentId, 27);
    EXPECT_EQ(stick.major, 8u);
    EXPECT_EQ(stick.minor, 17u);
    EXPECT_EQ(stick.mountPoint, "/media/anna/MY STICK");
    EXPECT_EQ(stick.fsType, "vfat");
    EXPECT_EQ(stick.source, "/dev/sdb1");
    EXPECT_EQ(table.Entries()[2].source, "server:/export\\x");
}

TEST(MountTableTest, FindsTheTopmostMountOfAMountPoint) {
    const MountTable table = MountTable::Parse(
        "30 1 8:1 / /mnt rw - ext4 /dev/sda1 rw\n"
        "31 30 0:40 / /mnt rw - tmpfs tmpfs rw\n");
    ASSERT_NE(table.FindMountPoint("/mnt"), nullptr);
    EXPECT_EQ(table.FindMountPoint("/mnt")->fsType, "tmpfs");
    EXPECT_EQ(table.FindMountPoint("/mnt/"), nullptr);
    EXPECT_EQ(table.FindMountPoint("/"), nullptr);
}
