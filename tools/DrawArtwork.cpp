// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the desktop program into a folder: the bitmap buttons of the main form
// (up and down pictures), the four pictures of the Start button, the decoration beside the progress
// bar, the program icon in the usual theme sizes and the toolbar images. The form's pictures are
// drawn twice, for displays of device pixel ratio 1 and 2 ("NAME.png" and "NAME@2x.png", which Qt
// picks by the display). Button labels and the banner's motto are not in the pictures: the
// program writes them in the user's language. The PNGs it writes are committed under
// resources/images and embedded in the program; run scripts/draw-artwork.sh after changing this
// file.
//
// Usage: tunecrate_draw_artwork OUTPUT_DIR

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

namespace {

// The form's face colour; button pictures are drawn on it so that they sit flush with the form.
const QColor kFace(212, 208, 200);
const QColor kText(40, 40, 48);

using Glyph = std::function<void(QPainter&, const QRectF&)>;

QString g_outDir;
bool g_failed = false;
// The device pixel ratio the pictures are drawn for now: 1, then 2.
int g_scale = 1;

// A picture of `size` logical pixels, `g_scale` times as many real ones; painters draw on it in
// logical pixels.
QImage Canvas(const QSize& size, QImage::Format format) {
    QImage image(size * g_scale, format);
    image.setDevicePixelRatio(g_scale);
    return image;
}

void Save(const QImage& image, const QString& name) {
    const QString path = g_outDir + "/" + name + (g_scale == 1 ? "" : "@2x") + ".png";
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        g_failed = true;
    }
}

// ---- glyphs, drawn white into a square ------------------------------------------------------

void GlyphPlus(QPainter& p, const QRectF& r) {
    const qreal w = r.width() * 0.16, l = r.width() * 0.56;
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(c.x() - l / 2, c.y() - w / 2, l, w), w / 3, w / 3);
    p.drawRoundedRect(QRectF(c.x() - w / 2, c.y() - l / 2, w, l), w / 3, w / 3);
}

void GlyphMinus(QPainter& p, const QRectF& r) {
    const qreal w = r.width() * 0.16, l = r.width() * 0.56;
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(c.x() - l / 2, c.y() - w / 2, l, w), w / 3, w / 3);
}

// A USB stick standing upright: body and connector with its two contacts.
void GlyphStick(QPainter& p, const QRectF& r) {
    const qreal u = r.width() / 20.0;
    const QPointF o = r.topLeft();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(o.x() + 6 * u, o.y() + 8.5 * u, 8 * u, 8.5 * u), 1.5 * u, 1.5 * u);
    p.drawRect(QRectF(o.x() + 7.5 * u, o.y() + 3 * u, 5 * u, 5 * u));
    p.setBrush(QColor(40, 90, 170));
    p.drawRect(QRectF(o.x() + 8.5 * u, o.y() + 4.5 * u, 1.2 * u, 1.5 * u));
    p.drawRect(QRectF(o.x() + 10.3 * u, o.y() + 4.5 * u, 1.2 * u, 1.5 * u));
}

// Two beamed eighth notes.
void GlyphNote(QPainter& p, const QRectF& r) {
    const qreal u = r.width() / 20.0;
    const QPointF o = r.topLeft();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.save();
    p.translate(o.x() + 6.2 * u, o.y() + 14.5 * u);
    p.rotate(-20);
    p.drawEllipse(QRectF(-2.4 * u, -1.7 * u, 4.8 * u, 3.4 * u));
    p.restore();
    p.save();
    p.translate(o.x() + 13.7 * u, o.y() + 13 * u);
    p.rotate(-20);
    p.drawEllipse(QRectF(-2.4 * u, -1.7 * u, 4.8 * u, 3.4 * u));
    p.restore();
    p.drawRect(QRectF(o.x() + 7.6 * u, o.y() + 5.5 * u, 1.3 * u, 9 * u));
    p.drawRect(QRectF(o.x() + 15.1 * u, o.y() + 4 * u, 1.3 * u, 9 * u));
    QPainterPath beam;
    beam.moveTo(o.x() + 7.6 * u, o.y() + 5.5 * u);
    beam.lineTo(o.x() + 16.4 * u, o.y() + 4 * u);
    beam.lineTo(o.x() + 16.4 * u, o.y() + 6.6 * u);
    beam.lineTo(o.x() + 7.6 * u, o.y() + 8.1 * u);
    beam.closeSubpath();
    p.drawPath(beam);
}

