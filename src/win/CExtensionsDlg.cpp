// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CExtensionsDlg.h"

#include "platform/Text_win.h"
#include "win/WinText.h"
#include "win/resource.h"

CExtensionsDlg::CExtensionsDlg(AppSettings& settings)
    : CDialog(IDD_EXTENSIONS), settings_(settings) {}

BOOL CExtensionsDlg::OnInitDialog() {
    SendMessageW(Item(IDC_NEWEXT), EM_LIMITTEXT, AppSettings::kMaxExtensionLength, 0);
    for (const std::string& extension : settings_.GetExtensions()) {
        SendMessageW(Item(IDC_EXTLIST), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::Widen(extension).c_str()));
    }
    SetFocus(Item(IDC_NEWEXT));
    return FALSE;  // the focus is set
}

void CExtensionsDlg::AddTypedExtension() {
    const std::string typed = win::ItemText(GetSafeHwnd(), IDC_NEWEXT);
    if (typed.empty()) {
        return;
    }
    using Problem = AppSettings::ExtensionCheck::Problem;
    const AppSettings::ExtensionCheck check = AppSettings::CheckExtension(typed);
    std::wstring problem;
    switch (check.problem) {
        case Problem::kNone:
            break;
        case Problem::kEmpty:
            problem = win::LoadText(IDS_EXT_EMPTY);
            break;
        case Problem::kBlank:
            problem = win::LoadText(IDS_EXT_BLANK);
            break;
        case Problem::kWildcard:
            problem = win::LoadText(IDS_EXT_WILDCARD);
            break;
        case Problem::kSeparator:
            problem = win::LoadText(IDS_EXT_SEPARATOR);
            break;
        case Problem::kTooLong:
            problem = win::FormatText(IDS_EXT_TOO_LONG,
                                      {std::to_string(AppSettings::kMaxExtensionLength)});
            break;
    }
    SetDlgItemTextW(GetSafeHwnd(), IDC_EXT_PROBLEM, problem.c_str());
    if (!check.ok()) {
        return;
    }
    const std::wstring extension = platform::Widen(check.extension);
    HWND list = Item(IDC_EXTLIST);
    if (SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1),
                     reinterpret_cast<LPARAM>(extension.c_str())) == LB_ERR) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(extension.c_str()));
    }
}

void CExtensionsDlg::RemoveSelectedExtension() {
    HWND list = Item(IDC_EXTLIST);
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) {
        SendMessageW(list, LB_DELETESTRING, WPARAM(selected), 0);
    }
}

void CExtensionsDlg::OnOK() {
    AddTypedExtension();
    settings_.RemoveAllExtensions();
    HWND list = Item(IDC_EXTLIST);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        text.resize(size_t(
            SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()))));
        settings_.AddExtension(platform::Narrow(text));
    }
    EndDialog(IDOK);
}

bool CExtensionsDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_NEWEXT:
            if (code == EN_KILLFOCUS) {
                AddTypedExtension();
            }
            return true;
        case IDOK:  // Enter: add, empty the edit, stay open
            AddTypedExtension();
            SetDlgItemTextW(GetSafeHwnd(), IDC_NEWEXT, L"");
            return true;
        case IDC_EXT_OK:
            OnOK();
            return true;
        case IDC_REMOVE_EXT:
            RemoveSelectedExtension();
            return true;
        default:
            return CDialog::OnCommand(id, code, control);
    }
}
