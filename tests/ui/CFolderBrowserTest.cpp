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

// The browser opens at its start folder and shows the path of the folder under the pointer; each
// pick becomes the next start; the first start is the music folder when there is one, else home.
TEST(FolderBrowserTest, OpensAtTheStartFolderShowsThePathAndEachPickBecomesTheNextStart) {
    TempDir dir;
    const QString root = QString::fromStdString(dir.Path());
    const QString rock = root + "/Rock", jazz = root + "/Jazz";
    ASSERT_TRUE(QDir().mkpath(rock) && QDir().mkpath(jazz + "/Live"));
    CFolderBrowser browser(nullptr, StringTable::kFolderPickerTitle);
    // Runs the browser and hands its dialog to `drive`.
    const auto run = [&browser](const std::function<void(QWidget*)>& drive) {
        WhenModal(drive);
        const bool chosen = browser.Run();
        EXPECT_TRUE(FinishModals());
        return chosen;
    };
    browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs | CFolderPickerBase::kStatusText);
    browser.SetStartFolder(rock);
    EXPECT_TRUE(run([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Add music directory");
        EXPECT_TRUE(static_cast<QFileDialog*>(dialog)->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_EQ(static_cast<QFileDialog*>(dialog)->selectedFiles(), QStringList{rock});
        EXPECT_EQ(StatusLine(dialog), rock);
        ClickEntry(dialog, "Jazz");
        EXPECT_EQ(StatusLine(dialog), jazz);
        ClickButton(dialog, QDialogButtonBox::Open);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz);

    // The next pick starts there; entering folders shows their paths. Cancel keeps the pick.
    browser.SetStartFolder(browser.GetChosenPath());
    EXPECT_FALSE(run([&](QWidget* dialog) {
        EXPECT_EQ(StatusLine(dialog), jazz);
        ClickEntry(dialog, "Jazz", true);
        ClickEntry(dialog, "Live", true);
        EXPECT_EQ(StatusLine(dialog), jazz + "/Live");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz);

    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", root.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + "/.config").toLocal8Bit());
    const QString withoutMusic = CFolderBrowser::DefaultStartFolder();
    QDir().mkpath(root + "/Music");
    const QString withMusic = CFolderBrowser::DefaultStartFolder();
    qputenv("HOME", home);
    config.isNull() ? (void)qunsetenv("XDG_CONFIG_HOME") : (void)qputenv("XDG_CONFIG_HOME", config);
    EXPECT_EQ(withoutMusic, root);
    EXPECT_EQ(withMusic, root + "/Music");
}

}  // namespace
