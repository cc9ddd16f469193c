// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <memory>
#include <string>
#include <vector>

class CTunecrateDoc;
class CTunecrateView;
class WinDocumentUi;

// The main window: the menu and its accelerators, and the main form as its only content. It
// owns the collection document and the form and routes the commands of the menu: File New,
// Open, the recent collections, Save, Save As and Exit here, the form's commands to the form.
// The window can grow from the form's template size, never shrink below it.
class CMainFrame {
  public:
    static constexpr const wchar_t* kClassName = L"TunecrateFrame";

    explicit CMainFrame(std::string settingsPath);
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Builds the window, the form and the document and starts with a new collection (which
    // loads the remembered one). False when the window cannot be built.
    bool Create(int showCommand);
    // Opens a collection file as File > Open does after its dialog.
    void OpenCollection(const std::string& path);
    HWND GetSafeHwnd() const { return hwnd_; }
    HWND Form() const;
    HACCEL Accelerators() const { return accelerators_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    void OnInitMenuPopup(HMENU menu);
    void OnClose();
    // The recent collections: kept under the user's software key, newest first.
    static std::vector<std::string> RecentCollections();
    static void StoreRecentCollections(const std::vector<std::string>& recent);
    void RememberCollection();
    void FillRecentMenu(HMENU file);
    void OpenRecent(size_t index);

    std::string settingsPath_;
    HWND hwnd_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::unique_ptr<CTunecrateView> view_;
    std::unique_ptr<WinDocumentUi> docUi_;
    std::unique_ptr<CTunecrateDoc> doc_;
    // Set once the user asked to close while a transfer runs: the window closes when it ends.
    bool closeAfterTransfer_ = false;
};
