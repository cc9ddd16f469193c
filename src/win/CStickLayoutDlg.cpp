// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CStickLayoutDlg.h"

#include <algorithm>
#include <utility>

#include "win/WinText.h"
#include "win/resource.h"

CStickLayoutDlg::CStickLayoutDlg(AppSettings& settings)
    : CDialog(IDD_STICK_LAYOUT), settings_(settings) {}

BOOL CStickLayoutDlg::OnInitDialog() {
    SendMessageW(Item(IDC_PER_FOLDER_SPIN), UDM_SETRANGE32, 0, AppSettings::kMaxPerFolder);
    SendMessageW(Item(IDC_PER_FOLDER_SPIN), UDM_SETPOS32, 0, LPARAM(settings_.GetPerFolder()));
    for (const auto& [spin, value] :
         {std::pair<int, unsigned>{IDC_FOLDER_LIMIT_SPIN, settings_.GetFolderLimit()},
          {IDC_MAX_FOLDERS_SPIN, settings_.GetMaxFolders()}}) {
        SendMessageW(Item(spin), UDM_SETRANGE32, 0, AppSettings::kMaxPerFolder);
        SendMessageW(Item(spin), UDM_SETPOS32, 0, LPARAM(value));
    }
    CheckDlgButton(GetSafeHwnd(), IDC_NUMBER,
                   settings_.GetNumberFiles() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(GetSafeHwnd(), IDC_PLAYLIST,
                   settings_.GetPlaylist() ? BST_CHECKED : BST_UNCHECKED);
    // "any song|a folder first"
    const std::wstring choices = win::LoadText(IDS_ANY_SONG);
    const size_t split = choices.find(L'|');
    for (const std::wstring& choice : {choices.substr(0, split), choices.substr(split + 1)}) {
        SendMessageW(Item(IDC_BALANCE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
    }
    SendMessageW(Item(IDC_BALANCE), CB_SETCURSEL, settings_.GetBalanceFolders() ? 1 : 0, 0);
    return TRUE;
}

bool CStickLayoutDlg::OnCommand(int id, int code, HWND control) {
    if (id != IDOK) {
        return CDialog::OnCommand(id, code, control);
    }
    settings_.SetPerFolder(Count(IDC_PER_FOLDER));
    settings_.SetNumberFiles(IsDlgButtonChecked(GetSafeHwnd(), IDC_NUMBER) == BST_CHECKED);
    settings_.SetPlaylist(IsDlgButtonChecked(GetSafeHwnd(), IDC_PLAYLIST) == BST_CHECKED);
    settings_.SetBalanceFolders(SendMessageW(Item(IDC_BALANCE), CB_GETCURSEL, 0, 0) == 1);
    settings_.SetFolderLimit(Count(IDC_FOLDER_LIMIT));
    settings_.SetMaxFolders(Count(IDC_MAX_FOLDERS));
    EndDialog(IDOK);
    return true;
}

unsigned CStickLayoutDlg::Count(int id) const {
    BOOL valid = FALSE;
    const UINT count = GetDlgItemInt(GetSafeHwnd(), id, &valid, FALSE);
    return valid ? std::min<UINT>(count, AppSettings::kMaxPerFolder) : 0;
}

std::wstring CStickLayoutDlg::Summary(const AppSettings& settings) {
    std::wstring text =
        settings.GetPerFolder() == 0
            ? win::LoadText(IDS_ALL_IN_ROOT)
            : win::FormatText(IDS_PER_FOLDER, {std::to_string(settings.GetPerFolder())});
    if (settings.GetNumberFiles()) {
        text += L", " + win::LoadText(IDS_NUMBERED);
    }
    if (settings.GetPlaylist()) {
        text += L", " + win::LoadText(IDS_PLAYLIST);
    }
    if (settings.GetBalanceFolders()) {
        text += L", " + win::LoadText(IDS_FOLDER_FIRST);
    }
    return text;
}
