// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeEjector.h"

#include <memory>

#include "platform/files/Handle_win.h"  // windows.h first: winioctl.h builds on it
// windows.h maps GetDriveType to GetDriveTypeA; the name here is the volume queries' member.
#undef GetDriveType
#include "platform/Text_win.h"
#include "platform/volumes/VolumeEjector_win.h"
#include "platform/volumes/VolumeQueries_win.h"

#include <winioctl.h>

namespace platform {
namespace {

// The volume of a drive letter, opened for the device calls of an eject.
class SystemEjectDevice : public EjectDevice {
  public:
    DriveType Type(const std::string& root) override {
        const DriveType type = WindowsVolumeQueries().GetDriveType(root);
        return type == DriveType::kFixed && OnUsbBus(root) ? DriveType::kRemovable : type;
    }
    bool Open(const std::string& drive) override {
        volume_ = std::make_unique<Win32Handle>(OpenVolume(drive, GENERIC_READ | GENERIC_WRITE));
        return Check(volume_->IsValid());
    }
    bool Lock() override { return Control(FSCTL_LOCK_VOLUME, nullptr, 0); }
    bool IsBusy() override {
        return error_ == ERROR_ACCESS_DENIED || error_ == ERROR_SHARING_VIOLATION ||
               error_ == ERROR_LOCK_VIOLATION;
    }
    void WaitBeforeRetry() override { Sleep(500); }
    bool Dismount() override { return Control(FSCTL_DISMOUNT_VOLUME, nullptr, 0); }
    bool AllowRemoval() override {
        PREVENT_MEDIA_REMOVAL allow{};
        allow.PreventMediaRemoval = FALSE;
        return Control(IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow);
    }
    bool EjectMedia() override { return Control(IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0); }
    std::string ErrorText() override { return SystemErrorText(error_); }

  private:
    static HANDLE OpenVolume(const std::string& drive, DWORD access) {
        const std::wstring path = L"\\\\.\\" + Widen(drive.substr(0, 2));
        return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }
    // Sticks that call themselves fixed discs are still sticks when they sit on USB.
    static bool OnUsbBus(const std::string& root) {
        const Win32Handle volume(OpenVolume(root, 0));
        STORAGE_PROPERTY_QUERY query{};
        query.PropertyId = StorageDeviceProperty;
        query.QueryType = PropertyStandardQuery;
        STORAGE_DEVICE_DESCRIPTOR descriptor{};
        DWORD bytes = 0;
        return volume.IsValid() &&
               DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                               &descriptor, sizeof descriptor, &bytes, nullptr) &&
               descriptor.BusType == BusTypeUsb;
    }
    bool Control(DWORD code, void* input, DWORD size) {
        DWORD bytes = 0;
        return Check(
            DeviceIoControl(volume_->Get(), code, input, size, nullptr, 0, &bytes, nullptr));
    }
    bool Check(bool done) {
        error_ = done ? ERROR_SUCCESS : GetLastError();
        return done;
    }

    std::unique_ptr<Win32Handle> volume_;
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace

EjectResult VolumeEjector::Eject(const std::string& mountPoint) {
    SystemEjectDevice device;
    return WindowsVolumeEjector::Eject(mountPoint, device);
}

}  // namespace platform
