#include "ui/MessageText.h"

#include <QCoreApplication>

QString MessageText::Translate(const platform::UserMessage& message) {
    using Id = platform::UserMessage::Id;
    return QString::fromStdString(message.Format([](Id id) {
        // The one German text of the core says it in English in the English program.
        const QString pattern =
            id == Id::kDirectoryNotFound
                ? QCoreApplication::translate("CDocumentUi", "Directory not found: %1")
                : QCoreApplication::translate("UserMessage", platform::UserMessage::Template(id));
        return pattern.toStdString();
    }));
}
