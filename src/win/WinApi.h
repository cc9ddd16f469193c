// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Windows API as the program's windows use it. The API's GetDriveType and RemoveDirectory
// macros are undone: the core has members of those names.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Needs windows.h first.
#include <commctrl.h>
#undef GetDriveType
#undef RemoveDirectory
