#include "support/RealVolume.h"

// Windows has no volume that a test could mount; IsMounted() stays false and the tests that
// need one skip themselves.
RealVolume::RealVolume(Kind, uint64_t, const std::string&, uint64_t)
    : skipReason_("no test volumes on Windows") {}

RealVolume::~RealVolume() = default;

void RealVolume::Unmount() {}
