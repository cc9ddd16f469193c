// The main form with its document: layout, adding and removing directories, refilling after
// File > Open, and the save prompt on the way out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "AppTestSupport.h"
#include "collection/CTunecrateDoc.h"
#include "ui/CBitmapButton.h"
#include "ui/CDirectoryList.h"
#include "ui/CDriveDlg.h"
#include "ui/CHoverButton.h"
#include "ui/CTunecrateView.h"

namespace {

class MainFormTest : public ::testing::Test {
  protected:
    CTunecrateView& View() { return *fixture.Frame().View(); }
    CTunecrateDoc& Doc() { return *fixture.Frame().Document(); }
    CDirectoryList& List() { return *View().DirectoryList(); }
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < List().count(); ++i) {
            lines << List().item(i)->text();
        }
        return lines;
    }
    // Types into the edit and leaves it with Tab, as a user does.
    void TypeAndTab(const QString& text) {
        QLineEdit* edit = View().NewDirEdit();
        edit->setFocus();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    // Waits until every expected modal window was handled.
    void FinishModals() {
        EXPECT_TRUE(QTest::qWaitFor([] { return !ModalPending(); }, 5000));
    }

    MainWindowFixture fixture;
};

TEST_F(MainFormTest, StartWithoutAUsableStickShowsAnEmptyFormInItsColours) {
    // A stick folder that is no mounted volume keeps the free space unknown.
    fixture.WriteSettings(fixture.dir / "gone", "");
    fixture.Open();
    EXPECT_EQ(View().DriveLabel()->toolTip(), QString::fromStdString(fixture.dir / "gone"));
    EXPECT_EQ(View().FreeSpaceLabel()->text(), "Free space unknown");
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(View().palette().color(QPalette::Window), QColor(212, 208, 200));
    EXPECT_EQ(View().NewDirEdit()->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(List().palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(List().selectionMode(), QAbstractItemView::ExtendedSelection);

    // The Tab key's order is the template's.
    QList<QWidget*> expected = {View().NewDirEdit(),
                                &List(),
                                View().BitmapButton(CTunecrateView::IDC_ADD),
                                View().BitmapButton(CTunecrateView::IDC_REMOVE),
                                View().BitmapButton(CTunecrateView::IDC_EXIT),
                                View().BitmapButton(CTunecrateView::IDC_SELDRV),
                                View().BitmapButton(CTunecrateView::IDC_FILEEXT),
                                View().StartButton(),
                                View().DeleteOldCheck()};
    expected.first()->setFocus();
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected[i]) << i;
    }
    // Bitmap buttons take their pictures' size; no text is cut off.
    EXPECT_EQ(View().BitmapButton(CTunecrateView::IDC_ADD)->size(), QSize(100, 44));
    for (QLabel* label : View().findChildren<QLabel*>()) {
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
    EXPECT_LE(View().DeleteOldCheck()->sizeHint().width(), View().DeleteOldCheck()->width());
}

TEST_F(MainFormTest, AddingByTypingTakesNewDirectoriesOnly) {
    const QString rock = fixture.MakeMusicDir("rock");
    fixture.Open();

    TypeAndTab("");
    EXPECT_FALSE(Doc().IsModified());

    TypeAndTab(rock);
    EXPECT_EQ(Lines(), QStringList({rock}));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetDirectoryCount(), 1u);
    // Leaving the edit again with the same text, or the same path in other letter case, adds
    // nothing.
    TypeAndTab(rock);
    TypeAndTab(rock.toUpper());
    EXPECT_EQ(List().count(), 1);
    EXPECT_EQ(Doc().GetDirectoryCount(), 1u);

    // File > New without a remembered collection empties the form.
    Doc().SetModifiedFlag(false);
    fixture.Frame().OnFileNew();
    EXPECT_EQ(List().count(), 0);
}

