// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <map>
#include <memory>
#include <string>

class CTunecrateDoc;
class CTunecrateView;
class CDocumentUi;
class QAction;
class QDialog;
class QMenu;
class QToolBar;

// The main window: the desktop's standard menus (File, Edit, View, Help) and keys, the toolbar and
// the main form as its only content. It owns the collection document and routes the commands the
// form does not handle itself (New, Open, Save, Save As, Quit, About, help, toolbar toggling). The
// title carries the collection's name and a modified marker; the window comes back at the size
// and place it was closed with.
class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    // Command ids of the menu, the accelerators and the toolbar.
    enum CommandId {
        ID_EDIT_ADD = 32772,
        ID_EDIT_REMOVE = 32773,
        ID_SELECT_DRIVE = 32780,
        ID_FILE_EXTENSIONS = 32781,
        ID_STICK_LAYOUT = 32790,
        ID_STICK_ORDER = 32791,
        ID_START_TRANSFER = 32782,
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE = 57603,
        ID_FILE_SAVE_AS = 57604,
        ID_APP_ABOUT = 57664,
        ID_APP_EXIT = 57665,
        ID_HELP_FINDER = 57667,
        ID_CONTEXT_HELP = 57669,
        ID_VIEW_TOOLBAR = 59392,
    };

    // `settingsPath` names the program settings file; empty means the usual place.
    explicit CMainFrame(const std::string& settingsPath = std::string(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the form, the document, the menus and the toolbar, then starts with a new
    // collection (which loads the remembered one, if any). False when the window cannot be
    // built; the program then ends.
    bool Create();

    // Opens a collection file as File > Open does after its dialog.
    void OpenCollection(const QString& path);

    CTunecrateView* View() const { return view_; }
    CTunecrateDoc* Document() const { return doc_.get(); }
    QToolBar* ToolBar() const { return toolBar_; }
    // The action of a command id; null for ids without one.
    QAction* Action(int id) const;

  public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();
    void OnAppAbout();
    void OnHelpFinder();
    void OnContextHelp();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* AddCommand(int id, const QString& text, const QString& resource = QString());
    void CreateMenus();
    void CreateToolBar();
    void UpdateCommandUi();
    void OnTransferRunningChanged(bool running);
    // File > Recent Collections: the last six collections opened or saved, newest first, kept
    // with the window's profile data.
    static QStringList RecentCollections();
    void RememberCollection();
    void FillRecentMenu();
    void OpenRecent(const QString& path);
    static QString StartCommandText(bool running);
    void LoadProfile();
    void SaveProfile() const;

    std::string settingsPath_;
    CTunecrateView* view_ = nullptr;
    std::unique_ptr<CDocumentUi> docUi_;
    std::unique_ptr<CTunecrateDoc> doc_;
    static constexpr int kRecentCount = 6;
    QToolBar* toolBar_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::map<int, QAction*> actions_;
    QPointer<QDialog> help_;
    // Set once the user asked to close while a transfer runs: the window closes when it ends.
    bool closeAfterTransfer_ = false;
};
