// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CTunecrateView.h"

#include <QCheckBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <unordered_map>

#include "collection/CTunecrateDoc.h"
#include "collection/MusicFileScan.h"
#include "collection/MusicFolderWalk.h"
#include "run/FillRequest.h"
#include "run/PlayOrderRun.h"
#include "run/RunSummary.h"
#include "run/StartButton.h"
#include "run/WipeQuestion.h"
#include "transfer/StickContents.h"
#include "transfer/TransferJob.h"
#include "ui/BusyTask.h"
#include "ui/CDirectoryList.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/CFolderBrowser.h"
#include "ui/CHoverButton.h"
#include "ui/CStickLayoutDlg.h"
#include "ui/DriveTexts.h"
#include "ui/EjectRunner.h"
#include "ui/GuiTransferObserver.h"
#include "ui/MessageText.h"
#include "ui/NumberText.h"
#include "ui/StringTable.h"
#include "ui/TransferRunner.h"
#include "ui/TrayNotice.h"
#include "ui/UiResources.h"

namespace {

constexpr int kMeasureIntervalMs = 3000;
// The longest the window goes without drawing while folders found by a walk are added.
constexpr int kAddSliceMs = 10;

// Names a control by its id ("control1000"), for tests and help.
template <typename T>
T* Named(T* control, int id) {
    control->setObjectName(QStringLiteral("control%1").arg(id));
    return control;
}

QPushButton* MakeButton(const QString& text, const char* icon, QStyle::StandardPixmap fallback,
                        int id, QWidget* parent) {
    auto* button = Named(new QPushButton(ThemeIcon(icon, fallback), text, parent), id);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CTunecrateView::CTunecrateView(const std::string& settingsPath, QWidget* parent)
    : QWidget(parent), settings_(settingsPath), driveInfo_(std::make_unique<DriveInfo>()) {
    InitUiResources();
    // The random source is seeded from the clock once, by its construction above.
    if (!settings_.GetStickDrive().empty()) {
        driveInfo_->SetRootPath(settings_.GetStickDrive());
        driveInfo_->Refresh();
    }
    observer_ = std::make_unique<GuiTransferObserver>(this);
    runner_ = std::make_unique<TransferRunner>();
    ejector_ = new EjectRunner(this);
    notifier_ = new TrayNotice(this);
    connect(runner_.get(), &TransferRunner::Finished, this, &CTunecrateView::OnTransferFinished);
    connect(ejector_, &EjectRunner::Finished, this, &CTunecrateView::OnEjectFinished);
    CreateControls();
    // The job's reports, on this thread.
    connect(observer_.get(), &GuiTransferObserver::StatusTextChanged, this,
            &CTunecrateView::SetStatusText);
    connect(observer_.get(), &GuiTransferObserver::ProgressRangeChanged, this,
            &CTunecrateView::OnFillStarted);
    connect(observer_.get(), &GuiTransferObserver::SongCopied, this, [this] { ++songsCopied_; });
    connect(observer_.get(), &GuiTransferObserver::ProgressPositionChanged, this,
            &CTunecrateView::OnFillProgress);
    connect(observer_.get(), &GuiTransferObserver::FreeSpaceTextChanged, freeSpace_,
            &QLabel::setText);
    // A stick plugged in, pulled out or filled by another program shows while the form is idle.
    auto* measure = new QTimer(this);
    connect(measure, &QTimer::timeout, this, &CTunecrateView::MeasureStick);
    measure->start(kMeasureIntervalMs);
}

CTunecrateView::~CTunecrateView() {
    ejector_->Wait();
    // The job's reports that have not arrived are dropped with the observer; a message box it
    // waits for no longer holds it. A job still running is stopped, and what it did is saved
    // here, as its end would have been.
    observer_->Abandon();
    runner_->Stop();
    if (std::optional<TransferResult> result = runner_->Wait()) {
        SaveAfterRun(*result);
    }
    runner_.reset();
    if (!settingsStored_) {
        settings_.Save();
    }
    settings_.SetSaveOnDestroy(false);
}

void CTunecrateView::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateCollectionArea(), 1);
    layout->addWidget(CreateStickArea());
    layout->addWidget(CreateRunArea());
    ShowStickLayout();

