// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CMainFrame.h"

#include <algorithm>

#include "collection/CTunecrateDoc.h"
#include "platform/Text_win.h"
#include "win/CAboutDlg.h"
#include "win/CTunecrateView.h"
#include "win/WinDocumentUi.h"
#include "win/WinMessages.h"
#include "win/WinText.h"
#include "win/resource.h"

namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr size_t kRecentCount = 4;
const wchar_t* const kRecentKey = L"Software\\Vornhollow\\Tunecrate\\Recent File List";

}  // namespace

CMainFrame::CMainFrame(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {}

CMainFrame::~CMainFrame() {
    // The form waits for a running transfer; it goes before the document the transfer uses.
    view_.reset();
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

HWND CMainFrame::Form() const {
    return view_ ? view_->GetSafeHwnd() : nullptr;
}

bool CMainFrame::Create(int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    accelerators_ = LoadAcceleratorsW(windowClass.hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    hwnd_ = CreateWindowExW(0, kClassName, win::LoadText(IDS_APP_NAME).c_str(), kFrameStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr,
                            win::LoadLocalMenu(IDR_MAINFRAME), windowClass.hInstance, this);
    if (!hwnd_) {
        return false;
    }
    view_ = std::make_unique<CTunecrateView>(settingsPath_);
    if (!view_->Create(hwnd_)) {
        return false;
    }
    docUi_ = std::make_unique<WinDocumentUi>(hwnd_);
    doc_ = std::make_unique<CTunecrateDoc>(*docUi_, &view_->GetSettings());
    docUi_->SetRefill([this] { view_->RefillDirectoryList(); });
    view_->SetDocument(doc_.get());
    // The form's template size is the first and the smallest.
    const SIZE form = view_->BaseSize();
    RECT frame{0, 0, form.cx, form.cy};
    AdjustWindowRectExForDpi(&frame, kFrameStyle, TRUE, 0, GetDpiForWindow(hwnd_));
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!doc_->OnNewDocument()) {
        return false;
    }
    view_->OnInitialUpdate();
    RememberCollection();
    ShowWindow(view_->GetSafeHwnd(), SW_SHOW);
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    return true;
}

void CMainFrame::OpenCollection(const std::string& path) {
    if (doc_->LoadCollection(path)) {
        view_->GetSettings().SetMusicCollection(path);
        RememberCollection();
    }
    view_->ClearNewDirectory();
    view_->RefillDirectoryList();
    view_->MeasureStick();
}

std::vector<std::string> CMainFrame::RecentCollections() {
    std::vector<std::string> recent;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRecentKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return recent;
    }
    for (size_t i = 1; i <= kRecentCount; ++i) {
        wchar_t value[32768];
        DWORD size = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        const std::wstring name = L"File" + std::to_wstring(i);
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ && size > sizeof(wchar_t)) {
            value[size / sizeof(wchar_t)] = L'\0';
            recent.push_back(platform::Narrow(value));
        }
    }
    RegCloseKey(key);
    return recent;
}

void CMainFrame::StoreRecentCollections(const std::vector<std::string>& recent) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRecentKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    for (size_t i = 1; i <= kRecentCount; ++i) {
        const std::wstring name = L"File" + std::to_wstring(i);
        if (i <= recent.size()) {
            const std::wstring path = platform::Widen(recent[i - 1]);
            RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(path.c_str()),
                           DWORD((path.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key, name.c_str());
        }
    }
    RegCloseKey(key);
}

void CMainFrame::RememberCollection() {
    const std::string path = view_->GetSettings().GetMusicCollection();
    if (path.empty()) {
        return;
    }
    std::vector<std::string> recent = RecentCollections();
    recent.erase(std::remove_if(recent.begin(), recent.end(),
                                [&path](const std::string& p) {
                                    return _stricmp(p.c_str(), path.c_str()) == 0;
                                }),
                 recent.end());
    recent.insert(recent.begin(), path);
    recent.resize(std::min(recent.size(), kRecentCount));
    StoreRecentCollections(recent);
}

// The recent collections stand before Exit, each with its number as its mnemonic.
void CMainFrame::FillRecentMenu(HMENU file) {
    for (UINT id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST + 1; ++id) {
        DeleteMenu(file, id, MF_BYCOMMAND);
    }
    const std::vector<std::string> recent = RecentCollections();
    UINT position = 0;
    for (int i = GetMenuItemCount(file) - 1; i >= 0; --i) {
        if (GetMenuItemID(file, i) == ID_APP_EXIT) {
            position = UINT(i);
        }
    }
    for (size_t i = 0; i < recent.size(); ++i) {
        std::wstring text = L"&" + std::to_wstring(i + 1) + L" ";
        for (wchar_t c : platform::Widen(recent[i])) {
            text += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
        }
        InsertMenuW(file, position++, MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FIRST + i,
                    text.c_str());
    }
    if (!recent.empty()) {
        InsertMenuW(file, position, MF_BYPOSITION | MF_SEPARATOR, ID_FILE_MRU_LAST + 1, nullptr);
    }
}

