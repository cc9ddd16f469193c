// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeQueries_linux.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>

#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;
using platform::DriveType;
using platform::LinuxVolumeQueries;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::Not;

namespace {

// A machine in a folder: mount points, a mountinfo file, sysfs with a USB stick, a SATA disc,
// a card reader (removable = 1) and an encrypted volume on the stick, and udev's label links.
// The kernel escapes blanks in paths; the stick is mounted over an earlier mount.
class FakeMachine {
  public:
    FakeMachine() {
        const std::string usb = "/devices/pci0/usb1/1-1/host6/block/sdb";
        Disk(usb, "0", "8:17");
        Disk("/devices/pci0/ata1/host0/block/sda", "0", "8:1");
        Disk("/devices/platform/mmc0/block/sdc", "1", "8:33");
        const std::string mapped = root_ + "/sys/devices/virtual/block/dm-0";
        fs::create_directories(mapped + "/slaves");
        fs::create_directory_symlink(root_ + "/sys" + usb + "/part1", mapped + "/slaves/sdb1");
        fs::create_directory_symlink(mapped, root_ + "/sys/dev/block/253:0");
        fs::create_directories(root_ + "/labels");
        fs::create_symlink("/dev/fake-sdb1", root_ + "/labels/MUSIC\\x20STICK");
        fs::create_directories(root_ + "/uuids");
        fs::create_symlink("/dev/fake-sdb1", root_ + "/uuids/1A2B-3C4D");
        info_ =
            "22 1 0:21 / /proc rw - proc proc rw\n"
            "48 1 0:53 / /run/user/0 rw - tmpfs tmpfs rw\n"
            "not a mountinfo line\n"
            "49 1 8:49 / /run/media/anna/MY\\040STICK rw master:3 propagate_from:2 - vfat "
            "/dev/sdd1 rw\n";
        AddMount("usb", "0:60 / X rw - tmpfs tmpfs");
        AddMount("disc", "8:1 / X rw - ext4 /dev/fake-sda1");
        AddMount("card", "8:33 / X rw - exfat /dev/fake-sdc1");
        AddMount("crypt", "253:0 / X rw - ext4 /dev/mapper/x");
        AddMount("share", "0:50 / X rw - nfs4 srv:/x");
        AddMount("fuse", "0:52 / X rw - fuse.fusefat fusefat");
        AddMount("usb", "8:17 / X rw - vfat /dev/fake-sdb1");
        fs::create_directories(Mount("plain"));
        WriteFileBytes(root_ + "/mountinfo", info_);
    }
    LinuxVolumeQueries Queries() const {
        return LinuxVolumeQueries(
            {root_ + "/mountinfo", root_ + "/sys", root_ + "/labels", root_ + "/uuids"});
    }
    std::string Mount(const std::string& name) const { return root_ + "/mnt/" + name; }

  private:
    // A mountinfo line for the mount point `name`; X in `fields` stands for its path.
    void AddMount(const std::string& name, std::string fields) {
        fs::create_directories(Mount(name));
        info_ += "40 1 " + fields.replace(fields.find(" X "), 3, " " + Mount(name) + " ") + " rw\n";
    }
    void Disk(const std::string& path, const std::string& removable, const std::string& device) {
        const std::string disk = root_ + "/sys" + path;
        WriteFileBytes(disk + "/removable", removable);
        WriteFileBytes(disk + "/part1/partition", "1");
        fs::create_directories(root_ + "/sys/dev/block");
        fs::create_directory_symlink(disk + "/part1", root_ + "/sys/dev/block/" + device);
    }
    TempDir dir_;
    std::string root_ = fs::canonical(dir_.Path()).string();
    std::string info_;
};

}  // namespace

TEST(LinuxVolumeQueriesTest, ListsKindsAndLabelsOfMountedVolumes) {
    FakeMachine machine;
    const LinuxVolumeQueries queries = machine.Queries();
    EXPECT_EQ(queries.GetDriveRoots(),
              (std::vector<std::string>{"/run/media/anna/MY STICK", machine.Mount("usb"),
                                        machine.Mount("disc"), machine.Mount("card"),
                                        machine.Mount("crypt"), machine.Mount("share")}));
    const std::map<std::string, DriveType> types = {
        {"usb", DriveType::kRemovable},    {"card", DriveType::kRemovable},
        {"disc", DriveType::kFixed},       {"share", DriveType::kRemote},
        {"fuse", DriveType::kUnknown},     {"plain", DriveType::kNoRootDir},
        {"missing", DriveType::kNoRootDir}};
    for (const auto& [name, type] : types) {
        EXPECT_EQ(queries.GetDriveType(machine.Mount(name)), type) << name;
    }
    EXPECT_EQ(queries.GetDriveType(machine.Mount("usb") + "/"), DriveType::kRemovable);

    std::string label = "kept";
    EXPECT_FALSE(queries.GetVolumeLabel(machine.Mount("plain"), label));
    EXPECT_EQ(label, "kept");
    // The fake devices cannot be probed: udev's links and the mount tell who the volume is.
    platform::VolumeIdentity id;
    ASSERT_TRUE(queries.GetVolumeIdentity(machine.Mount("usb"), id));
    EXPECT_EQ(id.label + "|" + id.uuid + "|" + id.fsType, "MUSIC STICK|1A2B-3C4D|vfat");
    ASSERT_TRUE(queries.GetVolumeLabel(machine.Mount("disc"), label));
    EXPECT_EQ(label, "");
}

// Outside the desktop's folders only removable drives are offered for music: the stick, the card
// and the encrypted volume on the stick, each as the topmost mount of its mount point.
TEST(LinuxVolumeQueriesTest, OffersTheRemovableVolumesForMusic) {
    FakeMachine machine;
    std::vector<std::string> roots = machine.Queries().GetUserDriveRoots();
    roots.erase(std::remove(roots.begin(), roots.end(), "/run/media/anna/MY STICK"), roots.end());
    EXPECT_EQ(roots, (std::vector<std::string>{machine.Mount("card"), machine.Mount("crypt"),
                                               machine.Mount("usb")}));
}

TEST(LinuxVolumeQueriesTest, MeasuresARealRamVolumeUntilItIsUnmounted) {
    TmpfsMount stick(8 * 1024 * 1024);
    SKIP_UNLESS_MOUNTED(stick);
    const platform::VolumeQueries& queries = platform::VolumeQueries::System();
    const std::string root = fs::canonical(stick.Path()).string();
    EXPECT_THAT(queries.GetDriveRoots(), AllOf(Contains(root), Contains("/")));
    EXPECT_EQ(queries.GetDriveType(root), DriveType::kRamDisk);
    WriteFileBytes(root + "/a.mp3", std::string(3 * 4096, 'x'));
    platform::DiskSpace space;
    ASSERT_TRUE(queries.GetDiskSpace(root, space));
    EXPECT_EQ(space.total, 8u * 1024 * 1024);
    EXPECT_EQ(space.freeToCaller, 8u * 1024 * 1024 - 3 * 4096);

    stick.Unmount();
    EXPECT_EQ(queries.GetDriveType(root), DriveType::kNoRootDir);  // what is left is no drive
    EXPECT_THAT(queries.GetDriveRoots(), Not(Contains(root)));
    EXPECT_FALSE(queries.GetDiskSpace(root + "/missing", space));
}