TEST_F(MainFormTest, AMissingDirectoryIsReportedAndNotListed) {
    fixture.Open();
    const QString missing = QString::fromStdString(fixture.dir / "nowhere");
    QString text;
    WhenModal([&text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        AnswerBox(QMessageBox::Ok, &text)(modal);
    });
    TypeAndTab(missing);
    FinishModals();
    EXPECT_EQ(text, "Verzeichnis nicht gefunden: " + missing);
    EXPECT_EQ(List().count(), 0);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(MainFormTest, RemoveTakesAllSelectedLinesAndMarksTheChangeOnce) {
    QStringList dirs;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        dirs << fixture.MakeMusicDir(name);
    }
    fixture.Open();
    for (const QString& dir : dirs) {
        View().AddDirectoryEntry(dir);
    }
    Doc().SetModifiedFlag(false);

    // Nothing selected: nothing changes.
    View().BitmapButton(CTunecrateView::IDC_REMOVE)->click();
    EXPECT_EQ(List().count(), 5);
    EXPECT_FALSE(Doc().IsModified());

    for (int row : {0, 2, 4}) {
        List().item(row)->setSelected(true);
    }
    QTest::mouseClick(View().BitmapButton(CTunecrateView::IDC_REMOVE), Qt::LeftButton);
    EXPECT_EQ(Lines(), QStringList({dirs[1], dirs[3]}));
    EXPECT_TRUE(Doc().IsModified());
    Doc().BeginDirectories();
    EXPECT_EQ(QString::fromStdString(Doc().GetNextDirectory()), dirs[1]);
    EXPECT_EQ(QString::fromStdString(Doc().GetNextDirectory()), dirs[3]);
    EXPECT_EQ(Doc().GetDirectoryCount(), 2u);
}

TEST_F(MainFormTest, HorizontalExtentCoversTheWidestPathAndNeverShrinks) {
    const QString shortDir = fixture.MakeMusicDir("s");
    const QString longDir = fixture.MakeMusicDir(std::string(180, 'w'));
    fixture.Open();
    View().AddDirectoryEntry(shortDir);
    QScrollBar* bar = List().horizontalScrollBar();
    EXPECT_EQ(bar->maximum(), 0);

    View().AddDirectoryEntry(longDir);
    const int textWidth = List().fontMetrics().horizontalAdvance(longDir);
    EXPECT_GE(View().WidestExtent(), textWidth);
    EXPECT_GE(bar->maximum(), textWidth - List().viewport()->width());
    const int extent = View().WidestExtent();

    List().item(1)->setSelected(true);
    View().RemoveSelectedEntries();
    View().RefillDirectoryList();
    QTest::qWait(10);
    EXPECT_EQ(View().WidestExtent(), extent);
    EXPECT_GE(bar->maximum(), textWidth - List().viewport()->width());
}

TEST_F(MainFormTest, FileOpenRefillsTheListInFileOrder) {
    const QString b = fixture.MakeMusicDir("b");
    const QString a = fixture.MakeMusicDir("a");
    const std::string file = fixture.dir / "Rock.ini";
    WriteFileBytes(file,
                   "[MusicFiles]\ndir=" + b.toStdString() + "\ndir=" + a.toStdString() + "\n");
    fixture.Open();

    WhenModal(ChooseFile(QString::fromStdString(file)));
    fixture.Frame().OnFileOpen();
    FinishModals();
    EXPECT_EQ(Lines(), QStringList({b, a}));
    EXPECT_EQ(fixture.Frame().windowTitle(), "Rock - Tunecrate");
    EXPECT_EQ(View().GetSettings().GetMusicCollection(), file);
}

