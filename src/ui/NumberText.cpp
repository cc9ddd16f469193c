// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberText.h"

#include <QLocale>

#include "ui/MessageText.h"

run::NumberStyle NumberText::Style() {
    const QLocale locale;
    run::NumberStyle style;
    style.groupSeparator = locale.groupSeparator().toStdString();
    style.decimalPoint = locale.decimalPoint().toStdString();
    return style;
}

QString NumberText::Size(quint64 bytes) {
    return MessageText::Translate(run::NumberFormat::Size(bytes, Style()));
}
