// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <string>
#include <vector>

#include "platform/UserMessage.h"
#include "run/NumberFormat.h"

// The program's texts in the user's language: German when the user's UI language is German,
// English otherwise. Dialogs, menus and string tables come from the resources of that language;
// the core's messages (English templates) are looked up in the German catalogue, as the Qt
// program does with its translation.
namespace win {

// The language whose resources the program shows.
LANGID UiLanguage();
bool IsGerman();

// A string of the string table; empty when there is none.
std::wstring LoadText(UINT id);
// A string of the table with %1 ... %9 filled in.
std::wstring FormatText(UINT id, const std::vector<std::string>& args);
// The part of a "prompt\nname" string after the line feed.
std::wstring CommandName(UINT id);
// A message of the core in the user's language.
std::wstring Translate(const platform::UserMessage& message);
// How the user's locale writes numbers, for the counts and sizes of the core's messages.
run::NumberStyle NumberStyle();

// The dialog template and menu of that language.
const DLGTEMPLATE* DialogTemplate(UINT id);
HMENU LoadLocalMenu(UINT id);

// The text of a window, and of a dialog's control, in UTF-8.
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);

}  // namespace win
