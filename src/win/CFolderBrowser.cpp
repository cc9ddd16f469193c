// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CFolderBrowser.h"

#include <shobjidl.h>

#include "platform/Text_win.h"
#include "win/WinText.h"

namespace {

// Releases a COM interface at the end of its scope.
template <typename T>
struct ComRef {
    T* p = nullptr;
    ~ComRef() {
        if (p) {
            p->Release();
        }
    }
};

}  // namespace

CFolderBrowser::CFolderBrowser(HWND owner, UINT titleId)
    : owner_(owner), title_(win::LoadText(titleId)) {}

bool CFolderBrowser::Run() {
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog.p)))) {
        return false;
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.p->GetOptions(&options);
    dialog.p->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    if (!title_.empty()) {
        dialog.p->SetTitle(title_.c_str());
    }
    ComRef<IShellItem> start;
    if (!startFolder_.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(platform::Widen(startFolder_).c_str(), nullptr,
                                              IID_PPV_ARGS(&start.p)))) {
        dialog.p->SetFolder(start.p);
    }
    if (FAILED(dialog.p->Show(owner_))) {
        return false;  // cancelled
    }
    ComRef<IShellItem> chosen;
    PWSTR path = nullptr;
    if (FAILED(dialog.p->GetResult(&chosen.p)) ||
        FAILED(chosen.p->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return false;
    }
    chosenPath_ = platform::Narrow(path);
    CoTaskMemFree(path);
    return true;
}
