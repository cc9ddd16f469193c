// The main form with its document: layout, adding and removing directories, refilling after
// File > Open, and the save prompt on the way out.

#include "AppTestSupport.h"

namespace {

using V = CTunecrateView;

class MainFormTest : public AppTest {
  protected:
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < List().count(); ++i) {
            lines << List().item(i)->text();
        }
        return lines;
    }
    // Types into the edit and leaves it with Tab, as a user does.
    void TypeAndTab(const QString& text) {
        View().NewDirEdit()->setFocus();
        View().NewDirEdit()->setText(text);
        QTest::keyClick(View().NewDirEdit(), Qt::Key_Tab);
    }
    QString WriteCollection(const std::string& name, const QStringList& dirs) {
        std::string text = "[MusicFiles]\n";
        for (const QString& d : dirs) {
            text += "dir=" + d.toStdString() + "\n";
        }
        WriteFileBytes(dir / name, text);
        return QString::fromStdString(dir / name);
    }
    QWidget* Button(int id) { return View().BitmapButton(id); }
};

TEST_F(MainFormTest, StartWithoutAUsableStickShowsAnEmptyFormInTabOrderAndTheChosenDriveBecomesIt) {
    // A stick folder that is no mounted volume keeps the free space unknown.
    WriteSettings(dir / "gone", "");
    Open();
    EXPECT_EQ(View().DriveLabel()->toolTip(), QString::fromStdString(dir / "gone"));
    EXPECT_EQ(View().FreeSpaceLabel()->text(), "Free space unknown");
    EXPECT_EQ(List().count(), 0);

    // Top left to bottom right.
    const QList<QWidget*> order = {View().NewDirEdit(),    &List(),
                                   Button(V::IDC_ADD),     Button(V::IDC_REMOVE),
                                   View().StartButton(),   View().DeleteOldCheck(),
                                   View().EjectCheck(),    Button(V::IDC_SELDRV),
                                   Button(V::IDC_FILEEXT), Button(V::IDC_EXIT)};
    order.first()->setFocus();
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
    }
    EXPECT_EQ(Button(V::IDC_SELDRV)->accessibleName(), "Select Stick Drive");
    EXPECT_EQ(View().StartButton()->accessibleName(), "Start");

    // The drive dialog opens on the current stick (none the first time, the choice the second);
    // its choice becomes the stick, and OK without a chosen drive keeps it.
    for (const char* stick : {"/", ""}) {
        WhenModal([stick](QWidget* modal) {
            auto* dialog = qobject_cast<CDriveDlg*>(modal);
            ASSERT_TRUE(dialog);
            const DriveInfo* open = dialog->GetSelectedDrive();
            EXPECT_EQ(open ? open->GetRootPath() : "", *stick ? "" : "/");
            dialog->SelectDrive(stick);
            dialog->accept();
        });
        QTest::mouseClick(Button(V::IDC_SELDRV), Qt::LeftButton);
        EXPECT_TRUE(FinishModals());
    }
    EXPECT_EQ(View().GetSettings().GetStickDrive(), "/");
    EXPECT_EQ(View().DriveLabel()->toolTip(), "/");
    EXPECT_TRUE(View().FreeSpaceLabel()->text().endsWith(" MB free"));
}

