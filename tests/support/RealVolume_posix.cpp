#include "support/RealVolume.h"

#include <sys/vfs.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr long kFuseMagic = 0x65735546;

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs a shell command quietly; true when it succeeded.
bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command and returns its first line of output (empty on failure).
std::string ShellLine(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        return std::string();
    }
    char line[512] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    const int status = pclose(pipe);
    std::string text = read && status == 0 ? line : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

bool HasTool(const char* tool) {
    return Shell(std::string("command -v ") + tool);
}

bool IsFuseMount(const std::string& path) {
    struct statfs st;
    return statfs(path.c_str(), &st) == 0 && st.f_type == kFuseMagic;
}

}  // namespace

RealVolume::RealVolume(Kind kind, uint64_t sizeBytes, const std::string& label,
                       uint64_t clusterBytes) {
    std::string pattern = (fs::temp_directory_path() / "tunecrate-img-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        skipReason_ = "no temporary folder";
        return;
    }
    base_ = buffer.data();
    image_ = base_ + "/volume.img";
    path_ = base_ + "/mnt";
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
    if (access("/dev/fuse", R_OK | W_OK) != 0) {
        skipReason_ = "no /dev/fuse";
        return false;
    }
    const char* const tools[3][2] = {
        {"mkfs.exfat", "mount.exfat-fuse"}, {"mkntfs", "ntfs-3g"}, {"mkfs.vfat", "fusefat"}};
    for (const char* tool : tools[static_cast<int>(kind)]) {
        if (!HasTool(tool)) {
            skipReason_ = std::string(tool) + " is not installed (scripts/install-deps.sh)";
            return false;
        }
    }
    if (!Shell("truncate -s " + std::to_string(sizeBytes) + " " + Quote(image_))) {
        skipReason_ = "cannot make the image file";
        return false;
    }
    std::string format;
    std::string mount;
    switch (kind) {
        case Kind::kExfat:
            format = "mkfs.exfat " + (label.empty() ? "" : "-L " + Quote(label)) +
                     (clusterBytes ? " -c " + std::to_string(clusterBytes) : "") + " " +
                     Quote(image_);
            break;
        case Kind::kNtfs:
            format =
                "mkntfs -F -Q " + (label.empty() ? "" : "-L " + Quote(label)) + " " + Quote(image_);
            break;
        case Kind::kFat:
            format = "mkfs.vfat " + (label.empty() ? "" : "-n " + Quote(label)) +
                     (clusterBytes ? " -r " + std::to_string(clusterBytes) : "") + " " +
                     Quote(image_);
            mount = "fusefat -o rw+ " + Quote(image_) + " " + Quote(path_);
            break;
    }
    if (!Shell(format)) {
        skipReason_ = "formatting failed: " + format;
        return false;
    }
    if (kind != Kind::kFat) {
        loopDevice_ = ShellLine("losetup -f --show " + Quote(image_));
        if (loopDevice_.empty()) {
            skipReason_ = "no free loop device";
            return false;
        }
        mount = (kind == Kind::kExfat ? "mount.exfat-fuse " : "ntfs-3g -o windows_names ") +
                Quote(loopDevice_) + " " + Quote(path_);
    }
    if (!Shell(mount) || !IsFuseMount(path_)) {
        skipReason_ = "mounting failed: " + mount;
        return false;
    }
    return true;
}

RealVolume::~RealVolume() {
    Unmount();
    std::error_code ec;
    if (!base_.empty()) {
        fs::remove_all(base_, ec);
    }
}

void RealVolume::Unmount() {
    if (!path_.empty() && IsFuseMount(path_)) {
        // A busy volume is detached lazily: it goes once the last user lets go.
        if (!Shell("umount " + Quote(path_))) {
            Shell("umount -l " + Quote(path_));
        }
    }
    mounted_ = false;
    if (!loopDevice_.empty()) {
        // The driver may still hold the device for a moment; detaching marks it to go then.
        Shell("losetup -d " + Quote(loopDevice_));
        loopDevice_.clear();
    }
}

const char* RealVolume::KindName(Kind kind) {
    switch (kind) {
        case Kind::kExfat:
            return "exFAT";
        case Kind::kNtfs:
            return "NTFS";
        case Kind::kFat:
            return "FAT";
    }
    return "";
}
