// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/AppSettings.h"
#include "win/CDialog.h"

// Edits the music file extensions of the settings. The list box is the working copy, sorted;
// a typed extension passes the settings' one check (a refusal says why under the list) and is
// never listed twice. Leaving the edit or pressing Enter adds it (Enter also empties the edit
// and keeps the dialog open); "OK" replaces the settings' list, Cancel discards the changes.
class CExtensionsDlg : public CDialog {
  public:
    explicit CExtensionsDlg(AppSettings& settings);

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void AddTypedExtension();
    void RemoveSelectedExtension();
    void OnOK();

    AppSettings& settings_;
};
