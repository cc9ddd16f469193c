// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/volumes/VolumeEjector.h"
#include "platform/volumes/VolumeQueries.h"

namespace platform {

// The device calls an eject makes on Windows, on one volume opened by Open (the system's own in
// EjectDevice_win.cpp). Each call answers whether it worked; ErrorText describes the last one that
// did not.
class EjectDevice {
  public:
    virtual ~EjectDevice() = default;
    // The drive's type, a fixed disc on a USB bus counting as removable.
    virtual DriveType Type(const std::string& root) = 0;
    virtual bool Open(const std::string& drive) = 0;
    // False with IsBusy() when a program still has files open on the volume.
    virtual bool Lock() = 0;
    virtual bool IsBusy() = 0;
    virtual void WaitBeforeRetry() = 0;
    virtual bool Dismount() = 0;
    virtual bool AllowRemoval() = 0;
    virtual bool EjectMedia() = 0;
    virtual std::string ErrorText() = 0;
};

// Ejects a drive such as "E:" as Windows' "Safely Remove" does for a stick: locks its volume
// (waiting a while for programs to let go of it), dismounts it, then ejects the medium. Only a
// removable drive is ejected; the messages are those of the other platforms.
class WindowsVolumeEjector {
  public:
    static constexpr int kLockAttempts = 20;
    static EjectResult Eject(const std::string& stick, EjectDevice& device);
};

}  // namespace platform
