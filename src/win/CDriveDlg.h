// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "transfer/DriveInfo.h"
#include "win/CDialog.h"

// The drive selection dialog: every drive of the machine with an icon for its kind and its
// label; the description (kind, bytes total, bytes free) of the chosen one below; Refresh reads
// the drives again. The chosen drive follows the list's selection, by mouse and by keyboard.
class CDriveDlg : public CDialog {
  public:
    // `current`: the stick drive chosen so far ("E:"), selected when the dialog opens.
    explicit CDriveDlg(const std::string& current);
    ~CDriveDlg() override;

    // The chosen drive after OK; null when none was chosen. Valid while the dialog object lives.
    const DriveInfo* GetSelectedDrive() const;

    // The image of a drive: 0 floppy letter, 1 fixed, 2 optical, 3 removable, 4 RAM disk,
    // 5 network, 6 unknown or no root directory.
    static int ImageIndexFor(const DriveInfo& drive);

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR* header) override;

  private:
    void FillDriveList();
    void Choose(int index);

    std::string current_;
    std::vector<DriveInfo> drives_;
    HIMAGELIST images_ = nullptr;
    int chosen_ = -1;
};
