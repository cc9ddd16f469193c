// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the desktop program's window from outside, for the package checks and the screenshots:
//   tunecrate_window_probe wait               the main window is shown (its title is printed)
//   tunecrate_window_probe open ID OUT.bmp    menu command ID opens a dialog, which is saved as
//                                             a picture and closed again
//   tunecrate_window_probe shot OUT.bmp       the main window saved as a picture
//   tunecrate_window_probe close              the main window is closed and gone
// Every wait gives up after a minute; the exit status is then 1.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace {

bool WaitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

HWND Frame() {
    const HWND frame = FindWindowW(L"TunecrateFrame", nullptr);
    return frame && IsWindowVisible(frame) ? frame : nullptr;
}

// A visible dialog box owned by the main window.
HWND OwnedDialog(HWND frame) {
    HWND found = nullptr;
    for (HWND window = FindWindowW(L"#32770", nullptr); window && !found;
         window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
        if (GetWindow(window, GW_OWNER) == frame && IsWindowVisible(window)) {
            found = window;
        }
    }
    return found;
}

// The window as it shows on the screen, saved as a 24-bit bitmap file.
bool Save(HWND window, const char* path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let the display catch up
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD stride = (DWORD(width) * 3 + 3) & ~3u;
    std::string pixels(size_t(stride) * height, '\0');
    GetDIBits(memory, bitmap, 0, UINT(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        return false;
    }
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&info, sizeof info, 1, out) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

int Fail(const char* what) {
    std::fprintf(stderr, "tunecrate_window_probe: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::string command = argc > 1 ? argv[1] : "";
    HWND frame = nullptr;
    if (!WaitFor([&] { return (frame = Frame()) != nullptr; })) {
        return Fail("no main window");
    }
    if (command == "wait") {
        wchar_t title[256] = {};
        GetWindowTextW(frame, title, 256);
        std::printf("%ls\n", title);
        return 0;
    }
    if (command == "shot" && argc == 3) {
        return Save(frame, argv[2]) ? 0 : Fail("the picture was not saved");
    }
    if (command == "open" && argc == 4) {
        PostMessageW(frame, WM_COMMAND, WPARAM(std::atoi(argv[2])), 0);
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = OwnedDialog(frame)) != nullptr; })) {
            return Fail("no dialog");
        }
        const bool saved = Save(dialog, argv[3]);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (!WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
            return Fail("the dialog stays open");
        }
        return saved ? 0 : Fail("the picture was not saved");
    }
    if (command == "close") {
        PostMessageW(frame, WM_CLOSE, 0, 0);
        return WaitFor([&] { return !IsWindow(frame); }) ? 0 : Fail("the main window stays open");
    }
    return Fail("usage: wait | shot OUT.bmp | open ID OUT.bmp | close");
}
