// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QString>
#include <memory>

class QSvgRenderer;

// One of our own monochrome pictures (an SVG in the resources), drawn at any size and pixel
// density in the palette's text colour, so that it reads on light and dark desktops alike; a
// disabled one in the disabled text colour, a selected one in the highlighted text colour.
class SymbolIcon : public QIconEngine {
  public:
    // The picture at `path` as an icon; a null icon when there is no picture there.
    static QIcon Load(const QString& path);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("TunecrateSymbolIcon"); }

  private:
    SymbolIcon(QString path, std::shared_ptr<QSvgRenderer> renderer);
    // The picture in `pixels` device pixels, in the colour for `mode`.
    QPixmap Render(const QSize& pixels, QIcon::Mode mode) const;

    QString path_;
    std::shared_ptr<QSvgRenderer> renderer_;  // shared by the copies Qt makes of an icon
};
