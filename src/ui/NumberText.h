// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include "run/NumberFormat.h"

// Counts and sizes as the run layer decides them, written with the separators of the user's
// locale ("1,204" and "3.2 GB" in English, "1.204" and "3,2 GB" in German).
namespace NumberText {

run::NumberStyle Style();
// "835 KB", "1,019 MB", "3.2 GB", translated.
QString Size(quint64 bytes);

}  // namespace NumberText