TEST_F(MainFormTest,
       TypingDroppingAndTreesAddNewExistingDirectoriesOnceAndRemoveTakesTheSelection) {
    const QString rock = MakeMusicDir("rock");
    const QString missing = QString::fromStdString(dir / "nowhere");
    Open();
    TypeAndTab("");
    EXPECT_FALSE(Doc().IsModified());
    TypeAndTab(rock);
    EXPECT_EQ(Lines(), QStringList({rock}));
    EXPECT_TRUE(Doc().IsModified());
    // The same text again, or the same path in other letter case, adds nothing.
    TypeAndTab(rock);
    TypeAndTab(rock.toUpper());
    EXPECT_EQ(List().count(), 1);
    EXPECT_EQ(Doc().GetDirectoryCount(), 1u);
    Doc().SetModifiedFlag(false);
    QString text;
    WhenModal(AnswerBox(QMessageBox::Ok, &text));
    TypeAndTab(missing);
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(text, "Directory not found: " + missing);
    EXPECT_EQ(List().count(), 1);
    EXPECT_FALSE(Doc().IsModified());

    // Folders dropped from a file manager go the same way: a web address is no folder.
    const QString jazz = MakeMusicDir("jazz");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(jazz), QUrl::fromLocalFile(rock + "/"),
                  QUrl("https://example.org/music")});
    QWidget* target = List().viewport();
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(Lines(), QStringList({rock, jazz}));
    EXPECT_TRUE(Doc().IsModified());

    // A folder tree adds each music folder below it once.
    const QString tree = MakeMusicDir("tree", 1), album = MakeMusicDir("tree/Artist/Album", 2);
    MakeMusicDir("tree/Empty", 0);
    View().AddDirectoryEntry(album);
    View().AddFolderTree(tree);
    EXPECT_EQ(Lines(), QStringList({rock, jazz, album, tree}));
    EXPECT_EQ(View().CountsLabel()->text(), "Songs: 7, not yet transferred: 7");

    // Remove and the Delete key take all selected lines and mark the change once.
    Doc().SetModifiedFlag(false);
    QTest::mouseClick(Button(V::IDC_REMOVE), Qt::LeftButton);  // nothing selected
    EXPECT_EQ(List().count(), 4);
    EXPECT_FALSE(Doc().IsModified());
    for (int row : {0, 2}) {
        List().item(row)->setSelected(true);
    }
    ShowActive(Frame());  // the message box above took the activation, which the key needs
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Lines(), QStringList({jazz, tree}));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetDirectoryCount(), 2u);
}