    // The Tab key goes through the form as it is read: top left to bottom right.
    const QList<QWidget*> tabOrder = {newDir_,      add_,          list_,  remove_,    fileExt_,
                                      selectDrive_, layoutButton_, start_, deleteOld_, eject_};
    for (int i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    ConnectControls();
}

QWidget* CTunecrateView::CreateCollectionArea() {
    auto* box = new QGroupBox(tr("Music Collection"), this);
    auto* grid = new QGridLayout(box);

    newDir_ = Named(new QLineEdit(box), IDC_NEWDIR);
    newDir_->setClearButtonEnabled(true);
    newDir_->setPlaceholderText(tr("Type a folder's path and press Enter"));
    newDir_->setWhatsThis(
        tr("Type the path of a music directory here and press Enter to add it to the "
           "collection."));
    // Paths complete as they are typed; the file system is read on Qt's own worker thread.
    auto* folders = new QFileSystemModel(newDir_);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders->setRootPath(QString());
    auto* completer = new QCompleter(folders, newDir_);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    newDir_->setCompleter(completer);

    auto* newDirLabel = Named(new QLabel(tr("&New Music Directory:"), box), IDC_NEWDIR_LABEL);
    newDirLabel->setBuddy(newDir_);
    add_ = MakeButton(tr("&Add Folder..."), "folder-new", QStyle::SP_FileDialogNewFolder, IDC_ADD,
                      box);
    add_->setToolTip(tr("Add Music Directory"));
    add_->setWhatsThis(tr("Add a music directory to the current collection."));

    list_ = Named(new CDirectoryList(box), IDC_DIRLIST);
    list_->setWhatsThis(
        tr("The music directories of the collection with their songs. Select rows to remove "
           "them."));

    counts_ = Named(new QLabel(box), IDC_COUNTS);
    remove_ = MakeButton(tr("&Remove"), "list-remove", QStyle::SP_TrashIcon, IDC_REMOVE, box);
    remove_->setToolTip(tr("Remove Music Directory"));
    remove_->setWhatsThis(tr("Remove a music directory from the current collection."));
    fileExt_ = MakeButton(tr("Music File E&xtensions..."), "preferences-other",
                          QStyle::SP_FileDialogDetailedView, IDC_FILEEXT, box);
    fileExt_->setToolTip(tr("Music File Extensions"));
    fileExt_->setWhatsThis(tr("Set the music file extensions."));

    grid->addWidget(newDirLabel, 0, 0);
    grid->addWidget(newDir_, 0, 1, 1, 3);
    grid->addWidget(add_, 0, 4);
    grid->addWidget(list_, 1, 0, 1, 5);
    grid->addWidget(counts_, 2, 0, 1, 2);
    grid->addWidget(remove_, 2, 3);
    grid->addWidget(fileExt_, 2, 4);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* CTunecrateView::CreateStickArea() {
    auto* box = new QGroupBox(tr("Stick"), this);
    auto* grid = new QGridLayout(box);
    auto* icon = new QLabel(box);
    icon->setPixmap(ThemeIcon("drive-removable-media", QStyle::SP_DriveFDIcon).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    // The stick's mount point, its label and its free space, each on a line of its own.
    drive_ = Named(new QLabel(box), IDC_DRIVE);
    QFont bold = drive_->font();
    bold.setBold(true);
    drive_->setFont(bold);
    drive_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    volumeLabel_ = Named(new QLabel(box), IDC_VOLUME_LABEL);
    freeSpace_ = Named(new QLabel(tr("Free space unknown"), box), IDC_FREE_SPACE);
    layout_ = Named(new QLabel(box), IDC_LAYOUT);
    layout_->setWordWrap(true);

    selectDrive_ = MakeButton(tr("Select Stic&k..."), "drive-removable-media",
                              QStyle::SP_DriveFDIcon, IDC_SELDRV, box);
    selectDrive_->setToolTip(tr("Select Stick Drive"));
    selectDrive_->setWhatsThis(tr("Select the USB Stick Drive."));
    layoutButton_ = MakeButton(tr("Stick &Layout..."), "view-list-details",
                               QStyle::SP_FileDialogListView, IDC_LAYOUT + 100, box);
    layoutButton_->setToolTip(tr("Stick Layout"));

    grid->addWidget(icon, 0, 0, 3, 1);
    grid->addWidget(drive_, 0, 1);
    grid->addWidget(volumeLabel_, 1, 1);
    grid->addWidget(freeSpace_, 2, 1);
    grid->addWidget(layout_, 3, 1);
    grid->addWidget(selectDrive_, 0, 2);
    grid->addWidget(layoutButton_, 3, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* CTunecrateView::CreateRunArea() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;

    start_ = Named(new CHoverButton(area), IDC_START);
    start_->SetTexts(tr("&Start"), tr("S&top"));
    start_->SetIcons(ThemeIcon("media-playback-start", QStyle::SP_MediaPlay),
                     ThemeIcon("media-playback-stop", QStyle::SP_MediaStop));
    start_->setToolTip(tr("Start File Transfer"));
    start_->setWhatsThis(tr("Start file transfer to MP3 stick. Click again to stop."));
    start_->setAccessibleName(tr("Start"));
    deleteOld_ =
        Named(new QCheckBox(tr("&Delete old music files from stick"), area), IDC_DELETE_OLD);
    eject_ = Named(new QCheckBox(tr("E&ject the stick when done"), area), IDC_EJECT);
    row->addWidget(start_);
    row->addSpacing(12);
    row->addWidget(deleteOld_);
    row->addWidget(eject_);
    row->addStretch(1);

    progress_ = Named(new QProgressBar(area), IDC_PROGRESS);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progressText_ = Named(new QLabel(area), IDC_PROGRESS_TEXT);
    status_ = Named(new QLabel(area), IDC_STATUS);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    column->addLayout(row);
    column->addWidget(progress_);
    column->addWidget(progressText_);
    column->addWidget(status_);
    return area;
}

void CTunecrateView::ConnectControls() {
    // Delete in the list removes the selected folders, as the Remove button does.
    auto* removeKey = new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr,
                                    Qt::WidgetWithChildrenShortcut);
    connect(removeKey, &QShortcut::activated, this, &CTunecrateView::OnRemove);
    // Folders dropped from a file manager go the way of a typed path.
    connect(list_, &CDirectoryList::FoldersDropped, this, [this](const QStringList& paths) {
        if (!IsTransferRunning()) {
            for (const QString& path : paths) {
                AddChosenFolder(path);
            }
        }
    });
    connect(newDir_, &QLineEdit::returnPressed, this, &CTunecrateView::OnNewDirEntered);
    connect(add_, &QAbstractButton::clicked, this, &CTunecrateView::OnAdd);
    connect(remove_, &QAbstractButton::clicked, this, &CTunecrateView::OnRemove);
    connect(selectDrive_, &QAbstractButton::clicked, this, &CTunecrateView::OnSelectDrive);
    connect(fileExt_, &QAbstractButton::clicked, this, &CTunecrateView::OnFileExtensions);
    connect(layoutButton_, &QAbstractButton::clicked, this, &CTunecrateView::OnStickLayout);
    connect(start_, &QAbstractButton::clicked, this, &CTunecrateView::OnStart);
}

QPushButton* CTunecrateView::Button(int id) const {
    switch (id) {
        case IDC_ADD:
            return add_;
        case IDC_REMOVE:
            return remove_;
        case IDC_SELDRV:
            return selectDrive_;
        case IDC_FILEEXT:
            return fileExt_;
        case IDC_LAYOUT:
            return layoutButton_;
        default:
            return nullptr;
    }
}

void CTunecrateView::OnInitialUpdate() {
    // The form shows the fresh document first: an empty list after File > New.
    RefillDirectoryList();
    ShowStickDrive(QString::fromStdString(settings_.GetStickDrive()));
    MeasureStick();
    if (document_ && !settings_.GetMusicCollection().empty()) {
        document_->LoadCollection(settings_.GetMusicCollection());
        RefillDirectoryList();
    }
}

bool CTunecrateView::CheckFileTypesSet() {
    if (settings_.GetExtensionCount() > 0) {
        return true;
    }
    QMessageBox::information(window(), QCoreApplication::applicationName(),
                             tr("No music file types are set, so no music can be found. Set "
                                "them under Music File Extensions first."));
    return false;
}

void CTunecrateView::AddDirectoryEntry(const QString& path) {
    if (path.isEmpty() || list_->FindStringExact(path) >= 0 || !document_ || !CheckFileTypesSet()) {
        return;
    }
    // A directory listed already, or one the document refuses (it says why), is no change.
    if (document_->AddFolders({path.toStdString()}).added > 0) {
        AppendListEntry(path);
        UpdateCounts();
    }
}

void CTunecrateView::AppendListEntry(const QString& path) {
    list_->AppendFolder(path, true);
}

void CTunecrateView::RefillDirectoryList() {
    list_->clear();
    if (!document_) {
        return;
    }
    list_->setUpdatesEnabled(false);
    for (const auto& directory : document_->GetLibrary().GetDirectories()) {
        list_->AppendFolder(QString::fromStdString(directory->GetName()), directory->IsAvailable());
    }
    list_->setUpdatesEnabled(true);
    UpdateCounts();
}

void CTunecrateView::RemoveSelectedEntries() {
    const QList<int> rows = list_->SelectedRows();
    // From the last selected row to the first, so the remaining rows keep their numbers.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (document_) {
            document_->RemoveDirectory(list_->PathAt(*it).toStdString());
        }
        delete list_->takeTopLevelItem(*it);
    }
    if (!rows.isEmpty() && document_) {
        document_->SetModifiedFlag();
    }
    UpdateCounts();
}

CFolderBrowser* CTunecrateView::GetFolderBrowser() {
    if (!folderBrowser_) {
        folderBrowser_ = std::make_unique<CFolderBrowser>(this, StringTable::kFolderPickerTitle);
        folderBrowser_->SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs |
                                       CFolderPickerBase::kStatusText);
        folderBrowser_->SetStartFolder(CFolderBrowser::DefaultStartFolder());
    }
    return folderBrowser_.get();
}

