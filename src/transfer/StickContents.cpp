#include "transfer/StickContents.h"

#include <filesystem>
#include <system_error>

#include "collection/MusicFileScan.h"
#include "platform/Utf8Path.h"
#include "transfer/FileOperations.h"

namespace fs = std::filesystem;

namespace {

bool IsMusic(const std::string& name, const std::vector<std::string>& extensions) {
    for (const std::string& extension : extensions) {
        if (MatchesExtension(name, extension)) {
            return true;
        }
    }
    return false;
}

}  // namespace

StickContents StickContents::Count(const std::string& root,
                                   const std::vector<std::string>& extensions) {
    StickContents contents;
    const FileOperations files;
    uint64_t rootDevice = 0;
    if (!files.GetDeviceOf(root, rootDevice)) {
        return contents;
    }
    std::vector<fs::path> folders{platform::PathFromUtf8(root)};
    while (!folders.empty()) {
        const fs::path folder = folders.back();
        folders.pop_back();
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::file_status status = it->symlink_status(ec);
            if (ec) {
                ec.clear();
                ++contents.files_;
                ++contents.nonMusic_;
                continue;
            }
            if (fs::is_directory(status)) {
                uint64_t device = 0;
                if (files.GetDeviceOf(platform::PathToUtf8(it->path()), device) &&
                    device == rootDevice) {
                    folders.push_back(it->path());
                }
                continue;
            }
            ++contents.files_;
            const bool regular = fs::is_regular_file(status);
            if (regular) {
                const uintmax_t size = it->file_size(ec);
                contents.bytes_ += ec ? 0 : size;
                ec.clear();
            }
            if (!regular || !IsMusic(platform::PathToUtf8(it->path().filename()), extensions)) {
                ++contents.nonMusic_;
            }
        }
    }
    return contents;
}

bool StickContents::NeedsConfirmation(platform::DriveType type) const {
    return type != platform::DriveType::kRemovable || nonMusic_ > 0;
}

std::string StickContents::Describe() const {
    std::string text =
        GroupThousands(files_) + (files_ == 1 ? " file, " : " files, ") + FormatSize(bytes_);
    if (nonMusic_ > 0) {
        text += ", " + GroupThousands(nonMusic_) + " of them not music";
    }
    return text;
}

std::string StickContents::GroupThousands(uint64_t number) {
    std::string digits = std::to_string(number);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(size_t(i), ",");
    }
    return digits;
}

std::string StickContents::FormatSize(uint64_t bytes) {
    constexpr uint64_t kGiB = uint64_t{1} << 30;
    if (bytes < kGiB) {
        return GroupThousands(bytes >> 20) + " MB";
    }
    // Tenths of a GiB, rounded to the nearest.
    const uint64_t tenths = (bytes * 10 + kGiB / 2) / kGiB;
    return GroupThousands(tenths / 10) + "." + std::to_string(tenths % 10) + " GB";
}
