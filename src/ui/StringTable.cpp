// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StringTable.h"

#include <QCoreApplication>
#include <iterator>

namespace {

struct Entry {
    int id;
    const char* text;
};

// English texts, marked for the translation file.
constexpr Entry kEntries[] = {
    {StringTable::kDocument,
     QT_TRANSLATE_NOOP("StringTable",
                       "Tunecrate\n\nTcrate\n\n\nTunecrate.Document\nTcrate Document")},
    {StringTable::kAddMusicDirectory,
     QT_TRANSLATE_NOOP("StringTable",
                       "Add a music directory to the current collection.\nAdd Music Directory")},
    {StringTable::kRemoveMusicDirectory,
     QT_TRANSLATE_NOOP(
         "StringTable",
         "Remove a music directory from the current collection.\nRemove Music Directory")},
    {StringTable::kSelectStickDrive,
     QT_TRANSLATE_NOOP("StringTable", "Select the USB Stick Drive.\nSelect Stick Drive")},
    {StringTable::kMusicFileExtensions,
     QT_TRANSLATE_NOOP("StringTable", "Set the music file extensions.\nMusic File Extensions")},
    {StringTable::kStartTransfer,
     QT_TRANSLATE_NOOP("StringTable", "Start file transfer to MP3 stick.\nStart File Transfer")},
    {StringTable::kAppName, QT_TRANSLATE_NOOP("StringTable", "Tunecrate")},
    {StringTable::kIdleMessage, QT_TRANSLATE_NOOP("StringTable", "Press F1 for help.")},
    {StringTable::kHelpModeMessage,
     QT_TRANSLATE_NOOP("StringTable", "Select the object you wish to get help for.")},
    {StringTable::kFileNew,
     QT_TRANSLATE_NOOP("StringTable", "Create a new music collection.\nNew Music Collection")},
    {StringTable::kFileOpen,
     QT_TRANSLATE_NOOP("StringTable", "Open an existing music collection.\nOpen Music Collection")},
    {StringTable::kFileClose,
     QT_TRANSLATE_NOOP("StringTable", "Close the active music collection.\nClose")},
    {StringTable::kFileSave,
     QT_TRANSLATE_NOOP("StringTable", "Save the active music collection.\nSave")},
    {StringTable::kFileSaveAs,
     QT_TRANSLATE_NOOP("StringTable", "Save a music collection under a new name.\nSave As")},
    {StringTable::kAppAbout,
     QT_TRANSLATE_NOOP(
         "StringTable",
         "Shows program information, version number, and copyright.\nAbout Tunecrate")},
    {StringTable::kAppExit, QT_TRANSLATE_NOOP("StringTable", "Exit Tunecrate.\nExit")},
    {StringTable::kHelpFinder, QT_TRANSLATE_NOOP("StringTable", "Show help topics.\nHelp Topics")},
    {StringTable::kViewToolbar,
     QT_TRANSLATE_NOOP("StringTable", "Show / remove the toolbar.\nToggle Toolbar")},
    {StringTable::kViewStatusBar,
     QT_TRANSLATE_NOOP("StringTable", "Show / remove the status bar.\nToggle Status Bar")},
    {StringTable::kFolderPickerTitle, QT_TRANSLATE_NOOP("StringTable", "Add music directory")},
};

// The sixteen recent-file entries share one text.
const char* const kRecentFile = QT_TRANSLATE_NOOP("StringTable", "Opens this music collection.");

const char* Find(int id) {
    if (id >= StringTable::kRecentFileFirst && id <= StringTable::kRecentFileLast) {
        return kRecentFile;
    }
    for (const Entry& entry : kEntries) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return nullptr;
}

}  // namespace

bool StringTable::Load(int id, QString& text) {
    const char* source = Find(id);
    if (source == nullptr) {
        return false;
    }
    text = QCoreApplication::translate("StringTable", source);
    return true;
}

QString StringTable::Text(int id) {
    QString text;
    Load(id, text);
    return text;
}

QString StringTable::StatusTip(int id) {
    return Text(id).section(QLatin1Char('\n'), 0, 0);
}

QString StringTable::ToolTip(int id) {
    const QString text = Text(id);
    const int feed = text.indexOf(QLatin1Char('\n'));
    return feed < 0 ? QString() : text.mid(feed + 1);
}