// The stick's mount point with its label and free space; before one is chosen, what to do.
void CTunecrateView::ShowStickDrive(const QString& stick) {
    drive_->setText(stick.isEmpty() ? tr("No stick selected: choose it with Select Stick.")
                                    : QDir::toNativeSeparators(stick));
    drive_->setToolTip(stick);
    const QString label = QString::fromStdString(driveInfo_->GetVolumeLabel());
    if (stick.isEmpty()) {
        volumeLabel_->clear();
    } else if (driveInfo_->GetDriveType() == platform::DriveType::kNoRootDir) {
        volumeLabel_->setText(tr("The stick is not plugged in."));
    } else {
        volumeLabel_->setText(label.isEmpty() ? tr("No volume label") : tr("Label: %1").arg(label));
    }
}

void CTunecrateView::MeasureStick() {
    if (IsTransferRunning()) {
        return;  // the job measures the stick itself, and owns its drive information meanwhile
    }
    driveInfo_->SetRootPath(settings_.GetStickDrive());
    driveInfo_->Refresh();
    if (!settings_.GetStickDrive().empty() &&
        driveInfo_->GetDriveType() != platform::DriveType::kNoRootDir &&
        driveInfo_->IsSpaceCurrent()) {
        ShowFreeSpace(static_cast<unsigned long>(driveInfo_->GetFreeBytes() >> 20));
    } else {
        freeSpace_->setText(tr("Free space unknown"));
    }
    ShowStickDrive(QString::fromStdString(settings_.GetStickDrive()));
}

