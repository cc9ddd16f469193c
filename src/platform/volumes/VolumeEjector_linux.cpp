// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeEjector.h"

#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/Bus_linux.h"
#include "platform/volumes/MountTable_linux.h"
#include "platform/volumes/VolumeQueries_linux.h"

extern char** environ;

namespace platform {
namespace {

using Id = UserMessage::Id;

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kBlockInterface = "org.freedesktop.UDisks2.Block";
constexpr const char* kDriveInterface = "org.freedesktop.UDisks2.Drive";

// UDisks2 names a block device's object after the kernel's name, every byte that is not a
// letter or digit written as _XX in hex ("dm-0" becomes "dm_2d0").
std::string BlockObjectPath(const std::string& kernelName) {
    std::string path = "/org/freedesktop/UDisks2/block_devices/";
    for (const char c : kernelName) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            path += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "_%02x", static_cast<unsigned char>(c));
            path += escaped;
        }
    }
    return path;
}

EjectResult Result(EjectResult::Outcome outcome, UserMessage message) {
    EjectResult result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

bool ServiceMissing(const BusError& error) {
    return error.Is(SD_BUS_ERROR_SERVICE_UNKNOWN) || error.Is(SD_BUS_ERROR_NAME_HAS_NO_OWNER);
}

// Without UDisks2 nothing says which volumes a user may unmount: only a whole removable drive
// is, never a fixed disc, a loop device or a bind mount of some folder.
bool IsRemovableStick(const MountEntry& mount, const std::string& root) {
    return mount.root == "/" && LinuxVolumeQueries().GetDriveType(root) == DriveType::kRemovable;
}

// Without UDisks2 the superuser can still unmount; nobody can power the drive off then.
EjectResult UnmountAsRoot(const std::string& mountPoint, bool removable, UserMessage::Id why) {
    if (!removable) {
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedNotRemovable, {mountPoint}, UserMessage(why)));
    }
    if (geteuid() != 0) {
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedNoRoot, {mountPoint}, UserMessage(why)));
    }
    const char* argv[] = {"umount", mountPoint.c_str(), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "umount", nullptr, nullptr, const_cast<char**>(argv), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedUmountFailed, {mountPoint}, UserMessage(why)));
    }
    return Result(EjectResult::Outcome::kUnmounted,
                  UserMessage(Id::kUnmountedByUmount, {mountPoint}, UserMessage(why)));
}

bool ReadBool(sd_bus* bus, const char* object, const char* interface, const char* property,
              int& value, BusError& error) {
    return sd_bus_get_property_trivial(bus, kService, object, interface, property, &error.error,
                                       'b', &value) >= 0;
}

}  // namespace

EjectResult VolumeEjector::Eject(const std::string& mountPoint) {
    char* resolved = realpath(mountPoint.c_str(), nullptr);
    const std::string root = resolved ? resolved : mountPoint;
    std::free(resolved);
    const MountTable mounts = MountTable::Read();
    const MountEntry* mount = mounts.FindMountPoint(root);
    if (!mount) {
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedNotMounted, {mountPoint}));
    }
    char* device = realpath(mount->source.c_str(), nullptr);
    const std::string devicePath = device ? device : "";
    std::free(device);
    if (devicePath.rfind("/dev/", 0) != 0) {
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedNoDisk, {mountPoint, mount->fsType}));
    }
    const std::string block = BlockObjectPath(devicePath.substr(5));

    sd_bus* rawBus = nullptr;
    const int opened = sd_bus_open_system(&rawBus);
    const Bus bus(rawBus);
    if (opened < 0) {
        return UnmountAsRoot(mountPoint, IsRemovableStick(*mount, root), Id::kNoSystemBus);
    }
    BusError error;
    sd_bus_message* reply = nullptr;
    const char* drivePath = nullptr;
    if (sd_bus_get_property(bus.get(), kService, block.c_str(), kBlockInterface, "Drive",
                            &error.error, &reply, "o") < 0 ||
        sd_bus_message_read(reply, "o", &drivePath) < 0) {
        sd_bus_message_unref(reply);
        if (ServiceMissing(error)) {
            return UnmountAsRoot(mountPoint, IsRemovableStick(*mount, root), Id::kNoUdisks);
        }
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedUnknownDevice, {devicePath, error.Text()}));
    }
    const std::string drive = drivePath;
    sd_bus_message_unref(reply);

    // A loop device has no drive ("/"); anything else must be removable to be ejected.
    int removable = 0;
    int canPowerOff = 0;
    if (drive != "/") {
        BusError driveError;
        if (!ReadBool(bus.get(), drive.c_str(), kDriveInterface, "Removable", removable,
                      driveError) ||
            !ReadBool(bus.get(), drive.c_str(), kDriveInterface, "CanPowerOff", canPowerOff,
                      driveError)) {
            return Result(
                EjectResult::Outcome::kFailed,
                UserMessage(Id::kNotEjectedDriveUnreadable, {devicePath, driveError.Text()}));
        }
        if (!removable) {
            return Result(EjectResult::Outcome::kFailed,
                          UserMessage(Id::kNotEjectedFixed, {mountPoint}));
        }
    }

    BusError unmountError;
    if (sd_bus_call_method(bus.get(), kService, block.c_str(), "org.freedesktop.UDisks2.Filesystem",
                           "Unmount", &unmountError.error, nullptr, "a{sv}", 0u) < 0 &&
        !unmountError.Is("org.freedesktop.UDisks2.Error.NotMounted")) {
        if (unmountError.Is("org.freedesktop.UDisks2.Error.DeviceBusy")) {
            return Result(EjectResult::Outcome::kFailed,
                          UserMessage(Id::kNotEjectedBusy, {mountPoint}));
        }
        return Result(EjectResult::Outcome::kFailed,
                      UserMessage(Id::kNotEjectedUnmountFailed, {mountPoint, unmountError.Text()}));
    }
    if (drive == "/" || !canPowerOff) {
        return Result(EjectResult::Outcome::kUnmounted, UserMessage(Id::kUnmounted, {mountPoint}));
    }
    BusError powerError;
    if (sd_bus_call_method(bus.get(), kService, drive.c_str(), kDriveInterface, "PowerOff",
                           &powerError.error, nullptr, "a{sv}", 0u) < 0) {
        return Result(EjectResult::Outcome::kUnmounted,
                      UserMessage(Id::kUnmountedPowerFailed, {mountPoint, powerError.Text()}));
    }
    return Result(EjectResult::Outcome::kEjected, UserMessage(Id::kEjected, {mountPoint}));
}

}  // namespace platform
