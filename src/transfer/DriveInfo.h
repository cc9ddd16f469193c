// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/UserMessage.h"
#include "platform/volumes/VolumeQueries.h"

// One drive described for the user: type, label, byte counts and a multi-line description.
// The owner sets the root path and calls Refresh; the fields are read through the getters.
class DriveInfo {
  public:
    using DriveType = platform::DriveType;

    explicit DriveInfo(const platform::VolumeQueries& volumes = platform::VolumeQueries::System());

    void SetRootPath(const std::string& root) { rootPath_ = root; }
    const std::string& GetRootPath() const { return rootPath_; }
    DriveType GetDriveType() const { return driveType_; }
    const std::string& GetVolumeLabel() const { return volumeLabel_; }
    // The type text, then, when the counts could be read, a blank line and the total and free
    // byte counts ("Bytes total: 128.974.848"); as a message, and in English.
    const platform::UserMessage& Description() const { return description_; }
    std::string GetDescription() const { return description_.Text(); }
    // The description with the byte counts as `number` writes them (the user's own digit
    // grouping in a desktop program).
    platform::UserMessage DescriptionWith(const std::function<std::string(uint64_t)>& number) const;
    uint64_t GetFreeBytes() const { return freeBytes_; }
    uint64_t GetTotalBytes() const { return totalBytes_; }
    uint64_t GetTotalFreeBytes() const { return totalFreeBytes_; }
    // True when the last Refresh read the byte counts; false when they are older values (or
    // none at all), as after the stick was pulled out.
    bool IsSpaceCurrent() const { return spaceCurrent_; }

    // Queries the drive at the root path and rebuilds type, description, counts and label.
    // Counts and label keep their old values when their query fails; an empty root does nothing.
    void Refresh();

    // "E:" for the Windows root "E:\"; a mount point such as "/media/anna/MUSIC" unchanged.
    std::string GetDriveLetter() const;
    // The drive letter, or the drive letter, two blanks and the label in parentheses.
    std::string GetDisplayName() const;
    // True for the drive letters A and B only; false for mount points.
    bool IsFloppyLetter() const;
    // Inserts "." between groups of three digits from the right, whatever the locale.
    static void GroupDigits(std::string& text);
    // The roots a user picks the stick from: the system's drives for music, then
    // `currentStick` where it is a mounted volume they leave out (empty: no stick yet).
    static std::vector<std::string> StickChoices(const platform::VolumeQueries& volumes,
                                                 const std::string& currentStick);
    // The type text of a code ("Removable Drive", "Hard Disc", ...); empty for unknown codes.
    static platform::UserMessage TypeText(DriveType driveType, bool floppyLetter);

  private:
    const platform::VolumeQueries* volumes_;
    std::string rootPath_;
    DriveType driveType_ = DriveType::kUnknown;
    std::string volumeLabel_;
    platform::UserMessage description_;
    uint64_t freeBytes_ = 0;
    uint64_t totalBytes_ = 0;
    uint64_t totalFreeBytes_ = 0;
    bool spaceCurrent_ = false;
};
