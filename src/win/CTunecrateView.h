// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/SeededRandom.h"
#include "win/CBitmapButton.h"
#include "win/CDialog.h"
#include "win/CHoverButton.h"

class CFolderBrowser;
class CTunecrateDoc;
class WinEjectRunner;
class WinTransferRunner;
struct TransferResult;
namespace platform {
struct EjectResult;
}

// The main form, a modeless child dialog that fills the frame: the list of music directories,
// the edit for a new one, the picture buttons, the Start button, the options to wipe the stick
// first and eject it after, the progress bar, the stick drive with its free space and a status
// area. It owns what outlives a collection: the settings, the stick's drive information, the
// transfer runner and the eject runner.
// The form grows with the frame from its template size: the list takes the room.
class CTunecrateView : public CDialog {
  public:
    explicit CTunecrateView(const std::string& settingsPath);
    ~CTunecrateView() override;

    void SetDocument(CTunecrateDoc* document) { document_ = document; }
    AppSettings& GetSettings() { return settings_; }
    // The form's size in pixels at its template size: the smallest the frame lets it be.
    SIZE BaseSize() const;

    // At start and after File > New: the pictures, the stick drive and its free space, and
    // the remembered collection.
    void OnInitialUpdate();
    void RefillDirectoryList();
    // Forgets a typed directory that was not added, so it cannot go into the next collection.
    void ClearNewDirectory();
    void MeasureStick();

    // Menu commands routed from the frame.
    void OnAdd();
    void OnRemove();
    void OnSelectDrive();
    void OnFileExtensions();
    void OnStickLayout();
    // Puts the songs on the stick on disc in play order (run::PlayOrderRun) and says what was
    // done.
    void OnStickOrder();
    // Start Transfer: starts as a click on the idle button would; during a run it stops.
    void OnStartTransferCommand();
    bool IsTransferRunning() const;
    bool IsStopping() const;
    // Asks a running transfer to stop because the window is closing.
    void StopTransferForClose();
    // Writes the settings file now; tells the user when that fails.
    void StoreSettings();

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void CaptureLayout();
    void Layout(int width, int height);
    void AddDirectoryEntry(const std::string& path);
    void AppendListEntry(const std::wstring& text);
    void RemoveSelectedEntries();
    void OnKillFocusNewDir();
    void OnStart();
    bool CheckFileTypesSet();
    void StartTransfer();
    bool ConfirmWipe();
    void OnTransferEnded(TransferResult& result);
    void OnEjectEnded(const platform::EjectResult& ejected);
    void SetTransferControlsEnabled(bool enabled);
    void ShowFreeSpace(uint64_t megabytes);
    void SetStatusText(const std::wstring& text);
    void ShowStickLayout();
    void ShowMessage(const std::wstring& text, UINT icon);

    AppSettings settings_;
    FileOperations fileOperations_;
    DriveInfo driveInfo_;
    SeededRandom random_;
    CTunecrateDoc* document_ = nullptr;
    std::unique_ptr<CFolderBrowser> folderBrowser_;
    std::unique_ptr<WinTransferRunner> runner_;
    // Ejects the stick after a run; waited for before the next run and when the form goes.
    std::unique_ptr<WinEjectRunner> ejector_;
    CHoverButton start_;
    std::map<int, std::unique_ptr<CBitmapButton>> pictureButtons_;
    HBITMAP decoration_ = nullptr;
    bool addingTypedDirectory_ = false;
    int widestExtent_ = 0;
    // Each control's place at the template size, in dialog units scaled by 100, from which
    // a larger form is laid out at the current dots per inch.
    std::vector<std::pair<int, RECT>> baseLayout_;
};
