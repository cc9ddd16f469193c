// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CBitmapButton.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Text_win.h"
#include "win/FormColours.h"
#include "win/WinText.h"

namespace {

// The pictures' size at 96 dots per inch.
constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 44;

}  // namespace

void CBitmapButton::AutoLoad(HWND button, UINT labelId) {
    Release();
    button_ = button;
    const std::wstring stem = platform::Widen(win::WindowText(button));
    up_ = LoadPicture(button, stem + L"U");
    down_ = LoadPicture(button, stem + L"D");
    label_ = win::LoadText(labelId);
    std::wstring name = label_;
    for (wchar_t& c : name) {
        c = c == L'\n' ? L' ' : c;
    }
    SetWindowTextW(button, name.c_str());
}

void CBitmapButton::Release() {
    for (HBITMAP* picture : {&up_, &down_}) {
        if (*picture) {
            DeleteObject(*picture);
            *picture = nullptr;
        }
    }
}

HBITMAP CBitmapButton::LoadPicture(HWND window, const std::wstring& name) {
    const std::wstring chosen = GetDpiForWindow(window) >= 144 ? name + L"_2X" : name;
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), chosen.c_str(), IMAGE_BITMAP, 0, 0, 0));
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) const {
    DrawPicture(item.hDC, item.rcItem, item.hwndItem, (item.itemState & ODS_SELECTED) ? down_ : up_,
                label_);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

void CBitmapButton::DrawPicture(HDC dc, const RECT& rect, HWND window, HBITMAP picture,
                                const std::wstring& label) {
    FillRect(dc, &rect, FormColours::Face());
    const UINT dpi = GetDpiForWindow(window);
    const int width = MulDiv(kPictureWidth, int(dpi), 96);
    const int height = MulDiv(kPictureHeight, int(dpi), 96);
    const int left = rect.left + (rect.right - rect.left - width) / 2;
    const int top = rect.top + (rect.bottom - rect.top - height) / 2;
    if (picture) {
        BITMAP info{};
        GetObjectW(picture, sizeof info, &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, picture);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, left, top, width, height, memory, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    if (!label.empty()) {
        // The symbol takes the left 3/8 of the picture; the label the rest of it, apart from the
        // symbol and inside the picture's raised edge.
        const int gap = MulDiv(2, int(dpi), 96);
        const int edge = MulDiv(4, int(dpi), 96);
        RECT text{std::max(left + width * 3 / 8 + gap, int(rect.left)), top,
                  std::min(left + width, int(rect.right)) - edge, top + height};
        DrawLabel(dc, text, window, label);
    }
}

// A word wider than its room would run over the symbol or past the edge: a label that does not
// fit is drawn in the largest smaller font it fits in.
void CBitmapButton::DrawLabel(HDC dc, RECT text, HWND window, const std::wstring& label) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font);
    LOGFONTW shape{};
    GetObjectW(font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT), sizeof shape,
               &shape);
    const int smallest = MulDiv(7, int(GetDpiForWindow(window)), 96);
    HFONT smaller = nullptr;
    RECT measure = text;
    DrawTextW(dc, label.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    while (measure.right - measure.left > text.right - text.left &&
           std::abs(shape.lfHeight) > smallest) {
        shape.lfHeight += shape.lfHeight < 0 ? 1 : -1;
        shape.lfWidth = 0;
        HFONT next = CreateFontIndirectW(&shape);
        SelectObject(dc, next);
        if (smaller) {
            DeleteObject(smaller);
        }
        smaller = next;
        measure = text;
        DrawTextW(dc, label.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    }
    OffsetRect(&text, 0, ((text.bottom - text.top) - (measure.bottom - measure.top)) / 2);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(32, 32, 32));
    DrawTextW(dc, label.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
    SelectObject(dc, oldFont);
    if (smaller) {
        DeleteObject(smaller);
    }
}
