// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

// A dialog from a template of the user's language, with one dialog procedure that dispatches
// to the members of the derived class. Modal (DoModal) or modeless (Create).
class CDialog {
  public:
    explicit CDialog(UINT templateId) : templateId_(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; IDOK, IDCANCEL or -1 when it could not be made.
    INT_PTR DoModal(HWND parent);
    // Makes the dialog as a modeless window (a child when its template says so).
    HWND Create(HWND parent);
    HWND GetSafeHwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // A WM_COMMAND; true when handled. Unhandled IDOK and IDCANCEL end a modal dialog.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual LRESULT OnNotify(NMHDR*) { return 0; }
    // Any other message; true when handled, with `result` as the dialog's answer.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR& result) {
        (void)result;
        return false;
    }
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND hwnd_ = nullptr;
};
