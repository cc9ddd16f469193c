// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's string resources by id: the application name, the prompts of the commands (a
// status tip and a tooltip, separated by a line feed) and the folder picker's title. Texts are
// translated into the user's language when they are looked up.
class StringTable {
  public:
    static constexpr int kDocument = 129;
    static constexpr int kAddMusicDirectory = 32772;
    static constexpr int kRemoveMusicDirectory = 32773;
    static constexpr int kSelectStickDrive = 32780;
    static constexpr int kMusicFileExtensions = 32781;
    static constexpr int kStartTransfer = 32782;
    static constexpr int kAppName = 57344;
    static constexpr int kIdleMessage = 57345;
    static constexpr int kHelpModeMessage = 57346;
    static constexpr int kFileNew = 57600;
    static constexpr int kFileOpen = 57601;
    static constexpr int kFileClose = 57602;
    static constexpr int kFileSave = 57603;
    static constexpr int kFileSaveAs = 57604;
    static constexpr int kRecentFileFirst = 57616;
    static constexpr int kRecentFileLast = 57631;
    static constexpr int kAppAbout = 57664;
    static constexpr int kAppExit = 57665;
    static constexpr int kHelpFinder = 57667;
    static constexpr int kViewToolbar = 59392;
    static constexpr int kViewStatusBar = 59393;
    static constexpr int kFolderPickerTitle = 61204;

    // The text of `id` in the user's language; false, and `text` untouched, for an unknown id.
    static bool Load(int id, QString& text);
    // The text of `id`, empty for an unknown id.
    static QString Text(int id);
    // The part before the line feed: the longer prompt for the status line.
    static QString StatusTip(int id);
    // The part after the line feed: the short prompt for a tooltip; empty when there is none.
    static QString ToolTip(int id);
};
