// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/CFolderPickerBase.h"

// The picker for adding a music directory: it opens with the start folder selected and shows the
// full path of the selected folder in its status line. The owner moves the start folder to each
// pick, so the picker opens where the user last was.
class CFolderBrowser : public CFolderPickerBase {
  public:
    CFolderBrowser(QWidget* owner, int titleId);

    void SetStartFolder(const QString& path) { startFolder_ = path; }
    QString GetStartFolder() const { return startFolder_; }

    // Where the first pick starts: the user's music folder if it exists, else the home folder.
    static QString DefaultStartFolder();

  protected:
    void OnDialogInitialized() override;
    void OnSelectionChanged(const QString& path) override;

  private:
    QString startFolder_;
};
