// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/volumes/VolumeQueries.h"
#include "transfer/FailingStick.h"

// A removable stick of `bytes` bytes in a plain folder, for tests of what the windows do around a
// stick rather than of a file system: the volume queries and the file operations measure it
// alike (FailingStick's `capacity`), each time they are asked, until it is pulled out. Its copies
// count without waiting for a disc.
class FolderStick : public FailingStick, public platform::VolumeQueries {
  public:
    FolderStick(std::string root, uint64_t bytes) : root_(std::move(root)) {
        std::filesystem::create_directories(root_);
        capacity = bytes;
    }
    const std::string& Path() const { return root_; }
    void PullOut() { pulledOut_ = true; }

    platform::Status FlushVolume(const std::string& path) const override {
        return pulledOut_
                   ? platform::Status::Failed(platform::UserMessage::System(path + ": pulled out"))
                   : platform::Status();
    }

    std::vector<std::string> GetDriveRoots() const override { return {root_}; }
    platform::DriveType GetDriveType(const std::string& root) const override {
        return Here(root) ? platform::DriveType::kRemovable : platform::DriveType::kNoRootDir;
    }
    bool GetDiskSpace(const std::string& root, platform::DiskSpace& space) const override {
        Space measured;
        if (!Here(root) || !MeasureSpace(root, measured)) {
            return false;
        }
        space = {measured.freeBytes, *capacity, measured.freeBytes};
        return true;
    }
    bool GetVolumeLabel(const std::string& root, std::string& label) const override {
        label.clear();
        return Here(root);
    }

  private:
    bool Here(const std::string& root) const { return root == root_ && !pulledOut_; }

    std::string root_;
    bool pulledOut_ = false;
};
