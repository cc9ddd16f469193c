#include "ui/MessageText.h"

#include <QCoreApplication>
#include <string>
#include <vector>

QString MessageText::Translate(const platform::UserMessage& message) {
    using Id = platform::UserMessage::Id;
    // The one German text of the core says it in English in the English program.
    const QString pattern =
        message.GetId() == Id::kDirectoryNotFound
            ? QCoreApplication::translate("CDocumentUi", "Directory not found: %1")
            : QCoreApplication::translate("UserMessage",
                                          platform::UserMessage::Template(message.GetId()));
    std::vector<std::string> args = message.GetArgs();
    if (const platform::UserMessage* cause = message.GetCause()) {
        args.push_back(Translate(*cause).toStdString());
    }
    // Filled in one pass, so that a "%1" in a file's name stays as it is.
    return QString::fromStdString(platform::UserMessage::Fill(pattern.toStdString(), args));
}
