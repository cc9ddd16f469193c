// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Registers the pictures and translations embedded in the ui library. The library is static, so
// its resources are registered on first use instead of by a static initialiser that the linker
// may drop. Safe to call any number of times.
void InitUiResources();

#include <QIcon>
#include <QStyle>

// The desktop's icon of that name (freedesktop naming), else our own picture of that name
// (resources/icons/actions), else the style's standard picture.
QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback);

class QPixmap;
class QWidget;

// A picture as the widget's style greys out a disabled button's picture: buttons drawn from
// pictures of their own look disabled as the desktop's buttons do.
QPixmap DisabledLook(const QPixmap& picture, const QWidget* widget);

class QPainter;
class QRect;
class QString;

// Writes a picture button's label into `box`, centred, one line per "\n", in the pictures' bold
// condensed font of `pixelSize` pixels, made smaller where a translation needs the room.
void DrawButtonLabel(QPainter& painter, const QRect& box, const QString& text, int pixelSize);
