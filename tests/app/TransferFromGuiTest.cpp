// SPDX-License-Identifier: GPL-3.0-or-later
// Transfers started and stopped from the main window, onto a stick in a folder.

#include "AppTestSupport.h"
#include "transfer/FolderStick.h"

namespace {

// Made before the main window and gone after it: the window reaches the stick until it closes.
struct WithFolderStick {
    TempDir stickParent;
    FolderStick stick_{stickParent / "stick", 8 << 20};
};

class TransferFromGuiTest : public WithFolderStick, public AppTest {
  protected:
    // The form over `stick` with a collection of `files` files of `bytes` bytes.
    void OpenWithCollection(const std::string& stick, int files, size_t bytes) {
        WriteSettings(stick, "");
        Open();
        View().UseStick(stick_, stick_);
        View().AddDirectoryEntry(MakeMusicDir("music", files, bytes));
    }
    CHoverButton& Start() { return *View().StartButton(); }
    bool WaitForEnd() {
        return QTest::qWaitFor([this] { return !View().IsTransferRunning(); }, 20000);
    }
    QString FreeSpace() { return View().FreeSpaceLabel()->text(); }
};

TEST_F(TransferFromGuiTest, WhileARunGoesTheCommandsChangingItsInputAreLocked) {
    OpenWithCollection(stick_.Path(), 3, 100000);
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(View().IsTransferRunning());
    for (int id : {CMainFrame::ID_FILE_NEW, CMainFrame::ID_FILE_OPEN, CMainFrame::ID_FILE_SAVE,
                   CMainFrame::ID_EDIT_ADD, CMainFrame::ID_EDIT_REMOVE, CMainFrame::ID_SELECT_DRIVE,
                   CMainFrame::ID_FILE_EXTENSIONS}) {
        EXPECT_FALSE(Frame().Action(id)->isEnabled()) << id;
    }
    EXPECT_FALSE(View().Button(CTunecrateView::IDC_ADD)->isEnabled());
    EXPECT_TRUE(WaitForEnd());
}

TEST_F(TransferFromGuiTest, ARunToItsEndCopiesEverySongAndGivesTheFormBack) {
    OpenWithCollection(stick_.Path(), 3, 100000);
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(FilesIn(stick_.Path()).size(), 3u);
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(View().StatusLabel()->text(),
              QString::fromUtf8("Every song of the collection is on a stick now \u2014 a new "
                                "round starts next time"));
    EXPECT_TRUE(Doc().GetUntransferredFiles().empty());
    EXPECT_TRUE(Frame().Action(CMainFrame::ID_FILE_OPEN)->isEnabled());
}

// Two of three songs of 3 MB fill the stick; the bar ends full.
TEST_F(TransferFromGuiTest, AFullStickEndsTheRunWithTheBarFull) {
    OpenWithCollection(stick_.Path(), 3, 3 << 20);
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(View().StatusLabel()->text().contains("the stick is full"));
    EXPECT_EQ(View().ProgressBar()->value(), View().ProgressBar()->maximum());
}

TEST_F(TransferFromGuiTest, TheIdleFormsFreeSpaceFollowsTheStick) {
    OpenWithCollection(stick_.Path(), 1, 16);
    EXPECT_EQ(View().FreeSpaceLabel()->text(), "8 MB free");
    WriteFileBytes(stick_.Path() + "/other", std::string(3 << 20, 'x'));
    EXPECT_TRUE(QTest::qWaitFor([this] { return FreeSpace() == "5 MB free"; }, 10000));
    stick_.PullOut();
    EXPECT_TRUE(QTest::qWaitFor([this] { return FreeSpace() == "Free space unknown"; }, 10000));
}

// Ctrl+T is File > Start Transfer, which turns into Stop Transfer.
TEST_F(TransferFromGuiTest, KeysStartAndStopARunAsTheMouseDoes) {
    OpenWithCollection(stick_.Path(), 1500, 1000);
    QAction* command = Frame().Action(CMainFrame::ID_START_TRANSFER);
    for (bool commandStarts : {true, false}) {
        SCOPED_TRACE(commandStarts);
        Start().setFocus();
        if (commandStarts) {
            QTest::keyClick(&Frame(), Qt::Key_T, Qt::ControlModifier);
        } else {
            QTest::keyClick(&Start(), Qt::Key_Return);
        }
        EXPECT_EQ(Start().GetState(), CHoverButton::kStateOn);
        EXPECT_TRUE(View().IsTransferRunning());
        EXPECT_EQ(command->text(), "Stop &Transfer");
        if (commandStarts) {
            QTest::keyClick(&Start(), Qt::Key_Space);
        } else {
            QTest::keyClick(&Frame(), Qt::Key_T, Qt::ControlModifier);
        }
        EXPECT_EQ(Start().GetState(), CHoverButton::kStateOnPressed);
        ASSERT_TRUE(WaitForEnd());
        EXPECT_TRUE(View().StatusLabel()->text().startsWith("Stopped on request after "));
        EXPECT_EQ(command->text(), "Start &Transfer to Stick");
    }
}

// The collection was changed (a directory added), so the save prompt comes once the job ended.
TEST_F(TransferFromGuiTest, ClosingDuringARunStopsItThenAsksToSave) {
    OpenWithCollection(stick_.Path(), 1500, 1000);
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(View().IsTransferRunning());
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(View().StatusLabel()->text(), "Waiting for the transfer to stop...");
    WhenModal(AnswerBox(QMessageBox::Discard));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }, 20000));
    EXPECT_FALSE(View().IsTransferRunning());
    EXPECT_LT(FilesIn(stick_.Path()).size(), 1500u);
}

// The stick holds more than music; a few bytes are not "0 MB".
TEST_F(TransferFromGuiTest, WipingAsksWithTheCountsAndOnlyDeleteDeletes) {
    WriteFileBytes(stick_.Path() + "/old.mp3", std::string(3000, 'x'));
    WriteFileBytes(stick_.Path() + "/tax.pdf", "pdf");
    OpenWithCollection(stick_.Path(), 1, 100);
    View().DeleteOldCheck()->setChecked(true);
    for (const QString answer : {"Cancel", "Delete"}) {
        SCOPED_TRACE(answer.toStdString());
        QString question;
        ASSERT_TRUE(WithModal(AnswerBoxWith(answer, &question),
                              [this] { QTest::mouseClick(&Start(), Qt::LeftButton); }));
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(question,
                  "Delete everything on " + QString::fromStdString(stick_.Path()) +
                      "?\nDrive type: Removable Drive\nOn it: 2 files, 3 KB, 1 of them not music");
        EXPECT_EQ(FilesIn(stick_.Path()).count("tax.pdf"), answer == "Cancel" ? 1u : 0u);
    }
    EXPECT_EQ(FilesIn(stick_.Path()).size(), 1u);
}

TEST_F(TransferFromGuiTest, NoStickIsReportedAndTheButtonComesBack) {
    OpenWithCollection("", 2, 16);
    const QString text = MessageOf([this] { QTest::mouseClick(&Start(), Qt::LeftButton); });
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(View().StatusLabel()->text(), text);
    EXPECT_EQ(Start().GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(Doc().GetUntransferredFiles().size(), 2u);
}

}  // namespace
