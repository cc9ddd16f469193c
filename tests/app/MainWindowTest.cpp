// The main window: menus, toolbar, fixed size, about box, command line.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "AppTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CTunecrateApp.h"
#include "collection/CTunecrateDoc.h"
#include "ui/CDirectoryList.h"
#include "ui/CTunecrateView.h"

namespace {

TEST(MainWindowTest, MenusCarryTheirTextsKeysAndPrompts) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    QStringList menus;
    for (QAction* menu : frame.menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "&?"}));
    EXPECT_EQ(frame.Action(CMainFrame::ID_FILE_NEW)->shortcut(), QKeySequence("Ctrl+N"));
    // Save As shows Ctrl+F2 but has no key; F1 belongs to help, which Help Contents only shows.
    QAction* saveAs = frame.Action(CMainFrame::ID_FILE_SAVE_AS);
    EXPECT_EQ(saveAs->text(), "Save &As...\tCtrl+F2");
    EXPECT_TRUE(saveAs->shortcut().isEmpty());
    EXPECT_TRUE(frame.Action(CMainFrame::ID_HELP_FINDER)->shortcut().isEmpty());
    EXPECT_EQ(frame.Action(CMainFrame::ID_HELP)->shortcut(), QKeySequence("F1"));
    // The string resource: the prompt before the line feed, the tooltip after it.
    QAction* open = frame.Action(CMainFrame::ID_FILE_OPEN);
    EXPECT_EQ(open->statusTip(), "Open an existing music collection.");
    EXPECT_EQ(open->toolTip(), "Open Music Collection");
}

// The window has the form's fixed size and follows the toolbar as it is hidden and shown.
TEST(MainWindowTest, FixedSizeWindowWithItsToolbar) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_FALSE(frame.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QStringList buttons;
    for (QAction* a : frame.ToolBar()->actions()) {
        buttons << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    }
    EXPECT_EQ(buttons, QStringList({"command57600", "command57601", "command57603", "|",
                                    "command57607", "|", "command57664", "command57669"}));
    EXPECT_FALSE(frame.Action(CMainFrame::ID_FILE_PRINT)->isEnabled());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_VIEW_STATUS_BAR)->isEnabled());

    const QSize withToolbar = frame.size();
    QAction* toggle = frame.Action(CMainFrame::ID_VIEW_TOOLBAR);
    toggle->trigger();
    QTest::qWait(20);
    EXPECT_FALSE(frame.ToolBar()->isVisible());
    EXPECT_LT(frame.height(), withToolbar.height());
    toggle->trigger();
    QTest::qWait(20);
    EXPECT_EQ(frame.size(), withToolbar);
}

TEST(MainWindowTest, AboutBoxShowsNameVersionAndFits) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("Info über Tunecrate"));
    EXPECT_EQ(about.VersionLabel()->text(), "Tunecrate Version 1.1");
    EXPECT_EQ(about.VersionLabel()->textFormat(), Qt::PlainText);
    EXPECT_TRUE(about.OkButton()->isDefault());
    for (QLabel* label : about.findChildren<QLabel*>()) {
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
    about.show();
    QTest::mouseClick(about.OkButton(), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// F1 and Help Contents show the one guide window.
TEST(MainWindowTest, HelpOpensTheGuide) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    frame.Action(CMainFrame::ID_HELP)->trigger();
    frame.Action(CMainFrame::ID_HELP_FINDER)->trigger();
    const auto windows = frame.findChildren<QWidget*>(QStringLiteral("helpWindow"));
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.first()->isVisible());
}

TEST(CommandLineTest, OpensTheNamedCollectionAndRefusesAMissingOne) {
    MainWindowFixture fixture;
    const QString rock = fixture.MakeMusicDir("rock");
    const std::string collection = fixture.dir / "mix.ini";
    WriteFileBytes(collection, "[MusicFiles]\ndir=" + rock.toStdString() + "\n");
    fixture.WriteSettings("", "");

    CTunecrateApp app;
    int exitCode = -1;
    ASSERT_TRUE(
        app.InitInstance({"tunecrate", "--settings", QString::fromStdString(fixture.settingsPath),
                          QString::fromStdString(collection)},
                         exitCode));
    CMainFrame* frame = app.MainFrame();
    EXPECT_EQ(frame->View()->GetSettings().GetSettingsPath(), fixture.settingsPath);
    EXPECT_EQ(frame->View()->DirectoryList()->count(), 1);
    EXPECT_EQ(frame->windowTitle(), "mix - Tunecrate");
    EXPECT_EQ(frame->View()->GetSettings().GetMusicCollection(), collection);

    CTunecrateApp missing;
    EXPECT_FALSE(missing.InitInstance(
        {"tunecrate", "--settings", QString::fromStdString(fixture.settingsPath),
         QString::fromStdString(fixture.dir / "nope.ini")},
        exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(missing.MainFrame(), nullptr);
}

// Settings that cannot be written are not lost silently.
TEST(SettingsStoreTest, AFailedWriteIsReported) {
    MainWindowFixture fixture;
    WriteFileBytes(fixture.dir / "file", "");
    fixture.settingsPath = fixture.dir / "file/Tunecrate.ini";
    fixture.Open();
    QString text;
    WhenModal(AnswerBox(QMessageBox::Ok, &text));
    fixture.Frame().close();
    ASSERT_TRUE(QTest::qWaitFor([] { return !ModalPending(); }, 5000));
    EXPECT_TRUE(text.startsWith("The settings could not be saved to " +
                                QString::fromStdString(fixture.settingsPath)))
        << text.toStdString();
}

}  // namespace
