// SPDX-License-Identifier: GPL-3.0-or-later
// The main form with its document: adding and removing directories by typing, picking and
// dropping, their counts, refilling after File > Open, and the save prompt on the way out.

#include "AppTestSupport.h"

namespace {

using V = CTunecrateView;

class MainFormTest : public AppTest {
  protected:
    QStringList Lines() { return List().Paths(); }
    // Types into the field and presses `key`, as a user does.
    void TypeAndEnter(const QString& text, Qt::Key key = Qt::Key_Return) {
        View().NewDirEdit()->setFocus();
        View().NewDirEdit()->setText(text);
        QTest::keyClick(View().NewDirEdit(), key);
    }
    QString WriteCollection(const std::string& name, const QStringList& dirs,
                            const std::string& more = "") {
        std::string text = "[MusicFiles]\n";
        for (const QString& d : dirs) {
            text += "dir=" + d.toStdString() + "\n";
        }
        WriteFileBytes(dir / name, text + more);
        return QString::fromStdString(dir / name);
    }
    // Drops `urls` onto the list as a file manager does; whether the list took the drag.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QWidget* target = List().viewport();
        QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        return enter.isAccepted();
    }
    void OpenWithAMissingFolder() {
        folderA = MakeMusicDir("a", 1200);
        const QString jazz = WriteCollection(
            "Jazz.ini", {folderA}, "f1=song1.mp3\ndir=" + gone.toStdString() + "\nf1=x.mp3\n");
        WriteSettings("", jazz.toStdString());
        Open();
    }
    QStringList Row(int row) {
        QTreeWidgetItem* item = List().topLevelItem(row);
        return {item->text(0), item->text(1), item->text(2)};
    }

    void OpenJazzThenRock() {
        jazz = WriteCollection("Jazz.ini", {});
        rock = WriteCollection("Rock.ini", {});
        WriteSettings("", jazz.toStdString());
        Open();
        Frame().OpenCollection(rock);
    }
    // The entries of File > Recent as the menu shows them.
    QStringList RecentEntries() {
        auto* recent = Frame().findChild<QMenu*>("recentMenu");
        emit recent->aboutToShow();
        QStringList texts;
        for (QAction* entry : recent->actions()) {
            texts << entry->text();
        }
        return texts;
    }

    QString jazz, rock, folderA, gone = QString::fromStdString(dir / "gone");
};

TEST_F(MainFormTest, EnterAddsATypedFolderOnceAndEmptiesTheField) {
    const QString rock = MakeMusicDir("rock");
    Open();
    for (const QString& typed : {rock, rock.toUpper(), rock + "/"}) {
        SCOPED_TRACE(typed);
        TypeAndEnter(typed);
        EXPECT_EQ(Lines(), QStringList({rock}));
        EXPECT_EQ(View().NewDirEdit()->text(), "");
    }
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MainFormTest, LeavingTheFieldAddsNothing) {
    const QString rock = MakeMusicDir("rock");
    Open();
    TypeAndEnter(rock, Qt::Key_Tab);
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(View().NewDirEdit()->text(), rock);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(MainFormTest, ATypedPathThatIsNoFolderKeepsItsTextAndSaysWhy) {
    const QString file = MakeMusicDir("rock") + "/song0.mp3";
    const QString missing = QString::fromStdString(dir / "nowhere");
    Open();
    const std::pair<QString, QString> cases[] = {{missing, "Directory not found: " + missing},
                                                 {file, file + " is a file, not a folder."}};
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(MessageOf([this, &typed = typed] { TypeAndEnter(typed); }), message);
        EXPECT_EQ(View().NewDirEdit()->text(), typed);
    }
    EXPECT_EQ(List().count(), 0);
}

TEST_F(MainFormTest, ADragWithoutAFolderIsRefused) {
    const QString rock = MakeMusicDir("rock");
    Open();
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(rock + "/song0.mp3"), QUrl("https://example.org/")}));
    EXPECT_EQ(List().count(), 0);
}

TEST_F(MainFormTest, TheFoldersOfADropAreAdded) {
    const QString rock = MakeMusicDir("rock"), jazz = MakeMusicDir("jazz");
    Open();
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(jazz), QUrl::fromLocalFile(rock + "/song1.mp3"),
                      QUrl::fromLocalFile(rock + "/")}));
    EXPECT_EQ(Lines(), QStringList({jazz, rock}));
}

