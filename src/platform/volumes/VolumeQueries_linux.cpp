// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeQueries_linux.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/volumes/BlockDeviceProbe_linux.h"
#include "platform/volumes/MountFilter_linux.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsOptical(const MountEntry& mount) {
    return mount.fsType == "iso9660" || mount.fsType == "udf" ||
           StartsWith(mount.source, "/dev/sr") || StartsWith(mount.source, "/dev/scd");
}

std::string ReadFirstLine(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// A disk counts as removable when the kernel says so or when it hangs on a USB bus; a mapped
// device (LVM, LUKS, RAID) is removable when one of the disks below it is.
bool IsRemovableDisk(const fs::path& device, int depth) {
    std::error_code ec;
    const fs::path disk = fs::exists(device / "partition", ec) ? device.parent_path() : device;
    if (ReadFirstLine(disk / "removable") == "1" ||
        disk.string().find("/usb") != std::string::npos) {
        return true;
    }
    if (depth >= 4) {
        return false;
    }
    for (auto it = fs::directory_iterator(disk / "slaves", ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code resolveError;
        const fs::path lower = fs::canonical(it->path(), resolveError);
        if (!resolveError && IsRemovableDisk(lower, depth + 1)) {
            return true;
        }
    }
    return false;
}

// udev writes unsafe characters of a label as \xNN.
std::string DecodeUdevName(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            out.push_back(
                static_cast<char>(std::strtol(name.substr(i + 2, 2).c_str(), nullptr, 16)));
            i += 3;
        } else {
            out.push_back(name[i]);
        }
    }
    return out;
}

// True when the by-label link `link` names the device `source`: by its text, by the file it
// resolves to, or by its device numbers.
bool LinkNamesDevice(const fs::path& link, const std::string& source) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    if (ec) {
        return false;
    }
    const fs::path absolute = (link.parent_path() / target).lexically_normal();
    if (absolute == fs::path(source).lexically_normal()) {
        return true;
    }
    struct stat linkStat;
    struct stat sourceStat;
    return stat(link.c_str(), &linkStat) == 0 && stat(source.c_str(), &sourceStat) == 0 &&
           S_ISBLK(linkStat.st_mode) && S_ISBLK(sourceStat.st_mode) &&
           linkStat.st_rdev == sourceStat.st_rdev;
}

// The name of the udev link in `dir` that points at the device `source`, decoded; empty when
// there is none.
std::string LinkNameFor(const std::string& dir, const std::string& source) {
    std::error_code ec;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        if (LinkNamesDevice(it->path(), source)) {
            return DecodeUdevName(it->path().filename().string());
        }
    }
    return std::string();
}

}  // namespace

const VolumeQueries& VolumeQueries::System() {
    static const LinuxVolumeQueries queries;
    return queries;
}

std::vector<std::string> LinuxVolumeQueries::GetDriveRoots() const {
    const MountTable mounts = MountTable::Read(locations_.mountInfo);
    std::vector<std::string> roots;
    for (const MountEntry& mount : mounts.Entries()) {
        if (MountFilter::IsVolume(mount) &&
            std::find(roots.begin(), roots.end(), mount.mountPoint) == roots.end()) {
            roots.push_back(mount.mountPoint);
        }
    }
    return roots;
}

std::vector<std::string> LinuxVolumeQueries::GetUserDriveRoots() const {
    const MountTable mounts = MountTable::Read(locations_.mountInfo);
    const std::string user = UserName();
    std::vector<std::string> roots;
    for (const MountEntry& mount : mounts.Entries()) {
        // Only the topmost of the mounts stacked on one point is what the user sees there.
        if (mounts.FindMountPoint(mount.mountPoint) == &mount &&
            MountFilter::IsUserDrive(mount, ClassifyMount(mount), user)) {
            roots.push_back(mount.mountPoint);
        }
    }
    return roots;
}

std::string LinuxVolumeQueries::UserName() {
    const struct passwd* entry = getpwuid(getuid());
    return entry && entry->pw_name ? std::string(entry->pw_name) : std::string();
}

