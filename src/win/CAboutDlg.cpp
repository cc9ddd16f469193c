// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CAboutDlg.h"

#include "win/WinText.h"
#include "win/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    SetDlgItemTextW(GetSafeHwnd(), IDC_VERSION, L"Tunecrate Version " TUNECRATE_VERSION);
    SetDlgItemTextW(GetSafeHwnd(), IDC_LICENCE, win::LoadText(IDS_LICENCE).c_str());
    return TRUE;
}
