#include "ui/UiResources.h"

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

// Q_INIT_RESOURCE must be used outside of any namespace.
static void RegisterTunecrateResources() {
    Q_INIT_RESOURCE(tunecrate);
}

void InitUiResources() {
    static std::once_flag once;
    std::call_once(once, RegisterTunecrateResources);
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
