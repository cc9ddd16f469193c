// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DriveInfo;

// The description of a drive in the user's language: the type text, then, when the counts could
// be read, a blank line and the total and free byte counts.
QString TranslatedDriveDescription(const DriveInfo& drive);

// The type text of a drive in the user's language ("Removable Drive", "Hard Disc", ...).
QString TranslatedDriveType(const DriveInfo& drive);
