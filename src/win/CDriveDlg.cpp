// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CDriveDlg.h"

#include "platform/Text_win.h"
#include "win/WinText.h"
#include "win/resource.h"

CDriveDlg::CDriveDlg(const std::string& current) : CDialog(IDD_DRIVES), current_(current) {}

CDriveDlg::~CDriveDlg() {
    if (images_) {
        ImageList_Destroy(images_);
    }
}

const DriveInfo* CDriveDlg::GetSelectedDrive() const {
    return chosen_ >= 0 && chosen_ < int(drives_.size()) ? &drives_[size_t(chosen_)] : nullptr;
}

int CDriveDlg::ImageIndexFor(const DriveInfo& drive) {
    static const int kByType[] = {6, 6, 3, 1, 5, 2, 4};
    const int type = int(drive.GetDriveType());
    if (drive.IsFloppyLetter()) {
        return 0;
    }
    return type >= 0 && type < 7 ? kByType[type] : 6;
}

BOOL CDriveDlg::OnInitDialog() {
    // Small icons at the window's dots per inch.
    const UINT dpi = GetDpiForWindow(GetSafeHwnd());
    const int size = MulDiv(16, int(dpi), 96);
    images_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 7, 1);
    for (int icon : {IDI_FLOPPY, IDI_FIXED, IDI_OPTICAL, IDI_REMOVABLE, IDI_RAMDISK, IDI_NETWORK,
                     IDI_UNKNOWN}) {
        HICON loaded = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images_, loaded);
        DestroyIcon(loaded);
    }
    ListView_SetImageList(Item(IDC_DRIVELIST), images_, LVSIL_SMALL);
    FillDriveList();
    return TRUE;
}

void CDriveDlg::FillDriveList() {
    HWND list = Item(IDC_DRIVELIST);
    ListView_DeleteAllItems(list);
    drives_.clear();
    for (const std::string& root : platform::VolumeQueries::System().GetDriveRoots()) {
        DriveInfo drive;
        drive.SetRootPath(root);
        drive.Refresh();
        drives_.push_back(drive);
    }
    for (size_t i = 0; i < drives_.size(); ++i) {
        std::wstring text = platform::Widen(drives_[i].GetDisplayName());
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = int(i);
        item.pszText = text.data();
        item.iImage = ImageIndexFor(drives_[i]);
        ListView_InsertItem(list, &item);
    }
    // The drive chosen before is selected again, or the stick drive when the dialog opens.
    const std::string wanted = chosen_ >= 0 && chosen_ < int(drives_.size())
                                   ? drives_[size_t(chosen_)].GetDriveLetter()
                                   : current_;
    chosen_ = -1;
    for (size_t i = 0; i < drives_.size(); ++i) {
        if (!wanted.empty() && _stricmp(drives_[i].GetDriveLetter().c_str(), wanted.c_str()) == 0) {
            ListView_SetItemState(list, int(i), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(list, int(i), FALSE);
        }
    }
    if (chosen_ < 0) {
        SetDlgItemTextW(GetSafeHwnd(), IDC_DRIVE_DESCRIPTION, L"");
    }
}

void CDriveDlg::Choose(int index) {
    if (index < 0 || index >= int(drives_.size())) {
        return;
    }
    chosen_ = index;
    SetDlgItemTextW(GetSafeHwnd(), IDC_DRIVE_DESCRIPTION,
                    win::Translate(drives_[size_t(index)].Description()).c_str());
}

bool CDriveDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_REFRESH) {
        FillDriveList();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

LRESULT CDriveDlg::OnNotify(NMHDR* header) {
    // The selection, made by mouse or keyboard, chooses the drive once it has moved.
    if (header->idFrom == IDC_DRIVELIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED)) {
            Choose(change->iItem);
        }
    }
    return 0;
}
