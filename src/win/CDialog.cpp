// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CDialog.h"

#include "win/WinText.h"

CDialog::~CDialog() {
    if (hwnd_ && IsWindow(hwnd_) && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) {
        DestroyWindow(hwnd_);
    }
}

INT_PTR CDialog::DoModal(HWND parent) {
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), win::DialogTemplate(templateId_),
                                   parent, DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND CDialog::Create(HWND parent) {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), win::DialogTemplate(templateId_),
                                      parent, DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::OnCommand(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(id);
        return true;
    }
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT,
                              self->OnNotify(reinterpret_cast<NMHDR*>(lParam)));
            return TRUE;
        case WM_NCDESTROY:
            self->hwnd_ = nullptr;
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            return FALSE;
        default: {
            INT_PTR result = FALSE;
            return self->OnMessage(message, wParam, lParam, result) ? result : FALSE;
        }
    }
}
