#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts the dialog units in which the program's windows are laid out into pixels for the font
// they are shown in, as Windows does for dialog templates: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height. The layouts keep
// their proportions with any font and size.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int X(int units) const;
    int Y(int units) const;
    // Left, top, width and height in dialog units; edges are converted, not lengths, so
    // neighbouring controls stay flush.
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

  private:
    int baseX_;
    int baseY_;
};