TEST_F(MainFormTest, StartShowsTheRememberedCollectionAndFileNewShowsItAgain) {
    const QString a = fixture.MakeMusicDir("a");
    const std::string file = fixture.dir / "Jazz.ini";
    WriteFileBytes(file, "[MusicFiles]\ndir=" + a.toStdString() + "\n");
    // The root file system is surely a mounted volume.
    fixture.WriteSettings("/", file);
    fixture.Open();
    EXPECT_EQ(Lines(), QStringList({a}));
    EXPECT_EQ(fixture.Frame().windowTitle(), "Jazz - Tunecrate");
    EXPECT_EQ(View().DriveLabel()->text(), "/");
    EXPECT_TRUE(View().FreeSpaceLabel()->text().endsWith(" MB free"));

    fixture.Frame().OnFileNew();
    EXPECT_EQ(Lines(), QStringList({a}));
    EXPECT_FALSE(Doc().IsModified());
}

// The save prompt on the way out: Cancel keeps the window, No closes without saving, Yes saves.
TEST_F(MainFormTest, SavePromptCancelKeepsTheWindowYesAsksForAName) {
    const QString a = fixture.MakeMusicDir("a");
    const std::string file = fixture.dir / "Keep.ini";
    fixture.Open();
    View().AddDirectoryEntry(a);

    QString question;
    WhenModal(AnswerBox(QMessageBox::Cancel, &question));
    EXPECT_FALSE(fixture.Frame().close());
    FinishModals();
    EXPECT_EQ(question, "Your music selection has been modified.\nSave changes?");
    EXPECT_TRUE(fixture.Frame().isVisible());

    // Yes on a collection that was never saved asks for a name, then closes.
    WhenModal([file](QWidget* box) {
        AnswerBox(QMessageBox::Yes)(box);
        WhenModal(ChooseFile(QString::fromStdString(file)));
    });
    QTest::mouseClick(View().BitmapButton(CTunecrateView::IDC_EXIT), Qt::LeftButton);
    FinishModals();
    EXPECT_FALSE(fixture.Frame().isVisible());
    EXPECT_NE(ReadFileBytes(file).find(a.toStdString()), std::string::npos);
    // The settings remember the collection.
    EXPECT_NE(ReadFileBytes(fixture.settingsPath).find("MusicCollection=" + file),
              std::string::npos);
}

TEST_F(MainFormTest, SavePromptNoClosesWithoutSaving) {
    const QString a = fixture.MakeMusicDir("a");
    const std::string file = fixture.dir / "Old.ini";
    WriteFileBytes(file, "[MusicFiles]\n");
    fixture.WriteSettings("", file);
    fixture.Open();
    View().AddDirectoryEntry(a);
    WhenModal(AnswerBox(QMessageBox::No));
    fixture.Frame().Action(CMainFrame::ID_APP_EXIT)->trigger();
    FinishModals();
    EXPECT_FALSE(fixture.Frame().isVisible());
    EXPECT_EQ(ReadFileBytes(file), "[MusicFiles]\n");
}

// The drive dialog's choice becomes the stick: label, free space and settings.
TEST_F(MainFormTest, ChosenDriveBecomesTheStick) {
    fixture.Open();
    QString chosen;
    WhenModal([&chosen](QWidget* modal) {
        auto* dialog = qobject_cast<CDriveDlg*>(modal);
        auto* list = modal->findChild<QAbstractItemView*>();
        if (!dialog || !list || list->model()->rowCount() == 0) {
            ADD_FAILURE() << "no drive dialog with drives";
            modal->close();
            return;
        }
        const QModelIndex first = list->model()->index(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(first).center());
        if (const DriveInfo* drive = dialog->GetSelectedDrive()) {
            chosen = QString::fromStdString(drive->GetDriveLetter());
        }
        dialog->accept();
    });
    QTest::mouseClick(View().BitmapButton(CTunecrateView::IDC_SELDRV), Qt::LeftButton);
    FinishModals();
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(View().DriveLabel()->toolTip(), chosen);
    EXPECT_EQ(QString::fromStdString(View().GetSettings().GetStickDrive()), chosen);
    EXPECT_TRUE(View().FreeSpaceLabel()->text().endsWith(" MB free"));
}

}  // namespace
