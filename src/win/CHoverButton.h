// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <string>

// The Start button: an owner-drawn push button that works as a two-position toggle with a
// pressed look for each position, and a thin frame that follows the mouse (flat, raised while
// the pointer is over it, sunken while the left button is held on it). It sends its click to
// the parent itself: on a release over it after a press on it. The keyboard (space, Enter
// through the form) and BM_CLICK toggle it as a click does: off becomes on, on becomes on and
// pressed, then the click is sent.
class CHoverButton {
  public:
    enum State { kStateOff = 0, kStateOffPressed = 1, kStateOn = 2, kStateOnPressed = 3 };
    enum Frame { kFrameFlat = 0, kFrameSunken = 1, kFrameRaised = 2 };

    CHoverButton() = default;
    ~CHoverButton();
    CHoverButton(const CHoverButton&) = delete;
    CHoverButton& operator=(const CHoverButton&) = delete;

    // Subclasses the button window.
    void Attach(HWND button);
    // Loads the four pictures: off, off pressed, on, on pressed.
    void LoadBitmaps(const wchar_t* off, const wchar_t* offPressed, const wchar_t* on,
                     const wchar_t* onPressed);
    // The labels drawn on the idle and on the running button; the window text follows them.
    void SetTexts(const std::wstring& start, const std::wstring& stop);

    void SetState(int state);
    int GetState() const { return state_; }
    void DrawItem(const DRAWITEMSTRUCT& item) const;

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void OnMouseEnter(WPARAM keys);
    void OnMouseLeave();
    // The keyboard's and BM_CLICK's click: toggles and notifies.
    void Toggle();
    void SendClick();
    void Repaint();
    void ReleaseBitmaps();

    HWND button_ = nullptr;
    HBITMAP bitmaps_[4] = {};
    int state_ = kStateOff;
    bool pressed_ = false;
    int frame_ = kFrameFlat;
    bool tracking_ = false;
    std::wstring start_;
    std::wstring stop_;
};
