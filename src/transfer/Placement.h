// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "transfer/StickSpace.h"

// Where a drawn song would go on the stick, under which name, and what it would cost there.
struct Placement {
    std::string folder;  // relative to the stick's root; empty for the root
    std::string name;    // the song's name, numbered where names are
    std::string target;  // that name as the stick can hold it, unique in its folder
    uint64_t size = 0;
    StickSpace::Need need;  // its cost on the stick, and the room it asks to be kept free
};
