#include "ui/DialogUnits.h"

#include <QFontMetricsF>
#include <QString>
#include <QtMath>

DialogUnits::DialogUnits(const QFont& font) {
    // The average width of the 52 Latin letters, rounded, and the line height.
    const QFontMetricsF metrics(font);
    const qreal alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = qMax(1, qRound(alphabet / 52.0));
    baseY_ = qMax(1, qCeil(metrics.height()));
}

int DialogUnits::X(int units) const { return qRound(units * baseX_ / 4.0); }

int DialogUnits::Y(int units) const { return qRound(units * baseY_ / 8.0); }

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    const int left = X(x), top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

QSize DialogUnits::Size(int width, int height) const { return QSize(X(width), Y(height)); }
