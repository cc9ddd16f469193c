#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/SeededRandom.h"

class CBitmapButton;
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
class TransferRunner;
class TrayNotice;
struct TransferResult;
namespace platform {
struct EjectResult;
}

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
        IDC_EJECT = 1037,
        IDC_COUNTS = 1038,
    };

    // Builds the form and loads the settings from `settingsPath` (empty: the usual place).
    explicit CTunecrateView(const std::string& settingsPath, QWidget* parent = nullptr);
    // Stops a running transfer and waits for its thread, then stores the settings unless
    // StoreSettings did.
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
    // Measures the stick again and shows its free space, or "Free space unknown" when it is not
    // there; nothing while a transfer runs. Run after New and Open, on Select Stick, before a run
    // and every few seconds while idle, so a stick mounted anew is seen.
    void MeasureStick();
    // The stick drive in label 1022.
    void ShowStickDrive(const QString& stick);
    void SetStatusText(const QString& text);
    // The song counts above the list: songs of the collection and those not yet transferred
    // (and those in folders not available, when there are any).
    void UpdateCounts();
    // The widest line appended to the list so far, in pixels; it never decreases.
    int WidestExtent() const { return widestExtent_; }

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
    QLabel* FreeSpaceLabel() const { return freeSpace_; }
    QLabel* StatusLabel() const { return status_; }
    QLabel* LayoutLabel() const { return layout_; }
    QLabel* CountsLabel() const { return counts_; }
    CBitmapButton* BitmapButton(int id) const;

    // The status line after a run ended with `result`, in the user's language.
    static QString StatusText(const TransferResult& result);

  public slots:
    void OnKillFocusNewDir();
    void OnAdd();
    void OnRemove();
    void OnExit();
    void OnSelectDrive();
    void OnFileExtensions();
    // The stick layout dialog; the form shows the choices under the stick drive.
    void OnStickLayout();
    // The Start button's click: starts a transfer in state 2, asks it to stop in state 3.
    void OnStart();
    // The menu command: puts the idle button into its running state and starts as a click would;
    // during a run it asks the run to stop, as a click on the running button does.
    void OnStartTransferCommand();

  signals:
    void TransferRunningChanged(bool running);
    void ExitRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateControls();
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
    FileOperations fileOperations_;
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
    bool addingTypedDirectory_ = false;
    int widestExtent_ = 0;
    // The controls' places at the described size, from which a larger form is laid out.
    QSize baseSize_;
    std::vector<std::pair<QWidget*, QRect>> baseGeometry_;

    QLineEdit* newDir_ = nullptr;
    CDirectoryList* list_ = nullptr;
    CBitmapButton* add_ = nullptr;
    CBitmapButton* remove_ = nullptr;
    CBitmapButton* exit_ = nullptr;
    CBitmapButton* selectDrive_ = nullptr;
    CBitmapButton* fileExt_ = nullptr;
    CHoverButton* start_ = nullptr;
    QCheckBox* deleteOld_ = nullptr;
    QCheckBox* eject_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* drive_ = nullptr;
    QLabel* freeSpace_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* layout_ = nullptr;
    QLabel* counts_ = nullptr;
};
