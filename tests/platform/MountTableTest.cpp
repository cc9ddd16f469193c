#include "platform/MountTable.h"

#include <gtest/gtest.h>

TEST(MountTableTest, ParsesEscapedPathsAndFindsTheTopmostMount) {
    const platform::MountTable table = platform::MountTable::Parse(
        "27 1 254:0 / / rw shared:1 - ext4 /dev/vda rw\n"
        "88 27 8:17 / /media/MY\\040STICK rw master:3 propagate_from:2 - vfat /dev/sdb1 rw\n"
        "not a mountinfo line\n"
        "89 88 0:40 / /media/MY\\040STICK rw - tmpfs tmpfs rw");
    ASSERT_EQ(table.Entries().size(), 3u);
    const platform::MountEntry& stick = table.Entries()[1];
    EXPECT_EQ(stick.major, 8u);
    EXPECT_EQ(stick.minor, 17u);
    EXPECT_EQ(stick.fsType, "vfat");
    EXPECT_EQ(stick.source, "/dev/sdb1");
    ASSERT_NE(table.FindMountPoint("/media/MY STICK"), nullptr);
    EXPECT_EQ(table.FindMountPoint("/media/MY STICK")->mountId, 89);
    EXPECT_EQ(table.FindMountPoint("/media"), nullptr);
}
