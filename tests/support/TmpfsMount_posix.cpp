#include "support/TmpfsMount.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

TmpfsMount::TmpfsMount(uint64_t sizeBytes, const std::string& options) {
    std::string pattern = (fs::temp_directory_path() / "tunecrate-vol-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        return;
    }
    path_ = buffer.data();
    if (geteuid() != 0) {
        return;
    }
    std::string data = "size=" + std::to_string(sizeBytes) + ",mode=0755";
    unsigned long flags = 0;
    if (options == "ro") {
        flags |= MS_RDONLY;
    } else if (!options.empty()) {
        data += "," + options;
    }
    mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", flags, data.c_str()) == 0;
}

TmpfsMount::~TmpfsMount() {
    Unmount();
    std::error_code ec;
    if (!path_.empty()) {
        fs::remove_all(path_, ec);
    }
}

void TmpfsMount::MakeReadOnly() {
    if (mounted_) {
        mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    }
}

void TmpfsMount::Unmount() {
    if (mounted_) {
        umount2(path_.c_str(), MNT_DETACH);
        mounted_ = false;
    }
}
