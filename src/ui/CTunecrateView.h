#pragma once

#include <QString>
#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/SeededRandom.h"

class CBitmapButton;
class CDirectoryList;
class CFolderBrowser;
class CHoverButton;
class CTunecrateDoc;
class GuiTransferObserver;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class TransferJob;
struct TransferResult;

// The main form: the list of music directories of the collection, the edit for a new one, the
// bitmap buttons (add, remove, select drive, file types, exit), the Start button, the option to
// wipe the stick first, the progress bar, the stick drive with its free space and a status line.
// It owns what outlives a collection: the program settings, the stick's drive information and the
// transfer job with its stop flag.
class CTunecrateView : public QWidget {
    Q_OBJECT

  public:
    // Control ids of the form, used as object names ("control1000") by tests and help.
    enum ControlId {
        IDC_NEWDIR = 1000,
        IDC_DIRLIST = 1001,
        IDC_ADD = 1002,
        IDC_REMOVE = 1003,
        IDC_EXIT = 1007,
        IDC_SELDRV = 1012,
        IDC_FILEEXT = 1014,
        IDC_PICTURE = 1020,
        IDC_DRIVE = 1022,
        IDC_START = 1023,
        IDC_DELETE_OLD = 1024,
        IDC_PROGRESS = 1025,
        IDC_FREE_SPACE = 1026,
        IDC_NEWDIR_LABEL = 1028,
        IDC_LIST_LABEL = 1029,
        IDC_STATUS = 1036,
        IDC_COUNTS = 1037,
    };

    // Builds the form and loads the settings from `settingsPath` (empty: the usual place).
    explicit CTunecrateView(const std::string& settingsPath, QWidget* parent = nullptr);
    // Waits for a running transfer to end, then stores the settings unless StoreSettings did.
    ~CTunecrateView() override;

    void SetDocument(CTunecrateDoc* document) { document_ = document; }
    CTunecrateDoc* GetDocument() const { return document_; }
    AppSettings& GetSettings() { return settings_; }

    // At start and after every File > New: pictures, the stick drive and its free space, and
    // the remembered collection.
    void OnInitialUpdate();

    void AddDirectoryEntry(const QString& path);
    // Adds every folder below `root` (itself included) that holds music, each as a directory
    // of its own, with a progress box for big trees.
    void AddFolderTree(const QString& root);
    void AppendListEntry(const QString& text);
    void RefillDirectoryList();
    void RemoveSelectedEntries();
    CFolderBrowser* GetFolderBrowser();
    void ShowFreeSpace(unsigned long megabytes);
    // The stick drive in label 1022.
    void ShowStickDrive(const QString& stick);
    void SetStatusText(const QString& text);
    // The song counts above the list: songs of the collection and those not yet transferred
    // (and those in folders not available, when there are any).
    void UpdateCounts();
    // The widest line appended to the list so far, in pixels; it never decreases.
    int WidestExtent() const { return widestExtent_; }

    // Whether the menu command Start Transfer is enabled: only while the Start button is idle.
    bool OnUpdateStartTransfer() const;
    bool IsTransferRunning() const { return job_ != nullptr; }
    // Asks a running transfer to stop because the window is closing; the status line says so.
    void StopTransferForClose();
    // Writes the settings file now and tells the user when that fails.
    void StoreSettings();

    // The controls, for the frame and for tests.
    QLineEdit* NewDirEdit() const { return newDir_; }
    CDirectoryList* DirectoryList() const { return list_; }
    CHoverButton* StartButton() const { return start_; }
    QCheckBox* DeleteOldCheck() const { return deleteOld_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* DriveLabel() const { return drive_; }
    QLabel* FreeSpaceLabel() const { return freeSpace_; }
    QLabel* StatusLabel() const { return status_; }
    QLabel* CountsLabel() const { return counts_; }
    CBitmapButton* BitmapButton(int id) const;

  public slots:
    void OnKillFocusNewDir();
    void OnAdd();
    void OnRemove();
    void OnExit();
    void OnSelectDrive();
    void OnFileExtensions();
    // The Start button's click: starts a transfer in state 2, asks it to stop in state 3.
    void OnStart();
    // The menu command: puts the idle button into its running state and starts as a click would.
    void OnStartTransferCommand();

  signals:
    void TransferRunningChanged(bool running);
    void ExitRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class GuiTransferObserver;

    void CreateControls();
    // False, after telling the user, when no music file types are set.
    bool CheckFileTypesSet();
    void SetTransferControlsEnabled(bool enabled);
    void StartTransfer();
    void OnTransferFinished(const TransferResult& result);
    void JoinTransfer();

    AppSettings settings_;
    FileOperations fileOperations_;
    std::unique_ptr<DriveInfo> driveInfo_;
    SeededRandom random_;
    std::atomic<int> stopFlag_{1};
    CTunecrateDoc* document_ = nullptr;
    std::unique_ptr<CFolderBrowser> folderBrowser_;
    std::unique_ptr<GuiTransferObserver> observer_;
    std::unique_ptr<TransferJob> job_;
    std::thread jobThread_;
    bool settingsStored_ = false;
    bool addingTypedDirectory_ = false;
    int widestExtent_ = 0;

    QLineEdit* newDir_ = nullptr;
    CDirectoryList* list_ = nullptr;
    CBitmapButton* add_ = nullptr;
    CBitmapButton* remove_ = nullptr;
    CBitmapButton* exit_ = nullptr;
    CBitmapButton* selectDrive_ = nullptr;
    CBitmapButton* fileExt_ = nullptr;
    CHoverButton* start_ = nullptr;
    QCheckBox* deleteOld_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* drive_ = nullptr;
    QLabel* freeSpace_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* counts_ = nullptr;
};
