// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

namespace {

// units * base / divisor, rounded half away from zero.
int MulDiv(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

QString WithoutMnemonics(const QString& text) {
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;  // "&&" keeps one ampersand; "&x" keeps the x
        }
        shown += text[i];
    }
    return shown;
}

DialogUnits::DialogUnits(const QFont& font) : font_(font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, the way Windows measures a dialog font.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

void DialogUnits::FitText(const QString& text, int widthUnits, int marginPixels) {
    if (widthUnits <= 0) {
        return;
    }
    const int needed = QFontMetrics(font_).horizontalAdvance(WithoutMnemonics(text)) + marginPixels;
    while (X(widthUnits) < needed) {
        ++baseX_;
    }
}

int DialogUnits::X(int units) const {
    return MulDiv(units, baseX_, 4);
}

int DialogUnits::Y(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    const int left = X(x), top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

QSize DialogUnits::Size(int width, int height) const {
    return QSize(X(width), Y(height));
}
