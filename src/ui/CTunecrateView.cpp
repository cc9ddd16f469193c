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
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QTimer>

#include "collection/CTunecrateDoc.h"
#include "collection/MusicFolderWalk.h"
#include "run/FillRequest.h"
#include "run/RunSummary.h"
#include "run/WipeQuestion.h"
#include "transfer/StickContents.h"
#include "transfer/TransferJob.h"
#include "ui/CBitmapButton.h"
#include "ui/CDirectoryList.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/CFolderBrowser.h"
#include "ui/CHoverButton.h"
#include "ui/CStickLayoutDlg.h"
#include "ui/DialogUnits.h"
#include "ui/DriveTexts.h"
#include "ui/EjectRunner.h"
#include "ui/FormFont.h"
#include "ui/GuiTransferObserver.h"
#include "ui/MessageText.h"
#include "ui/NumberText.h"
#include "ui/StringTable.h"
#include "ui/TransferRunner.h"
#include "ui/TrayNotice.h"
#include "ui/UiResources.h"

namespace {

// The form's face colour and the white of the edit and the list.
const QColor kFace(212, 208, 200);
const QColor kWhite(255, 255, 255);

// The form's size and the place of each control, in dialog units.
constexpr int kFormWidth = 401;
constexpr int kFormHeight = 281;
constexpr int kMeasureIntervalMs = 3000;

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
    runner_ = std::make_unique<TransferRunner>();
    ejector_ = new EjectRunner(this);
    notifier_ = new TrayNotice(this);
    connect(runner_.get(), &TransferRunner::Finished, this, &CTunecrateView::OnTransferFinished);
    connect(ejector_, &EjectRunner::Finished, this, &CTunecrateView::OnEjectFinished);
    CreateControls();
    // The job's reports, on this thread.
    connect(observer_.get(), &GuiTransferObserver::StatusTextChanged, this,
            &CTunecrateView::SetStatusText);
    connect(observer_.get(), &GuiTransferObserver::ProgressRangeChanged, progress_,
            [this](int maximum) { progress_->setRange(0, maximum); });
    connect(observer_.get(), &GuiTransferObserver::ProgressPositionChanged, progress_,
            &QProgressBar::setValue);
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
    setFont(FormFont());
    const DialogUnits du(font());
    // The described size is the smallest and the first; the list takes what the window grows.
    baseSize_ = du.Size(kFormWidth, kFormHeight);
    setMinimumSize(baseSize_);
    resize(baseSize_);

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
    add_->setText(tr("Add\nFolder"));
    add_->setToolTip(tr("Add Music Directory"));
    add_->setWhatsThis(tr("Add a music directory to the current collection."));
    remove_ = new CBitmapButton(QStringLiteral("REMOVE"), this);
    Place(remove_, IDC_REMOVE, du, 327, 66, 67, 27);
    remove_->setText(tr("Remove\nFolder"));
    remove_->setToolTip(tr("Remove Music Directory"));
    remove_->setWhatsThis(tr("Remove a music directory from the current collection."));
    exit_ = new CBitmapButton(QStringLiteral("EXIT"), this);
    Place(exit_, IDC_EXIT, du, 327, 236, 67, 27);
    exit_->setText(tr("Exit"));
    exit_->setToolTip(tr("Exit"));
    exit_->setWhatsThis(tr("Exit Tunecrate."));
    selectDrive_ = new CBitmapButton(QStringLiteral("SELDRV"), this);
    Place(selectDrive_, IDC_SELDRV, du, 327, 136, 67, 27);
    selectDrive_->setText(tr("Select\nStick"));
    selectDrive_->setToolTip(tr("Select Stick Drive"));
    selectDrive_->setWhatsThis(tr("Select the USB Stick Drive."));

    auto* listLabel = new QLabel(tr("Music Collection"), this);
    Place(listLabel, IDC_LIST_LABEL, du, 7, 25, 70, 10);
    counts_ = new QLabel(this);
    Place(counts_, IDC_COUNTS, du, 80, 25, 240, 10);
    counts_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    fileExt_ = new CBitmapButton(QStringLiteral("FILEEXT"), this);
    Place(fileExt_, IDC_FILEEXT, du, 327, 174, 67, 27);
    fileExt_->setText(tr("File\nTypes"));
    fileExt_->setToolTip(tr("Music File Extensions"));
    fileExt_->setWhatsThis(tr("Set the music file extensions."));

