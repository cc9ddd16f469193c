// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SymbolIcon.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <utility>

#include "ui/UiResources.h"

namespace {

QColor InkFor(QIcon::Mode mode) {
    const QPalette palette = QGuiApplication::palette();
    switch (mode) {
        case QIcon::Disabled:
            return palette.color(QPalette::Disabled, QPalette::WindowText);
        case QIcon::Selected:
            return palette.color(QPalette::Active, QPalette::HighlightedText);
        default:
            return palette.color(QPalette::Active, QPalette::WindowText);
    }
}

}  // namespace

SymbolIcon::SymbolIcon(QString path, std::shared_ptr<QSvgRenderer> renderer)
    : path_(std::move(path)), renderer_(std::move(renderer)) {}

QIcon SymbolIcon::Load(const QString& path) {
    InitUiResources();
    if (!QFile::exists(path)) {
        return QIcon();
    }
    auto renderer = std::make_shared<QSvgRenderer>(path);
    if (!renderer->isValid()) {
        return QIcon();
    }
    return QIcon(new SymbolIcon(path, std::move(renderer)));
}

QPixmap SymbolIcon::Render(const QSize& pixels, QIcon::Mode mode) const {
    if (pixels.isEmpty()) {
        return QPixmap();
    }
    const QColor ink = InkFor(mode);
    const QString cacheKey = QStringLiteral("symbol:%1:%2x%3:%4")
                                 .arg(path_)
                                 .arg(pixels.width())
                                 .arg(pixels.height())
                                 .arg(ink.rgba());
    QPixmap picture;
    if (!QPixmapCache::find(cacheKey, &picture)) {
        // The shapes are drawn black and then take the ink's colour where they cover.
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer_->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), ink);
        painter.end();
        picture = QPixmap::fromImage(image);
        QPixmapCache::insert(cacheKey, picture);
    }
    return picture;
}

QPixmap SymbolIcon::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    return Render(size, mode);
}

// QIcon asks with the size in device pixels already; the scale says what they stand for.
QPixmap SymbolIcon::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) {
    QPixmap picture = Render(size, mode);
    picture.setDevicePixelRatio(scale);
    return picture;
}

void SymbolIcon::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = Render(rect.size() * scale, mode);
    picture.setDevicePixelRatio(scale);
    painter->drawPixmap(rect.topLeft(), picture);
}

QIconEngine* SymbolIcon::clone() const {
    return new SymbolIcon(path_, renderer_);
}
