// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/FormColours.h"

namespace FormColours {

HBRUSH Face() {
    static const HBRUSH brush = CreateSolidBrush(kFace);
    return brush;
}

HBRUSH White() {
    static const HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    return brush;
}

}  // namespace FormColours
