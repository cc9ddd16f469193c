#include "support/RealVolume.h"

// Windows has no FUSE and no loop devices; IsMounted() stays false and the tests skip themselves.
RealVolume::RealVolume(Kind, uint64_t, const std::string&, uint64_t)
    : skipReason_("image volumes are mounted on Linux only") {}

RealVolume::~RealVolume() = default;

void RealVolume::Unmount() {}

const char* RealVolume::KindName(Kind kind) {
    switch (kind) {
        case Kind::kExfat:
            return "exFAT";
        case Kind::kNtfs:
            return "NTFS";
        case Kind::kFat:
            return "FAT";
    }
    return "";
}
