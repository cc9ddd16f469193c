#pragma once

#include <cstring>
#include <optional>
#include <string>

#include "transfer/FileOperations.h"

// The real file operations on a folder, with the stick's faults on demand: the Nth copy or flush
// fails with a given error, the volume turns into another one from the Nth copy on, the free
// space and the allocation unit are what the test says (the real ones when unset). Counters run
// across a test.
class FailingStick : public FileOperations {
  public:
    enum class Fault { kNone, kCopy, kFlush, kOtherVolume };

    Fault fault = Fault::kNone;
    int nth = 1;    // which copy or flush fails, from 1
    int error = 0;  // its errno
    CopyResult::Outcome copyOutcome = CopyResult::kStickFailed;  // how the copy reports it
    std::optional<Space> space;

    mutable int copies = 0;
    mutable int flushes = 0;

    CopyResult CopyWithoutOverwrite(const std::string& source, const std::string& destination,
                                    bool flushNow) const override {
        ++copies;
        if (fault == Fault::kCopy && copies == nth) {
            return CopyResult::Failed(copyOutcome, destination + ": " + std::strerror(error));
        }
        return FileOperations::CopyWithoutOverwrite(source, destination, flushNow);
    }
    bool FlushVolume(const std::string& path, std::string& text) const override {
        ++flushes;
        if (fault == Fault::kFlush && flushes == nth) {
            text = path + ": " + std::strerror(error);
            return false;
        }
        return FileOperations::FlushVolume(path, text);
    }
    bool GetDeviceOf(const std::string& path, uint64_t& device) const override {
        const bool known = FileOperations::GetDeviceOf(path, device);
        if (fault == Fault::kOtherVolume && copies >= nth) {
            ++device;
        }
        return known;
    }
    bool MeasureSpace(const std::string& path, Space& measured) const override {
        if (!space) {
            return FileOperations::MeasureSpace(path, measured);
        }
        measured = *space;
        return true;
    }
};
