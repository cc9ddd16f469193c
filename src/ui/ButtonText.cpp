#include "ui/ButtonText.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace {

// The width the text takes on the button: mnemonic markers are not drawn.
int TextWidth(const QFontMetrics& metrics, QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return metrics.horizontalAdvance(text);
}

}  // namespace

void SetWrappedButtonText(QPushButton* button, const QString& text) {
    QStyleOptionButton option;
    option.initFrom(button);
    const int margin =
        button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
        2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    const int available = button->width() - margin;
    const QFontMetrics metrics(button->font());
    if (TextWidth(metrics, text) <= available) {
        button->setText(text);
        return;
    }
    QString best = text;
    int bestWidth = TextWidth(metrics, text);
    for (int i = text.indexOf(QLatin1Char(' ')); i >= 0;
         i = text.indexOf(QLatin1Char(' '), i + 1)) {
        const int widest =
            std::max(TextWidth(metrics, text.left(i)), TextWidth(metrics, text.mid(i + 1)));
        if (widest < bestWidth) {
            bestWidth = widest;
            best = text.left(i) + QLatin1Char('\n') + text.mid(i + 1);
        }
    }
    button->setText(best);
}