void CTunecrateView::UseStick(const FileOperations& files, const platform::VolumeQueries& volumes) {
    fileOperations_ = &files;
    driveInfo_ = std::make_unique<DriveInfo>(volumes);
    MeasureStick();
}

void CTunecrateView::ShowFreeSpace(unsigned long megabytes) {
    freeSpace_->setText(MessageText::Translate(TransferJob::FreeSpaceText(megabytes)));
}

void CTunecrateView::UpdateCounts() {
    if (!document_) {
        counts_->clear();
        return;
    }
    // One pass over the songs counts them for every folder.
    std::unordered_map<std::string, CDirectoryList::Counts> tallies;
    for (const auto& file : document_->GetLibrary().GetFiles()) {
        CDirectoryList::Counts& tally = tallies[file->GetDirectory()];
        ++tally.songs;
        tally.untransferred += file->IsTransferred() ? 0 : 1;
    }
    for (int row = 0; row < list_->count(); ++row) {
        list_->SetCounts(row, tallies[list_->PathAt(row).toStdString()]);
    }
    const MusicLibrary::Counts counts = document_->GetLibrary().Count();
    const QLocale locale;
    QString text = tr("Songs: %1, not yet transferred: %2")
                       .arg(locale.toString(static_cast<qulonglong>(counts.files)),
                            locale.toString(static_cast<qulonglong>(counts.untransferred)));
    if (counts.unavailableFiles > 0) {
        text += QStringLiteral(", ") +
                tr("not available: %1")
                    .arg(locale.toString(static_cast<qulonglong>(counts.unavailableFiles)));
    }
    counts_->setText(text);
}

