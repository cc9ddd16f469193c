// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CTunecrateView.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "collection/CTunecrateDoc.h"
#include "platform/Text_win.h"
#include "platform/volumes/VolumeEjector.h"
#include "run/FillRequest.h"
#include "run/PlayOrderRun.h"
#include "run/RunSummary.h"
#include "run/StartButton.h"
#include "run/WipeQuestion.h"
#include "transfer/StickContents.h"
#include "transfer/TransferJob.h"
#include "win/CDriveDlg.h"
#include "win/CExtensionsDlg.h"
#include "win/CFolderBrowser.h"
#include "win/CStickLayoutDlg.h"
#include "win/FormColours.h"
#include "win/WinEjectRunner.h"
#include "win/WinMessages.h"
#include "win/WinText.h"
#include "win/WinTransferRunner.h"
#include "win/resource.h"

namespace {

constexpr int kFormWidth = 401;  // dialog units
constexpr int kFormHeight = 291;
constexpr UINT_PTR kMeasureTimer = 1;
constexpr UINT kMeasureIntervalMs = 3000;

// The picture buttons and the strings of their labels.
constexpr std::pair<int, UINT> kPictureButtons[] = {
    {IDC_ADD, IDS_LABEL_ADD},       {IDC_REMOVE, IDS_LABEL_REMOVE},
    {IDC_SELDRV, IDS_LABEL_SELDRV}, {IDC_FILEEXT, IDS_LABEL_FILEEXT},
    {IDC_EXIT, IDS_LABEL_EXIT},
};

}  // namespace

CTunecrateView::CTunecrateView(const std::string& settingsPath)
    : CDialog(IDD_TUNECRATE_FORM), settings_(settingsPath) {
    // The random source is seeded from the clock once, by its construction above.
    if (!settings_.GetStickDrive().empty()) {
        driveInfo_.SetRootPath(settings_.GetStickDrive());
        driveInfo_.Refresh();
    }
}

CTunecrateView::~CTunecrateView() {
    // The job uses the document to its end: it is waited for while everything is still there.
    runner_.reset();
    ejector_.reset();
    settings_.SetSaveOnDestroy(false);
    if (decoration_) {
        DeleteObject(decoration_);
    }
}

SIZE CTunecrateView::BaseSize() const {
    RECT r{0, 0, kFormWidth, kFormHeight};
    MapDialogRect(GetSafeHwnd(), &r);
    return SIZE{r.right, r.bottom};
}

BOOL CTunecrateView::OnInitDialog() {
    SetWindowLongPtrW(GetSafeHwnd(), GWLP_ID, IDC_FORM);
    runner_ = std::make_unique<WinTransferRunner>(GetSafeHwnd());
    ejector_ = std::make_unique<WinEjectRunner>(GetSafeHwnd());
    start_.Attach(Item(IDC_START));
    start_.SetTexts(win::LoadText(IDS_START), win::LoadText(IDS_STOP));
    SendMessageW(Item(IDC_NEWDIR), EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(win::CommandName(ID_EDIT_ADD).c_str()));
    for (const auto& [id, label] : kPictureButtons) {
        pictureButtons_[id] = std::make_unique<CBitmapButton>();
        pictureButtons_[id]->AutoLoad(Item(id), label);
    }
    decoration_ = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr),
                   MAKEINTRESOURCEW(GetDpiForWindow(GetSafeHwnd()) >= 144 ? IDB_DECORATION_2X
                                                                          : IDB_DECORATION),
                   IMAGE_BITMAP, 0, 0, 0));
    SendMessageW(Item(IDC_PICTURE), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(decoration_));
    ShowStickLayout();
    CaptureLayout();
    SetTimer(GetSafeHwnd(), kMeasureTimer, kMeasureIntervalMs, nullptr);
    return FALSE;
}

