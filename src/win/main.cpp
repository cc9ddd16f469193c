// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows desktop program: the main window with its form, over the Qt-free core.
#include <string>

#include "platform/Text_win.h"
#include "win/CMainFrame.h"
#include "win/WinApi.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // The shell's folder picker wants a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    // One optional argument: a collection file to open.
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::string collection = args && count > 1 ? platform::Narrow(args[1]) : std::string();
    LocalFree(args);

    int exitCode = 1;
    {
        // An empty path: the settings beside the program for a portable copy, else in %APPDATA%.
        CMainFrame frame{std::string()};
        if (frame.Create(showCommand)) {
            if (!collection.empty()) {
                frame.OpenCollection(collection);
            }
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (TranslateAcceleratorW(frame.GetSafeHwnd(), frame.Accelerators(), &message) ||
                    (frame.Form() && IsDialogMessageW(frame.Form(), &message))) {
                    continue;
                }
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            exitCode = int(message.wParam);
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
