// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/CDialog.h"

// The about box: the program's icon, name and version, the copyright and the licence.
class CAboutDlg : public CDialog {
  public:
    CAboutDlg();

  protected:
    BOOL OnInitDialog() override;
};
