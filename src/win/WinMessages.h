// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

// Messages posted to the windows from other threads. Each carries what it says in a heap object
// that the receiving window deletes (lParam); when posting fails the sender deletes it.
enum WinMessage : UINT {
    WM_APP_STATUS_TEXT = WM_APP + 1,     // platform::UserMessage*
    WM_APP_PROGRESS_RANGE = WM_APP + 2,  // wParam: megabytes
    WM_APP_PROGRESS_POS = WM_APP + 3,    // wParam: megabytes
    WM_APP_FREE_SPACE = WM_APP + 4,      // platform::UserMessage*
    WM_APP_MESSAGE_BOX = WM_APP + 5,     // platform::UserMessage*; the sender waits for it
    WM_APP_TRANSFER_ENDED = WM_APP + 6,  // TransferResult*
    WM_APP_EJECT_ENDED = WM_APP + 7,     // platform::EjectResult*
};

// Posts `message` with `payload` to `window`; deletes the payload when the window is gone.
template <typename T>
void PostPayload(HWND window, UINT message, T* payload, WPARAM wParam = 0) {
    if (!PostMessageW(window, message, wParam, reinterpret_cast<LPARAM>(payload))) {
        delete payload;
    }
}
