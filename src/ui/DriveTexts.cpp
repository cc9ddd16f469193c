// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DriveTexts.h"

#include "transfer/DriveInfo.h"
#include "ui/MessageText.h"

QString TranslatedDriveDescription(const DriveInfo& drive) {
    return MessageText::Translate(drive.Description());
}

QString TranslatedDriveType(const DriveInfo& drive) {
    return MessageText::Translate(
        DriveInfo::TypeText(drive.GetDriveType(), drive.IsFloppyLetter()));
}