// An open door with an arrow pointing out of it.
void GlyphExit(QPainter& p, const QRectF& r) {
    const qreal u = r.width() / 20.0;
    const QPointF o = r.topLeft();
    QPen pen(Qt::white, 1.6 * u);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath frame;
    frame.moveTo(o.x() + 11 * u, o.y() + 7 * u);
    frame.lineTo(o.x() + 11 * u, o.y() + 4 * u);
    frame.lineTo(o.x() + 4.5 * u, o.y() + 4 * u);
    frame.lineTo(o.x() + 4.5 * u, o.y() + 16 * u);
    frame.lineTo(o.x() + 11 * u, o.y() + 16 * u);
    frame.lineTo(o.x() + 11 * u, o.y() + 13 * u);
    p.drawPath(frame);
    p.drawLine(QPointF(o.x() + 8 * u, o.y() + 10 * u), QPointF(o.x() + 16 * u, o.y() + 10 * u));
    QPainterPath head;
    head.moveTo(o.x() + 13 * u, o.y() + 7 * u);
    head.lineTo(o.x() + 16.3 * u, o.y() + 10 * u);
    head.lineTo(o.x() + 13 * u, o.y() + 13 * u);
    p.drawPath(head);
}

void GlyphPlay(QPainter& p, const QRectF& r) {
    const qreal u = r.width() / 20.0;
    const QPointF o = r.topLeft();
    QPainterPath tri;
    tri.moveTo(o.x() + 7 * u, o.y() + 4.5 * u);
    tri.lineTo(o.x() + 16 * u, o.y() + 10 * u);
    tri.lineTo(o.x() + 7 * u, o.y() + 15.5 * u);
    tri.closeSubpath();
    p.setPen(QPen(Qt::white, 1.2 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(tri);
}

void GlyphStop(QPainter& p, const QRectF& r) {
    const qreal u = r.width() / 20.0;
    const QPointF o = r.topLeft();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(o.x() + 5.5 * u, o.y() + 5.5 * u, 9 * u, 9 * u), 1.2 * u, 1.2 * u);
}

// ---- bitmap buttons ---------------------------------------------------------------------------

// A round badge in the accent colour with a soft highlight, the glyph on it.
void DrawBadge(QPainter& p, const QRectF& r, const QColor& accent, const Glyph& glyph) {
    QRadialGradient fill(r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width() * 0.8);
    fill.setColorAt(0, accent.lighter(135));
    fill.setColorAt(1, accent.darker(115));
    p.setPen(QPen(accent.darker(160), 1));
    p.setBrush(fill);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    glyph(p, r);
}

// The 3D edge of a push button: two pixels, raised when up, sunken when down.
void DrawBevel(QPainter& p, const QRect& r, bool down) {
    const QColor light = down ? QColor(64, 64, 64) : Qt::white;
    const QColor mid = down ? QColor(128, 128, 128) : QColor(232, 230, 225);
    const QColor dark = down ? Qt::white : QColor(64, 64, 64);
    const QColor shadow = down ? QColor(232, 230, 225) : QColor(128, 128, 128);
    p.setPen(light);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(dark);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.setPen(mid);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
    p.setPen(shadow);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

struct ButtonArt {
    QString stem;
    QColor accent;
    Glyph glyph;
};

// The face shared by every button picture: a gentle vertical gradient, darker when pressed;
// the badge at the left, room for the label (written by the program) to its right. A pressed
// picture shifts its content one pixel right and down, as a pressed push button does.
QImage DrawButtonFace(const QSize& size, const ButtonArt& art, bool down, bool bevel) {
    QImage image = Canvas(size, QImage::Format_RGB888);
    image.fill(kFace);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRect inner = QRect(QPoint(0, 0), size).adjusted(2, 2, -2, -2);
    QLinearGradient face(inner.topLeft(), inner.bottomLeft());
    face.setColorAt(0, down ? QColor(196, 192, 184) : QColor(246, 244, 240));
    face.setColorAt(1, down ? QColor(214, 210, 202) : QColor(214, 210, 202));
    p.fillRect(inner, face);

    const int shift = down ? 1 : 0;
    const int badge = size.height() - 14;
    const QRectF badgeRect(8 + shift, (size.height() - badge) / 2.0 + shift, badge, badge);
    DrawBadge(p, badgeRect, art.accent, art.glyph);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    if (bevel) {
        DrawBevel(p, QRect(QPoint(0, 0), size), down);
    } else {
        // The Start button draws its own one-pixel frame over the outermost pixels.
        p.setPen(down ? QColor(150, 146, 138) : QColor(255, 255, 255));
        p.drawRect(QRect(QPoint(1, 1), size - QSize(3, 3)));
    }
    return image;
}

void DrawBitmapButtons() {
    const QSize size(100, 44);
    const ButtonArt buttons[] = {
        {"ADD", QColor(60, 150, 70), GlyphPlus},      {"REMOVE", QColor(190, 60, 50), GlyphMinus},
        {"SELDRV", QColor(40, 100, 180), GlyphStick}, {"FILEEXT", QColor(130, 80, 170), GlyphNote},
        {"EXIT", QColor(110, 110, 120), GlyphExit},
    };
    for (const ButtonArt& art : buttons) {
        Save(DrawButtonFace(size, art, false, true), art.stem + "U");
        Save(DrawButtonFace(size, art, true, true), art.stem + "D");
    }
    const ButtonArt start{"START", QColor(40, 150, 60), GlyphPlay};
    const ButtonArt stop{"STARTON", QColor(200, 60, 40), GlyphStop};
    Save(DrawButtonFace(size, start, false, false), "STARTU");
    Save(DrawButtonFace(size, start, true, false), "STARTD");
    Save(DrawButtonFace(size, stop, false, false), "STARTONU");
    // The pressed running picture is one pixel narrower, as the form expects it.
    Save(DrawButtonFace(QSize(99, 44), stop, true, false), "STARTOND");
}

// ---- program icon -----------------------------------------------------------------------------

// A wooden crate with a music note rising out of it, scaled into a square of any size.
void DrawCrateIcon(QPainter& p, const QRectF& box) {
    const qreal u = box.width() / 32.0;
    auto R = [&](qreal x, qreal y, qreal w, qreal h) {
        return QRectF(box.x() + x * u, box.y() + y * u, w * u, h * u);
    };
    p.setRenderHint(QPainter::Antialiasing);

    // The note behind the crate's front.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 170));
    p.save();
    p.translate(box.x() + 13 * u, box.y() + 14 * u);
    p.rotate(-20);
    p.drawEllipse(QRectF(-4.2 * u, -3 * u, 8.4 * u, 6 * u));
    p.restore();
    p.drawRect(R(15.6, 1.5, 2.2, 12.5));
    QPainterPath flag;
    flag.moveTo(box.x() + 17.8 * u, box.y() + 1.5 * u);
    flag.cubicTo(box.x() + 20 * u, box.y() + 4 * u, box.x() + 25 * u, box.y() + 5 * u,
                 box.x() + 23 * u, box.y() + 10.5 * u);
    flag.cubicTo(box.x() + 23.5 * u, box.y() + 7 * u, box.x() + 20 * u, box.y() + 6 * u,
                 box.x() + 17.8 * u, box.y() + 5.5 * u);
    flag.closeSubpath();
    p.drawPath(flag);

    // The crate: three planks with dark gaps, framed by two posts.
    const QColor wood(196, 138, 72), woodDark(120, 76, 34);
    p.setPen(QPen(woodDark, qMax<qreal>(1.0, 1.0 * u)));
    for (int i = 0; i < 3; ++i) {
        QLinearGradient g(R(2, 14 + i * 5.6, 28, 5).topLeft(),
                          R(2, 14 + i * 5.6, 28, 5).bottomLeft());
        g.setColorAt(0, wood.lighter(112));
        g.setColorAt(1, wood.darker(108));
        p.setBrush(g);
        p.drawRect(R(2, 14 + i * 5.6, 28, 5));
    }
    p.setBrush(wood.darker(115));
    p.drawRect(R(2, 13.5, 3.5, 17.5));
    p.drawRect(R(26.5, 13.5, 3.5, 17.5));
}

void DrawIcons() {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        DrawCrateIcon(p, QRectF(0, 0, size, size));
        p.end();
        Save(image, QString("tunecrate-%1").arg(size));
    }
}

// ---- decoration -------------------------------------------------------------------------------

// The banner beside the progress bar: a night-blue panel with the crate, the program's name and
// what it does.
void DrawDecoration() {
    QImage image = Canvas(QSize(362, 126), QImage::Format_RGB888);
    image.fill(kFace);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF panel(1, 1, 360, 124);
    QLinearGradient sky(panel.topLeft(), panel.bottomRight());
    sky.setColorAt(0, QColor(24, 44, 92));
    sky.setColorAt(1, QColor(34, 110, 140));
    p.setPen(QPen(QColor(16, 28, 60), 1));
    p.setBrush(sky);
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

    // Faint sound waves behind the crate.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 40 - i * 8), 2));
        const qreal rr = 40 + i * 14;
        p.drawArc(QRectF(60 - rr, 66 - rr, 2 * rr, 2 * rr), -50 * 16, 100 * 16);
    }

    DrawCrateIcon(p, QRectF(14, 16, 96, 96));

    p.setPen(Qt::white);
    QFont title("DejaVu Sans");
    title.setPixelSize(38);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(124, 22, 230, 48), Qt::AlignLeft | Qt::AlignVCenter, "Tunecrate");

    p.end();
    Save(image, "DECORATION");
}

