// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "storage/AppSettings.h"
#include "win/CDialog.h"

// Edits how a fill lays out the stick: songs per numbered folder, numbered names, the playlist,
// draws balanced over the music folders and the player's folder limits. "OK" stores the choices in
// the settings; Cancel, Escape and the close box leave them as they were.
class CStickLayoutDlg : public CDialog {
  public:
    explicit CStickLayoutDlg(AppSettings& settings);

    // The settings' layout in a few words, for the form.
    static std::wstring Summary(const AppSettings& settings);

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // The count typed into the edit `id`, within the settings' range (0 when none).
    unsigned Count(int id) const;

    AppSettings& settings_;
};
