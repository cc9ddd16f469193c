// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "app/CAboutDlg.h"
#include "collection/CTunecrateDoc.h"
#include "ui/CDocumentUi.h"
#include "ui/CTunecrateView.h"
#include "ui/StringTable.h"
#include "ui/UiResources.h"

namespace {

// The profile data of the window framework (toolbar place and visibility) lives here.
QSettings Profile() {
    return QSettings(QStringLiteral("Vornhollow"), QStringLiteral("Tunecrate"));
}

}  // namespace

CMainFrame::CMainFrame(const std::string& settingsPath, QWidget* parent)
    : QMainWindow(parent), settingsPath_(settingsPath) {
    InitUiResources();
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/tunecrate-48.png")));
    setWindowTitle(tr("Tunecrate"));
}

CMainFrame::~CMainFrame() {
    // The form waits for a running transfer and stores the settings; it goes before the
    // document, which the transfer uses up to its end.
    delete view_;
    view_ = nullptr;
}

bool CMainFrame::Create() {
    view_ = new CTunecrateView(settingsPath_, this);
    docUi_ = std::make_unique<CDocumentUi>(this);
    doc_ = std::make_unique<CTunecrateDoc>(*docUi_, &view_->GetSettings());
    docUi_->SetView(view_);
    view_->SetDocument(doc_.get());
    setCentralWidget(view_);

    CreateMenus();
    CreateToolBar();
    // The first size leaves the table room; the window can be made smaller down to what the
    // controls need.
    resize(minimumSizeHint().expandedTo(QSize(720, 600)));
    // The title's [*] follows the collection's modified flag. A change made on another thread
    // reaches the window through its event queue; the flag is read when it arrives, so a late
    // call never shows an older state.
    doc_->SetModifiedObserver([this](bool) {
        QMetaObject::invokeMethod(
            this, [this] { setWindowModified(doc_->IsModified()); }, Qt::AutoConnection);
    });
    setWindowModified(doc_->IsModified());

    connect(view_, &CTunecrateView::TransferRunningChanged, this,
            &CMainFrame::OnTransferRunningChanged);
    LoadProfile();

    if (!doc_->OnNewDocument()) {
        return false;
    }
    view_->OnInitialUpdate();
    RememberCollection();
    UpdateCommandUi();
    return true;
}

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

