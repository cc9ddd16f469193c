// Transfers started and stopped from the main window, onto a real mounted RAM volume.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <algorithm>

#include "AppTestSupport.h"
#include "support/TmpfsMount.h"
#include "ui/CBitmapButton.h"
#include "ui/CHoverButton.h"

namespace {

int FilesOn(const std::string& dir) {
    return int(std::count_if(std::filesystem::directory_iterator(dir), {},
                             [](const auto& entry) { return entry.is_regular_file(); }));
}

class TransferFromGuiTest : public AppTest {
  protected:
    // The form over `stick` with a collection of `files` files of `bytes` bytes.
    void OpenWithCollection(const std::string& stick, int files, size_t bytes) {
        WriteSettings(stick, "");
        const QString music = MakeMusicDir("music", files, bytes);
        Open();
        View().AddDirectoryEntry(music);
    }
    CHoverButton& Start() { return *View().StartButton(); }
    bool WaitForEnd() {
        return QTest::qWaitFor([this] { return !View().IsTransferRunning(); }, 20000);
    }

    TmpfsMount stick_{8 << 20};
};

TEST_F(TransferFromGuiTest, ButtonRunsATransferToItsEndWithTheCommandsLocked) {
    SKIP_UNLESS_MOUNTED(stick_);
    OpenWithCollection(stick_.Path(), 3, 100000);
    QTest::mouseClick(&Start(), Qt::LeftButton);

    // Running: the button shows it; the start command and everything that would change the
    // collection, the stick or the file types is disabled.
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOn);
    EXPECT_TRUE(View().IsTransferRunning());
    EXPECT_FALSE(View().OnUpdateStartTransfer());
    for (int id : {CMainFrame::ID_FILE_NEW, CMainFrame::ID_FILE_OPEN, CMainFrame::ID_FILE_SAVE,
                   CMainFrame::ID_EDIT_ADD, CMainFrame::ID_EDIT_REMOVE, CMainFrame::ID_SELECT_DRIVE,
                   CMainFrame::ID_FILE_EXTENSIONS}) {
        EXPECT_FALSE(Frame().Action(id)->isEnabled()) << id;
    }
    EXPECT_FALSE(View().NewDirEdit()->isEnabled());
    EXPECT_FALSE(View().BitmapButton(CTunecrateView::IDC_ADD)->isEnabled());
    EXPECT_TRUE(View().BitmapButton(CTunecrateView::IDC_EXIT)->isEnabled());

    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(FilesOn(stick_.Path()), 3);
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(View().StatusLabel()->text(),
              QString::fromUtf8("Every song of the collection is on a stick now \u2014 a new "
                                "round starts next time"));
    EXPECT_TRUE(Doc().GetUntransferredFiles().empty());
    EXPECT_TRUE(View().FreeSpaceLabel()->text().endsWith(" MB free"));
    EXPECT_TRUE(View().OnUpdateStartTransfer());
    EXPECT_TRUE(Frame().Action(CMainFrame::ID_FILE_OPEN)->isEnabled());
    EXPECT_TRUE(View().NewDirEdit()->isEnabled());

    // On the emptied stick, two of three songs of 3 MB fit, and the bar ends full.
    for (const std::string& name : FilesIn(stick_.Path())) {
        std::filesystem::remove(stick_.Path() + "/" + name);
    }
    View().AddDirectoryEntry(MakeMusicDir("big", 3, 3 << 20));
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(View().StatusLabel()->text(),
              QString::fromUtf8("Finished copying: 2 songs, 6 MB \u2014 the stick is full"));
    EXPECT_EQ(View().ProgressBar()->value(), View().ProgressBar()->maximum());
}

// The menu command starts as the button would; a second click on the button stops the run.
TEST_F(TransferFromGuiTest, MenuStartsAndASecondClickStopsWithOneJobAtATime) {
    SKIP_UNLESS_MOUNTED(stick_);
    OpenWithCollection(stick_.Path(), 1500, 1000);
    QAction* start = Frame().Action(CMainFrame::ID_START_TRANSFER);
    start->trigger();
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOn);
    ASSERT_TRUE(View().IsTransferRunning());
    EXPECT_FALSE(start->isEnabled());
    // While stopping, neither the button's click nor the command starts anything.
    View().OnStart();
    View().OnStartTransferCommand();
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOn);

    QTest::mouseClick(&Start(), Qt::LeftButton);
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOnPressed);
    ASSERT_TRUE(WaitForEnd());
    const int copied = FilesOn(stick_.Path());
    EXPECT_LT(copied, 1500);
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(View().StatusLabel()->text(), QStringLiteral("Stopped after %1 songs").arg(copied));
    EXPECT_TRUE(start->isEnabled());
}

TEST_F(TransferFromGuiTest, ClosingDuringARunStopsItThenAsksAboutChanges) {
    SKIP_UNLESS_MOUNTED(stick_);
    OpenWithCollection(stick_.Path(), 1500, 1000);
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(View().IsTransferRunning());
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(View().StatusLabel()->text(), "Waiting for the transfer to stop...");
    EXPECT_TRUE(Frame().isVisible());
    // The collection was changed (a directory added): the prompt comes once the job ended.
    WhenModal(AnswerBox(QMessageBox::No));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }, 20000));
    EXPECT_FALSE(View().IsTransferRunning());
    EXPECT_LT(FilesOn(stick_.Path()), 1500);
}

// A RAM volume is not removable: the wipe asks, naming the volume and what lies on it, and only
// Yes wipes.
TEST_F(TransferFromGuiTest, WipingAsksWithTheCountsAndOnlyYesDeletes) {
    SKIP_UNLESS_MOUNTED(stick_);
    WriteFileBytes(stick_.Path() + "/old.mp3", std::string(3000, 'x'));
    WriteFileBytes(stick_.Path() + "/tax.pdf", "pdf");
    OpenWithCollection(stick_.Path(), 1, 100);
    View().DeleteOldCheck()->setChecked(true);
    for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(answer);
        QString question;
        WhenModal([&question, answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_TRUE(box);
            question = box->text() + "\n" + box->informativeText();
            AnswerBox(answer)(modal);
        });
        QTest::mouseClick(&Start(), Qt::LeftButton);
        ASSERT_TRUE(FinishModals());
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(question,
                  "Delete everything on " + QString::fromStdString(stick_.Path()) +
                      "?\nDrive type: RAM disk\nOn it: 2 files, 0 MB, 1 of them not music");
        EXPECT_EQ(FilesIn(stick_.Path()).count("tax.pdf"), answer == QMessageBox::No ? 1u : 0u);
    }
    EXPECT_EQ(FilesOn(stick_.Path()), 1);
}

// Without a stick there is nothing to fill: the job's reason is shown, the form is ready again.
TEST_F(TransferFromGuiTest, NoStickIsReportedAndTheButtonComesBack) {
    OpenWithCollection("", 2, 16);
    QString text;
    WhenModal(AnswerBox(QMessageBox::Ok, &text));
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(FinishModals());
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(View().StatusLabel()->text(), text);
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(Doc().GetUntransferredFiles().size(), 2u);
}

}  // namespace
