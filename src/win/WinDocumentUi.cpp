// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/WinDocumentUi.h"

#include <vector>

#include "platform/Text_win.h"
#include "win/WinText.h"
#include "win/resource.h"

WinDocumentUi::WinDocumentUi(HWND frame) : frame_(frame) {}

std::wstring WinDocumentUi::WindowTitle(const std::string& documentTitle) {
    const std::wstring title =
        documentTitle.empty() ? win::LoadText(IDS_UNTITLED) : platform::Widen(documentTitle);
    return title + L" - " + win::LoadText(IDS_APP_NAME);
}

void WinDocumentUi::ShowMessage(const platform::UserMessage& text) {
    MessageBoxW(frame_, win::Translate(text).c_str(), win::LoadText(IDS_APP_NAME).c_str(), MB_OK);
}

void WinDocumentUi::ShowError(const platform::UserMessage& text) {
    MessageBoxW(frame_, win::Translate(text).c_str(), win::LoadText(IDS_APP_NAME).c_str(),
                MB_OK | MB_ICONWARNING);
}

CollectionUi::Answer WinDocumentUi::AskYesNoCancel(const platform::UserMessage& question) {
    switch (MessageBoxW(frame_, win::Translate(question).c_str(),
                        win::LoadText(IDS_APP_NAME).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return Answer::kYes;
        case IDNO:
            return Answer::kNo;
        default:
            return Answer::kCancel;
    }
}

CollectionUi::ChangedAnswer WinDocumentUi::AskChangedOnDisc(const std::string& path) {
    const std::wstring text = win::FormatText(IDS_CHANGED_ON_DISC, {path});
    const std::wstring reload = win::LoadText(IDS_RELOAD);
    const std::wstring overwrite = win::LoadText(IDS_OVERWRITE);
    const std::wstring caption = win::LoadText(IDS_APP_NAME);
    const TASKDIALOG_BUTTON buttons[] = {{IDRETRY, reload.c_str()}, {IDIGNORE, overwrite.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = frame_;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = caption.c_str();
    config.pszContent = text.c_str();
    config.pButtons = buttons;
    config.cButtons = 2;
    config.nDefaultButton = IDRETRY;
    int pressed = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
        return ChangedAnswer::kCancel;
    }
    return pressed == IDRETRY    ? ChangedAnswer::kReload
           : pressed == IDIGNORE ? ChangedAnswer::kOverwrite
                                 : ChangedAnswer::kCancel;
}

std::optional<std::string> WinDocumentUi::ChooseFile(const FileDialog& dialog) {
    // "Description|patterns|...||" with the bars made the terminators the dialog wants.
    std::wstring filter = win::LoadText(IDS_COLLECTION_FILTER);
    for (wchar_t& c : filter) {
        c = c == L'|' ? L'\0' : c;
    }
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring extension = platform::Widen(dialog.defaultExtension);
    OPENFILENAMEW settings{};
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = frame_;
    settings.lpstrFilter = filter.c_str();
    settings.lpstrFile = file.data();
    settings.nMaxFile = DWORD(file.size());
    settings.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    settings.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (dialog.hideReadOnly ? OFN_HIDEREADONLY : 0);
    bool chosen;
    if (dialog.open) {
        settings.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
        chosen = GetOpenFileNameW(&settings);
    } else {
        settings.Flags |= dialog.overwritePrompt ? OFN_OVERWRITEPROMPT : 0;
        chosen = GetSaveFileNameW(&settings);
    }
    if (!chosen || file[0] == L'\0') {
        return std::nullopt;
    }
    return platform::Narrow(file.data());
}

void WinDocumentUi::SetTitle(const std::string& title) {
    SetWindowTextW(frame_, WindowTitle(title).c_str());
}

void WinDocumentUi::UpdateAllViews() {
    if (refill_) {
        refill_();
    }
}
