#include "ui/CTunecrateView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>
#include <QProgressDialog>

#include "collection/CTunecrateDoc.h"
#include "collection/MusicFolderWalk.h"
#include "transfer/TransferJob.h"
#include "ui/CBitmapButton.h"
#include "ui/CDirectoryList.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/CFolderBrowser.h"
#include "ui/CHoverButton.h"
#include "ui/DialogUnits.h"
#include "ui/FormFont.h"
#include "ui/GuiTransferObserver.h"
#include "ui/StringTable.h"
#include "ui/UiResources.h"

namespace {

// The form's face colour and the white of the edit and the list.
const QColor kFace(212, 208, 200);
const QColor kWhite(255, 255, 255);

// The form's size and the place of each control, in dialog units.
constexpr int kFormWidth = 401;
constexpr int kFormHeight = 281;

void Place(QWidget* control, int id, const DialogUnits& du, int x, int y, int w, int h) {
    control->setObjectName(QStringLiteral("control%1").arg(id));
    control->setGeometry(du.Rect(x, y, w, h));
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
    CreateControls();
}

CTunecrateView::~CTunecrateView() {
    if (job_) {
        // The job uses the form to its last report: stop it and let its reports arrive.
        stopFlag_ = 1;
        while (job_) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    }
    JoinTransfer();
    if (!settingsStored_) {
        settings_.Save();
    }
    settings_.SetSaveOnDestroy(false);
}

void CTunecrateView::CreateControls() {
    setFont(FormFont());
    const DialogUnits du(font());
    setFixedSize(du.Size(kFormWidth, kFormHeight));

    QPalette face = palette();
    face.setColor(QPalette::Window, kFace);
    face.setColor(QPalette::Button, kFace);
    face.setColor(QPalette::Base, kWhite);
    setPalette(face);
    setAutoFillBackground(true);

    // Template order, which is also the order of the Tab key.
    newDir_ = new QLineEdit(this);
    Place(newDir_, IDC_NEWDIR, du, 81, 7, 239, 12);
    newDir_->installEventFilter(this);
    newDir_->setWhatsThis(
        tr("Type the path of a music directory here; leaving the field adds it "
           "to the collection."));

    list_ = new CDirectoryList(this);
    Place(list_, IDC_DIRLIST, du, 7, 36, 313, 90);
    list_->setWhatsThis(
        tr("The music directories of the collection. Select lines to remove "
           "them."));

    auto* newDirLabel = new QLabel(tr("New Music Directory:"), this);
    Place(newDirLabel, IDC_NEWDIR_LABEL, du, 7, 8, 71, 10);
    newDirLabel->setBuddy(newDir_);

    add_ = new CBitmapButton(QStringLiteral("ADD"), this);
    Place(add_, IDC_ADD, du, 327, 36, 67, 27);
    add_->setToolTip(tr("Add Music Directory"));
    add_->setWhatsThis(tr("Add a music directory to the current collection."));
    remove_ = new CBitmapButton(QStringLiteral("REMOVE"), this);
    Place(remove_, IDC_REMOVE, du, 327, 66, 67, 27);
    remove_->setToolTip(tr("Remove Music Directory"));
    remove_->setWhatsThis(tr("Remove a music directory from the current collection."));
    exit_ = new CBitmapButton(QStringLiteral("EXIT"), this);
    Place(exit_, IDC_EXIT, du, 327, 236, 67, 27);
    exit_->setToolTip(tr("Exit"));
    exit_->setWhatsThis(tr("Exit Tunecrate."));
    selectDrive_ = new CBitmapButton(QStringLiteral("SELDRV"), this);
    Place(selectDrive_, IDC_SELDRV, du, 327, 136, 67, 27);
    selectDrive_->setToolTip(tr("Select Stick Drive"));
    selectDrive_->setWhatsThis(tr("Select the USB Stick Drive."));

    auto* listLabel = new QLabel(tr("Music Collection"), this);
    Place(listLabel, IDC_LIST_LABEL, du, 7, 25, 70, 10);
    counts_ = new QLabel(this);
    Place(counts_, IDC_COUNTS, du, 80, 25, 240, 10);
    counts_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    fileExt_ = new CBitmapButton(QStringLiteral("FILEEXT"), this);
    Place(fileExt_, IDC_FILEEXT, du, 327, 174, 67, 27);
    fileExt_->setToolTip(tr("Music File Extensions"));
    fileExt_->setWhatsThis(tr("Set the music file extensions."));

    auto* picture = new QLabel(this);
    Place(picture, IDC_PICTURE, du, 7, 163, 241, 78);
    // A picture control takes the size of its picture.
    picture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/DECORATION.png")));
    picture->resize(picture->pixmap().size());

    // The stick is a mount point here, longer than a drive letter: the label reaches to the
    // buttons and shows the end of a long path, the whole path in its tooltip.
    drive_ = new QLabel(this);
    Place(drive_, IDC_DRIVE, du, 255, 185, 65, 10);

    start_ = new CHoverButton(this);
    Place(start_, IDC_START, du, 79, 130, 67, 27);
    start_->setToolTip(tr("Start File Transfer"));
    start_->setWhatsThis(tr("Start file transfer to MP3 stick. Click again to stop."));

    deleteOld_ = new QCheckBox(tr("&Delete old music files from stick"), this);
    Place(deleteOld_, IDC_DELETE_OLD, du, 156, 139, 114, 10);
    // The text is wider than its place in some fonts and languages: it may use the free room up
    // to the list's right edge.
    deleteOld_->resize(qMin(qMax(deleteOld_->width(), deleteOld_->sizeHint().width()),
                            du.X(320) - deleteOld_->x()),
                       deleteOld_->height());

    progress_ = new QProgressBar(this);
    Place(progress_, IDC_PROGRESS, du, 7, 249, 241, 14);
    progress_->setTextVisible(false);
    progress_->setRange(0, 100);
    progress_->setValue(0);

    freeSpace_ = new QLabel(tr("Free space unknown"), this);
    Place(freeSpace_, IDC_FREE_SPACE, du, 255, 205, 125, 10);

    status_ = new QLabel(this);
    Place(status_, IDC_STATUS, du, 10, 270, 385, 10);

    setTabOrder(newDir_, list_);
    setTabOrder(list_, add_);
    setTabOrder(add_, remove_);
    setTabOrder(remove_, exit_);
    setTabOrder(exit_, selectDrive_);
    setTabOrder(selectDrive_, fileExt_);
    setTabOrder(fileExt_, start_);
    setTabOrder(start_, deleteOld_);

    connect(add_, &QAbstractButton::clicked, this, &CTunecrateView::OnAdd);
    connect(remove_, &QAbstractButton::clicked, this, &CTunecrateView::OnRemove);
    connect(exit_, &QAbstractButton::clicked, this, &CTunecrateView::OnExit);
    connect(selectDrive_, &QAbstractButton::clicked, this, &CTunecrateView::OnSelectDrive);
    connect(fileExt_, &QAbstractButton::clicked, this, &CTunecrateView::OnFileExtensions);
    connect(start_, &QAbstractButton::clicked, this, &CTunecrateView::OnStart);
}

CBitmapButton* CTunecrateView::BitmapButton(int id) const {
    switch (id) {
        case IDC_ADD:
            return add_;
        case IDC_REMOVE:
            return remove_;
        case IDC_EXIT:
            return exit_;
        case IDC_SELDRV:
            return selectDrive_;
        case IDC_FILEEXT:
            return fileExt_;
        default:
            return nullptr;
    }
}

void CTunecrateView::OnInitialUpdate() {
    // The form shows the fresh document first: an empty list after File > New.
    RefillDirectoryList();
    start_->LoadBitmaps(100, 44, QStringLiteral("STARTU"), QStringLiteral("STARTD"),
                        QStringLiteral("STARTONU"), QStringLiteral("STARTOND"));
    for (CBitmapButton* button : {add_, remove_, selectDrive_, fileExt_, exit_}) {
        button->AutoLoad();
    }

    const QString stick = QString::fromStdString(settings_.GetStickDrive());
    ShowStickDrive(stick);
    if (!stick.isEmpty() && driveInfo_->GetDriveType() != DriveInfo::kTypeNoRootDir) {
        ShowFreeSpace(static_cast<unsigned long>(driveInfo_->GetFreeBytes() >> 20));
    }
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
    // A directory the document refuses (it says why) is neither listed nor a change.
    if (!document_->AddDirectory(path.toStdString())) {
        return;
    }
    document_->SetModifiedFlag();
    AppendListEntry(path);
    UpdateCounts();
}

void CTunecrateView::AppendListEntry(const QString& text) {
    list_->addItem(text);
    // The text's width plus the margins the list draws around it.
    const int margin =
        2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1);
    const int width = list_->fontMetrics().horizontalAdvance(text) + margin;
    if (width > widestExtent_) {
        widestExtent_ = width;
        list_->SetHorizontalExtent(widestExtent_);
    }
}