TEST_F(MainFormTest, AFolderWithSubfoldersAddsTheMusicFoldersBelowItOnYes) {
    const QString tree = MakeMusicDir("tree", 1), album = MakeMusicDir("tree/Artist/Album", 2);
    MakeMusicDir("tree/Empty", 0);
    Open();
    const std::pair<QMessageBox::StandardButton, QStringList> cases[] = {
        {QMessageBox::Cancel, {}}, {QMessageBox::Yes, {tree, album}}};
    for (const auto& [answer, lines] : cases) {
        SCOPED_TRACE(answer);
        EXPECT_TRUE(WithModal(AnswerBox(answer), [&] { TypeAndEnter(tree); }));
        EXPECT_EQ(Lines(), lines);
    }
    EXPECT_EQ(View().StatusLabel()->text(), "2 music folders added");
}

TEST_F(MainFormTest, RemoveTakesEverySelectedRowAndMarksTheChangeOnce) {
    const QStringList dirs = {MakeMusicDir("a"), MakeMusicDir("b"), MakeMusicDir("c")};
    Open();
    for (const QString& d : dirs) {
        View().AddDirectoryEntry(d);
    }
    Doc().SetModifiedFlag(false);
    QTest::mouseClick(View().Button(V::IDC_REMOVE), Qt::LeftButton);  // nothing selected
    EXPECT_FALSE(Doc().IsModified());
    for (int row : {0, 2}) {
        List().topLevelItem(row)->setSelected(true);
    }
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Lines(), QStringList({dirs[1]}));
    EXPECT_EQ(Doc().GetDirectoryCount(), 1u);
    EXPECT_TRUE(Doc().IsModified());
}

// A collection of a folder with 1,200 songs, one transferred, and one of a folder that is gone.
TEST_F(MainFormTest, EachRowShowsItsSongsAndThoseNotYetTransferred) {
    OpenWithAMissingFolder();
    EXPECT_EQ(Row(0), QStringList({folderA, "1,200", "1,199"}));
}

TEST_F(MainFormTest, AMissingFolderIsMarkedAndGreyed) {
    OpenWithAMissingFolder();
    EXPECT_EQ(Row(1), QStringList({gone + " (not available)", "1", "0"}));
    EXPECT_EQ(List().topLevelItem(1)->foreground(0).color(),
              List().palette().color(QPalette::Disabled, QPalette::Text));
}

TEST_F(MainFormTest, TheCountsLineSumsTheCollection) {
    OpenWithAMissingFolder();
    EXPECT_EQ(View().CountsLabel()->text(),
              "Songs: 1,200, not yet transferred: 1,199, not available: 1");
}

TEST_F(MainFormTest, AFirstStartFindsTheCommonMusicTypes) {
    std::filesystem::remove(settingsPath);
    const QString music = QString::fromStdString(dir / "music");
    for (const char* name : {"a.flac", "b.ogg", "c.opus", "d.m4a", "e.txt"}) {
        WriteFileBytes(dir / "music/" + name, "x");
    }
    Open();
    View().AddDirectoryEntry(music);
    EXPECT_EQ(Row(0), QStringList({music, "4", "4"}));
}

TEST_F(MainFormTest, WithoutAStickTheFormSaysHowToChooseOne) {
    Open();
    EXPECT_EQ(View().DriveLabel()->text(), "No stick selected: choose it with Select Stick.");
}

TEST_F(MainFormTest, ANewFileTypeRescansTheCollectionKeepingItsFlags) {
    const QString a = MakeMusicDir("a");
    WriteSettings("", WriteCollection("Jazz.ini", {a}, "f1=song1.mp3\n").toStdString());
    WriteFileBytes(a.toStdString() + "/new.flac", "x");
    Open();
    WhenModal([](QWidget* dialog) {
        QTest::keyClicks(Child<QLineEdit>(*dialog, "newExtension"), "flac");
        QTest::mouseClick(Child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
    });
    QTest::mouseClick(View().Button(V::IDC_FILEEXT), Qt::LeftButton);
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(Row(0), QStringList({a, "3", "2"}));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MainFormTest, TheChosenDriveBecomesTheStickWithItsFreeSpace) {
    Open();
    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CDriveDlg*>(modal);
        ASSERT_TRUE(dialog);
        // "/" is no drive for music; listed as if it were the stick in use, it is a real
        // volume to choose on any machine.
        dialog->SetCurrentStick("/");
        dialog->accept();
    });
    QTest::mouseClick(View().Button(V::IDC_SELDRV), Qt::LeftButton);
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(View().GetSettings().GetStickDrive(), "/");
    EXPECT_EQ(View().DriveLabel()->text(), "/");
    EXPECT_TRUE(View().FreeSpaceLabel()->text().endsWith(" MB free"));
}

