// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/DriveInfo.h"

#include <algorithm>
#include <utility>

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
    platform::DiskSpace space;
    spaceCurrent_ = volumes_->GetDiskSpace(rootPath_, space);
    if (spaceCurrent_) {
        freeBytes_ = space.freeToCaller;
        totalBytes_ = space.total;
        totalFreeBytes_ = space.totalFree;
    }
    description_ = DescriptionWith([](uint64_t count) {
        std::string text = std::to_string(count);
        GroupDigits(text);
        return text;
    });
    std::string label;
    if (volumes_->GetVolumeLabel(rootPath_, label)) {
        volumeLabel_ = label;
    }
}

platform::UserMessage DriveInfo::DescriptionWith(
    const std::function<std::string(uint64_t)>& number) const {
    platform::UserMessage type = TypeText(driveType_, IsFloppyLetter());
    if (!spaceCurrent_) {
        return type;
    }
    return platform::UserMessage(platform::UserMessage::Id::kDriveDescription,
                                 {number(totalBytes_), number(freeBytes_)}, std::move(type));
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

std::vector<std::string> DriveInfo::StickChoices(const platform::VolumeQueries& volumes,
                                                 const std::string& currentStick) {
    std::vector<std::string> roots = volumes.GetUserDriveRoots();
    // The stick in use stays choosable wherever it is mounted, so a dialog can show it chosen.
    if (!currentStick.empty() &&
        std::find(roots.begin(), roots.end(), currentStick) == roots.end() &&
        volumes.GetDriveType(currentStick) != DriveType::kNoRootDir) {
        roots.push_back(currentStick);
    }
    return roots;
}

platform::UserMessage DriveInfo::TypeText(DriveType driveType, bool floppyLetter) {
    using Id = platform::UserMessage::Id;
    switch (driveType) {
        case DriveType::kUnknown:
            return platform::UserMessage(Id::kDriveUnknown);
        case DriveType::kNoRootDir:
            return platform::UserMessage(Id::kDriveNoRoot);
        case DriveType::kRemovable:
            return platform::UserMessage(floppyLetter ? Id::kDriveFloppy : Id::kDriveRemovable);
        case DriveType::kFixed:
            return platform::UserMessage(Id::kDriveFixed);
        case DriveType::kRemote:
            return platform::UserMessage(Id::kDriveRemote);
        case DriveType::kOptical:
            return platform::UserMessage(Id::kDriveOptical);
        case DriveType::kRamDisk:
            return platform::UserMessage(Id::kDriveRam);
        default:
            return platform::UserMessage();
    }
}
