// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/MountFilter_linux.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsBelow(std::string_view path, std::string_view dir) {
    return path == dir ||
           (StartsWith(path, dir) && path.size() > dir.size() && path[dir.size()] == '/');
}

// Kernel and session directories hold many virtual mounts that nobody thinks of as a drive;
// /run/media is where desktops mount sticks on some systems.
bool IsSessionMountPoint(const std::string& mountPoint) {
    if (IsBelow(mountPoint, "/run/media")) {
        return false;
    }
    for (std::string_view dir : {"/proc", "/sys", "/dev", "/run", "/snap"}) {
        if (IsBelow(mountPoint, dir)) {
            return true;
        }
    }
    return false;
}

// The system's own volumes: its root, its boot and program folders and the homes.
bool IsSystemMountPoint(const std::string& mountPoint) {
    for (std::string_view dir :
         {"/boot", "/efi", "/usr", "/var", "/opt", "/srv", "/etc", "/nix", "/gnu"}) {
        if (IsBelow(mountPoint, dir)) {
            return true;
        }
    }
    for (std::string_view exact : {"/", "/home", "/root", "/tmp"}) {
        if (mountPoint == exact) {
            return true;
        }
    }
    return IsSessionMountPoint(mountPoint);
}

enum class Place { kElsewhere, kUsers, kOtherUsers };

// Where a mount point lies: in `user`'s desktop folders (or a folder for drives of all users),
// in another user's, or elsewhere. /media/NAME alone is a drive of all users (usbmount, pmount);
// /media/USER/NAME and /run/media/USER/NAME belong to USER.
Place PlaceOf(std::string_view mountPoint, const std::string& user) {
    if (IsBelow(mountPoint, "/mnt") && mountPoint != "/mnt") {
        return Place::kUsers;
    }
    const bool runMedia = IsBelow(mountPoint, "/run/media");
    const std::string_view dir = runMedia ? "/run/media" : "/media";
    if (!IsBelow(mountPoint, dir) || mountPoint == dir) {
        return Place::kElsewhere;
    }
    const std::string_view rest = mountPoint.substr(dir.size() + 1);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) {
        // A user's own folder is no drive; a drive right below /media is everybody's.
        return runMedia ? Place::kElsewhere : Place::kUsers;
    }
    return user.empty() || rest.substr(0, slash) == user ? Place::kUsers : Place::kOtherUsers;
}

}  // namespace

bool MountFilter::IsNetworkType(const std::string& fsType) {
    static const std::array<std::string_view, 16> kTypes = {
        "nfs",         "nfs4",          "cifs", "smb3",       "smbfs", "ncpfs", "afs",
        "ceph",        "glusterfs",     "9p",   "fuse.sshfs", "sshfs", "davfs", "fuse.davfs2",
        "fuse.rclone", "fuse.glusterfs"};
    return std::find(kTypes.begin(), kTypes.end(), fsType) != kTypes.end();
}

bool MountFilter::IsRamType(const std::string& fsType) {
    return fsType == "tmpfs" || fsType == "ramfs";
}

bool MountFilter::IsVolume(const MountEntry& mount) {
    return mount.mountPoint == "/" ||
           (!IsSessionMountPoint(mount.mountPoint) &&
            (IsNetworkType(mount.fsType) || IsRamType(mount.fsType) ||
             StartsWith(mount.source, "/dev/") || mount.fsType == "fuseblk"));
}

bool MountFilter::IsUserDrive(const MountEntry& mount, DriveType type, const std::string& user) {
    // A bind mount shows a folder of a volume that is listed, or not meant to be, elsewhere.
    if (mount.root != "/" || !IsVolume(mount) || IsRamType(mount.fsType) ||
        IsSystemMountPoint(mount.mountPoint)) {
        return false;
    }
    switch (PlaceOf(mount.mountPoint, user)) {
        case Place::kUsers:
            return true;
        case Place::kOtherUsers:
            return false;
        case Place::kElsewhere:
            break;
    }
    return type == DriveType::kRemovable;
}

}  // namespace platform