// A command with its menu text and its string resource (the program's string table unless given):
// the fly-by prompt before the line feed, the tooltip after it.
QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& resource) {
    const QString prompt = resource.isEmpty() ? StringTable::Text(id) : resource;
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    const int split = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(split < 0 ? prompt : prompt.left(split));
    action->setToolTip(split < 0 ? QString(text).remove(QLatin1Char('&')).section('\t', 0, 0)
                                 : prompt.mid(split + 1));
    action->setWhatsThis(action->statusTip());
    actions_[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* a = AddCommand(ID_FILE_NEW, tr("&New"));
    a->setShortcut(QKeySequence::New);
    a->setIcon(ThemeIcon("document-new", QStyle::SP_FileIcon));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFileNew);
    file->addAction(a);

    a = AddCommand(ID_FILE_OPEN, tr("&Open..."));
    a->setShortcut(QKeySequence::Open);
    a->setIcon(ThemeIcon("document-open", QStyle::SP_DialogOpenButton));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFileOpen);
    file->addAction(a);

    recentMenu_ = file->addMenu(tr("Open &Recent"));
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    recentMenu_->setIcon(ThemeIcon("document-open-recent", QStyle::SP_DirIcon));
    connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    file->addSeparator();

    a = AddCommand(ID_FILE_SAVE, tr("&Save"));
    a->setShortcut(QKeySequence::Save);
    a->setIcon(ThemeIcon("document-save", QStyle::SP_DialogSaveButton));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFileSave);
    file->addAction(a);

    a = AddCommand(ID_FILE_SAVE_AS, tr("Save &As..."));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    a->setIcon(ThemeIcon("document-save-as", QStyle::SP_DialogSaveButton));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    file->addAction(a);
    file->addSeparator();

    a = AddCommand(ID_START_TRANSFER, StartCommandText(false));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    a->setIcon(ThemeIcon("media-playback-start", QStyle::SP_MediaPlay));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnStartTransferCommand);
    file->addAction(a);
    file->addSeparator();

    a = AddCommand(ID_SELECT_DRIVE, tr("Select Stick &Drive..."));
    a->setIcon(ThemeIcon("drive-removable-media", QStyle::SP_DriveFDIcon));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnSelectDrive);
    file->addAction(a);
    a = AddCommand(ID_FILE_EXTENSIONS, tr("Music File &Extensions..."));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnFileExtensions);
    file->addAction(a);
    a = AddCommand(ID_STICK_LAYOUT, tr("Stick &Layout..."),
                   tr("Choose folders, numbers, playlist and draws for the stick\nStick Layout"));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnStickLayout);
    file->addAction(a);
    a = AddCommand(
        ID_STICK_ORDER, tr("Put the Stick in &Play Order…"),
        tr("Put the songs on the stick on disc in the order of its playlist\nPlay Order"));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnStickOrder);
    file->addAction(a);
    file->addSeparator();

    a = AddCommand(ID_APP_EXIT, tr("&Quit"));
    a->setShortcut(QKeySequence::Quit);
    a->setIcon(ThemeIcon("application-exit", QStyle::SP_DialogCloseButton));
    connect(a, &QAction::triggered, this, &CMainFrame::OnAppExit);
    file->addAction(a);
    // The start command is enabled by the Start button's state, read when the menu opens.
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    a = AddCommand(ID_EDIT_ADD, tr("&Add Music Directory..."));
    a->setIcon(ThemeIcon("folder-new", QStyle::SP_FileDialogNewFolder));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnAdd);
    edit->addAction(a);
    a = AddCommand(ID_EDIT_REMOVE, tr("&Remove Music Directory"));
    a->setIcon(ThemeIcon("list-remove", QStyle::SP_TrashIcon));
    connect(a, &QAction::triggered, view_, &CTunecrateView::OnRemove);
    edit->addAction(a);

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    // Filled in by CreateToolBar: the toolbar's own toggle.
    viewMenu->setObjectName(QStringLiteral("viewMenu"));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    a = AddCommand(ID_HELP_FINDER, tr("&Help Contents"));
    a->setShortcut(QKeySequence::HelpContents);
    a->setIcon(ThemeIcon("help-contents", QStyle::SP_DialogHelpButton));
    connect(a, &QAction::triggered, this, &CMainFrame::OnHelpFinder);
    help->addAction(a);
    a = AddCommand(ID_CONTEXT_HELP, tr("What's &This?"),
                   StringTable::Text(StringTable::kHelpModeMessage) + "\n" + tr("What's This?"));
    a->setShortcut(QKeySequence::WhatsThis);
    a->setIcon(ThemeIcon("help-whatsthis", QStyle::SP_TitleBarContextHelpButton));
    connect(a, &QAction::triggered, this, &CMainFrame::OnContextHelp);
    help->addAction(a);
    help->addSeparator();
    a = AddCommand(ID_APP_ABOUT, tr("&About Tunecrate"));
    a->setIcon(ThemeIcon("help-about", QStyle::SP_MessageBoxInformation));
    connect(a, &QAction::triggered, this, &CMainFrame::OnAppAbout);
    help->addAction(a);
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setToolButtonStyle(Qt::ToolButtonFollowStyle);
    for (int id : std::initializer_list<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
                                             ID_EDIT_ADD, ID_SELECT_DRIVE, 0, ID_START_TRANSFER}) {
        if (id == 0) {
            toolBar_->addSeparator();
        } else {
            toolBar_->addAction(Action(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);

    QAction* toggle = toolBar_->toggleViewAction();
    toggle->setText(tr("&Toolbar"));
    toggle->setStatusTip(StringTable::StatusTip(ID_VIEW_TOOLBAR));
    toggle->setToolTip(StringTable::ToolTip(ID_VIEW_TOOLBAR));
    actions_[ID_VIEW_TOOLBAR] = toggle;
    menuBar()->findChild<QMenu*>(QStringLiteral("viewMenu"))->addAction(toggle);
}

void CMainFrame::UpdateCommandUi() {
    if (QAction* start = Action(ID_START_TRANSFER)) {
        start->setEnabled(view_->OnUpdateStartTransfer());
    }
}

QString CMainFrame::StartCommandText(bool running) {
    return running ? tr("Stop &Transfer") : tr("Start &Transfer to Stick");
}

// While a transfer runs, nothing may change the collection, the stick or the file types; the
// start command becomes the stop command.
void CMainFrame::OnTransferRunningChanged(bool running) {
    Action(ID_START_TRANSFER)->setText(StartCommandText(running));
    for (int id :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_ADD, ID_EDIT_REMOVE,
          ID_SELECT_DRIVE, ID_FILE_EXTENSIONS, ID_STICK_LAYOUT, ID_STICK_ORDER}) {
        Action(id)->setEnabled(!running);
    }
    UpdateCommandUi();
    if (!running && closeAfterTransfer_) {
        closeAfterTransfer_ = false;
        close();
    }
}

void CMainFrame::OnFileNew() {
    if (!view_->IsTransferRunning() && doc_->OnFileNew()) {
        // An empty, untitled collection: the remembered one is not loaded again.
        view_->RefillDirectoryList();
    }
}

void CMainFrame::OnFileOpen() {
    if (!view_->IsTransferRunning()) {
        doc_->OnFileOpen();
        view_->MeasureStick();
        RememberCollection();
    }
}

QStringList CMainFrame::RecentCollections() {
    return Profile().value(QStringLiteral("RecentCollections")).toStringList();
}

void CMainFrame::RememberCollection() {
    const QString path = QString::fromStdString(view_->GetSettings().GetMusicCollection());
    if (path.isEmpty()) {
        return;
    }
    QStringList recent = RecentCollections();
    recent.removeAll(path);
    recent.prepend(path);
    Profile().setValue(QStringLiteral("RecentCollections"), recent.mid(0, kRecentCount));
}

void CMainFrame::FillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = RecentCollections();
    for (int i = 0; i < recent.size(); ++i) {
        QString shown = recent[i];
        QAction* entry = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(shown.replace('&', QLatin1String("&&"))));
        entry->setStatusTip(StringTable::Text(StringTable::kRecentFileLast));
        const QString path = recent[i];
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    recentMenu_->setEnabled(!view_->IsTransferRunning());
}

