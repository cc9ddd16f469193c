// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CHoverButton.h"

#include <QColor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "ui/UiResources.h"

namespace {

const QColor kFace(212, 208, 200);
const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

// ":/bitmaps/NAME.png" for a bare bitmap name; a path (anything with a slash) as it is.
QString BitmapPath(const QString& name) {
    return name.contains(QLatin1Char('/')) ? name : QStringLiteral(":/bitmaps/%1.png").arg(name);
}

// A one-pixel 3D rectangle along the inside of `r`: top and left edge in one colour, bottom and
// right edge in the other, the corners where they meet belonging to the bottom and right edge.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft,
                const QColor& bottomRight) {
    const int x = r.x(), y = r.y(), cx = r.width(), cy = r.height();
    painter.fillRect(x, y, cx - 1, 1, topLeft);
    painter.fillRect(x, y, 1, cy - 1, topLeft);
    painter.fillRect(x + cx - 1, y, 1, cy, bottomRight);
    painter.fillRect(x, y + cy - 1, cx, 1, bottomRight);
}

void DrawFrame(QPainter& painter, const QRect& r, int style) {
    switch (style) {
        case CHoverButton::kFrameFlat:
            Draw3dRect(painter, r, kFace, kFace);
            break;
        case CHoverButton::kFrameSunken:
            Draw3dRect(painter, r, kShadow, kHighlight);
            break;
        case CHoverButton::kFrameRaised:
            Draw3dRect(painter, r, kHighlight, kShadow);
            break;
        default:
            break;
    }
}

}  // namespace

CHoverButton::CHoverButton(QWidget* parent) : QPushButton(parent) {
    // Moves without a held button must arrive too: they raise the frame.
    setMouseTracking(true);
}

bool CHoverButton::LoadBitmaps(int width, int height, const QString& off, const QString& offPressed,
                               const QString& on, const QString& onPressed) {
    InitUiResources();
    const QString names[4] = {off, offPressed, on, onPressed};
    bool all = true;
    for (int i = 0; i < 4; ++i) {
        bitmaps_[i] = QPixmap(BitmapPath(names[i]));
        all = all && !bitmaps_[i].isNull();
    }
    bitmapSize_ = QSize(width, height);
    updateGeometry();
    Repaint();
    return all;
}

void CHoverButton::SetState(int state) {
    state_ = state;
    Repaint();
}

void CHoverButton::SetTexts(const QString& off, const QString& on) {
    offText_ = off;
    onText_ = on;
    Repaint();
}

void CHoverButton::SetIcons(const QIcon& off, const QIcon& on) {
    offIcon_ = off;
    onIcon_ = on;
    Repaint();
}

QSize CHoverButton::sizeHint() const {
    if (bitmapSize_.isValid()) {
        return bitmapSize_;
    }
    // Room for the wider of the two captions, so the button keeps its size when it turns.
    QStyleOptionButton option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const int text = qMax(metrics.horizontalAdvance(QString(offText_).remove(QLatin1Char('&'))),
                          metrics.horizontalAdvance(QString(onText_).remove(QLatin1Char('&'))));
    const QSize content(text + iconSize().width() + 8, qMax(metrics.height(), iconSize().height()));
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}

void CHoverButton::paintEvent(QPaintEvent*) {
    const bool pressed = state_ == kStateOffPressed || state_ == kStateOnPressed;
    if (!bitmapSize_.isValid()) {
        // Without pictures the button is drawn as the desktop draws its push buttons.
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        if (pressed) {
            option.state |= QStyle::State_Sunken;
        }
        painter.drawControl(QStyle::CE_PushButton, option);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), kFace);
    const int index = (state_ >= kStateOffPressed && state_ <= kStateOnPressed) ? state_ : 0;
    // The stored size is copied from the bitmap's top-left corner, neither scaled nor centred.
    if (!bitmaps_[index].isNull() && bitmapSize_.isValid()) {
        // The source rectangle is in the picture's own pixels, twice as many on a 2x display.
        const qreal ratio = bitmaps_[index].devicePixelRatio();
        const QPixmap picture = isEnabled() ? bitmaps_[index] : DisabledLook(bitmaps_[index], this);
        painter.drawPixmap(QRectF(QPointF(0, 0), QSizeF(bitmapSize_)), picture,
                           QRectF(QPointF(0, 0), QSizeF(bitmapSize_) * ratio));
    }
    const int shift = pressed ? 1 : 0;
    painter.setPen(QColor(40, 40, 48));
    DrawButtonLabel(painter, QRect(44 + shift, 3 + shift, width() - 48, height() - 6),
                    state_ >= kStateOn ? onText_ : offText_, 16);
    DrawFrame(painter, rect(), frameStyle_);
    // A dotted rectangle inside the frame shows that the keyboard would press this button.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CHoverButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat()) {
        ClickByKey();
    }
}