// The remembered collection is shown at the start, a folder that is not there greyed; the
// counts follow; File > Open refills the list in file order and is remembered, as are the
// collections opened before; File > New gives an empty, untitled collection.
TEST_F(MainFormTest, TheRememberedCollectionFillsTheFormReloadsAndFileOpenOrARecentOneReplacesIt) {
    const QString a = MakeMusicDir("a"), b = MakeMusicDir("b");
    const QString gone = QString::fromStdString(dir / "gone");
    // The root file system is surely a mounted volume.
    const QString jazz = WriteCollection("Jazz.ini", {a});
    WriteSettings("/", jazz.toStdString());
    WriteFileBytes(dir / "Jazz.ini", ReadFileBytes(dir / "Jazz.ini") + "f1=song1.mp3\ndir=" +
                                         gone.toStdString() + "\nf1=x.mp3\n");
    const QString rock = WriteCollection("Rock.ini", {b, a});
    Open();
    EXPECT_EQ(Lines(), QStringList({a, gone + " (not available)"}));
    EXPECT_EQ(List().item(1)->foreground().color(),
              List().palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(View().CountsLabel()->text(), "Songs: 2, not yet transferred: 1, not available: 1");
    EXPECT_EQ(Frame().windowTitle(), "Jazz - Tunecrate");

    // A new file type rescans the collection at once, keeping the flags.
    WriteFileBytes(a.toStdString() + "/new.flac", "x");
    WhenModal([](QWidget* dialog) {
        QTest::keyClicks(Child<QLineEdit>(*dialog, "newExtension"), "flac");
        QTest::mouseClick(Child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
    });
    View().OnFileExtensions();
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(View().CountsLabel()->text(), "Songs: 3, not yet transferred: 2, not available: 1");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(View().DriveLabel()->text(), "/");
    EXPECT_TRUE(View().FreeSpaceLabel()->text().endsWith(" MB free"));

    // Another program saved the collection meanwhile: saving asks, and Reload shows its version.
    WriteFileBytes(dir / "Jazz.new", "[MusicFiles]\r\ndir=" + b.toStdString() + "\r\n");
    std::filesystem::rename(dir / "Jazz.new", dir / "Jazz.ini");  // as a save replaces it
    WhenModal([](QWidget* box) {
        for (QPushButton* button : box->findChildren<QPushButton*>()) {
            if (button->text() == "&Reload") {
                button->click();
            }
        }
    });
    Frame().OnFileSave();
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(Lines(), QStringList({b}));
    EXPECT_FALSE(Doc().IsModified());

    WhenModal(ChooseFile(rock));
    Frame().OnFileOpen();
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(Lines(), QStringList({b, a}));
    EXPECT_EQ(Frame().windowTitle(), "Rock - Tunecrate");
    EXPECT_EQ(View().GetSettings().GetMusicCollection(), rock.toStdString());

    List().item(0)->setSelected(true);
    View().RemoveSelectedEntries();
    EXPECT_EQ(View().CountsLabel()->text(), "Songs: 3, not yet transferred: 3");
    Doc().SetModifiedFlag(false);

    // File > Recent Collections: newest first; one that is gone is taken off when chosen.
    auto* recent = Frame().findChild<QMenu*>("recentMenu");
    const auto entries = [recent] {
        emit recent->aboutToShow();
        QStringList texts;
        for (QAction* entry : recent->actions()) {
            texts << entry->text();
        }
        return texts;
    };
    EXPECT_EQ(entries(), QStringList({"&1 " + rock, "&2 " + jazz}));
    recent->actions().at(1)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "Jazz - Tunecrate");
    std::filesystem::remove(rock.toStdString());
    WhenModal(AnswerBox(QMessageBox::Ok));
    entries();
    recent->actions().at(1)->trigger();
    EXPECT_TRUE(FinishModals());
    EXPECT_EQ(entries(), QStringList({"&1 " + jazz}));
    Frame().OnFileNew();
    EXPECT_EQ(Lines(), QStringList());
    EXPECT_EQ(Frame().windowTitle(), "Untitled - Tunecrate");
    EXPECT_EQ(View().CountsLabel()->text(), "Songs: 0, not yet transferred: 0");
    EXPECT_FALSE(Doc().IsModified());
}

// The save prompt on the way out: Cancel keeps the window, No closes without saving, Yes saves.
TEST_F(MainFormTest, SavePromptCancelKeepsTheWindowNoClosesAndYesAsksForANameAndSaves) {
    const QString a = MakeMusicDir("a"), old = WriteCollection("Old.ini", {});
    WriteSettings("", old.toStdString());
    Open();
    View().AddDirectoryEntry(a);
    WhenModal(AnswerBox(QMessageBox::Cancel));
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(FinishModals());
    EXPECT_TRUE(Frame().isVisible());
    WhenModal(AnswerBox(QMessageBox::No));
    Frame().Action(CMainFrame::ID_APP_EXIT)->trigger();
    EXPECT_TRUE(FinishModals());
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_EQ(ReadFileBytes(old.toStdString()), "[MusicFiles]\n");

    // Yes on a collection that was never saved asks for a name, then closes.
    const std::string file = dir / "Keep.ini";
    WriteSettings("", "");
    Open();
    View().AddDirectoryEntry(a);
    WhenModal([file](QWidget* box) {
        AnswerBox(QMessageBox::Yes)(box);
        WhenModal(ChooseFile(QString::fromStdString(file)));
    });
    QTest::mouseClick(Button(V::IDC_EXIT), Qt::LeftButton);
    EXPECT_TRUE(FinishModals());
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_NE(ReadFileBytes(file).find(a.toStdString()), std::string::npos);
    EXPECT_NE(ReadFileBytes(settingsPath).find("MusicCollection=" + file), std::string::npos);
}

}  // namespace
