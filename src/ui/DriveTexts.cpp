// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DriveTexts.h"

#include <QLocale>

#include "transfer/DriveInfo.h"
#include "ui/MessageText.h"

QString TranslatedDriveDescription(const DriveInfo& drive) {
    if (!drive.IsSpaceCurrent()) {
        return MessageText::Translate(drive.Description());
    }
    // The byte counts in the user's own digit grouping ("7,998,537,728" in English).
    const QLocale locale;
    return MessageText::Translate(
        platform::UserMessage(platform::UserMessage::Id::kDriveDescription,
                              {locale.toString(qulonglong(drive.GetTotalBytes())).toStdString(),
                               locale.toString(qulonglong(drive.GetFreeBytes())).toStdString()},
                              DriveInfo::TypeText(drive.GetDriveType(), drive.IsFloppyLetter())));
}

QString TranslatedDriveType(const DriveInfo& drive) {
    return MessageText::Translate(
        DriveInfo::TypeText(drive.GetDriveType(), drive.IsFloppyLetter()));
}
