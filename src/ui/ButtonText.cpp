// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ButtonText.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "ui/DialogUnits.h"

namespace {

// The width the text takes on the button: mnemonic markers are not drawn.
int TextWidth(const QFontMetrics& metrics, const QString& text) {
    return metrics.horizontalAdvance(WithoutMnemonics(text));
}

}  // namespace

int ButtonTextMargin(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QStyle* style = button->style();
    return style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
}

void SetWrappedButtonText(QPushButton* button, const QString& text) {
    const int available = button->width() - ButtonTextMargin(button);
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
