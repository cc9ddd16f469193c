// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/BlockDeviceProbe_linux.h"

#include <blkid/blkid.h>

#include <memory>

namespace platform {
namespace {

struct ProbeDeleter {
    void operator()(blkid_struct_probe* probe) const { blkid_free_probe(probe); }
};

std::string Value(blkid_probe probe, const char* name) {
    const char* data = nullptr;
    size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &length) != 0 || !data) {
        return std::string();
    }
    // The length counts the terminating zero.
    return std::string(data, length > 0 && data[length - 1] == '\0' ? length - 1 : length);
}

}  // namespace

bool BlockDeviceProbe::Read(const std::string& device, VolumeIdentity& identity) {
    std::unique_ptr<blkid_struct_probe, ProbeDeleter> probe(
        blkid_new_probe_from_filename(device.c_str()));
    if (!probe) {
        return false;
    }
    blkid_probe_enable_superblocks(probe.get(), 1);
    blkid_probe_set_superblocks_flags(probe.get(),
                                      BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
    // 0: one file system found; 1: none; -2: ambiguous; -1: error.
    if (blkid_do_safeprobe(probe.get()) != 0) {
        return false;
    }
    identity.label = Value(probe.get(), "LABEL");
    identity.uuid = Value(probe.get(), "UUID");
    identity.fsType = Value(probe.get(), "TYPE");
    return true;
}

}  // namespace platform