void CTunecrateView::RefillDirectoryList() {
    list_->clear();
    if (!document_) {
        return;
    }
    for (const auto& directory : document_->GetLibrary().GetDirectories()) {
        const QString path = QString::fromStdString(directory->GetName());
        if (directory->IsAvailable()) {
            AppendListEntry(path);
            continue;
        }
        // Greyed, and the line keeps the path itself for removing it.
        AppendListEntry(path + QLatin1Char(' ') + tr("(not available)"));
        QListWidgetItem* item = list_->item(list_->count() - 1);
        item->setData(Qt::UserRole, path);
        item->setForeground(list_->palette().color(QPalette::Disabled, QPalette::Text));
    }
    UpdateCounts();
}

void CTunecrateView::RemoveSelectedEntries() {
    QList<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    // From the last selected line to the first, so the remaining rows keep their numbers.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        QListWidgetItem* item = list_->item(*it);
        const QVariant path = item->data(Qt::UserRole);
        if (document_) {
            document_->RemoveDirectory(
                (path.isValid() ? path.toString() : item->text()).toStdString());
        }
        delete list_->takeItem(*it);
    }
    if (!rows.isEmpty() && document_) {
        document_->SetModifiedFlag();
    }
    UpdateCounts();
}

CFolderBrowser* CTunecrateView::GetFolderBrowser() {
    if (!folderBrowser_) {
        folderBrowser_ = std::make_unique<CFolderBrowser>(this, StringTable::kFolderPickerTitle);
        // File-system folders only, with a status line showing the selected path.
        folderBrowser_->SetOptionFlags(5);
        folderBrowser_->SetStartFolder(CFolderBrowser::DefaultStartFolder());
    }
    return folderBrowser_.get();
}

