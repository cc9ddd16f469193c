// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The font the program's forms are laid out in: the classic 8-point dialog font where it exists,
// otherwise a condensed sans serif of the same size, whose letters have the same average width,
// so that the pictures fit the buttons as drawn.
inline QFont FormFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Sans Serif")});
    font.setPointSize(8);
    return font;
}
