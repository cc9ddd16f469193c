// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <string>

// A picture button of the form: an owner-drawn push button that shows the picture named by its
// caption with "U" (released) or "D" (pressed) appended, at the window's dots per inch, and its
// label in the user's language beside the picture's symbol. The label is also the button's
// window text, which screen readers read.
class CBitmapButton {
  public:
    CBitmapButton() = default;
    ~CBitmapButton() { Release(); }
    CBitmapButton(const CBitmapButton&) = delete;
    CBitmapButton& operator=(const CBitmapButton&) = delete;

    // Takes the button's caption as the stem of its pictures; `labelId` names its label.
    void AutoLoad(HWND button, UINT labelId);
    void DrawItem(const DRAWITEMSTRUCT& item) const;

    // Loads the picture `name` (the 192-dpi one, "name_2X", for a window of 144 dpi and more).
    static HBITMAP LoadPicture(HWND window, const std::wstring& name);
    // Draws `picture` centred in `rect` at its size for the window's dpi, on the form's face
    // colour, with `label` to the right of the picture's symbol.
    static void DrawPicture(HDC dc, const RECT& rect, HWND window, HBITMAP picture,
                            const std::wstring& label);

  private:
    void Release();
    static void DrawLabel(HDC dc, RECT text, HWND window, const std::wstring& label);

    HWND button_ = nullptr;
    HBITMAP up_ = nullptr;
    HBITMAP down_ = nullptr;
    std::wstring label_;
};
