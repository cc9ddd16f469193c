// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CHoverButton.h"

#include <windowsx.h>

#include "win/CBitmapButton.h"
#include "win/FormColours.h"

CHoverButton::~CHoverButton() {
    if (button_ && IsWindow(button_)) {
        RemoveWindowSubclass(button_, SubclassProc, 0);
    }
    ReleaseBitmaps();
}

void CHoverButton::Attach(HWND button) {
    button_ = button;
    SetWindowSubclass(button, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void CHoverButton::ReleaseBitmaps() {
    for (HBITMAP& bitmap : bitmaps_) {
        if (bitmap) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
}

void CHoverButton::LoadBitmaps(const wchar_t* off, const wchar_t* offPressed, const wchar_t* on,
                               const wchar_t* onPressed) {
    ReleaseBitmaps();
    const wchar_t* names[] = {off, offPressed, on, onPressed};
    for (int i = 0; i < 4; ++i) {
        bitmaps_[i] = CBitmapButton::LoadPicture(button_, names[i]);
    }
}

void CHoverButton::SetTexts(const std::wstring& start, const std::wstring& stop) {
    start_ = start;
    stop_ = stop;
    SetState(state_);
}

void CHoverButton::SetState(int state) {
    state_ = state;
    SetWindowTextW(button_, (state_ >= kStateOn ? stop_ : start_).c_str());
    Repaint();
}

void CHoverButton::Repaint() {
    InvalidateRect(button_, nullptr, TRUE);
    UpdateWindow(button_);
}

void CHoverButton::DrawItem(const DRAWITEMSTRUCT& item) const {
    const int index = state_ >= kStateOffPressed && state_ <= kStateOnPressed ? state_ : 0;
    CBitmapButton::DrawPicture(item.hDC, item.rcItem, item.hwndItem, bitmaps_[index],
                               state_ >= kStateOn ? stop_ : start_);
    COLORREF topLeft = FormColours::kFace;
    COLORREF bottomRight = FormColours::kFace;
    if (frame_ == kFrameSunken) {
        topLeft = RGB(128, 128, 128);
        bottomRight = RGB(255, 255, 255);
    } else if (frame_ == kFrameRaised) {
        topLeft = RGB(255, 255, 255);
        bottomRight = RGB(128, 128, 128);
    }
    const RECT& r = item.rcItem;
    HPEN light = CreatePen(PS_SOLID, 1, topLeft);
    HPEN dark = CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = SelectObject(item.hDC, light);
    MoveToEx(item.hDC, r.left, r.bottom - 1, nullptr);
    LineTo(item.hDC, r.left, r.top);
    LineTo(item.hDC, r.right - 1, r.top);
    SelectObject(item.hDC, dark);
    LineTo(item.hDC, r.right - 1, r.bottom - 1);
    LineTo(item.hDC, r.left - 1, r.bottom - 1);
    SelectObject(item.hDC, old);
    DeleteObject(light);
    DeleteObject(dark);
}

void CHoverButton::OnMouseEnter(WPARAM keys) {
    pressed_ = (keys & MK_LBUTTON) != 0;
    frame_ = pressed_ ? kFrameSunken : kFrameRaised;
    Repaint();
}

void CHoverButton::OnMouseLeave() {
    frame_ = kFrameFlat;
    pressed_ = false;
    Repaint();
}

void CHoverButton::SendClick() {
    SendMessageW(GetParent(button_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button_), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button_));
}

void CHoverButton::Toggle() {
    if (state_ == kStateOff || state_ == kStateOffPressed) {
        SetState(kStateOn);
    } else {
        SetState(kStateOnPressed);
    }
    SendClick();
}

LRESULT CHoverButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_MOUSEMOVE: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT client;
            GetClientRect(button_, &client);
            const bool inside = PtInRect(&client, point);
            if (!tracking_ && inside) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button_, 0};
                TrackMouseEvent(&track);
                tracking_ = true;
                OnMouseEnter(wParam);
            } else if (tracking_ && !inside) {
                SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            if (tracking_) {
                // The press is cancelled when the pointer leaves while the button is held.
                if (pressed_ && state_ == kStateOffPressed) {
                    state_ = kStateOff;
                } else if (pressed_ && state_ == kStateOnPressed) {
                    state_ = kStateOn;
                }
                tracking_ = false;
                OnMouseLeave();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            state_ = state_ == kStateOff  ? kStateOffPressed
                     : state_ == kStateOn ? kStateOnPressed
                                          : state_;
            pressed_ = true;
            frame_ = kFrameSunken;
            SetCapture(button_);
            if (GetFocus() != button_) {
                SetFocus(button_);
            }
            Repaint();
            return 0;
        case WM_LBUTTONUP: {
            const bool armed = pressed_ && tracking_;
            if (GetCapture() == button_) {
                ReleaseCapture();
            }
            if (state_ == kStateOffPressed) {
                state_ = armed ? kStateOn : kStateOff;
            } else if (state_ == kStateOnPressed && !armed) {
                state_ = kStateOn;
            }
            pressed_ = false;
            frame_ = tracking_ ? kFrameRaised : kFrameFlat;
            SetState(state_);
            if (armed) {
                SendClick();
            }
            return 0;
        }
        case WM_KEYUP:
            if (wParam != VK_SPACE) {
                break;
            }
            Toggle();
            return 0;
        case WM_KEYDOWN:
        case WM_CHAR:
            if (wParam == VK_SPACE || wParam == L' ') {
                return 0;
            }
            break;
        case BM_CLICK:
            Toggle();
            return 0;
        case WM_SETFOCUS:
            frame_ = pressed_ ? kFrameSunken : kFrameRaised;
            Repaint();
            break;
        case WM_KILLFOCUS:
            frame_ = kFrameFlat;
            Repaint();
            break;
        default:
            break;
    }
    handled = false;
    return 0;
}

LRESULT CALLBACK CHoverButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR data) {
    bool handled = false;
    const LRESULT result =
        reinterpret_cast<CHoverButton*>(data)->OnMessage(message, wParam, lParam, handled);
    return handled ? result : DefSubclassProc(hwnd, message, wParam, lParam);
}