// A collection that is gone is taken off the list; otherwise unsaved changes are asked about
// first, as before File > New, so that choosing from the list loses nothing.
void CMainFrame::OpenRecent(const QString& path) {
    if (view_->IsTransferRunning()) {
        return;
    }
    if (!QFileInfo::exists(path)) {
        QStringList recent = RecentCollections();
        recent.removeAll(path);
        Profile().setValue(QStringLiteral("RecentCollections"), recent);
        QMessageBox::information(this, QCoreApplication::applicationName(),
                                 tr("The collection %1 is no longer there; it was taken off the "
                                    "list.")
                                     .arg(path));
        return;
    }
    if (doc_->SaveModified()) {
        OpenCollection(path);
    }
}

void CMainFrame::OpenCollection(const QString& path) {
    if (doc_->LoadCollection(path.toStdString())) {
        view_->GetSettings().SetMusicCollection(path.toStdString());
        RememberCollection();
    }
    view_->RefillDirectoryList();
    view_->MeasureStick();
}

void CMainFrame::OnFileSave() {
    if (!view_->IsTransferRunning()) {
        doc_->OnFileSave();
        RememberCollection();
    }
}

void CMainFrame::OnFileSaveAs() {
    if (!view_->IsTransferRunning()) {
        doc_->OnFileSaveAs();
        RememberCollection();
    }
}

// File > Exit and the form's Exit button close the window; the close asks about unsaved changes.
void CMainFrame::OnAppExit() {
    close();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (view_ && view_->IsTransferRunning()) {
        // The transfer uses the collection to its end: ask it to stop and close when it has.
        closeAfterTransfer_ = true;
        view_->StopTransferForClose();
        event->ignore();
        return;
    }
    if (!doc_ || !doc_->SaveModified()) {
        event->ignore();
        return;
    }
    SaveProfile();
    view_->StoreSettings();
    event->accept();
}

void CMainFrame::OnAppAbout() {
    CAboutDlg about(this);
    about.exec();
}

// The user guide ships inside the program; one window, shown again on later requests.
void CMainFrame::OnHelpFinder() {
    if (!help_) {
        auto* dialog = new QDialog(this);
        dialog->setObjectName(QStringLiteral("helpWindow"));
        dialog->setWindowTitle(tr("Tunecrate Help"));
        auto* browser = new QTextBrowser(dialog);
        // The guide in the user's language: the translation names its own file.
        QFile guide(QStringLiteral(":/help/") + tr("guide.html"));
        if (guide.open(QIODevice::ReadOnly)) {
            browser->setHtml(QString::fromUtf8(guide.readAll()));
        }
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(browser);
        layout->addWidget(buttons);
        dialog->resize(560, 520);
        help_ = dialog;
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void CMainFrame::OnContextHelp() {
    QWhatsThis::enterWhatsThisMode();
}

void CMainFrame::LoadProfile() {
    QSettings profile = Profile();
    const QByteArray state = profile.value(QStringLiteral("Frame/State")).toByteArray();
    if (!state.isEmpty()) {
        restoreState(state);
    }
    // The size and place the window had when it was last closed.
    const QByteArray geometry = profile.value(QStringLiteral("Frame/Geometry")).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
}

void CMainFrame::SaveProfile() const {
    QSettings profile = Profile();
    profile.setValue(QStringLiteral("Frame/State"), saveState());
    profile.setValue(QStringLiteral("Frame/Geometry"), saveGeometry());
}