void CTunecrateView::SetStatusText(const QString& text) {
    status_->setText(text);
}

void CTunecrateView::OnNewDirEntered() {
    const QString typed = QDir::cleanPath(newDir_->text().trimmed());
    if (newDir_->text().trimmed().isEmpty()) {
        return;
    }
    // A folder the collection holds already, in any letter case, adds nothing.
    if (list_->FindStringExact(typed) >= 0) {
        newDir_->clear();
        return;
    }
    // What is no folder keeps its text, to be mended.
    const QFileInfo folder(typed);
    if (!folder.isDir()) {
        QMessageBox::warning(
            window(), QCoreApplication::applicationName(),
            folder.exists()
                ? tr("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(typed))
                : MessageText::Translate(platform::UserMessage(
                      platform::UserMessage::Id::kDirectoryNotFound, {typed.toStdString()})));
        return;
    }
    newDir_->clear();
    AddChosenFolder(typed);
}

void CTunecrateView::OnAdd() {
    if (IsTransferRunning()) {
        return;
    }
    CFolderBrowser* browser = GetFolderBrowser();
    if (!browser->Run()) {
        return;
    }
    // The next browse starts where this one ended.
    const QString chosen = browser->GetChosenPath();
    browser->SetStartFolder(chosen);
    AddChosenFolder(chosen);
}

void CTunecrateView::AddChosenFolder(const QString& path) {
    if (!MusicFolderWalk::HasSubfolders(path.toStdString())) {
        AddDirectoryEntry(path);
        return;
    }
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                    tr("%1 has subfolders.").arg(QDir::toNativeSeparators(path)),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, window());
    box.setObjectName(QStringLiteral("subfolderQuestion"));
    box.setInformativeText(
        tr("Add every folder below it that holds music, each as a music directory of its "
           "own?"));
    box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes) {
        AddFolderTree(path);
    } else if (answer == QMessageBox::No) {
        AddDirectoryEntry(path);
    }
}

