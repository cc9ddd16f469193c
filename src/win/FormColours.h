// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

// The form's two brushes: its face colour RGB(212, 208, 200) for the form and its labels, white
// for the edit and the list. Made on first use, kept for the program's life.
namespace FormColours {

constexpr COLORREF kFace = RGB(212, 208, 200);
HBRUSH Face();
HBRUSH White();

}  // namespace FormColours
