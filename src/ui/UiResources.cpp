// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UiResources.h"

#include <QApplication>

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <QtGlobal>
#include <mutex>

#include "ui/SymbolIcon.h"

// Q_INIT_RESOURCE must be used outside of any namespace.
static void RegisterTunecrateResources() {
    Q_INIT_RESOURCE(tunecrate);
}

void InitUiResources() {
    static std::once_flag once;
    std::call_once(once, RegisterTunecrateResources);
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    // A desktop without a theme of its own (a bare window manager) still finds the icons of the
    // theme that most distributions install.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    }
    const QString themed = QString::fromLatin1(name);
    if (QIcon::hasThemeIcon(themed)) {
        return QIcon::fromTheme(themed);
    }
    const QIcon own = SymbolIcon::Load(QStringLiteral(":/icons/actions/%1.svg").arg(themed));
    return own.isNull() ? QApplication::style()->standardIcon(fallback) : own;
}

QPixmap DisabledLook(const QPixmap& picture, const QWidget* widget) {
    QStyleOption option;
    option.initFrom(widget);
    return widget->style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
}

void DrawButtonLabel(QPainter& painter, const QRect& box, const QString& text, int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setBold(true);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int size = pixelSize; size >= 7; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& line : lines) {
            widest = qMax(widest, metrics.horizontalAdvance(line));
        }
        if (widest <= box.width() && metrics.height() * lines.size() <= box.height()) {
            break;
        }
    }
    painter.save();
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}