void CTunecrateView::AddFolderTree(const QString& root) {
    if (!document_ || !CheckFileTypesSet()) {
        return;
    }
    const std::string rootPath = root.toStdString();
    const MusicFolderWalk walk(settings_.GetExtensions());
    std::vector<std::string> folders;
    BusyTask task(
        window(),
        [root](size_t seen) {
            return tr("Looking for music folders below %1: %2 folders looked through")
                .arg(QDir::toNativeSeparators(root), QLocale().toString(qulonglong(seen)));
        },
        true);
    const bool whole = task.Run([&](const std::atomic<bool>& cancel, std::atomic<size_t>& seen) {
        folders = walk.Find(rootPath, [&](size_t count) {
            seen = count;
            return !cancel;
        });
    });
    if (!whole) {
        SetStatusText(tr("Cancelled: no folders were added."));
        return;
    }
    AddFolders(folders);
}

void CTunecrateView::AddFolders(const std::vector<std::string>& folders) {
    QProgressDialog box(tr("Adding music folders..."), tr("Cancel"), 0, int(folders.size()),
                        window());
    box.setObjectName(QStringLiteral("addingBox"));
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setWindowModality(Qt::WindowModal);
    box.setMinimumDuration(BusyTask::kBusyDelayMs);
    QElapsedTimer slice;
    slice.start();
    // Folders listed already are skipped; a refused one has been explained by the document.
    const size_t added =
        document_
            ->AddFolders(folders,
                         [&](size_t done) {
                             if (slice.elapsed() >= kAddSliceMs) {
                                 box.setValue(int(done));  // a modal box lets the window draw here
                                 slice.restart();
                             }
                             return !box.wasCanceled();
                         })
            .added;
    box.close();
    RefillDirectoryList();
    SetStatusText(tr("%1 music folders added").arg(QLocale().toString(qulonglong(added))));
}

void CTunecrateView::OnFillStarted(int megabytesToFill) {
    progress_->setRange(0, qMax(megabytesToFill, 1));
    progress_->setValue(0);
    songsCopied_ = 0;
    fillClock_.start();
    OnFillProgress(0);
}

// Songs copied, megabytes of the space to fill, the speed and the time left; the songs not yet
// transferred follow each copy. All of it stays when the run has ended.
void CTunecrateView::OnFillProgress(int megabytes) {
    progress_->setValue(megabytes);
    const QLocale locale;
    const double seconds = fillClock_.elapsed() / 1000.0;
    const double rate = seconds > 0.5 ? megabytes / seconds : 0.0;
    QString text = tr("%1 songs copied, %2 MB of %3 MB")
                       .arg(locale.toString(songsCopied_), locale.toString(megabytes),
                            locale.toString(progress_->maximum()));
    if (rate > 0) {
        const int left = int((progress_->maximum() - megabytes) / rate + 0.5);
        text += QStringLiteral(", ") + tr("%1 MB/s").arg(locale.toString(rate, 'f', 1)) +
                QStringLiteral(", ") +
                (left >= 60 ? tr("about %1 min left").arg(locale.toString((left + 30) / 60))
                            : tr("about %1 s left").arg(locale.toString(left)));
    }
    progressText_->setText(text);
    UpdateCountsDuringRun();
}

// While the job runs it owns the flags; the songs it reported copied are no longer waiting.
void CTunecrateView::UpdateCountsDuringRun() {
    const quint64 waiting =
        countsAtStart_.untransferred - qMin<quint64>(songsCopied_, countsAtStart_.untransferred);
    const QLocale locale;
    counts_->setText(
        tr("Songs: %1, not yet transferred: %2")
            .arg(locale.toString(quint64(countsAtStart_.files)), locale.toString(waiting)));
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
    CDriveDlg dialog(window());
    dialog.SetCurrentStick(settings_.GetStickDrive());
    const DriveInfo* chosen =
        dialog.exec() == QDialog::Accepted ? dialog.GetSelectedDrive() : nullptr;
    if (!chosen) {
        MeasureStick();
        return;
    }
    *driveInfo_ = *chosen;
    settings_.SetStickDrive(chosen->GetDriveLetter());
    ShowStickDrive(QString::fromStdString(chosen->GetDriveLetter()));
    ShowFreeSpace(static_cast<unsigned long>(chosen->GetFreeBytes() >> 20));
}