    auto* picture = new QLabel(this);
    Place(picture, IDC_PICTURE, du, 7, 163, 241, 78);
    // A picture control takes the size of its picture.
    picture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/DECORATION.png")));
    picture->resize(picture->pixmap().deviceIndependentSize().toSize());
    // The banner's motto, in the user's language, where the picture leaves room for it.
    auto* motto = new QLabel(tr("Fresh music for your stick,\ndrawn at random."), picture);
    QFont mottoFont(QStringLiteral("DejaVu Sans"));
    mottoFont.setPixelSize(14);
    motto->setFont(mottoFont);
    QPalette mottoColours = motto->palette();
    mottoColours.setColor(QPalette::WindowText, QColor(210, 228, 240));
    motto->setPalette(mottoColours);
    motto->setGeometry(126, 70, 230, 40);
    motto->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The stick is a mount point here, longer than a drive letter: the label reaches to the
    // buttons and shows the end of a long path, the whole path in its tooltip.
    drive_ = new QLabel(this);
    Place(drive_, IDC_DRIVE, du, 255, 185, 65, 10);

    start_ = new CHoverButton(this);
    Place(start_, IDC_START, du, 79, 130, 67, 27);
    start_->SetTexts(tr("Start"), tr("Stop"));
    start_->setToolTip(tr("Start File Transfer"));
    start_->setWhatsThis(tr("Start file transfer to MP3 stick. Click again to stop."));

    deleteOld_ = new QCheckBox(tr("&Delete old music files from stick"), this);
    Place(deleteOld_, IDC_DELETE_OLD, du, 156, 139, 114, 10);
    // The text is wider than its place in some fonts and languages: it may use the free room up
    // to the list's right edge.
    deleteOld_->resize(qMin(qMax(deleteOld_->width(), deleteOld_->sizeHint().width()),
                            du.X(320) - deleteOld_->x()),
                       deleteOld_->height());
    eject_ = new QCheckBox(tr("Eject the stick when done"), this);
    Place(eject_, IDC_EJECT, du, 156, 150, 160, 10);

    progress_ = new QProgressBar(this);
    Place(progress_, IDC_PROGRESS, du, 7, 249, 241, 14);
    progress_->setTextVisible(false);
    progress_->setRange(0, 100);
    progress_->setValue(0);

    freeSpace_ = new QLabel(tr("Free space unknown"), this);
    Place(freeSpace_, IDC_FREE_SPACE, du, 255, 205, 125, 10);

    status_ = new QLabel(this);
    Place(status_, IDC_STATUS, du, 10, 270, 385, 10);

    // How a fill lays out the stick, under the stick drive and its free space.
    layout_ = new QLabel(this);
    layout_->setObjectName(QStringLiteral("stickLayout"));
    layout_->setGeometry(du.X(255), du.Y(215), du.X(140), du.Y(20));
    layout_->setWordWrap(true);
    layout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ShowStickLayout();

    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        baseGeometry_.emplace_back(control, control->geometry());
    }

    // The Tab key goes through the form as it is read: top left to bottom right.
    const QList<QWidget*> tabOrder = {newDir_,    list_,  add_,         remove_,  start_,
                                      deleteOld_, eject_, selectDrive_, fileExt_, exit_};
    for (int i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    // The picture buttons are named for screen readers as their tooltips name them.
    for (QWidget* button : QWidgetList{add_, remove_, exit_, selectDrive_, fileExt_}) {
        button->setAccessibleName(button->toolTip());
    }
    start_->setAccessibleName(tr("Start"));
    // Delete in the list removes the selected folders, as the Remove button does.
    auto* removeKey = new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr,
                                    Qt::WidgetWithChildrenShortcut);
    connect(removeKey, &QShortcut::activated, this, &CTunecrateView::OnRemove);
    // Folders dropped from a file manager go through the same checks as a typed path.
    connect(list_, &CDirectoryList::FoldersDropped, this, [this](const QStringList& paths) {
        if (!IsTransferRunning()) {
            for (const QString& path : paths) {
                AddDirectoryEntry(path);
            }
        }
    });

    connect(add_, &QAbstractButton::clicked, this, &CTunecrateView::OnAdd);
    connect(remove_, &QAbstractButton::clicked, this, &CTunecrateView::OnRemove);
    connect(exit_, &QAbstractButton::clicked, this, &CTunecrateView::OnExit);
    connect(selectDrive_, &QAbstractButton::clicked, this, &CTunecrateView::OnSelectDrive);
    connect(fileExt_, &QAbstractButton::clicked, this, &CTunecrateView::OnFileExtensions);
    connect(start_, &QAbstractButton::clicked, this, &CTunecrateView::OnStart);
}