bool CHoverButton::event(QEvent* event) {
    // The caption's Alt key clicks as Space does.
    if (event->type() == QEvent::Shortcut && isEnabled()) {
        ClickByKey();
        return true;
    }
    return QPushButton::event(event);
}

void CHoverButton::ClickByKey() {
    // A key press is a whole click: the idle button goes on, the running one asks to stop.
    if (state_ == kStateOff) {
        state_ = kStateOn;
    } else if (state_ == kStateOn) {
        state_ = kStateOnPressed;
    }
    Repaint();
    emit clicked(false);
}

void CHoverButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (!inside) {
        // While a button is held the moves keep coming here; off the button they mean it was
        // left. Moves that arrive after that belong to the window under the pointer.
        if (tracking_) {
            PointerLeft();
        }
        return;
    }
    if (!tracking_ || frameStyle_ == kFrameFlat) {
        tracking_ = true;
        OnMouseEnter(event->buttons());
    }
}

void CHoverButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    // A window that appears under a resting pointer gets no move, only the enter.
    if (!tracking_ || frameStyle_ == kFrameFlat) {
        tracking_ = true;
        OnMouseEnter(QGuiApplication::mouseButtons());
    }
}

void CHoverButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    if (tracking_) {
        PointerLeft();
    }
}

void CHoverButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
        return;
    }
    // A press is always over the button, whether or not a move announced the pointer first.
    tracking_ = true;
    if (state_ == kStateOff) {
        state_ = kStateOffPressed;
    } else if (state_ == kStateOn) {
        state_ = kStateOnPressed;
    }
    pressed_ = true;
    // The push button's own press handling is left out: the button draws itself, and its
    // release handling would send a second click.
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    frameStyle_ = kFrameSunken;
    Repaint();
}

void CHoverButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    if (!rect().contains(event->position().toPoint())) {
        // Released elsewhere after the pointer left: the press was cancelled, no click.
        if (tracking_) {
            PointerLeft();
        }
        return;
    }
    if (state_ == kStateOffPressed) {
        state_ = tracking_ ? kStateOn : kStateOff;
    } else if (state_ == kStateOnPressed) {
        state_ = tracking_ ? kStateOnPressed : kStateOn;
    }
    pressed_ = false;
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    frameStyle_ = kFrameRaised;
    Repaint();
    // Every release over the button is one click, whatever the state; the owner decides.
    emit clicked(false);
}

void CHoverButton::focusInEvent(QFocusEvent* event) {
    frameStyle_ = pressed_ ? kFrameSunken : kFrameRaised;
    QPushButton::focusInEvent(event);
    Repaint();
}

void CHoverButton::focusOutEvent(QFocusEvent* event) {
    frameStyle_ = kFrameFlat;
    QPushButton::focusOutEvent(event);
    Repaint();
}

void CHoverButton::OnMouseEnter(Qt::MouseButtons buttons) {
    pressed_ = buttons.testFlag(Qt::LeftButton);
    frameStyle_ = pressed_ ? kFrameSunken : kFrameRaised;
    Repaint();
}

void CHoverButton::OnMouseLeave() {
    frameStyle_ = kFrameFlat;
    pressed_ = false;
    Repaint();
}

void CHoverButton::PointerLeft() {
    // Leaving with the button held cancels the press.
    if (pressed_) {
        if (state_ == kStateOffPressed) {
            state_ = kStateOff;
        } else if (state_ == kStateOnPressed) {
            state_ = kStateOn;
        }
    }
    OnMouseLeave();
    tracking_ = false;
}

void CHoverButton::Repaint() {
    // The caption of the position is the button's text, so its Alt key and its accessible name
    // follow the position too.
    const bool on = state_ >= kStateOn;
    const QString& text = on ? onText_ : offText_;
    if (!text.isEmpty() && QPushButton::text() != text) {
        setText(text);
    }
    setIcon(on ? onIcon_ : offIcon_);
    update();
}
