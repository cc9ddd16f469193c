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

TEST(MainWindowTest, MenusCarryTheirTextsAndKeys) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    QStringList menus;
    for (QAction* menu : frame.menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "&?"}));

    EXPECT_EQ(frame.Action(CMainFrame::ID_FILE_NEW)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame.Action(CMainFrame::ID_FILE_SAVE)->shortcut(), QKeySequence("Ctrl+S"));
    // Save As shows Ctrl+F2 but has no key.
    QAction* saveAs = frame.Action(CMainFrame::ID_FILE_SAVE_AS);
    EXPECT_EQ(saveAs->text(), "Save &As...\tCtrl+F2");
    EXPECT_TRUE(saveAs->shortcut().isEmpty());
    EXPECT_EQ(frame.Action(CMainFrame::ID_HELP_FINDER)->text(), "&Help Contents\tF1");
    EXPECT_EQ(frame.Action(CMainFrame::ID_HELP)->shortcut(), QKeySequence("F1"));
    EXPECT_EQ(frame.Action(CMainFrame::ID_CONTEXT_HELP)->shortcut(), QKeySequence("Shift+F1"));
    // The string resources: prompt before the line feed, tooltip after it.
    QAction* open = frame.Action(CMainFrame::ID_FILE_OPEN);
    EXPECT_EQ(open->statusTip(), "Open an existing music collection.");
    EXPECT_EQ(open->toolTip(), "Open Music Collection");
}

TEST(MainWindowTest, ToolbarTogglesAndStatusBarAndPrintStayDisabled) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    QStringList buttons;
    for (QAction* a : frame.ToolBar()->actions()) {
        buttons << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    }
    EXPECT_EQ(buttons, QStringList({"command57600", "command57601", "command57603", "|",
                                    "command57607", "|", "command57664", "command57669"}));
    EXPECT_FALSE(frame.Action(CMainFrame::ID_FILE_PRINT)->isEnabled());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_VIEW_STATUS_BAR)->isEnabled());

    const QSize withToolbar = frame.size();
    frame.Action(CMainFrame::ID_VIEW_TOOLBAR)->trigger();
    QTest::qWait(20);
    EXPECT_FALSE(frame.ToolBar()->isVisible());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_VIEW_TOOLBAR)->isChecked());
    // The fixed-size window follows: it shrinks by the toolbar's height.
    EXPECT_LT(frame.height(), withToolbar.height());
    frame.Action(CMainFrame::ID_VIEW_TOOLBAR)->trigger();
    QTest::qWait(20);
    EXPECT_TRUE(frame.ToolBar()->isVisible());
    EXPECT_EQ(frame.size(), withToolbar);
}

TEST(MainWindowTest, WindowHasTheFormsFixedSizeAndNoMaximizeBox) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_FALSE(frame.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(frame.centralWidget(), frame.View());
    EXPECT_EQ(frame.View()->size(), frame.View()->minimumSize());
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

TEST(MainWindowTest, HelpOpensTheGuide) {
    MainWindowFixture fixture;
    CMainFrame& frame = fixture.Open();
    frame.Action(CMainFrame::ID_HELP)->trigger();
    auto* help = frame.findChild<QWidget*>(QStringLiteral("helpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    // One window, shown again.
    help->close();
    frame.Action(CMainFrame::ID_HELP_FINDER)->trigger();
    EXPECT_EQ(frame.findChildren<QWidget*>(QStringLiteral("helpWindow")).size(), 1);
    EXPECT_TRUE(help->isVisible());
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