// A collection that is gone is taken off the list; otherwise unsaved changes are asked about
// first, as before File > New, so choosing from the list loses nothing.
void CMainFrame::OpenRecent(size_t index) {
    std::vector<std::string> recent = RecentCollections();
    if (index >= recent.size() || view_->IsTransferRunning()) {
        return;
    }
    const std::string path = recent[index];
    if (GetFileAttributesW(platform::Widen(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
        recent.erase(recent.begin() + std::ptrdiff_t(index));
        StoreRecentCollections(recent);
        MessageBoxW(hwnd_, win::FormatText(IDS_RECENT_GONE, {path}).c_str(),
                    win::LoadText(IDS_APP_NAME).c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (doc_->SaveModified()) {
        OpenCollection(path);
    }
}

void CMainFrame::OnInitMenuPopup(HMENU menu) {
    const bool running = view_->IsTransferRunning();
    if (GetMenuState(menu, ID_APP_EXIT, MF_BYCOMMAND) != UINT(-1)) {
        FillRecentMenu(menu);
    }
    // During a run the start command stops it; nothing may change the collection or the stick.
    ModifyMenuW(menu, ID_START_TRANSFER, MF_BYCOMMAND | MF_STRING, ID_START_TRANSFER,
                win::LoadText(running ? IDS_STOP_COMMAND : IDS_START_COMMAND).c_str());
    EnableMenuItem(menu, ID_START_TRANSFER, view_->IsStopping() ? MF_GRAYED : MF_ENABLED);
    for (UINT id :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_ADD, ID_EDIT_REMOVE,
          ID_SELECT_DRIVE, ID_FILE_EXTENSIONS, ID_STICK_LAYOUT, ID_STICK_ORDER}) {
        EnableMenuItem(menu, id, running ? MF_GRAYED : MF_ENABLED);
    }
    for (UINT id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
        EnableMenuItem(menu, id, running ? MF_GRAYED : MF_ENABLED);
    }
}

void CMainFrame::OnCommand(int id) {
    // Accelerators arrive here whatever the menu shows: a run refuses them as the menu does.
    const bool running = view_->IsTransferRunning();
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) {
        OpenRecent(size_t(id - ID_FILE_MRU_FIRST));
        return;
    }
    switch (id) {
        case ID_FILE_NEW:
            if (!running && doc_->OnFileNew()) {
                // An empty, untitled collection: the remembered one is not loaded again.
                view_->ClearNewDirectory();
                view_->RefillDirectoryList();
            }
            break;
        case ID_FILE_OPEN:
            if (!running) {
                view_->ClearNewDirectory();
                doc_->OnFileOpen();
                view_->MeasureStick();
                RememberCollection();
            }
            break;
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
            if (!running) {
                id == ID_FILE_SAVE ? doc_->OnFileSave() : doc_->OnFileSaveAs();
                RememberCollection();
            }
            break;
        case ID_START_TRANSFER:
            view_->OnStartTransferCommand();
            break;
        case ID_SELECT_DRIVE:
            view_->OnSelectDrive();
            break;
        case ID_FILE_EXTENSIONS:
            view_->OnFileExtensions();
            break;
        case ID_STICK_LAYOUT:
            view_->OnStickLayout();
            break;
        case ID_STICK_ORDER:
            view_->OnStickOrder();
            break;
        case ID_EDIT_ADD:
            view_->OnAdd();
            break;
        case ID_EDIT_REMOVE:
            view_->OnRemove();
            break;
        case ID_APP_EXIT:
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            break;
        case ID_APP_ABOUT: {
            CAboutDlg about;
            about.DoModal(hwnd_);
            break;
        }
        default:
            break;
    }
}

void CMainFrame::OnClose() {
    if (view_->IsTransferRunning()) {
        // The transfer uses the collection to its end: ask it to stop and close when it has.
        closeAfterTransfer_ = true;
        view_->StopTransferForClose();
        return;
    }
    if (!doc_->SaveModified()) {
        return;
    }
    view_->StoreSettings();
    DestroyWindow(hwnd_);
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_SIZE:
            if (HWND form = Form()) {
                MoveWindow(form, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            }
            return 0;
        case WM_GETMINMAXINFO:
            if (view_ && view_->GetSafeHwnd()) {
                const SIZE form = view_->BaseSize();
                RECT frame{0, 0, form.cx, form.cy};
                AdjustWindowRectExForDpi(&frame, kFrameStyle, TRUE, 0, GetDpiForWindow(hwnd_));
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                info->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
            }
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SETFOCUS:
            if (HWND form = Form()) {
                SetFocus(form);
            }
            return 0;
        case WM_APP_TRANSFER_ENDED:
            if (closeAfterTransfer_) {
                closeAfterTransfer_ = false;
                PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<CMainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || message == WM_NCDESTROY) {
        if (self) {
            self->hwnd_ = nullptr;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}
