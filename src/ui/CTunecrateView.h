// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "collection/MusicLibrary.h"
#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/SeededRandom.h"

class CDirectoryList;
class CFolderBrowser;
class CHoverButton;
class CTunecrateDoc;
class EjectRunner;
class GuiTransferObserver;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TransferRunner;
class TrayNotice;
struct TransferResult;
namespace platform {
struct EjectResult;
}

// The main form, laid out to grow with the window in the desktop's palette: the collection (the
// field for a new music directory, the table of directories with their song counts, add, remove
// and the file types), the stick (its place, label, free space and layout, and the button to
// choose it), and the run (Start/Stop, the options to wipe the stick first and eject it after,
// the progress bar and a status line). It owns what outlives a collection: the program settings,
// the stick's drive information and the runner that runs a transfer job on a thread of its own.
class CTunecrateView : public QWidget {
    Q_OBJECT

  public:
    // Control ids of the form, used as object names ("control1000") by tests and help.
    enum ControlId {
        IDC_NEWDIR = 1000,
        IDC_DIRLIST = 1001,
        IDC_ADD = 1002,
        IDC_REMOVE = 1003,
        IDC_SELDRV = 1012,
        IDC_FILEEXT = 1014,
        IDC_DRIVE = 1022,
        IDC_START = 1023,
        IDC_DELETE_OLD = 1024,
        IDC_PROGRESS = 1025,
        IDC_FREE_SPACE = 1026,
        IDC_NEWDIR_LABEL = 1028,
        IDC_LIST_LABEL = 1029,
        IDC_STATUS = 1036,
        IDC_EJECT = 1037,
        IDC_COUNTS = 1038,
        IDC_LAYOUT = 1039,
        IDC_VOLUME_LABEL = 1040,
        IDC_PROGRESS_TEXT = 1041,
    };

    // Builds the form and loads the settings from `settingsPath` (empty: the usual place).
    explicit CTunecrateView(const std::string& settingsPath, QWidget* parent = nullptr);
    // Stops a running transfer and waits for its thread, then stores the settings unless
    // StoreSettings did.
    ~CTunecrateView() override;

    // Reaches the stick through `files` and `volumes` from now on, in place of the system's own
    // (a test's stick); measures it. Not while a transfer runs.
    void UseStick(const FileOperations& files, const platform::VolumeQueries& volumes);
    void SetDocument(CTunecrateDoc* document) { document_ = document; }
    CTunecrateDoc* GetDocument() const { return document_; }
    AppSettings& GetSettings() { return settings_; }

    // Once, when the window is built: the stick drive and its free space, and the remembered
    // collection.
    void OnInitialUpdate();

    void AddDirectoryEntry(const QString& path);
    // A folder typed, picked or dropped: one with subfolders offers to add every music folder
    // below it instead; otherwise it is added as it is.
    void AddChosenFolder(const QString& path);
    // Adds every folder below `root` (itself included) that holds music, each as a directory
    // of its own. The walk runs on a worker and can be cancelled; adding the folders found
    // shows its progress and can be cancelled too.
    void AddFolderTree(const QString& root);
    // Appends the row of a directory of the collection with its counts.
    void AppendListEntry(const QString& path);
    void RefillDirectoryList();
    void RemoveSelectedEntries();
    CFolderBrowser* GetFolderBrowser();
    void ShowFreeSpace(unsigned long megabytes);
    // Measures the stick again and shows its free space, or "Free space unknown" when it is not
    // there; nothing while a transfer runs. Run at start, after Open, when Select Stick is
    // cancelled, before a run and every few seconds while idle, so a stick mounted anew is seen.
    void MeasureStick();
    // The stick's place (or, with none chosen, how to choose it) and its volume label, or that
    // it is not plugged in.
    void ShowStickDrive(const QString& stick);
    void SetStatusText(const QString& text);
    // The song counts under the list: songs of the collection and those not yet transferred
    // (and those in folders not available, when there are any).
    void UpdateCounts();

    // Whether the menu command Start Transfer (Stop Transfer during a run) is enabled: not while
    // a run is stopping.
    bool OnUpdateStartTransfer() const;
    bool IsTransferRunning() const;
    // Asks a running transfer to stop because the window is closing; the status line says so.
    void StopTransferForClose();
    // Writes the settings file now and tells the user when that fails.
    void StoreSettings();

