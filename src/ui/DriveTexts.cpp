// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DriveTexts.h"

#include <QLocale>

#include "transfer/DriveInfo.h"
#include "ui/MessageText.h"

QString TranslatedDriveDescription(const DriveInfo& drive) {
    // The byte counts in the user's own digit grouping ("7,998,537,728" in English).
    const QLocale locale;
    return MessageText::Translate(drive.DescriptionWith(
        [&locale](uint64_t count) { return locale.toString(qulonglong(count)).toStdString(); }));
}

QString TranslatedDriveType(const DriveInfo& drive) {
    return MessageText::Translate(
        DriveInfo::TypeText(drive.GetDriveType(), drive.IsFloppyLetter()));
}
