// The main window: menus, toolbar, size, command line, pictures.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "AppTestSupport.h"
#include "app/CTunecrateApp.h"
#include "ui/UiResources.h"

namespace {

using MainWindowTest = AppTest;

TEST_F(MainWindowTest, MenusCarryTheirTextsKeysAndPrompts) {
    CMainFrame& frame = Open();
    // Every key a menu shows is bound: to its item, or F1 to the help accelerator.
    int shown = 0;
    for (QAction* menu : frame.menuBar()->actions()) {
        for (QAction* item : menu->menu()->actions()) {
            const QKeySequence key(item->text().section('\t', 1));
            if (!key.isEmpty()) {
                ++shown;
                EXPECT_TRUE(item->shortcut() == key ||
                            (key == QKeySequence("F1") &&
                             frame.Action(CMainFrame::ID_HELP)->shortcut() == key))
                    << item->text();
            }
        }
    }
    EXPECT_EQ(shown, 7);
    // The string resource: the prompt before the line feed, the tooltip after it.
    QAction* open = frame.Action(CMainFrame::ID_FILE_OPEN);
    EXPECT_EQ(open->statusTip(), "Open an existing music collection.");
    EXPECT_EQ(open->toolTip(), "Open Music Collection");
}

// The window starts at the form's described size, its smallest; the list takes what it grows,
// and the next start comes back at the size it was closed with.
TEST_F(MainWindowTest, TheWindowGrowsTheListAndKeepsItsSize) {
    CMainFrame& frame = Open();
    EXPECT_EQ(frame.size(), frame.minimumSize());
    const QSize list = List().size();
    frame.resize(frame.size() + QSize(120, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return List().size() == list + QSize(120, 80); }));
    const QSize grown = frame.size();
    frame.close();
    EXPECT_EQ(Open().size(), grown);
}

// Every picture the program asks for is embedded, at the size the form expects, and twice as
// large for displays of twice the pixel density.
TEST(ArtworkTest, EveryPictureIsThereAtItsSize) {
    InitUiResources();
    const auto picture = [](const QString& name) { return QImage(":/bitmaps/" + name + ".png"); };
    const auto expectSize = [&picture](const QString& name, QSize size) {
        EXPECT_EQ(picture(name).size(), size) << name;
        EXPECT_EQ(picture(name + "@2x").size(), size * 2) << name;
    };
    for (QString stem : {"ADD", "REMOVE", "SELDRV", "FILEEXT", "EXIT", "START", "STARTON"}) {
        expectSize(stem + "U", QSize(100, 44));
        expectSize(stem + "D", QSize(stem == "STARTON" ? 99 : 100, 44));
        EXPECT_NE(picture(stem + "U"), picture(stem + "D")) << stem;
    }
    expectSize("DECORATION", QSize(362, 126));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(picture(QStringLiteral("tunecrate-%1").arg(size)).size(), QSize(size, size));
    }
    for (QString name : {"tb_new", "tb_open", "tb_save", "tb_print", "tb_about", "tb_help"}) {
        expectSize(name, QSize(16, 15));
    }
}

TEST_F(MainWindowTest, TheCommandLineOpensTheNamedCollectionAndRefusesAMissingOne) {
    const std::string collection = dir / "mix.ini";
    WriteFileBytes(collection, "[MusicFiles]\ndir=" + MakeMusicDir("rock").toStdString() + "\n");
    WriteSettings("", "");
    const QString settings = QString::fromStdString(settingsPath);
    CTunecrateApp app;
    int exitCode = -1;
    ASSERT_TRUE(app.InitInstance(
        {"tunecrate", "--settings", settings, QString::fromStdString(collection)}, exitCode));
    CMainFrame* frame = app.MainFrame();
    EXPECT_EQ(frame->View()->DirectoryList()->count(), 1);
    EXPECT_EQ(frame->windowTitle(), "mix - Tunecrate");
    EXPECT_EQ(frame->View()->GetSettings().GetMusicCollection(), collection);

    CTunecrateApp missing;
    EXPECT_FALSE(missing.InitInstance(
        {"tunecrate", "--settings", settings, QString::fromStdString(dir / "nope.ini")}, exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(missing.MainFrame(), nullptr);
}

// Settings that cannot be written are not lost silently.
TEST_F(MainWindowTest, AFailedSettingsWriteIsReported) {
    WriteFileBytes(dir / "file", "");
    settingsPath = dir / "file/Tunecrate.ini";
    Open();
    QString text;
    WhenModal(AnswerBox(QMessageBox::Ok, &text));
    Frame().close();
    ASSERT_TRUE(FinishModals());
    EXPECT_TRUE(text.startsWith("The settings could not be saved to " +
                                QString::fromStdString(settingsPath)))
        << text;
}

}  // namespace
