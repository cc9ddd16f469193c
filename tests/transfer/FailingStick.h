// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "transfer/FileOperations.h"
#include "transfer/StickFolder.h"

// The real file operations with faults on demand: the `nth` copy or flush fails with `error`, or
// the volume turns another from the `nth` copy on; `space`, when set, is what is measured; with
// `capacity`, the folder measures as a volume of that size whose files and folders take whole
// 4 KiB clusters; with `nameAppears`, a file takes the first name a copy is renamed to just
// before the rename; `beforeRename` and `beforeFlush` look at the stick at those moments.
class FailingStick : public FileOperations {
  public:
    enum class Fault { kNone, kCopy, kFlush, kOtherVolume };
    Fault fault = Fault::kNone;
    int nth = 1, error = 0;
    CopyOutcome copyOutcome = CopyOutcome::kStickFailed;  // how a failing copy reports
    std::optional<Space> space;
    std::optional<uint64_t> capacity;
    bool nameAppears = false;  // another program takes the first name a copy is to get
    mutable int copies = 0, flushes = 0, renames = 0;
    std::function<void()> beforeRename = [] {}, beforeFlush = [] {};

    CopyResult CopyInto(const std::string& source, const StickFolder& folder,
                        const std::string& name, bool flushNow) const override {
        if (++copies == nth && fault == Fault::kCopy) {
            return CopyResult::Failed(
                copyOutcome, platform::UserMessage::System(name + ": " + std::strerror(error)));
        }
        return FileOperations::CopyInto(source, folder, name, flushNow);
    }
    CopyResult RenameWithoutOverwrite(const StickFolder& fromFolder, const std::string& from,
                                      const StickFolder& toFolder,
                                      const std::string& to) const override {
        beforeRename();
        if (++renames == 1 && nameAppears) {
            std::ofstream(toFolder.PathOf(to)) << "came meanwhile";
        }
        return FileOperations::RenameWithoutOverwrite(fromFolder, from, toFolder, to);
    }
    platform::Status FlushVolume(const std::string& path) const override {
        beforeFlush();
        if (++flushes == nth && fault == Fault::kFlush) {
            return platform::Status::Failed(
                platform::UserMessage::System(path + ": " + std::strerror(error)));
        }
        return FileOperations::FlushVolume(path);
    }
    bool GetDeviceOf(const std::string& path, uint64_t& device) const override {
        const bool known = FileOperations::GetDeviceOf(path, device);
        device += fault == Fault::kOtherVolume && copies >= nth ? 1 : 0;
        return known;
    }
    bool MeasureSpace(const std::string& path, Space& measured) const override {
        if (capacity) {
            uint64_t used = 0;
            ListTree(path, [&used](const TreeEntry& entry) {
                const bool folder = entry.kind == TreeEntry::Kind::kFolder;
                used += folder ? 4096 : (entry.size + 4095) / 4096 * 4096;
            });
            measured = Space{*capacity - std::min(used, *capacity), 4096};
            return IsDirectory(path);
        }
        measured = space.value_or(measured);
        return space || FileOperations::MeasureSpace(path, measured);
    }
};
