// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: menus, toolbar, size, command line, pictures.

#include "AppTestSupport.h"
#include "app/CTunecrateApp.h"
#include "ui/UiResources.h"

#include <thread>

namespace {

using MainWindowTest = AppTest;

TEST_F(MainWindowTest, EveryMenuItemIsEnabled) {
    for (QAction* menu : Open().menuBar()->actions()) {
        emit menu->menu()->aboutToShow();
        for (QAction* item : menu->menu()->actions()) {
            EXPECT_TRUE(item->isSeparator() || item->isEnabled()) << item->text();
        }
    }
}

TEST_F(MainWindowTest, TheTitleMarksAChangeOfTheCollectionAtOnce) {
    CMainFrame& frame = Open();
    Doc().SetModifiedFlag(true);
    EXPECT_TRUE(frame.isWindowModified());
    Doc().SetModifiedFlag(false);
    EXPECT_FALSE(frame.isWindowModified());
}

// A save at the end of a transfer may change the flag on the job's thread; the window hears of
// it on its own.
TEST_F(MainWindowTest, AChangeMadeOnAnotherThreadReachesTheTitle) {
    CMainFrame& frame = Open();
    std::thread([this] { Doc().SetModifiedFlag(true); }).join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.isWindowModified(); }));
}

// Where the desktop's theme has no icon for a command, the picture is still one of its kind: our
// own, drawn in the text colour, not one of the style's few generic pictures.
TEST_F(MainWindowTest, WithoutAnIconThemeTheCommandsShowOurOwnPictures) {
    const QString theme = QIcon::themeName(), fallback = QIcon::fallbackThemeName();
    QIcon::setThemeName(QStringLiteral("tunecrate-none"));  // a theme that has none of the icons
    QIcon::setFallbackThemeName(QStringLiteral("tunecrate-none"));
    CMainFrame& frame = Open();
    const QSet<QRgb> text{QGuiApplication::palette().color(QPalette::WindowText).rgba()};
    int pictures = 0;
    const auto check = [&](const QIcon& icon, const QString& what) {
        if (!icon.isNull()) {
            ++pictures;
            EXPECT_EQ(CoveredColours(icon.pixmap(16)), text) << what;
        }
    };
    for (const QAction* action : frame.findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        check(action->icon(), action->text());
    }
    for (const QPushButton* button : frame.findChildren<QPushButton*>()) {
        check(button->icon(), button->text());
    }
    EXPECT_GE(pictures, 15);
    QIcon::setThemeName(theme);
    QIcon::setFallbackThemeName(fallback);
}

TEST_F(MainWindowTest, TheTableGrowsWithTheWindow) {
    CMainFrame& frame = Open();
    const QSize list = List().size();
    frame.resize(frame.size() + QSize(120, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return List().size() == list + QSize(120, 80); }));
}

TEST_F(MainWindowTest, TheNextStartComesBackAtTheSizeTheWindowWasClosedWith) {
    CMainFrame& frame = Open();
    frame.resize(frame.size() + QSize(120, 80));
    const QSize grown = frame.size();
    frame.close();
    EXPECT_EQ(Open().size(), grown);
}

TEST_F(MainWindowTest, TheWindowTakesTheDesktopPalette) {
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(40, 40, 44), QColor(30, 30, 32));
    QApplication::setPalette(dark);
    Open();
    for (QWidget* widget : QWidgetList{&View(), &List(), View().NewDirEdit()}) {
        EXPECT_EQ(widget->palette().color(QPalette::Window), dark.color(QPalette::Window));
        EXPECT_EQ(widget->palette().color(QPalette::Base), dark.color(QPalette::Base));
    }
    QApplication::setPalette(before);
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReported) {
    WriteFileBytes(dir / "file", "");
    settingsPath = dir / "file/Tunecrate.ini";
    Open();
    const QString text = MessageOf([this] { Frame().close(); });
    EXPECT_TRUE(text.startsWith("The settings could not be saved to " +
                                QString::fromStdString(settingsPath)))
        << text;
}

// Each button's pressed picture differs from its idle one.
TEST(ArtworkTest, EveryPictureIsThereAlsoForTwiceThePixelDensity) {
    InitUiResources();
    QStringList names = {"DECORATION", "tb_new", "tb_open", "tb_save", "tb_about", "tb_help"};
    for (QString stem : {"ADD", "REMOVE", "SELDRV", "FILEEXT", "EXIT", "START", "STARTON"}) {
        names << stem + "U" << stem + "D";
        EXPECT_NE(QImage(":/bitmaps/" + stem + "U.png"), QImage(":/bitmaps/" + stem + "D.png"));
    }
    for (const QString& name : names) {
        const QImage picture(":/bitmaps/" + name + ".png");
        EXPECT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(QImage(":/bitmaps/" + name + "@2x.png").size(), picture.size() * 2) << name;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {  // the program's icon
        EXPECT_EQ(QImage(QStringLiteral(":/bitmaps/tunecrate-%1.png").arg(size)).size(),
                  QSize(size, size));
    }
}

TEST_F(MainWindowTest, TheCommandLineOpensTheNamedCollection) {
    const std::string collection = dir / "mix.ini";
    WriteFileBytes(collection, "[MusicFiles]\ndir=" + MakeMusicDir("rock").toStdString() + "\n");
    CTunecrateApp app;
    int exitCode = -1;
    ASSERT_TRUE(app.InitInstance({"tunecrate", "--settings", QString::fromStdString(settingsPath),
                                  QString::fromStdString(collection)},
                                 exitCode));
    CMainFrame* frame = app.MainFrame();
    EXPECT_EQ(frame->View()->DirectoryList()->count(), 1);
    EXPECT_EQ(frame->windowTitle(), "mix[*] - Tunecrate");
    EXPECT_EQ(frame->View()->GetSettings().GetMusicCollection(), collection);
}

TEST_F(MainWindowTest, TheCommandLineRefusesAMissingCollection) {
    CTunecrateApp missing;
    int exitCode = -1;
    EXPECT_FALSE(
        missing.InitInstance({"tunecrate", "--settings", QString::fromStdString(settingsPath),
                              QString::fromStdString(dir / "nope.ini")},
                             exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(missing.MainFrame(), nullptr);
}

}  // namespace

TEST_F(MainWindowTest, PuttingAFolderThatIsNoStickInPlayOrderIsRefusedWithTheReason) {
    const std::string stick = dir / "stick";
    std::filesystem::create_directories(stick);
    WriteSettings(stick, "");
    Open();
    EXPECT_EQ(MessageOf([this] { Frame().Action(CMainFrame::ID_STICK_ORDER)->trigger(); }),
              QString::fromStdString("Not the root of a mounted drive: " + stick));
}
