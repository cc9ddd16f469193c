// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CFolderBrowser.h"

#include "UiTestSupport.h"
#include "ui/StringTable.h"

namespace {

// The status line's text without the invisible break opportunities.
QString StatusLine(QWidget* dialog) {
    auto* label = dialog->findChild<QLabel*>("folderStatusLine");
    return label == nullptr ? QString("<none>") : label->text().remove(QChar(0x200b));
}

// Clicks (or double-clicks, which enters) the entry `name` in the folder list once it is read.
void ClickEntry(QWidget* dialog, const QString& name, bool twice = false) {
    auto* view = dialog->findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    QModelIndex entry;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QModelIndexList found =
            view->model()->match(view->model()->index(0, 0, view->rootIndex()), Qt::DisplayRole,
                                 name, 1, Qt::MatchExactly);
        entry = found.value(0);
        return entry.isValid();
    }));
    const QPoint centre = view->visualRect(entry).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    if (twice) {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    }
}

// Open is the button that picks ("Choose").
void ClickButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_TRUE(box != nullptr && box->button(which) != nullptr);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

// A folder with Rock and Jazz/Live in it, and a browser for music folders.
class FolderBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(rock) && QDir().mkpath(jazz + "/Live"));
        browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs |
                               CFolderPickerBase::kStatusText);
    }
    // Runs the browser and hands its dialog to `drive`.
    bool Run(const std::function<void(QWidget*)>& drive) {
        WhenModal(drive);
        const bool chosen = browser.Run();
        EXPECT_TRUE(FinishModals());
        return chosen;
    }

    TempDir dir;
    const QString root = QString::fromStdString(dir.Path());
    const QString rock = root + "/Rock", jazz = root + "/Jazz";
    CFolderBrowser browser{nullptr, StringTable::kFolderPickerTitle};
};

TEST_F(FolderBrowserTest, OpensAtTheStartFolderAndShowsThePathOfTheFolderPicked) {
    browser.SetStartFolder(rock);
    EXPECT_TRUE(Run([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Add music directory");
        EXPECT_TRUE(static_cast<QFileDialog*>(dialog)->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_EQ(static_cast<QFileDialog*>(dialog)->selectedFiles(), QStringList{rock});
        EXPECT_EQ(StatusLine(dialog), rock);
        ClickEntry(dialog, "Jazz");
        EXPECT_EQ(StatusLine(dialog), jazz);
        ClickButton(dialog, QDialogButtonBox::Open);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz);
}

// The program starts the next pick at the last one; entering folders shows their paths.
TEST_F(FolderBrowserTest, CancelKeepsTheLastPick) {
    browser.SetStartFolder(rock);
    ASSERT_TRUE(Run([&](QWidget* dialog) {
        ClickEntry(dialog, "Jazz");
        ClickButton(dialog, QDialogButtonBox::Open);
    }));
    browser.SetStartFolder(browser.GetChosenPath());
    EXPECT_FALSE(Run([&](QWidget* dialog) {
        EXPECT_EQ(StatusLine(dialog), jazz);
        ClickEntry(dialog, "Jazz", true);
        ClickEntry(dialog, "Live", true);
        EXPECT_EQ(StatusLine(dialog), jazz + "/Live");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz);
}

TEST_F(FolderBrowserTest, TheFirstStartIsTheMusicFolderWhenThereIsOneElseHome) {
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", root.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + "/.config").toLocal8Bit());
    EXPECT_EQ(CFolderBrowser::DefaultStartFolder(), root);
    QDir().mkpath(root + "/Music");
    EXPECT_EQ(CFolderBrowser::DefaultStartFolder(), root + "/Music");
    qputenv("HOME", home);
    config.isNull() ? (void)qunsetenv("XDG_CONFIG_HOME") : (void)qputenv("XDG_CONFIG_HOME", config);
}

}  // namespace
