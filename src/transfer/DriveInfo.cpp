#include "transfer/DriveInfo.h"

namespace {

// "E:" or "E:\": a path on a Windows drive, as opposed to a Linux mount point.
bool HasDriveLetter(const std::string& root) {
    const char letter = root.empty() ? '\0' : root[0];
    return root.size() >= 2 && root[1] == ':' &&
           ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'));
}

}  // namespace

DriveInfo::DriveInfo(const platform::VolumeQueries& volumes) : volumes_(&volumes) {}

void DriveInfo::Refresh() {
    if (rootPath_.empty()) {
        return;
    }
    driveType_ = volumes_->GetDriveType(rootPath_);
    description_ = TypeText(driveType_, IsFloppyLetter());
    platform::DiskSpace space;
    spaceCurrent_ = volumes_->GetDiskSpace(rootPath_, space);
    if (spaceCurrent_) {
        freeBytes_ = space.freeToCaller;
        totalBytes_ = space.total;
        totalFreeBytes_ = space.totalFree;
        description_ += "\n\n" + FormatBytesTotal() + "\n" + FormatBytesFree();
    }
    std::string label;
    if (volumes_->GetVolumeLabel(rootPath_, label)) {
        volumeLabel_ = label;
    }
}

std::string DriveInfo::GetDriveLetter() const {
    return HasDriveLetter(rootPath_) ? rootPath_.substr(0, 2) : rootPath_;
}

std::string DriveInfo::GetDisplayName() const {
    if (volumeLabel_.empty()) {
        return GetDriveLetter();
    }
    return GetDriveLetter() + "  (" + volumeLabel_ + ")";
}

bool DriveInfo::IsFloppyLetter() const {
    return HasDriveLetter(rootPath_) && static_cast<signed char>(rootPath_[0]) < 'C';
}

std::string DriveInfo::FormatBytesFree() const {
    std::string digits = std::to_string(freeBytes_);
    GroupDigits(digits);
    return "Bytes free: " + digits;
}

std::string DriveInfo::FormatBytesTotal() const {
    std::string digits = std::to_string(totalBytes_);
    GroupDigits(digits);
    return "Bytes total: " + digits;
}

void DriveInfo::GroupDigits(std::string& text) {
    size_t k = text.size() % 3;
    if (k == 0) {
        k = 3;
    }
    while (k < text.size()) {
        text.insert(k, ".");
        k += 4;
    }
}

std::string DriveInfo::TypeText(DriveType driveType, bool floppyLetter) {
    switch (driveType) {
        case DriveType::kUnknown:
            return "Drive type cannot be determined.";
        case DriveType::kNoRootDir:
            return "Root directory does not exist.";
        case DriveType::kRemovable:
            return floppyLetter ? "Floppy Disc Drive" : "Removable Drive";
        case DriveType::kFixed:
            return "Hard Disc";
        case DriveType::kRemote:
            return "Remote (Network) Drive.";
        case DriveType::kOptical:
            return "CD-/DVD-ROM drive";
        case DriveType::kRamDisk:
            return "RAM disk";
        default:
            return std::string();
    }
}