    // The controls, for the frame and for tests.
    QLineEdit* NewDirEdit() const { return newDir_; }
    CDirectoryList* DirectoryList() const { return list_; }
    CHoverButton* StartButton() const { return start_; }
    QCheckBox* DeleteOldCheck() const { return deleteOld_; }
    QCheckBox* EjectCheck() const { return eject_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* DriveLabel() const { return drive_; }
    QLabel* VolumeLabel() const { return volumeLabel_; }
    QLabel* FreeSpaceLabel() const { return freeSpace_; }
    QLabel* StatusLabel() const { return status_; }
    QLabel* LayoutLabel() const { return layout_; }
    QLabel* CountsLabel() const { return counts_; }
    QLabel* ProgressText() const { return progressText_; }
    // The push button of a control id (add, remove, select stick, file types, layout), or null.
    QPushButton* Button(int id) const;

    // The status line after a run ended with `result`, in the user's language.
    static QString StatusText(const TransferResult& result);

  public slots:
    // Enter in the new-directory field: adds the typed folder as AddChosenFolder does and
    // empties the field; a path that is no folder keeps its text and the user is told why.
    void OnNewDirEntered();
    void OnAdd();
    void OnRemove();
    void OnSelectDrive();
    void OnFileExtensions();
    // The stick layout dialog; the form shows the choices under the stick drive.
    void OnStickLayout();
    // Puts the songs on the stick on disc in play order (run::PlayOrderRun), on a worker, and
    // says what was done.
    void OnStickOrder();
    // The Start button's click, as run::StartButton decides it: starts a transfer when the click
    // left the button on, asks the running transfer to stop when it left it on and pressed.
    void OnStart();
    // The menu command: puts the idle button into its running state and starts as a click would;
    // during a run it asks the run to stop, as a click on the running button does.
    void OnStartTransferCommand();

  signals:
    void TransferRunningChanged(bool running);

  private:
    void CreateControls();
    QWidget* CreateCollectionArea();
    QWidget* CreateStickArea();
    QWidget* CreateRunArea();
    void ConnectControls();
    // The job's reports of a fill: the space to fill, and the megabytes copied after each song.
    void OnFillStarted(int megabytesToFill);
    void OnFillProgress(int megabytes);
    void UpdateCountsDuringRun();
    // Adds the folders a tree walk found, a slice at a time, so the window keeps drawing.
    void AddFolders(const std::vector<std::string>& folders);
    void ShowStickLayout();
    // False, after telling the user, when no music file types are set.
    bool CheckFileTypesSet();
    void SetTransferControlsEnabled(bool enabled);
    void StartTransfer();
    // Before a wipe: asks the user where the stick's contents call for it; true to go on.
    bool ConfirmWipe();
    void OnTransferFinished(const TransferResult& result);
    // Saves the run's flags when the run calls for it (setting `saved`) and ends the
    // collection's exclusive use.
    void SaveAfterRun(TransferResult& result);
    void OnEjectFinished(const platform::EjectResult& ejected);

    AppSettings settings_;
    FileOperations systemFileOperations_;
    const FileOperations* fileOperations_ = &systemFileOperations_;
    std::unique_ptr<DriveInfo> driveInfo_;
    SeededRandom random_;
    CTunecrateDoc* document_ = nullptr;
    std::unique_ptr<CFolderBrowser> folderBrowser_;
    std::unique_ptr<GuiTransferObserver> observer_;
    // After the observer: the runner's thread is done before the observer goes.
    std::unique_ptr<TransferRunner> runner_;
    TrayNotice* notifier_ = nullptr;
    // Ejects the stick after a run; waited for before the next run and when the form goes.
    EjectRunner* ejector_ = nullptr;
    bool settingsStored_ = false;

    QLineEdit* newDir_ = nullptr;
    CDirectoryList* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* selectDrive_ = nullptr;
    QPushButton* fileExt_ = nullptr;
    QPushButton* layoutButton_ = nullptr;
    CHoverButton* start_ = nullptr;
    QCheckBox* deleteOld_ = nullptr;
    QCheckBox* eject_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* drive_ = nullptr;
    QLabel* volumeLabel_ = nullptr;
    QLabel* freeSpace_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* layout_ = nullptr;
    QLabel* counts_ = nullptr;
    QLabel* progressText_ = nullptr;
    // The run in progress: songs it copied, since when, and the collection's counts before it.
    int songsCopied_ = 0;
    QElapsedTimer fillClock_;
    MusicLibrary::Counts countsAtStart_;
};
