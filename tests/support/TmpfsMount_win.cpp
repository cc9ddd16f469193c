#include "support/TmpfsMount.h"

// Windows has no size-limited RAM volume that a test could mount; IsMounted() stays false and
// the tests that need one skip themselves.
TmpfsMount::TmpfsMount(uint64_t, const std::string&) {}

TmpfsMount::~TmpfsMount() = default;

void TmpfsMount::MakeReadOnly() {}

void TmpfsMount::Unmount() {}