// A mount point can be longer than the label: its end is shown, the whole path as the tooltip.
void CTunecrateView::ShowStickDrive(const QString& stick) {
    drive_->setText(drive_->fontMetrics().elidedText(stick, Qt::ElideLeft, drive_->width()));
    drive_->setToolTip(stick);
}

void CTunecrateView::ShowFreeSpace(unsigned long megabytes) {
    freeSpace_->setText(GuiTransferObserver::Translate(TransferJob::FreeSpaceText(megabytes)));
}

void CTunecrateView::UpdateCounts() {
    if (!document_) {
        counts_->clear();
        return;
    }
    const MusicLibrary::Counts counts = document_->GetLibrary().Count();
    QString text = tr("Songs: %1, not yet transferred: %2")
                       .arg(QLocale().toString(static_cast<qulonglong>(counts.files)),
                            QLocale().toString(static_cast<qulonglong>(counts.untransferred)));
    if (counts.unavailableFiles > 0) {
        text += QStringLiteral(", ") +
                tr("not available: %1")
                    .arg(QLocale().toString(static_cast<qulonglong>(counts.unavailableFiles)));
    }
    counts_->setText(text);
}

void CTunecrateView::SetStatusText(const QString& text) {
    status_->setText(text);
}

bool CTunecrateView::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the edit adds the typed directory; opening a menu is not leaving it.
    if (watched == newDir_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        OnKillFocusNewDir();
    }
    return QWidget::eventFilter(watched, event);
}

void CTunecrateView::OnKillFocusNewDir() {
    // A refusal's message box takes the focus too; that is not a second leave.
    if (addingTypedDirectory_ || !newDir_->isEnabled()) {
        return;
    }
    addingTypedDirectory_ = true;
    AddDirectoryEntry(newDir_->text());
    addingTypedDirectory_ = false;
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
    if (!MusicFolderWalk::HasSubfolders(chosen.toStdString())) {
        AddDirectoryEntry(chosen);
        return;
    }
    const auto answer = QMessageBox::question(
        window(), QCoreApplication::applicationName(),
        tr("%1 has subfolders.\n\nAdd every folder below it that holds music, each as a "
           "music directory of its own?")
            .arg(chosen),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        AddFolderTree(chosen);
    } else if (answer == QMessageBox::No) {
        AddDirectoryEntry(chosen);
    }
}

