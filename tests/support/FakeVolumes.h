// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/volumes/VolumeQueries.h"
#include "transfer/DriveInfo.h"

// The system's answers about drives, as a test sets them up.
class FakeVolumes : public platform::VolumeQueries {
  public:
    struct Drive {
        platform::DriveType type = platform::DriveType::kFixed;
        std::optional<platform::DiskSpace> space;  // none: the query fails
        std::string label;
    };

    void Add(const std::string& root, Drive drive) {
        roots_.push_back(root);
        drives_[root] = drive;
    }
    void AddFirst(const std::string& root, Drive drive) {
        Add(root, drive);
        std::rotate(roots_.begin(), roots_.end() - 1, roots_.end());
    }
    void Remove(const std::string& root) {
        roots_.erase(std::find(roots_.begin(), roots_.end(), root));
        drives_.erase(root);
    }

    // A volume the system does not offer for music, as the system's own.
    void AddNotForMusic(const std::string& root, Drive drive) {
        Add(root, drive);
        notForMusic_.insert(root);
    }

    std::vector<std::string> GetDriveRoots() const override { return roots_; }
    std::vector<std::string> GetUserDriveRoots() const override {
        std::vector<std::string> roots;
        std::copy_if(roots_.begin(), roots_.end(), std::back_inserter(roots),
                     [this](const std::string& root) { return !notForMusic_.count(root); });
        return roots;
    }
    platform::DriveType GetDriveType(const std::string& root) const override {
        return Find(root) ? Find(root)->type : platform::DriveType::kNoRootDir;
    }
    bool GetDiskSpace(const std::string& root, platform::DiskSpace& space) const override {
        const Drive* drive = Find(root);
        space = drive && drive->space ? *drive->space : space;
        return drive && drive->space;
    }
    bool GetVolumeLabel(const std::string& root, std::string& label) const override {
        label = Find(root) ? Find(root)->label : label;
        return Find(root);
    }

  private:
    const Drive* Find(const std::string& root) const {
        const auto it = drives_.find(root);
        return it == drives_.end() ? nullptr : &it->second;
    }

    std::vector<std::string> roots_;
    std::map<std::string, Drive> drives_;
    std::set<std::string> notForMusic_;
};
