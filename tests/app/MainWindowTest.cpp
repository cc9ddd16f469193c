// The main window: menus, toolbar, size, command line, pictures.

#include "AppTestSupport.h"
#include "app/CTunecrateApp.h"
#include "ui/UiResources.h"

namespace {

using MainWindowTest = AppTest;

TEST_F(MainWindowTest, MenusCarryTheirTextsKeysAndPromptsAndTheWindowKeepsItsSizeOrSaysWhyNot) {
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

    // The window starts at the form's described size, its smallest; the list takes what it grows,
    // and the next start comes back at the size it was closed with.
    EXPECT_EQ(frame.size(), frame.minimumSize());
    const QSize list = List().size();
    frame.resize(frame.size() + QSize(120, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return List().size() == list + QSize(120, 80); }));
    const QSize grown = frame.size();
    frame.close();
    EXPECT_EQ(Open().size(), grown);

    // Settings that cannot be written are not lost silently.
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

// Every picture the program asks for is embedded, also twice as large for displays of twice the
// pixel density; each button's pressed picture differs from its idle one.
TEST(ArtworkTest, EveryPictureIsThereAlsoForTwiceThePixelDensity) {
    InitUiResources();
    QStringList names = {"DECORATION", "tb_new",   "tb_open", "tb_save",
                         "tb_print",   "tb_about", "tb_help"};
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

TEST_F(MainWindowTest, TheCommandLineOpensTheNamedCollectionAndRefusesAMissingOne) {
    const std::string collection = dir / "mix.ini";
    WriteFileBytes(collection, "[MusicFiles]\ndir=" + MakeMusicDir("rock").toStdString() + "\n");
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

}  // namespace