void CTunecrateView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int dx = width() - baseSize_.width();
    const int dy = height() - baseSize_.height();
    for (const auto& [control, base] : baseGeometry_) {
        QRect r = base;
        if (control == list_) {
            r.adjust(0, 0, dx, dy);
        } else if (control == newDir_) {
            r.adjust(0, 0, dx, 0);
        } else if (control == add_ || control == remove_) {
            r.translate(dx, 0);
        } else if (control == exit_ || control == selectDrive_ || control == fileExt_) {
            r.translate(dx, dy);
        } else if (control == status_) {
            r.adjust(0, dy, dx, dy);
        } else if (r.top() > list_->y()) {
            r.translate(0, dy);  // everything else below the list's top moves down with it
        }
        control->setGeometry(r);
    }
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
    list_->item(list_->count() - 1)->setToolTip(text);
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
}

void CTunecrateView::ShowFreeSpace(unsigned long megabytes) {
    freeSpace_->setText(MessageText::Translate(TransferJob::FreeSpaceText(megabytes)));
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
    dialog.SelectDrive(settings_.GetStickDrive());
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
    switch (start_->GetState()) {
        case CHoverButton::kStateOn:
            // A press elsewhere released over the running button clicks in this state too;
            // only one job may run.
            if (!IsTransferRunning()) {
                StartTransfer();
            }
            break;
        case CHoverButton::kStateOnPressed:
            runner_->Stop();
            break;
        default:
            break;
    }
}

void CTunecrateView::OnStartTransferCommand() {
    if (start_->GetState() == CHoverButton::kStateOff && !IsTransferRunning()) {
        start_->SetState(CHoverButton::kStateOn);
        OnStart();
    } else if (start_->GetState() == CHoverButton::kStateOn && IsTransferRunning()) {
        // During a run the command is Stop Transfer, as a click on the running button.
        start_->SetState(CHoverButton::kStateOnPressed);
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
    auto job = std::make_unique<TransferJob>(*document_, *driveInfo_, fileOperations_, random_,
                                             runner_->StopFlag(), *observer_, options);
    SetTransferControlsEnabled(false);
    start_->setAccessibleName(tr("Stop"));
    emit TransferRunningChanged(true);
    runner_->Start(std::move(job));
}

bool CTunecrateView::ConfirmWipe() {
    const std::optional<run::WipeQuestion> question = run::WipeQuestion::For(
        *driveInfo_, StickContents::Count(driveInfo_->GetRootPath(), settings_.GetExtensions()),
        false);
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
        SetStatusText(tr("Ejecting the stick..."));
        ejector_->Start(settings_.GetStickDrive());
    }
    if ((result.ending == TransferResult::Ending::kRefused ||
         result.ending == TransferResult::Ending::kStickFailed) &&
        !result.error.IsEmpty()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             MessageText::Translate(result.error));
    } else if (!result.playlistError.IsEmpty()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             tr("The playlist could not be written:\n%1")
                                 .arg(MessageText::Translate(result.playlistError)));
    }
}

void CTunecrateView::OnEjectFinished(const platform::EjectResult& ejected) {
    SetStatusText(MessageText::Translate(ejected.message));
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
    if (!settings_.Save()) {
        QMessageBox::warning(window(), QCoreApplication::applicationName(),
                             tr("The settings could not be saved to %1:\n%2")
                                 .arg(QString::fromStdString(settings_.GetSettingsPath()),
                                      QString::fromStdString(settings_.GetSaveError())));
    }
}
