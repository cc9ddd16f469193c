#include "ui/DriveTexts.h"

#include <QCoreApplication>
#include <QStringList>

#include "transfer/DriveInfo.h"

namespace {

// The type texts of the core, marked for the translation file.
const char* const kTypeTexts[] = {
    QT_TRANSLATE_NOOP("DriveInfo", "Drive type cannot be determined."),
    QT_TRANSLATE_NOOP("DriveInfo", "Root directory does not exist."),
    QT_TRANSLATE_NOOP("DriveInfo", "Floppy Disc Drive"),
    QT_TRANSLATE_NOOP("DriveInfo", "Removable Drive"),
    QT_TRANSLATE_NOOP("DriveInfo", "Hard Disc"),
    QT_TRANSLATE_NOOP("DriveInfo", "Remote (Network) Drive."),
    QT_TRANSLATE_NOOP("DriveInfo", "CD-/DVD-ROM drive"),
    QT_TRANSLATE_NOOP("DriveInfo", "RAM disk"),
};
const char* const kBytesPrefixes[] = {
    QT_TRANSLATE_NOOP("DriveInfo", "Bytes total: "),
    QT_TRANSLATE_NOOP("DriveInfo", "Bytes free: "),
};

QString TranslateLine(const QString& line) {
    for (const char* text : kTypeTexts) {
        if (line == QLatin1String(text)) {
            return QCoreApplication::translate("DriveInfo", text);
        }
    }
    for (const char* prefix : kBytesPrefixes) {
        if (line.startsWith(QLatin1String(prefix))) {
            return QCoreApplication::translate("DriveInfo", prefix) +
                   line.mid(int(qstrlen(prefix)));
        }
    }
    return line;
}

}  // namespace

QString TranslatedDriveDescription(const DriveInfo& drive) {
    QStringList lines = QString::fromStdString(drive.GetDescription()).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = TranslateLine(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString TranslatedDriveType(const DriveInfo& drive) {
    return TranslateLine(
        QString::fromStdString(DriveInfo::TypeText(drive.GetDriveType(), drive.IsFloppyLetter())));
}