void CTunecrateView::CaptureLayout() {
    RECT units{0, 0, 10000, 10000};  // pixels per 10,000 dialog units
    MapDialogRect(GetSafeHwnd(), &units);
    baseLayout_.clear();
    for (HWND child = GetWindow(GetSafeHwnd(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
        RECT base{MulDiv(r.left, 1000000, units.right), MulDiv(r.top, 1000000, units.bottom),
                  MulDiv(r.right, 1000000, units.right), MulDiv(r.bottom, 1000000, units.bottom)};
        baseLayout_.emplace_back(GetDlgCtrlID(child), base);
    }
}

// The list takes what the form grows; the controls beside and below it move with its edges.
void CTunecrateView::Layout(int width, int height) {
    RECT units{0, 0, 10000, 10000};
    MapDialogRect(GetSafeHwnd(), &units);
    const SIZE base = BaseSize();
    const int dx = std::max(0, width - int(base.cx));
    const int dy = std::max(0, height - int(base.cy));
    HDWP moves = BeginDeferWindowPos(int(baseLayout_.size()));
    for (const auto& [id, scaled] : baseLayout_) {
        RECT r{MulDiv(scaled.left, units.right, 1000000), MulDiv(scaled.top, units.bottom, 1000000),
               MulDiv(scaled.right, units.right, 1000000),
               MulDiv(scaled.bottom, units.bottom, 1000000)};
        if (id == IDC_DIRLIST) {
            r.right += dx;
            r.bottom += dy;
        }
        switch (id) {
            case IDC_DIRLIST:
                break;
            case IDC_NEWDIR:
                r.right += dx;
                break;
            case IDC_ADD:
            case IDC_REMOVE:
                OffsetRect(&r, dx, 0);
                break;
            case IDC_EXIT:
            case IDC_SELDRV:
            case IDC_FILEEXT:
                OffsetRect(&r, dx, dy);
                break;
            case IDC_STATUS:
                r.right += dx;
                OffsetRect(&r, 0, dy);
                break;
            default:
                // Everything else below the list's top moves down with its bottom.
                if (id != IDC_NEWDIR_LABEL && id != IDC_LIST_LABEL) {
                    OffsetRect(&r, 0, dy);
                }
                break;
        }
        if (moves) {
            moves =
                DeferWindowPos(moves, GetDlgItem(GetSafeHwnd(), id), nullptr, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (moves) {
        EndDeferWindowPos(moves);
    }
}

void CTunecrateView::OnInitialUpdate() {
    RefillDirectoryList();
    start_.LoadBitmaps(L"STARTU", L"STARTD", L"STARTONU", L"STARTOND");
    SetDlgItemTextW(GetSafeHwnd(), IDC_DRIVE, platform::Widen(settings_.GetStickDrive()).c_str());
    MeasureStick();
    if (document_ && !settings_.GetMusicCollection().empty()) {
        document_->LoadCollection(settings_.GetMusicCollection());
        RefillDirectoryList();
    }
}

void CTunecrateView::ClearNewDirectory() {
    SetDlgItemTextW(GetSafeHwnd(), IDC_NEWDIR, L"");
}

void CTunecrateView::MeasureStick() {
    if (IsTransferRunning()) {
        return;  // the job measures the stick itself and owns its drive information meanwhile
    }
    driveInfo_.SetRootPath(settings_.GetStickDrive());
    driveInfo_.Refresh();
    if (!settings_.GetStickDrive().empty() &&
        driveInfo_.GetDriveType() != platform::DriveType::kNoRootDir &&
        driveInfo_.IsSpaceCurrent()) {
        ShowFreeSpace(driveInfo_.GetFreeBytes() >> 20);
    } else {
        SetDlgItemTextW(GetSafeHwnd(), IDC_FREE_SPACE,
                        win::LoadText(IDS_FREE_SPACE_UNKNOWN).c_str());
    }
}

void CTunecrateView::ShowFreeSpace(uint64_t megabytes) {
    SetDlgItemTextW(GetSafeHwnd(), IDC_FREE_SPACE,
                    win::Translate(TransferJob::FreeSpaceText(megabytes)).c_str());
}

void CTunecrateView::SetStatusText(const std::wstring& text) {
    SetDlgItemTextW(GetSafeHwnd(), IDC_STATUS, text.c_str());
}

void CTunecrateView::ShowStickLayout() {
    SetDlgItemTextW(GetSafeHwnd(), IDC_LAYOUT, CStickLayoutDlg::Summary(settings_).c_str());
}

void CTunecrateView::ShowMessage(const std::wstring& text, UINT icon) {
    MessageBoxW(GetAncestor(GetSafeHwnd(), GA_ROOT), text.c_str(),
                win::LoadText(IDS_APP_NAME).c_str(), MB_OK | icon);
}

bool CTunecrateView::CheckFileTypesSet() {
    if (settings_.GetExtensionCount() > 0) {
        return true;
    }
    ShowMessage(win::LoadText(IDS_NO_FILE_TYPES), MB_ICONINFORMATION);
    return false;
}

void CTunecrateView::RefillDirectoryList() {
    SendMessageW(Item(IDC_DIRLIST), LB_RESETCONTENT, 0, 0);
    if (!document_) {
        return;
    }
    for (const auto& directory : document_->GetLibrary().GetDirectories()) {
        std::wstring line = platform::Widen(directory->GetName());
        if (!directory->IsAvailable()) {
            line += L" " + win::LoadText(IDS_NOT_AVAILABLE);
        }
        AppendListEntry(line);
    }
}

void CTunecrateView::AppendListEntry(const std::wstring& text) {
    HWND list = Item(IDC_DIRLIST);
    SendMessageW(list, LB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()));
    // The list scrolls sideways to its widest line; the extent never shrinks.
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    const int width = size.cx + 2 * GetSystemMetrics(SM_CXEDGE) + 4;
    if (width > widestExtent_) {
        widestExtent_ = width;
        SendMessageW(list, LB_SETHORIZONTALEXTENT, WPARAM(widestExtent_), 0);
    }
}

void CTunecrateView::AddDirectoryEntry(const std::string& path) {
    const std::wstring wide = platform::Widen(path);
    if (path.empty() || !document_ ||
        SendMessageW(Item(IDC_DIRLIST), LB_FINDSTRINGEXACT, WPARAM(-1),
                     reinterpret_cast<LPARAM>(wide.c_str())) != LB_ERR ||
        !CheckFileTypesSet()) {
        return;
    }
    // A directory listed already, or one the document refuses (it says why), is no change.
    if (document_->AddFolders({path}).added > 0) {
        AppendListEntry(wide);
    }
}

void CTunecrateView::RemoveSelectedEntries() {
    HWND list = Item(IDC_DIRLIST);
    const int count = int(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
    if (count <= 0 || !document_) {
        return;
    }
    std::vector<int> selected(size_t(count), 0);
    SendMessageW(list, LB_GETSELITEMS, WPARAM(count), reinterpret_cast<LPARAM>(selected.data()));
    // From the last selected line to the first, so the remaining indices stay valid.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const int index = *it;
        const auto& directories = document_->GetLibrary().GetDirectories();
        if (index >= 0 && size_t(index) < directories.size()) {
            document_->RemoveDirectory(std::string(directories[size_t(index)]->GetName()));
        }
        SendMessageW(list, LB_DELETESTRING, WPARAM(index), 0);
    }
    document_->SetModifiedFlag();
}

void CTunecrateView::OnKillFocusNewDir() {
    // A refusal's message box takes the focus too; that is not a second leave.
    if (addingTypedDirectory_ || IsTransferRunning()) {
        return;
    }
    addingTypedDirectory_ = true;
    const std::string typed = win::ItemText(GetSafeHwnd(), IDC_NEWDIR);
    const size_t before = document_ ? document_->GetDirectoryCount() : 0;
    AddDirectoryEntry(typed);
    // An added directory leaves the edit; a refused one stays there to be corrected.
    if (document_ && document_->GetDirectoryCount() > before) {
        ClearNewDirectory();
    }
    addingTypedDirectory_ = false;
}

void CTunecrateView::OnAdd() {
    if (IsTransferRunning()) {
        return;
    }
    if (!folderBrowser_) {
        folderBrowser_ = std::make_unique<CFolderBrowser>(GetAncestor(GetSafeHwnd(), GA_ROOT),
                                                          IDS_FOLDER_PICKER_TITLE);
        folderBrowser_->SetStartFolder("C:\\");
    }
    if (folderBrowser_->Run()) {
        // The next browse starts where this one ended.
        folderBrowser_->SetStartFolder(folderBrowser_->GetChosenPath());
        AddDirectoryEntry(folderBrowser_->GetChosenPath());
    }
}

void CTunecrateView::OnRemove() {
    if (!IsTransferRunning()) {
        RemoveSelectedEntries();
    }
}

void CTunecrateView::OnSelectDrive() {
    if (IsTransferRunning()) {
        return;
    }
    CDriveDlg dialog(settings_.GetStickDrive());
    const DriveInfo* chosen = dialog.DoModal(GetAncestor(GetSafeHwnd(), GA_ROOT)) == IDOK
                                  ? dialog.GetSelectedDrive()
                                  : nullptr;
    if (!chosen) {
        return;
    }
    driveInfo_ = *chosen;
    settings_.SetStickDrive(chosen->GetDriveLetter());
    SetDlgItemTextW(GetSafeHwnd(), IDC_DRIVE, platform::Widen(chosen->GetDriveLetter()).c_str());
    ShowFreeSpace(chosen->GetFreeBytes() >> 20);
}

void CTunecrateView::OnFileExtensions() {
    if (IsTransferRunning()) {
        return;
    }
    const std::vector<std::string> before = settings_.GetExtensions();
    CExtensionsDlg dialog(settings_);
    if (dialog.DoModal(GetAncestor(GetSafeHwnd(), GA_ROOT)) != IDOK || !document_) {
        return;
    }
    if (document_->ApplyExtensionChange(before) == CTunecrateDoc::ExtensionChange::kRescanned) {
        RefillDirectoryList();
    } else {
        CheckFileTypesSet();  // without any type the collection stays as it is: the user is told
    }
}

void CTunecrateView::OnStickLayout() {
    if (IsTransferRunning()) {
        return;
    }
    CStickLayoutDlg dialog(settings_);
    if (dialog.DoModal(GetAncestor(GetSafeHwnd(), GA_ROOT)) == IDOK) {
        ShowStickLayout();
    }
}

void CTunecrateView::OnStickOrder() {
    if (IsTransferRunning()) {
        return;
    }
    // Renames only, a second or two for a full stick: the wait cursor shows it is busy.
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const run::PlayOrderRun done =
        run::PlayOrderRun::Run(settings_.GetStickDrive(), false, fileOperations_);
    SetCursor(previous);
    ShowMessage(win::Translate(done.Message()),
                done.Succeeded() ? MB_ICONINFORMATION : MB_ICONWARNING);
}

bool CTunecrateView::IsTransferRunning() const {
    return runner_ && runner_->IsRunning();
}

bool CTunecrateView::IsStopping() const {
    return IsTransferRunning() && runner_->StopFlag() != 0;
}

void CTunecrateView::OnStart() {
    switch (run::StartButton::OnClick(start_.GetState(), IsTransferRunning())) {
        case run::StartButton::Request::kStart:
            StartTransfer();
            break;
        case run::StartButton::Request::kStop:
            runner_->Stop();
            break;
        case run::StartButton::Request::kNothing:
            break;
    }
}

void CTunecrateView::OnStartTransferCommand() {
    // During a run the command is Stop Transfer, as a click on the running button.
    if (const auto state = run::StartButton::CommandState(start_.GetState(), IsTransferRunning())) {
        start_.SetState(*state);
        OnStart();
    }
}

void CTunecrateView::StartTransfer() {
    if (!document_ || !CheckFileTypesSet()) {
        start_.SetState(CHoverButton::kStateOff);
        return;
    }
    // The job takes the check box as it is now, on this thread; an eject still running ends
    // first.
    ejector_->Wait();
    const TransferJob::Options options =
        run::FillRequest::From(settings_, settings_.GetStickDrive(),
                               IsDlgButtonChecked(GetSafeHwnd(), IDC_DELETE_OLD) == BST_CHECKED);
    MeasureStick();
    if (options.deleteOld && !ConfirmWipe()) {
        start_.SetState(CHoverButton::kStateOff);
        SetStatusText(win::LoadText(IDS_NOTHING_DONE));
        return;
    }
    // The transfer holds the collection's lock for its whole run, as a fill does.
    if (!document_->BeginExclusiveUse()) {
        start_.SetState(CHoverButton::kStateOff);
        return;
    }
    SetTransferControlsEnabled(false);
    runner_->Start(std::make_unique<TransferJob>(*document_, driveInfo_, fileOperations_, random_,
                                                 runner_->StopFlag(), *runner_, options));
}

bool CTunecrateView::ConfirmWipe() {
    const std::optional<run::WipeQuestion> question = run::WipeQuestion::For(
        driveInfo_,
        StickContents::Count(driveInfo_.GetRootPath(), settings_.GetExtensions(), fileOperations_),
        false);
    if (!question) {
        return true;  // nothing to ask: a stick of music only, or the job says why it cannot work
    }
    const std::wstring text = win::Translate(question->Question()) + L"\n\n" +
                              win::Translate(question->Details(win::NumberStyle()));
    return MessageBoxW(GetAncestor(GetSafeHwnd(), GA_ROOT), text.c_str(),
                       win::LoadText(IDS_APP_NAME).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void CTunecrateView::OnTransferEnded(TransferResult& result) {
    runner_->OnEnded();
    // The flags of the run are saved here, on the document's thread, before the lock goes.
    if (document_ && run::RunSummary(result).SaveDue()) {
        result.saved = document_->SaveAfterTransfer();
    }
    if (document_) {
        document_->EndExclusiveUse();
    }
    HWND progress = Item(IDC_PROGRESS);
    if (result.ending == TransferResult::Ending::kStickFull ||
        result.ending == TransferResult::Ending::kLimitReached) {
        SendMessageW(progress, PBM_SETPOS, WPARAM(SendMessageW(progress, PBM_GETRANGE, FALSE, 0)),
                     0);
    } else if (result.ending == TransferResult::Ending::kRefused) {
        SendMessageW(progress, PBM_SETPOS, 0, 0);
    }
    const run::RunSummary summary(result);
    SetStatusText(win::Translate(summary.StatusLine(win::NumberStyle())));
    start_.SetState(CHoverButton::kStateOff);
    SetTransferControlsEnabled(true);
    if (summary.ShouldEject(IsDlgButtonChecked(GetSafeHwnd(), IDC_EJECT) == BST_CHECKED)) {
        // Unmounting waits for the stick's data to be written: not on this thread. The next
        // start and the form's end wait for the eject.
        SetStatusText(platform::Widen(win::ItemText(GetSafeHwnd(), IDC_STATUS)) + L"\n" +
                      win::LoadText(IDS_EJECTING));
        ejector_->Start(settings_.GetStickDrive());
    }
    if (const platform::UserMessage warning = summary.Warning(); !warning.IsEmpty()) {
        ShowMessage(win::Translate(warning), MB_ICONWARNING);
    }
    // The frame closes now when the user asked it to during the run.
    SendMessageW(GetParent(GetSafeHwnd()), WM_APP_TRANSFER_ENDED, 0, 0);
}

void CTunecrateView::OnEjectEnded(const platform::EjectResult& ejected) {
    if (!ejector_->OnEnded()) {
        return;  // a new run waited for this eject and shows its own status
    }
    // The run's summary stays above what the eject says.
    std::wstring status = platform::Widen(win::ItemText(GetSafeHwnd(), IDC_STATUS));
    status = status.substr(0, status.find(L'\n'));
    SetStatusText(status + L"\n" + win::Translate(ejected.message));
    if (ejected.outcome == platform::EjectResult::Outcome::kFailed) {
        ShowMessage(win::Translate(ejected.message), MB_ICONWARNING);
    }
}

// While a transfer runs, nothing may change the collection, the stick or the file types.
void CTunecrateView::SetTransferControlsEnabled(bool enabled) {
    for (int id : {IDC_NEWDIR, IDC_ADD, IDC_REMOVE, IDC_SELDRV, IDC_FILEEXT}) {
        EnableWindow(Item(id), enabled);
    }
}

void CTunecrateView::StopTransferForClose() {
    if (IsTransferRunning()) {
        runner_->Stop();
        SetStatusText(win::LoadText(IDS_WAITING_FOR_STOP));
    }
}

void CTunecrateView::StoreSettings() {
    if (const platform::Status saved = settings_.Save(); !saved.Ok()) {
        ShowMessage(win::FormatText(IDS_SETTINGS_NOT_SAVED,
                                    {settings_.GetSettingsPath(),
                                     platform::Narrow(win::Translate(saved.message))}),
                    MB_ICONWARNING);
    }
}

bool CTunecrateView::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_NEWDIR:
            if (code == EN_KILLFOCUS) {
                OnKillFocusNewDir();
            }
            return true;
        case IDOK:  // Enter: adds the typed directory; on the Start button it clicks it
            if (GetFocus() == Item(IDC_START)) {
                SendMessageW(Item(IDC_START), BM_CLICK, 0, 0);
            } else if (GetFocus() == Item(IDC_NEWDIR)) {
                OnKillFocusNewDir();
            }
            return true;
        case IDCANCEL:
            return true;  // Escape does not close the form
        case IDC_ADD:
            OnAdd();
            return true;
        case IDC_REMOVE:
            OnRemove();
            return true;
        case IDC_EXIT:
            PostMessageW(GetParent(GetSafeHwnd()), WM_CLOSE, 0, 0);
            return true;
        case IDC_SELDRV:
            OnSelectDrive();
            return true;
        case IDC_FILEEXT:
            OnFileExtensions();
            return true;
        case IDC_START:
            if (code == BN_CLICKED) {
                OnStart();
            }
            return true;
        default:
            return false;
    }
}

bool CTunecrateView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_CTLCOLORDLG:
            result = reinterpret_cast<INT_PTR>(FormColours::Face());
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            result = reinterpret_cast<INT_PTR>(FormColours::White());
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            result = reinterpret_cast<INT_PTR>(FormColours::Face());
            return true;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == IDC_START) {
                start_.DrawItem(*item);
            } else if (auto found = pictureButtons_.find(int(item->CtlID));
                       found != pictureButtons_.end()) {
                found->second->DrawItem(*item);
            }
            result = TRUE;
            return true;
        }
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_TIMER:
            if (wParam == kMeasureTimer) {
                MeasureStick();
            }
            return true;
        case WM_APP_STATUS_TEXT:
        case WM_APP_FREE_SPACE:
        case WM_APP_MESSAGE_BOX: {
            std::unique_ptr<platform::UserMessage> text(
                reinterpret_cast<platform::UserMessage*>(lParam));
            if (message == WM_APP_STATUS_TEXT) {
                SetStatusText(win::Translate(*text));
            } else if (message == WM_APP_FREE_SPACE) {
                SetDlgItemTextW(GetSafeHwnd(), IDC_FREE_SPACE, win::Translate(*text).c_str());
            } else {
                ShowMessage(win::Translate(*text), 0);
                runner_->MessageBoxClosed();
            }
            return true;
        }
        case WM_APP_PROGRESS_RANGE:
            SendMessageW(Item(IDC_PROGRESS), PBM_SETRANGE32, 0,
                         LPARAM(std::min<WPARAM>(wParam, INT32_MAX)));
            return true;
        case WM_APP_PROGRESS_POS:
            SendMessageW(Item(IDC_PROGRESS), PBM_SETPOS, std::min<WPARAM>(wParam, INT32_MAX), 0);
            return true;
        case WM_APP_TRANSFER_ENDED: {
            std::unique_ptr<TransferResult> ended(reinterpret_cast<TransferResult*>(lParam));
            OnTransferEnded(*ended);
            return true;
        }
        case WM_APP_EJECT_ENDED: {
            std::unique_ptr<platform::EjectResult> ended(
                reinterpret_cast<platform::EjectResult*>(lParam));
            OnEjectEnded(*ended);
            return true;
        }
        default:
            return false;
    }
}
