// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

// `text` as a label or button shows it: "&&" is an ampersand, a single "&" marks the mnemonic.
QString WithoutMnemonics(const QString& text);

// Converts the dialog units in which the program's windows are laid out into pixels for the font
// they are shown in, as Windows does for dialog templates: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height. The layouts keep
// their proportions with any font and size.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    // Widens the horizontal unit, if need be, so that `text` (mnemonic markers aside) plus
    // `marginPixels` fits into `widthUnits`. Fonts whose text runs wider than the layout was
    // drawn for make the whole window proportionally wider instead of cutting texts off.
    void FitText(const QString& text, int widthUnits, int marginPixels = 0);

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int X(int units) const;
    int Y(int units) const;
    // Left, top, width and height in dialog units; edges are converted, not lengths, so
    // neighbouring controls stay flush.
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

  private:
    QFont font_;
    int baseX_;
    int baseY_;
};