DriveType LinuxVolumeQueries::GetDriveType(const std::string& root) const {
    const MountTable mounts = MountTable::Read(locations_.mountInfo);
    const MountEntry* mount = FindVolume(mounts, root);
    return mount ? ClassifyMount(*mount) : DriveType::kNoRootDir;
}

bool LinuxVolumeQueries::GetDiskSpace(const std::string& root, DiskSpace& space) const {
    struct statvfs st;
    if (root.empty() || statvfs(root.c_str(), &st) != 0) {
        return false;
    }
    space.freeToCaller = static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
    space.total = static_cast<uint64_t>(st.f_blocks) * st.f_frsize;
    space.totalFree = static_cast<uint64_t>(st.f_bfree) * st.f_frsize;
    return true;
}

bool LinuxVolumeQueries::GetVolumeLabel(const std::string& root, std::string& label) const {
    VolumeIdentity identity;
    if (!GetVolumeIdentity(root, identity)) {
        return false;
    }
    label = identity.label;
    return true;
}

bool LinuxVolumeQueries::GetVolumeIdentity(const std::string& root,
                                           VolumeIdentity& identity) const {
    const MountTable mounts = MountTable::Read(locations_.mountInfo);
    const MountEntry* mount = FindVolume(mounts, root);
    if (!mount) {
        return false;
    }
    identity = VolumeIdentity();
    if (StartsWith(mount->source, "/dev/") && BlockDeviceProbe::Read(mount->source, identity)) {
        return true;
    }
    // RAM disks and network shares carry no label; a device we may not read is named by udev.
    identity.fsType = mount->fsType;
    if (StartsWith(mount->source, "/dev/")) {
        identity.label = LinkNameFor(locations_.labels, mount->source);
        identity.uuid = LinkNameFor(locations_.uuids, mount->source);
    }
    return true;
}

const MountEntry* LinuxVolumeQueries::FindVolume(const MountTable& mounts,
                                                 const std::string& root) const {
    struct stat st;
    if (root.empty() || stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return nullptr;
    }
    char* resolved = realpath(root.c_str(), nullptr);
    if (!resolved) {
        return nullptr;
    }
    const std::string mountPoint(resolved);
    std::free(resolved);
    return mounts.FindMountPoint(mountPoint);
}

DriveType LinuxVolumeQueries::ClassifyMount(const MountEntry& mount) const {
    if (MountFilter::IsNetworkType(mount.fsType)) {
        return DriveType::kRemote;
    }
    if (IsOptical(mount)) {
        return DriveType::kOptical;
    }
    if (MountFilter::IsRamType(mount.fsType) || StartsWith(mount.source, "/dev/zram")) {
        return DriveType::kRamDisk;
    }
    unsigned major = 0;
    unsigned minor = 0;
    if (!BlockDeviceOf(mount, major, minor)) {
        return DriveType::kUnknown;
    }
    std::error_code ec;
    const fs::path device = fs::canonical(fs::path(locations_.sysfs) / "dev/block" /
                                              (std::to_string(major) + ":" + std::to_string(minor)),
                                          ec);
    if (ec) {
        return DriveType::kUnknown;
    }
    const std::string name = device.filename().string();
    if (StartsWith(name, "zram")) {
        return DriveType::kRamDisk;
    }
    if (StartsWith(name, "sr")) {
        return DriveType::kOptical;
    }
    return IsRemovableDisk(device, 0) ? DriveType::kRemovable : DriveType::kFixed;
}

bool LinuxVolumeQueries::BlockDeviceOf(const MountEntry& mount, unsigned& major,
                                       unsigned& minor) const {
    // File systems such as btrfs or fuseblk report an anonymous device in mountinfo; the
    // device node named as the source tells the real disk.
    struct stat st;
    if (StartsWith(mount.source, "/dev/") && stat(mount.source.c_str(), &st) == 0 &&
        S_ISBLK(st.st_mode)) {
        major = ::major(st.st_rdev);
        minor = ::minor(st.st_rdev);
        return true;
    }
    if (mount.major == 0) {
        return false;  // a virtual file system with no disk behind it
    }
    major = mount.major;
    minor = mount.minor;
    return true;
}

}  // namespace platform
