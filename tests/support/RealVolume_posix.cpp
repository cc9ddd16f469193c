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
    if (geteuid() != 0) {
        skipReason_ = "needs the superuser";
        return false;
    }
    if (kind == Kind::kTmpfs) {
        const std::string data = "size=" + std::to_string(sizeBytes) + ",mode=0755";
        const unsigned long flags = label == "ro" ? MS_RDONLY : 0;
        if (mount("tmpfs", path_.c_str(), "tmpfs", flags, data.c_str()) != 0) {
            skipReason_ = "mount failed";
            return false;
        }
        return true;
    }
    if (access("/dev/fuse", R_OK | W_OK) != 0) {
        skipReason_ = "needs /dev/fuse";
        return false;
    }
    const std::string image = Quote(base_ / "volume.img");
    const std::string mountPoint = Quote(path_);
    const std::string named = label.empty() ? "" : Quote(label);
    const std::string number = std::to_string(clusterBytes);
    // The loop device's name is kept in a file for Unmount.
    const std::string loop =
        "L=$(losetup -f --show " + image + ") && echo $L >" + Quote(base_ / "loop") + " && ";
    std::string script = "truncate -s " + std::to_string(sizeBytes) + " " + image + " && ";
    switch (kind) {
        case Kind::kExfat:
            script += "mkfs.exfat " + (named.empty() ? "" : "-L " + named) +
                      (clusterBytes ? " -c " + number : "") + " " + image + " && " + loop +
                      "mount.exfat-fuse $L " + mountPoint;
            break;
        case Kind::kNtfs:
            script += "mkntfs -F -Q " + (named.empty() ? "" : "-L " + named) + " " + image +
                      " && " + loop + "ntfs-3g -o windows_names $L " + mountPoint;
            break;
        case Kind::kFat:
            script += "mkfs.vfat " + (named.empty() ? "" : "-n " + named) +
                      (clusterBytes ? " -r " + number : "") + " " + image + " && fusefat -o rw+ " +
                      image + " " + mountPoint;
            break;
        case Kind::kTmpfs:  // mounted above
            break;
    }
    if (!Shell(script) || !IsMountedHere(path_)) {
        skipReason_ = "failed (tools from scripts/install-deps.sh, loop devices?): " + script;
        return false;
    }
    return true;
}

RealVolume::~RealVolume() {
    Unmount();
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

const char* RealVolume::KindName(Kind kind) {
    return kind == Kind::kExfat  ? "exFAT"
           : kind == Kind::kNtfs ? "NTFS"
           : kind == Kind::kFat  ? "FAT"
                                 : "tmpfs";
}
