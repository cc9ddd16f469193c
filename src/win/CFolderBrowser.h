// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <string>

// The form's folder picker: the shell's own (IFileOpenDialog with FOS_PICKFOLDERS), file-system
// folders only, opening in the folder of the last pick.
class CFolderBrowser {
  public:
    CFolderBrowser(HWND owner, UINT titleId);

    // The folder selected when the picker opens; may be set at any time.
    void SetStartFolder(const std::string& path) { startFolder_ = path; }
    // Shows the picker modally; true when a folder was picked.
    bool Run();
    // The path of the last successful pick.
    const std::string& GetChosenPath() const { return chosenPath_; }

  private:
    HWND owner_;
    std::wstring title_;
    std::string startFolder_;
    std::string chosenPath_;
};
