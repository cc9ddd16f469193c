// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageText.h"

#include <QCoreApplication>

QString MessageText::Translate(const platform::UserMessage& message) {
    using Id = platform::UserMessage::Id;
    return QString::fromStdString(message.Format([](Id id) {
        return QCoreApplication::translate("UserMessage", platform::UserMessage::Template(id))
            .toStdString();
    }));
}