TEST_F(MainFormTest, AStickThatIsNotThereSaysSo) {
    WriteSettings(dir / "gone", "");
    Open();
    EXPECT_EQ(View().FreeSpaceLabel()->text(), "Free space unknown");
    EXPECT_EQ(View().VolumeLabel()->text(), "The stick is not plugged in.");
}

TEST_F(MainFormTest, FileOpenShowsTheCollectionInFileOrderWithItsName) {
    const QString a = MakeMusicDir("a"), b = MakeMusicDir("b");
    const QString rock = WriteCollection("Rock.ini", {b, a});
    Open();
    EXPECT_TRUE(WithModal(ChooseFile(rock), [this] { Frame().OnFileOpen(); }));
    EXPECT_EQ(Lines(), QStringList({b, a}));
    EXPECT_EQ(Frame().windowTitle(), "Rock[*] - Tunecrate");
    EXPECT_EQ(View().GetSettings().GetMusicCollection(), rock.toStdString());
}

TEST_F(MainFormTest, ACollectionChangedElsewhereIsReloadedOnRequestBeforeSaving) {
    const QString a = MakeMusicDir("a"), b = MakeMusicDir("b");
    WriteSettings("", WriteCollection("Jazz.ini", {a}).toStdString());
    Open();
    View().AddDirectoryEntry(b);
    WriteFileBytes(dir / "Jazz.new", "[MusicFiles]\r\ndir=" + b.toStdString() + "\r\n");
    std::filesystem::rename(dir / "Jazz.new", dir / "Jazz.ini");  // as a save replaces it
    EXPECT_TRUE(WithModal(AnswerBoxWith("&Reload"), [this] { Frame().OnFileSave(); }));
    EXPECT_EQ(Lines(), QStringList({b}));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(MainFormTest, RecentCollectionsComeNewestFirst) {
    OpenJazzThenRock();
    EXPECT_EQ(RecentEntries(), QStringList({"&1 " + rock, "&2 " + jazz}));
}

TEST_F(MainFormTest, ARecentCollectionThatIsGoneIsTakenOff) {
    OpenJazzThenRock();
    std::filesystem::remove(jazz.toStdString());
    ASSERT_EQ(RecentEntries().size(), 2);  // the menu lists both, the gone one second
    MessageOf([this] { Frame().findChild<QMenu*>("recentMenu")->actions().at(1)->trigger(); });
    EXPECT_EQ(RecentEntries(), QStringList({"&1 " + rock}));
}

TEST_F(MainFormTest, FileNewGivesAnEmptyUntitledCollection) {
    WriteSettings("", WriteCollection("Jazz.ini", {MakeMusicDir("a")}).toStdString());
    Open();
    Frame().OnFileNew();
    EXPECT_EQ(Lines(), QStringList());
    EXPECT_EQ(Frame().windowTitle(), "Untitled[*] - Tunecrate");
    EXPECT_EQ(View().CountsLabel()->text(), "Songs: 0, not yet transferred: 0");
}

// Save asks for a name first: the collection has none.
TEST_F(MainFormTest, TheSavePromptOffersSaveDiscardAndCancel) {
    const std::string file = dir / "Keep.ini";
    const std::tuple<QMessageBox::StandardButton, bool, bool> cases[] = {
        {QMessageBox::Cancel, false, false},
        {QMessageBox::Discard, true, false},
        {QMessageBox::Save, true, true}};
    for (const auto& [answer, closes, saves] : cases) {
        SCOPED_TRACE(answer);
        Open();
        View().AddDirectoryEntry(MakeMusicDir("a"));
        WhenModal([answer = answer, saves = saves, file](QWidget* box) {
            AnswerBox(answer)(box);
            if (saves) {
                WhenModal(ChooseFile(QString::fromStdString(file)));
            }
        });
        Frame().Action(CMainFrame::ID_APP_EXIT)->trigger();
        EXPECT_TRUE(FinishModals());
        EXPECT_EQ(Frame().isVisible(), !closes);
        EXPECT_EQ(std::filesystem::exists(file), saves);
    }
}

}  // namespace
