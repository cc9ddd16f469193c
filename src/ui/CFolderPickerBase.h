// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

class QFileDialog;
class QLabel;
class QWidget;

// Runs Qt's own directory dialog modally and passes its notifications on to derived classes:
// OnDialogInitialized when it has opened, OnSelectionChanged with the path of each folder the
// user moves to. While it is open, SelectFolderInDialog and ShowStatusText act on it. The object
// can be run any number of times; the path of the last successful pick is kept.
class CFolderPickerBase {
  public:
    // Option flags: only file-system folders are shown and picked; a status line shows a text.
    enum Options : unsigned { kOnlyFileSystemDirs = 1, kStatusText = 4 };

    virtual ~CFolderPickerBase() = 0;
    CFolderPickerBase(const CFolderPickerBase&) = delete;
    CFolderPickerBase& operator=(const CFolderPickerBase&) = delete;

    // The setters are ignored while the dialog is open.
    void SetOwnerWindow(QWidget* owner);
    void SetOptionFlags(unsigned flags);
    // The title from the program's string table; false for an id that is not positive or not
    // in the table (the title stays as it was).
    bool SetTitleFromResource(int id);
    QString GetTitle() const { return title_; }

    // Shows the dialog modally; true when a folder was picked.
    bool Run();
    // The path of the last successful pick, with the platform's separators.
    QString GetChosenPath() const { return chosenPath_; }

    // Select `path` in the open dialog; nothing when it is closed or `path` is no folder.
    void SelectFolderInDialog(const QString& path);
    // Show `text` in the open dialog's status line; nothing when it is closed or has none.
    void ShowStatusText(const QString& text);

  protected:
    CFolderPickerBase(QWidget* owner, int titleId);

    virtual void OnDialogInitialized() {}
    // `path` is empty for an entry without a file-system path.
    virtual void OnSelectionChanged(const QString& path) { (void)path; }

  private:
    void AddStatusLine(QFileDialog& dialog);

    QPointer<QWidget> owner_;
    unsigned flags_ = 0;
    QString title_;
    QString chosenPath_;
    QFileDialog* openPicker_ = nullptr;
    QLabel* statusLine_ = nullptr;
};