// ---- toolbar ----------------------------------------------------------------------------------

QImage ToolImage() {
    QImage image = Canvas(QSize(16, 15), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void DrawToolbar() {
    const QColor ink(40, 40, 48);
    {  // New: a blank page with a folded corner
        QImage img = ToolImage();
        QPainter p(&img);
        QPainterPath page;
        page.moveTo(3.5, 0.5);
        page.lineTo(9.5, 0.5);
        page.lineTo(12.5, 3.5);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.drawLine(QPointF(9.5, 0.5), QPointF(9.5, 3.5));
        p.drawLine(QPointF(9.5, 3.5), QPointF(12.5, 3.5));
        p.end();
        Save(img, "tb_new");
    }
    {  // Open: an opened yellow folder
        QImage img = ToolImage();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(130, 100, 20));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(0.5, 3.5, 12, 9));
        p.drawRect(QRectF(0.5, 2.5, 5, 1));
        QPainterPath flap;
        flap.moveTo(3.5, 6.5);
        flap.lineTo(15.5, 6.5);
        flap.lineTo(12.5, 12.5);
        flap.lineTo(0.5, 12.5);
        flap.closeSubpath();
        p.setBrush(QColor(252, 224, 120));
        p.drawPath(flap);
        p.end();
        Save(img, "tb_open");
    }
    {  // Save: a disc with its label and shutter
        QImage img = ToolImage();
        QPainter p(&img);
        p.setPen(QColor(20, 40, 90));
        p.setBrush(QColor(50, 90, 170));
        p.drawRect(1, 0, 13, 14);
        p.setBrush(Qt::white);
        p.drawRect(3, 1, 9, 5);
        p.setBrush(QColor(190, 190, 196));
        p.drawRect(4, 9, 7, 5);
        p.fillRect(8, 10, 2, 3, QColor(20, 40, 90));
        p.end();
        Save(img, "tb_save");
    }
    {  // Print: a printer with a sheet
        QImage img = ToolImage();
        QPainter p(&img);
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawRect(4, 0, 8, 5);
        p.setBrush(QColor(190, 190, 196));
        p.drawRect(0, 5, 15, 6);
        p.setBrush(Qt::white);
        p.drawRect(3, 9, 10, 5);
        p.fillRect(12, 7, 2, 1, QColor(60, 170, 60));
        p.end();
        Save(img, "tb_print");
    }
    {  // About: a blue "i" badge
        QImage img = ToolImage();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(20, 60, 130));
        p.setBrush(QColor(50, 110, 200));
        p.drawEllipse(QRectF(0.5, 0.0, 14.5, 14.5));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(6.5, 2.5, 2.5, 2.5));
        p.drawRect(QRectF(6.6, 6.2, 2.3, 6));
        p.end();
        Save(img, "tb_about");
    }
    {  // Context help: an arrow with a question mark
        QImage img = ToolImage();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath arrow;
        arrow.moveTo(1, 1);
        arrow.lineTo(1, 12);
        arrow.lineTo(3.8, 9.3);
        arrow.lineTo(5.8, 13.5);
        arrow.lineTo(7.4, 12.8);
        arrow.lineTo(5.5, 8.6);
        arrow.lineTo(9, 8.6);
        arrow.closeSubpath();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        QFont f("DejaVu Sans");
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(30, 80, 170));
        p.drawText(QRect(8, 0, 8, 13), Qt::AlignCenter, "?");
        p.end();
        Save(img, "tb_help");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    g_outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(g_outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    DrawIcons();
    for (g_scale = 1; g_scale <= 2; ++g_scale) {
        DrawBitmapButtons();
        DrawDecoration();
        DrawToolbar();
    }
    return g_failed ? 1 : 0;
}
