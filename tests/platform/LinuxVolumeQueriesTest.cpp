#include "platform/LinuxVolumeQueries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;
using platform::LinuxVolumeQueries;

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// A machine in a folder: mount points that exist, a mountinfo file, a sysfs tree with a USB stick,
// a SATA disc, a card reader, an encrypted volume on the stick, and udev's label links.
class FakeMachine {
  public:
    FakeMachine() : root_(fs::canonical(dir_.Path()).string()) {
        for (const char* name :
             {"usb", "disk", "crypt", "nfs", "cd", "ram", "my stick", "fuse", "plain"}) {
            fs::create_directories(Mount(name));
        }
        const std::string usb = "devices/pci0000:00/0000:00:14.0/usb1/1-1/host6/block/sdb";
        const std::string sata = "devices/pci0000:00/0000:00:1f.2/ata1/host0/block/sda";
        const std::string reader = "devices/platform/mmc0/block/sdc";
        Disk(usb, "0");
        Partition(usb + "/sdb1", "8:17");
        Disk(sata, "0");
        Partition(sata + "/sda1", "8:1");
        Disk(reader, "1");
        Partition(reader + "/sdc1", "8:33");
        Disk("devices/virtual/block/dm-0", "0");
        fs::create_directories(Sys("devices/virtual/block/dm-0/slaves"));
        fs::create_directory_symlink(Sys(usb + "/sdb1"),
                                     Sys("devices/virtual/block/dm-0/slaves/sdb1"));
        fs::create_directory_symlink(Sys("devices/virtual/block/dm-0"), Sys("dev/block/253:0"));
        fs::create_directories(root_ + "/labels");
        fs::create_symlink("/dev/fake-sdb1", root_ + "/labels/MUSIC\\x20STICK");
        fs::create_symlink("/dev/fake-sda1", root_ + "/labels/SYSTEM");

        WriteFileBytes(root_ + "/mountinfo",
                       "22 1 0:21 / /proc rw - proc proc rw\n"
                       "40 1 8:17 / " +
                           Mount("usb") +
                           " rw - vfat /dev/fake-sdb1 rw\n"
                           "41 1 8:1 / " +
                           Mount("disk") +
                           " rw - ext4 /dev/fake-sda1 rw\n"
                           "42 1 253:0 / " +
                           Mount("crypt") +
                           " rw - ext4 /dev/mapper/fake rw\n"
                           "43 1 0:50 / " +
                           Mount("nfs") +
                           " rw - nfs4 server:/export rw\n"
                           "44 1 11:0 / " +
                           Mount("cd") +
                           " ro - iso9660 /dev/fake-sr0 ro\n"
                           "45 1 0:51 / " +
                           Mount("ram") +
                           " rw - tmpfs tmpfs rw\n"
                           "46 1 8:33 / " +
                           root_ +
                           "/mnt/my\\040stick rw - exfat /dev/fake-sdc1 rw\n"
                           "47 1 0:52 / " +
                           Mount("fuse") +
                           " rw - fuse.fusefat fusefat rw\n"
                           "48 1 0:53 / /run/user/0 rw - tmpfs tmpfs rw\n"
                           "49 1 8:49 / /run/media/anna/STICK rw - vfat /dev/sdd1 rw\n"
                           "50 1 8:17 / " +
                           Mount("usb") + " rw - vfat /dev/fake-sdb1 rw\n");
    }

    LinuxVolumeQueries Queries() const {
        LinuxVolumeQueries::Locations where;
        where.mountInfo = root_ + "/mountinfo";
        where.sysfs = root_ + "/sys";
        where.labels = root_ + "/labels";
        return LinuxVolumeQueries(where);
    }
    std::string Mount(const std::string& name) const { return root_ + "/mnt/" + name; }

  private:
    std::string Sys(const std::string& path) const { return root_ + "/sys/" + path; }
    void Disk(const std::string& path, const std::string& removable) {
        fs::create_directories(Sys(path));
        WriteFileBytes(Sys(path + "/removable"), removable + "\n");
    }
    void Partition(const std::string& path, const std::string& device) {
        fs::create_directories(Sys(path));
        WriteFileBytes(Sys(path + "/partition"), "1\n");
        fs::create_directories(Sys("dev/block"));
        fs::create_directory_symlink(Sys(path), Sys("dev/block/" + device));
    }

    TempDir dir_;
    std::string root_;
};

}  // namespace