void CTunecrateView::OnFileExtensions() {
    if (IsTransferRunning()) {
        return;
    }
    const std::vector<std::string> before = settings_.GetExtensions();
    CExtensionsDlg dialog(settings_, this);
    if (dialog.exec() != QDialog::Accepted || !document_) {
        return;
    }
    if (document_->ApplyExtensionChange(before) == CTunecrateDoc::ExtensionChange::kRescanned) {
        RefillDirectoryList();
    } else {
        CheckFileTypesSet();  // without any type the collection stays as it is: the user is told
    }
}

void CTunecrateView::OnStickOrder() {
    if (IsTransferRunning()) {
        return;
    }
    const std::string root = driveInfo_->GetRootPath();
    std::optional<run::PlayOrderRun> done;
    BusyTask ordering(
        window(), [](size_t) { return tr("Putting the stick in play order..."); }, false);
    ordering.Run([&](const std::atomic<bool>&, std::atomic<size_t>&) {
        done = run::PlayOrderRun::Run(root, false, *fileOperations_);
    });
    QMessageBox box(done->Succeeded() ? QMessageBox::Information : QMessageBox::Warning,
                    QCoreApplication::applicationName(), MessageText::Translate(done->Message()),
                    QMessageBox::Ok, window());
    box.setObjectName(QStringLiteral("stickOrderResult"));
    box.exec();
}

void CTunecrateView::OnStickLayout() {
    if (IsTransferRunning()) {
        return;
    }
    CStickLayoutDlg dialog(settings_, this);
    if (dialog.exec() == QDialog::Accepted) {
        ShowStickLayout();
    }
}

void CTunecrateView::ShowStickLayout() {
    layout_->setText(CStickLayoutDlg::Summary(settings_));
    layout_->setToolTip(tr("Stick layout: File > Stick Layout..."));
}

bool CTunecrateView::OnUpdateStartTransfer() const {
    return start_->GetState() == CHoverButton::kStateOff ||
           start_->GetState() == CHoverButton::kStateOn;
}

