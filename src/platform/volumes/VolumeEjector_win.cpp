// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeEjector_win.h"

#include <cctype>

namespace platform {
namespace {

using Id = UserMessage::Id;
using Outcome = EjectResult::Outcome;

EjectResult Result(Outcome outcome, Id id, std::vector<std::string> args) {
    EjectResult result;
    result.outcome = outcome;
    result.message = UserMessage(id, std::move(args));
    return result;
}

// "E:", "E:\" or "E:/" name a drive; anything else is no drive's root.
bool IsDriveRoot(const std::string& stick) {
    return (stick.size() == 2 || (stick.size() == 3 && (stick[2] == '\\' || stick[2] == '/'))) &&
           std::isalpha(static_cast<unsigned char>(stick[0])) && stick[1] == ':';
}

const char* KindOf(DriveType type) {
    switch (type) {
        case DriveType::kRemote:
            return "network";
        case DriveType::kOptical:
            return "optical";
        default:
            return "RAM disk";
    }
}

bool LockWithin(EjectDevice& device, int attempts) {
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (device.Lock()) {
            return true;
        }
        if (!device.IsBusy()) {
            return false;
        }
        if (attempt < attempts) {
            device.WaitBeforeRetry();
        }
    }
    return false;
}

}  // namespace

EjectResult WindowsVolumeEjector::Eject(const std::string& stick, EjectDevice& device) {
    if (!IsDriveRoot(stick)) {
        return Result(Outcome::kFailed, Id::kNotEjectedNotMounted, {stick});
    }
    const std::string drive = stick.substr(0, 2);
    const DriveType type = device.Type(drive + "\\");
    switch (type) {
        case DriveType::kRemovable:
            break;
        case DriveType::kFixed:
            return Result(Outcome::kFailed, Id::kNotEjectedFixed, {drive});
        case DriveType::kRemote:
        case DriveType::kOptical:
        case DriveType::kRamDisk:
            return Result(Outcome::kFailed, Id::kNotEjectedNoDisk, {drive, KindOf(type)});
        default:
            return Result(Outcome::kFailed, Id::kNotEjectedNotMounted, {drive});
    }
    if (!device.Open(drive)) {
        return Result(Outcome::kFailed, Id::kNotEjectedUnmountFailed, {drive, device.ErrorText()});
    }
    if (!LockWithin(device, kLockAttempts)) {
        if (device.IsBusy()) {
            return Result(Outcome::kFailed, Id::kNotEjectedBusy, {drive});
        }
        return Result(Outcome::kFailed, Id::kNotEjectedUnmountFailed, {drive, device.ErrorText()});
    }
    if (!device.Dismount()) {
        return Result(Outcome::kFailed, Id::kNotEjectedUnmountFailed, {drive, device.ErrorText()});
    }
    // Dismounted: from here on the stick can be pulled out, ejected or not.
    if (!device.AllowRemoval() || !device.EjectMedia()) {
        return Result(Outcome::kUnmounted, Id::kUnmountedPowerFailed, {drive, device.ErrorText()});
    }
    return Result(Outcome::kEjected, Id::kEjected, {drive});
}

}  // namespace platform