void CTunecrateView::AddFolderTree(const QString& root) {
    if (!document_ || !CheckFileTypesSet()) {
        return;
    }
    // A tree of thousands of folders takes a while: a progress box that can cancel the walk.
    QProgressDialog progress(tr("Looking for music folders below %1...").arg(root), tr("Cancel"), 0,
                             0, window());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const MusicFolderWalk::Progress step = [&progress](size_t seen) {
        if (seen % 50 == 0) {
            progress.setLabelText(tr("%1 folders looked through...").arg(seen));
            QCoreApplication::processEvents();
        }
        return !progress.wasCanceled();
    };
    const std::vector<std::string> folders =
        MusicFolderWalk(settings_.GetExtensions()).Find(root.toStdString(), step);
    progress.close();
    int added = 0;
    for (const std::string& folder : folders) {
        // Folders listed already are skipped; a refused one has been explained by the document.
        if (!document_->IsListed(folder) && document_->AddDirectory(folder)) {
            document_->SetModifiedFlag();
            AppendListEntry(QString::fromStdString(folder));
            ++added;
        }
    }
    UpdateCounts();
    SetStatusText(tr("%1 music folders added").arg(added));
}

void CTunecrateView::OnRemove() {
    if (!IsTransferRunning()) {
        RemoveSelectedEntries();
    }
}

void CTunecrateView::OnExit() {
    emit ExitRequested();
}

void CTunecrateView::OnSelectDrive() {
    if (IsTransferRunning()) {
        return;
    }
    CDriveDlg dialog(window());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const DriveInfo* chosen = dialog.GetSelectedDrive();
    if (!chosen) {
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
    if (dialog.exec() != QDialog::Accepted || settings_.GetExtensions() == before || !document_) {
        return;
    }
    // Without any type a rescan would drop every file and its flag: the collection stays as it
    // is, and the user is told.
    if (!CheckFileTypesSet()) {
        return;
    }
    // The open collection is scanned again at once; files still found keep their flags.
    document_->RescanCollection();
    if (document_->GetDirectoryCount() > 0) {
        document_->SetModifiedFlag();
    }
    RefillDirectoryList();
}

bool CTunecrateView::OnUpdateStartTransfer() const {
    return start_->GetState() == CHoverButton::kStateOff;
}

void CTunecrateView::OnStart() {
    switch (start_->GetState()) {
        case CHoverButton::kStateOn:
            // A press elsewhere released over the running button clicks in this state too;
            // only one job may run.
            if (!IsTransferRunning()) {
                StartTransfer();
            }
            break;
        case CHoverButton::kStateOnPressed:
            stopFlag_ = 1;
            break;
        default:
            break;
    }
}

void CTunecrateView::OnStartTransferCommand() {
    if (start_->GetState() == CHoverButton::kStateOff && !IsTransferRunning()) {
        start_->SetState(CHoverButton::kStateOn);
        OnStart();
    }
}

void CTunecrateView::StartTransfer() {
    if (!document_ || !CheckFileTypesSet()) {
        start_->SetState(CHoverButton::kStateOff);
        return;
    }
    JoinTransfer();
    // The transfer holds the collection's lock for its whole run, as a fill does.
    if (!document_->BeginExclusiveUse()) {
        start_->SetState(CHoverButton::kStateOff);
        return;
    }
    // The job takes the check box as it is now, on this thread.
    TransferJob::Options options;
    options.stickDrive = settings_.GetStickDrive();
    options.deleteOld = deleteOld_->isChecked();
    options.settingsPath = settings_.GetSettingsPath();
    stopFlag_ = 0;
    job_ = std::make_unique<TransferJob>(*document_, *driveInfo_, fileOperations_, random_,
                                         stopFlag_, *observer_, options);
    SetTransferControlsEnabled(false);
    emit TransferRunningChanged(true);
    TransferJob* job = job_.get();
    jobThread_ = std::thread([job] { job->Run(); });
}

void CTunecrateView::OnTransferFinished(const TransferResult& result) {
    JoinTransfer();
    job_.reset();
    if (document_) {
        document_->EndExclusiveUse();
    }
    UpdateCounts();
    progress_->setValue(0);
    start_->setEnabled(true);
    start_->SetState(CHoverButton::kStateOff);
    SetTransferControlsEnabled(true);
    emit TransferRunningChanged(false);
    if ((result.ending == TransferResult::Ending::kRefused ||
         result.ending == TransferResult::Ending::kStickFailed) &&
        !result.error.empty()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             QString::fromStdString(result.error));
    }
}

void CTunecrateView::JoinTransfer() {
    if (jobThread_.joinable()) {
        jobThread_.join();
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
        stopFlag_ = 1;
        SetStatusText(tr("Waiting for the transfer to stop..."));
    }
}

void CTunecrateView::StoreSettings() {
    settingsStored_ = true;
    if (!settings_.Save()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             tr("The settings could not be saved to %1:\n%2")
                                 .arg(QString::fromStdString(settings_.GetSettingsPath()),
                                      QString::fromStdString(settings_.GetSaveError())));
    }
}
