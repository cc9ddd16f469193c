// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the drive list's own icons (used where the desktop's icon theme has none) into
// resources/icons/drives/. Run after changing a drawing and commit the PNG files:
//   cmake --build build --target draw_drive_icons
//   QT_QPA_PLATFORM=offscreen build/bin/draw_drive_icons resources/icons/drives
// Every icon is drawn on a 16 x 16 grid and rendered at 16 and 32 pixels.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <functional>
#include <utility>
#include <vector>

namespace {

// One palette for all pictures: dark outline, light metal bodies, a coloured accent each.
const QColor kOutline(0x30, 0x34, 0x3a);
const QColor kBodyLight(0xf4, 0xf5, 0xf7);
const QColor kBodyDark(0xb4, 0xb9, 0xc1);
const QColor kLedGreen(0x3c, 0xc8, 0x4b);

QPen Outline(qreal width = 1.0) {
    QPen pen(kOutline, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& a, const QColor& b) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// The box of a drive seen slightly from above: top face and front, with a green light.
void DriveBox(QPainter& p, qreal top, qreal bottom) {
    const QRectF body(1.5, top, 13, bottom - top);
    p.setPen(Outline());
    p.setBrush(Vertical(top, bottom, kBodyLight, kBodyDark));
    p.drawRoundedRect(body, 1.5, 1.5);
    p.setPen(QPen(kOutline.lighter(220), 0.8));
    p.drawLine(QPointF(2.5, top + (bottom - top) * 0.45),
               QPointF(13.5, top + (bottom - top) * 0.45));
    p.setPen(Qt::NoPen);
    p.setBrush(kLedGreen);
    p.drawEllipse(QPointF(12, top + (bottom - top) * 0.72), 0.9, 0.9);
}

void HardDisc(QPainter& p) {
    DriveBox(p, 5.5, 12.5);
}

void Removable(QPainter& p) {
    // A USB stick lying on its side: metal plug on the left, blue body.
    p.setPen(Outline());
    p.setBrush(Vertical(6, 10, kBodyLight, kBodyDark));
    p.drawRect(QRectF(1.5, 6.0, 4, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRect(QRectF(2.5, 7.0, 1, 0.8));
    p.drawRect(QRectF(2.5, 8.2, 1, 0.8));
    p.setPen(Outline());
    p.setBrush(Vertical(4.5, 11.5, QColor(0x5a, 0x9b, 0xe6), QColor(0x23, 0x5c, 0xb4)));
    p.drawRoundedRect(QRectF(5.5, 4.5, 9, 7), 1.6, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kLedGreen);
    p.drawEllipse(QPointF(12.6, 8.0), 0.9, 0.9);
}

void Optical(QPainter& p) {
    // A disc with its rainbow sheen and the hole in the middle.
    QRadialGradient g(QPointF(8, 8), 6.5);
    g.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    g.setColorAt(0.45, QColor(0xd8, 0xe8, 0xff));
    g.setColorAt(0.7, QColor(0xf6, 0xe0, 0xf4));
    g.setColorAt(1.0, QColor(0xc4, 0xcc, 0xd8));
    p.setPen(Outline());
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setBrush(kBodyDark);
    p.drawEllipse(QPointF(8, 8), 2.0, 2.0);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 0.8, 0.8);
}

void Floppy(QPainter& p) {
    // A 3.5 inch disk: dark body with a cut corner, metal shutter on top, label below.
    QPainterPath body;
    body.moveTo(2, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(2, 14.5);
    body.closeSubpath();
    p.setPen(Outline());
    p.setBrush(Vertical(1.5, 14.5, QColor(0x4a, 0x62, 0x8c), QColor(0x27, 0x37, 0x5a)));
    p.drawPath(body);
    p.setBrush(Vertical(1.5, 6.5, kBodyLight, kBodyDark));
    p.drawRect(QRectF(5, 1.5, 6.5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRect(QRectF(9, 2.5, 1.3, 3));
    p.setPen(Outline(0.8));
    p.setBrush(kBodyLight);
    p.drawRect(QRectF(4, 8.5, 8.5, 6));
}

void RamDisk(QPainter& p) {
    // A memory module: green board, black chips, gold contacts along the bottom edge.
    p.setPen(Outline());
    p.setBrush(Vertical(4, 12, QColor(0x4c, 0xb0, 0x5e), QColor(0x23, 0x7a, 0x36)));
    p.drawRect(QRectF(0.5, 4.5, 15, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (qreal x : {2.0, 6.0, 10.0}) {
        p.drawRect(QRectF(x, 5.8, 3, 3.4));
    }
    p.setBrush(QColor(0xe8, 0xb8, 0x30));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(1.6 + i * 2.0, 10.2, 1.2, 1.6));
    }
}

void Network(QPainter& p) {
    // A drive box on a network cable.
    DriveBox(p, 2.5, 9.5);
    p.setPen(Outline(1.2));
    p.drawLine(QPointF(8, 9.5), QPointF(8, 12.5));
    p.drawLine(QPointF(2, 12.5), QPointF(14, 12.5));
    p.setPen(Outline(0.8));
    p.setBrush(QColor(0x5a, 0x9b, 0xe6));
    p.drawRect(QRectF(6.5, 11.5, 3, 2.5));
}

void Unknown(QPainter& p) {
    // A drive box with a question mark over it.
    DriveBox(p, 8.5, 14.5);
    QPainterPath mark;
    mark.moveTo(5.5, 3.0);
    mark.cubicTo(5.5, 0.3, 10.5, 0.3, 10.5, 3.0);
    mark.cubicTo(10.5, 4.6, 8.0, 4.4, 8.0, 5.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x23, 0x5c, 0xb4), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x23, 0x5c, 0xb4));
    p.drawEllipse(QPointF(8.0, 7.2), 0.95, 0.95);
}

bool Render(const QString& dir, const QString& name, const std::function<void(QPainter&)>& draw,
            int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        draw(p);
    }
    return image.save(QDir(dir).filePath(QStringLiteral("%1-%2.png").arg(name).arg(size)));
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_drive_icons OUTPUT_DIRECTORY\n";
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const std::vector<std::pair<QString, std::function<void(QPainter&)>>> icons = {
        {"floppy", Floppy},       {"harddisc", HardDisc}, {"optical", Optical},
        {"removable", Removable}, {"ramdisk", RamDisk},   {"network", Network},
        {"unknown", Unknown},
    };
    for (const auto& [name, draw] : icons) {
        for (int size : {16, 32}) {
            if (!Render(dir, name, draw, size)) {
                err << "cannot write " << name << " into " << dir << "\n";
                return 1;
            }
        }
    }
    return 0;
}