void CTunecrateView::OnStart() {
    switch (run::StartButton::OnClick(start_->GetState(), IsTransferRunning())) {
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
    if (const auto state =
            run::StartButton::CommandState(start_->GetState(), IsTransferRunning())) {
        start_->SetState(*state);
        OnStart();
    }
}

bool CTunecrateView::IsTransferRunning() const {
    return runner_->IsRunning();
}

void CTunecrateView::StartTransfer() {
    if (!document_ || !CheckFileTypesSet()) {
        start_->SetState(CHoverButton::kStateOff);
        return;
    }
    // The job takes the check box as it is now, on this thread; an eject still running ends
    // first.
    ejector_->Wait();
    const TransferJob::Options options =
        run::FillRequest::From(settings_, settings_.GetStickDrive(), deleteOld_->isChecked());
    MeasureStick();
    if (options.deleteOld && !ConfirmWipe()) {
        start_->SetState(CHoverButton::kStateOff);
        SetStatusText(tr("Nothing was deleted or copied."));
        return;
    }
    // The transfer holds the collection's lock for its whole run, as a fill does.
    if (!document_->BeginExclusiveUse()) {
        start_->SetState(CHoverButton::kStateOff);
        return;
    }
    auto job = std::make_unique<TransferJob>(*document_, *driveInfo_, *fileOperations_, random_,
                                             runner_->StopFlag(), *observer_, options);
    // What the live counts start from: the job owns the flags until it ends.
    countsAtStart_ = document_->GetLibrary().Count();
    progressText_->clear();
    SetTransferControlsEnabled(false);
    start_->setAccessibleName(tr("Stop"));
    emit TransferRunningChanged(true);
    runner_->Start(std::move(job));
}

bool CTunecrateView::ConfirmWipe() {
    // Counting a full stick can take half a minute: on a worker, with a busy box.
    StickContents contents;
    const std::string root = driveInfo_->GetRootPath();
    const std::vector<std::string> extensions = settings_.GetExtensions();
    BusyTask counting(
        window(), [](size_t) { return tr("Counting what is on the stick..."); }, false);
    counting.Run([&](const std::atomic<bool>&, std::atomic<size_t>&) {
        contents = StickContents::Count(root, extensions, *fileOperations_);
    });
    const std::optional<run::WipeQuestion> question =
        run::WipeQuestion::For(*driveInfo_, contents, false);
    if (!question) {
        return true;  // nothing to ask: a stick of music only, or the job says why it cannot work
    }
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(),
                    MessageText::Translate(question->Question()), QMessageBox::NoButton, window());
    box.setObjectName(QStringLiteral("wipeQuestion"));
    box.setInformativeText(MessageText::Translate(question->Details(NumberText::Style())));
    QPushButton* wipe = box.addButton(tr("Delete"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == wipe;
}

QString CTunecrateView::StatusText(const TransferResult& result) {
    return MessageText::Translate(run::RunSummary(result).StatusLine(NumberText::Style()));
}

void CTunecrateView::SaveAfterRun(TransferResult& result) {
    if (document_ && run::RunSummary(result).SaveDue()) {
        result.saved = document_->SaveAfterTransfer();
    }
    if (document_) {
        document_->EndExclusiveUse();
    }
}

void CTunecrateView::OnTransferFinished(const TransferResult& finished) {
    // The flags of the run are saved here, on the document's thread, before the lock goes.
    TransferResult result = finished;
    SaveAfterRun(result);
    UpdateCounts();
    if (result.ending == TransferResult::Ending::kStickFull ||
        result.ending == TransferResult::Ending::kLimitReached) {
        progress_->setValue(progress_->maximum());
    } else if (result.ending == TransferResult::Ending::kRefused) {
        progress_->setValue(0);
    }
    SetStatusText(StatusText(result));
    if (!window()->isActiveWindow()) {
        notifier_->Notify(QCoreApplication::applicationName(), status_->text());
    }
    start_->setEnabled(true);
    start_->SetState(CHoverButton::kStateOff);
    start_->setAccessibleName(tr("Start"));
    SetTransferControlsEnabled(true);
    emit TransferRunningChanged(false);
    const run::RunSummary summary(result);
    if (summary.ShouldEject(eject_->isChecked())) {
        // Unmounting waits for the stick's data to be written: not on this thread. The next
        // start and the form's end wait for the eject.
        SetStatusText(status_->text() + QLatin1Char('\n') + tr("Ejecting the stick..."));
        ejector_->Start(settings_.GetStickDrive());
    }
    if (const platform::UserMessage warning = summary.Warning(); !warning.IsEmpty()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             MessageText::Translate(warning));
    }
}

void CTunecrateView::OnEjectFinished(const platform::EjectResult& ejected) {
    // The run's summary stays above what the eject says.
    SetStatusText(status_->text().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n') +
                  MessageText::Translate(ejected.message));
    if (ejected.outcome == platform::EjectResult::Outcome::kFailed) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             MessageText::Translate(ejected.message));
    }
}

// While a transfer runs, nothing may change the collection, the stick or the file types.
void CTunecrateView::SetTransferControlsEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{newDir_, add_, remove_, selectDrive_, fileExt_}) {
        control->setEnabled(enabled);
    }
}

void CTunecrateView::StopTransferForClose() {
    if (IsTransferRunning()) {
        runner_->Stop();
        SetStatusText(tr("Waiting for the transfer to stop..."));
    }
}

void CTunecrateView::StoreSettings() {
    settingsStored_ = true;
    if (const platform::Status saved = settings_.Save(); !saved.Ok()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             tr("The settings could not be saved to %1:\n%2")
                                 .arg(QString::fromStdString(settings_.GetSettingsPath()),
                                      MessageText::Translate(saved.message)));
    }
}
