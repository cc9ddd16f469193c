#include "ui/CBitmapButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "ui/UiResources.h"

namespace {

const QColor kLabelColour(40, 40, 48);

}  // namespace

CBitmapButton::CBitmapButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent), caption_(caption) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(caption);
}

bool CBitmapButton::AutoLoad() {
    InitUiResources();
    up_ = QPixmap(QStringLiteral(":/bitmaps/%1U.png").arg(caption_));
    down_ = QPixmap(QStringLiteral(":/bitmaps/%1D.png").arg(caption_));
    if (!up_.isNull()) {
        resize(up_.deviceIndependentSize().toSize());
        updateGeometry();
    }
    update();
    return !up_.isNull() && !down_.isNull();
}

QSize CBitmapButton::sizeHint() const {
    return up_.isNull() ? QSize(100, 44) : up_.deviceIndependentSize().toSize();
}

void CBitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = isDown() && !down_.isNull() ? down_ : up_;
    painter.drawPixmap(0, 0, isEnabled() ? picture : DisabledLook(picture, this));
    // The label, in the user's language, right of the picture's badge; pressed, it moves with it.
    const int shift = isDown() ? 1 : 0;
    painter.setPen(isEnabled() ? kLabelColour
                               : palette().color(QPalette::Disabled, QPalette::Text));
    DrawButtonLabel(painter, QRect(44 + shift, 3 + shift, width() - 48, height() - 6), text(), 12);
    // The pictures carry no focus look of their own; a dotted rectangle inside the bevel shows
    // which button the keyboard would press.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
