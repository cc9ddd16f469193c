// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <functional>

#include "collection/CollectionUi.h"

// The collection document's dialogs with the user, in the Windows API: message boxes, the save
// prompt, the question about a file changed on disc, the open and save dialogs and the window
// title. Every call comes from the window's thread.
class WinDocumentUi : public CollectionUi {
  public:
    explicit WinDocumentUi(HWND frame);

    // What refills the form after a collection was opened.
    void SetRefill(std::function<void()> refill) { refill_ = std::move(refill); }
    // The frame's title for a document title: "Rock - Tunecrate", "Untitled - Tunecrate".
    static std::wstring WindowTitle(const std::string& documentTitle);

    void ShowMessage(const platform::UserMessage& text) override;
    void ShowError(const platform::UserMessage& text) override;
    Answer AskYesNoCancel(const platform::UserMessage& question) override;
    // Reload / Overwrite / Cancel.
    ChangedAnswer AskChangedOnDisc(const std::string& path) override;
    std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
    void SetTitle(const std::string& title) override;
    void UpdateAllViews() override;

  private:
    HWND frame_;
    std::function<void()> refill_;
};