TEST(LinuxVolumeQueriesTest, ListsDrivesButNotSystemMountsOncePerMountPoint) {
    FakeMachine machine;
    const std::vector<std::string> roots = machine.Queries().GetDriveRoots();
    for (const char* name : {"usb", "disk", "crypt", "nfs", "cd", "ram", "my stick"}) {
        EXPECT_TRUE(Contains(roots, machine.Mount(name))) << name;
    }
    EXPECT_TRUE(Contains(roots, "/run/media/anna/STICK"));
    EXPECT_FALSE(Contains(roots, "/proc"));
    EXPECT_FALSE(Contains(roots, "/run/user/0"));
    EXPECT_FALSE(Contains(roots, machine.Mount("fuse")));
    EXPECT_EQ(std::count(roots.begin(), roots.end(), machine.Mount("usb")), 1);
    EXPECT_EQ(roots.front(), machine.Mount("usb"));
}

TEST(LinuxVolumeQueriesTest, TellsTheKindOfEachVolume) {
    FakeMachine machine;
    const LinuxVolumeQueries queries = machine.Queries();
    EXPECT_EQ(queries.GetDriveType(machine.Mount("usb")), 2);        // on a USB bus
    EXPECT_EQ(queries.GetDriveType(machine.Mount("usb") + "/"), 2);  // same root
    EXPECT_EQ(queries.GetDriveType(machine.Mount("my stick")), 2);   // removable = 1
    EXPECT_EQ(queries.GetDriveType(machine.Mount("crypt")), 2);      // mapped over the stick
    EXPECT_EQ(queries.GetDriveType(machine.Mount("disk")), 3);
    EXPECT_EQ(queries.GetDriveType(machine.Mount("nfs")), 4);
    EXPECT_EQ(queries.GetDriveType(machine.Mount("cd")), 5);
    EXPECT_EQ(queries.GetDriveType(machine.Mount("ram")), 6);
    EXPECT_EQ(queries.GetDriveType(machine.Mount("fuse")), 0);
    EXPECT_EQ(queries.GetDriveType(machine.Mount("plain")), 1);
    EXPECT_EQ(queries.GetDriveType(machine.Mount("missing")), 1);
    EXPECT_EQ(queries.GetDriveType(""), 1);
}

TEST(LinuxVolumeQueriesTest, ReadsLabelsFromTheLabelLinks) {
    FakeMachine machine;
    const LinuxVolumeQueries queries = machine.Queries();
    std::string label = "old";
    ASSERT_TRUE(queries.GetVolumeLabel(machine.Mount("usb"), label));
    EXPECT_EQ(label, "MUSIC STICK");
    ASSERT_TRUE(queries.GetVolumeLabel(machine.Mount("my stick"), label));
    EXPECT_EQ(label, "");
    ASSERT_TRUE(queries.GetVolumeLabel(machine.Mount("nfs"), label));
    EXPECT_EQ(label, "");
    label = "kept";
    EXPECT_FALSE(queries.GetVolumeLabel(machine.Mount("plain"), label));
    EXPECT_EQ(label, "kept");
}

TEST(LinuxVolumeQueriesTest, MeasuresARealRamVolumeUntilItIsUnmounted) {
    TmpfsMount stick(8 * 1024 * 1024);
    SKIP_UNLESS_MOUNTED(stick);
    const platform::VolumeQueries& queries = platform::VolumeQueries::System();
    const std::string root = fs::canonical(stick.Path()).string();
    EXPECT_TRUE(Contains(queries.GetDriveRoots(), root));
    EXPECT_EQ(queries.GetDriveType(root), 6);
    WriteFileBytes(root + "/a.mp3", std::string(4096 * 3, 'x'));
    platform::DiskSpace space;
    ASSERT_TRUE(queries.GetDiskSpace(root, space));
    EXPECT_EQ(space.total, 8u * 1024 * 1024);
    EXPECT_EQ(space.freeToCaller, 8u * 1024 * 1024 - 4096 * 3);
    EXPECT_EQ(space.totalFree, space.freeToCaller);
    std::string label = "x";
    EXPECT_TRUE(queries.GetVolumeLabel(root, label));
    EXPECT_EQ(label, "");

    stick.Unmount();
    EXPECT_EQ(queries.GetDriveType(root), 1);  // the directory left behind is no drive
    EXPECT_FALSE(queries.GetVolumeLabel(root, label));
    EXPECT_FALSE(Contains(queries.GetDriveRoots(), root));
}

TEST(LinuxVolumeQueriesTest, TheSystemRootIsADrive) {
    const platform::VolumeQueries& queries = platform::VolumeQueries::System();
    EXPECT_TRUE(Contains(queries.GetDriveRoots(), "/"));
    EXPECT_NE(queries.GetDriveType("/"), 1);
    platform::DiskSpace space;
    ASSERT_TRUE(queries.GetDiskSpace("/", space));
    EXPECT_GT(space.total, 0u);
    EXPECT_GE(space.totalFree, space.freeToCaller);
    EXPECT_FALSE(queries.GetDiskSpace("/no/such/directory", space));
}
