// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RealVolume.h"

#include <sys/mount.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

bool Shell(const std::string& command) {
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

bool IsMountedHere(const std::string& path) {
    struct statfs st;
    return statfs(path.c_str(), &st) == 0 && (st.f_type == 0x65735546 || st.f_type == 0x01021994);
}

}  // namespace

RealVolume::RealVolume(Kind kind, uint64_t sizeBytes, const std::string& label,
                       uint64_t clusterBytes) {
    path_ = base_ / "mnt";
    fs::create_directory(path_);
    mounted_ = Make(kind, sizeBytes, label, clusterBytes);
    if (!mounted_) {
        Unmount();  // whatever part was done is undone
    }
}

bool RealVolume::Make(Kind kind, uint64_t sizeBytes, const std::string& label,
                      uint64_t clusterBytes) {
    if (geteuid() != 0 || (kind != Kind::kTmpfs && access("/dev/fuse", R_OK | W_OK) != 0)) {
        skipReason_ = "needs the superuser and, but for tmpfs, /dev/fuse";
        return false;
    }
    const std::string image = Quote(base_ / "volume.img");
    const std::string at = Quote(path_);
    const std::string size = std::to_string(sizeBytes);
    const auto option = [](const char* flag, const std::string& value) {
        return value.empty() ? std::string() : flag + (" " + value + " ");
    };
    const std::string named =
        label.empty() ? "" : (kind == Kind::kFat ? "-n " : "-L ") + Quote(label) + " ";
    const std::string cluster = clusterBytes ? std::to_string(clusterBytes) : "";
    // The loop device's name is kept in a file for Unmount.
    const std::string loopFile = Quote(base_ / "loop");
    const std::string loop =
        " && L=$(losetup -f --show " + image + ") && echo $L >" + loopFile + " && ";
    std::string script = "truncate -s " + size + " " + image + " && ";
    switch (kind) {
        case Kind::kTmpfs:
            script = "mount -t tmpfs -o size=" + size + ",mode=0755" +
                     (label == "ro" ? ",ro " : " ") + "tmpfs " + at;
            break;
        case Kind::kExfat:
            mountAgain_ = "mount.exfat-fuse $(cat " + loopFile + ") " + at;
            script += "mkfs.exfat " + named + option("-c", cluster) + image + loop +
                      "mount.exfat-fuse $L " + at;
            break;
        case Kind::kNtfs:
            mountAgain_ = "ntfs-3g -o windows_names $(cat " + loopFile + ") " + at;
            script += "mkntfs -F -Q " + named + image + loop + "ntfs-3g -o windows_names $L " + at;
            break;
        case Kind::kFat:
            mountAgain_ = "fusefat -o rw+ " + image + " " + at;
            script += "mkfs.vfat " + named + option("-r", cluster) + image + " && " + mountAgain_;
            break;
    }
    if (!Shell(script) || !IsMountedHere(path_)) {
        skipReason_ = "failed (tools from scripts/install-deps.sh, loop devices?): " + script;
        return false;
    }
    return true;
}

void RealVolume::Unmount() {
    if (!path_.empty() && IsMountedHere(path_)) {
        // A busy volume is detached lazily: it goes once the last user lets go.
        if (umount2(path_.c_str(), 0) != 0) {
            umount2(path_.c_str(), MNT_DETACH);
        }
    }
    mounted_ = false;
    // The driver may still hold the device for a moment; detaching marks it to go then.
    const std::string loop = Quote(base_ / "loop");
    if (fs::exists(base_ / "loop")) {
        Shell("[ ! -s " + loop + " ] || losetup -d $(cat " + loop + ") && rm -f " + loop);
    }
}

bool RealVolume::Remount() {
    if (!mounted_ || mountAgain_.empty() || umount2(path_.c_str(), 0) != 0) {
        return false;
    }
    mounted_ = Shell(mountAgain_) && IsMountedHere(path_);
    return mounted_;
}

const char* RealVolume::KindName(Kind kind) {
    static const char* const kNames[] = {"exFAT", "NTFS", "FAT", "tmpfs"};
    return kNames[static_cast<int>(kind)];
}
