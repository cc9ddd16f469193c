// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "platform/UserMessage.h"

// Everything the collection document needs from the user: message boxes, the save prompt, the
// open and save file dialogs and the window title. The Qt GUI implements it with widgets; tests
// implement it with a fake that records the calls.
//
// Every call comes from the thread that owns the document (the user-interface thread): the
// transfer job never saves the collection itself while a front end owns it.
class CollectionUi {
  public:
    enum class Answer { kYes, kNo, kCancel };
    // What to do when the collection file was changed by another program since it was read.
    enum class ChangedAnswer {
        kReload,         // drop the changes made here and load the file as it is now
        kOverwrite,      // write the collection as it is here
        kCancel,         // write nothing
        kTakeFileFlags,  // take the transfer flags from the file, then write
    };

    // The settings of one of the document's two file dialogs. An implementation keeps one dialog
    // for opening and one for saving and shows the same one again on later uses.
    struct FileDialog {
        bool open = true;              // open dialog; otherwise save dialog
        std::string defaultExtension;  // appended to a typed name without an extension
        std::string initialName;       // the name field's initial text
        std::string filter;            // "Description|patterns|..." pairs, ended by "||"
        bool overwritePrompt = false;  // ask before choosing an existing file to save into
        bool hideReadOnly = false;     // no "open read-only" check box
    };

    virtual ~CollectionUi() = default;

    // A message box with the text, only an OK button and no icon.
    virtual void ShowMessage(const platform::UserMessage& text) = 0;
    // A message box with the text, an OK button and a warning icon: an operation failed.
    virtual void ShowError(const platform::UserMessage& text) = 0;
    // A message box with the question icon and the buttons Yes, No and Cancel.
    virtual Answer AskYesNoCancel(const platform::UserMessage& question) = 0;
    // The collection file at `path` was changed by another program since it was read.
    virtual ChangedAnswer AskChangedOnDisc(const std::string& path) = 0;
    // Shows the file dialog; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialog& dialog) = 0;
    // The document's title: the collection file's name without its extension; empty while the
    // collection has no file (the window then shows its own name for an untitled document).
    virtual void SetTitle(const std::string& title) = 0;
    // The collection was replaced as a whole (a file was opened); views refill their lists.
    virtual void UpdateAllViews() = 0;
};
