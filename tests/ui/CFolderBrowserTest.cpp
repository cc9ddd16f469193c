#include "ui/CFolderBrowser.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "UiTestSupport.h"
#include "support/TempDir.h"
#include "ui/StringTable.h"

namespace {

// The status line's text without the invisible break opportunities.
QString StatusLine(QWidget* dialog) {
    auto* label = dialog->findChild<QLabel*>("folderStatusLine");
    return label == nullptr ? QString("<no status line>") : label->text().remove(QChar(0x200b));
}

// Clicks (or double-clicks) the entry `name` in the dialog's folder list once it has been read.
void ClickEntry(QWidget* dialog, const QString& name, bool twice = false) {
    auto* view = dialog->findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    QModelIndex entry;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QModelIndexList found =
            view->model()->match(view->model()->index(0, 0, view->rootIndex()), Qt::DisplayRole,
                                 name, 1, Qt::MatchExactly);
        entry = found.isEmpty() ? QModelIndex() : found.first();
        return entry.isValid();
    }));
    view->scrollTo(entry);
    const QPoint centre = view->visualRect(entry).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    if (twice) {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    }
}

// Clicks a button of the dialog's button box: Open is the one that picks ("Choose").
void ClickButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->button(which), nullptr);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

class FolderBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(rock_));
        ASSERT_TRUE(QDir().mkpath(jazz_ + "/Live"));
    }

    // Runs the browser and hands its dialog to `drive`.
    bool Run(CFolderBrowser& browser, const std::function<void(QFileDialog*)>& drive) {
        return DriveModal(
            [&](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                ASSERT_NE(dialog, nullptr);
                drive(dialog);
            },
            [&] { return browser.Run(); });
    }

    TempDir dir_;
    const QString root_ = QString::fromStdString(dir_.Path());
    const QString rock_ = root_ + "/Rock";
    const QString jazz_ = root_ + "/Jazz";
};

TEST_F(FolderBrowserTest, OpensAtTheStartFolderAndEachPickBecomesTheNextStart) {
    CFolderBrowser browser(nullptr, StringTable::kFolderPickerTitle);
    browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs | CFolderPickerBase::kStatusText);
    browser.SetStartFolder(rock_);

    // Opened with Rock selected in its parent folder; the user moves to Jazz and picks it.
    EXPECT_TRUE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Add music directory");
        EXPECT_EQ(dialog->selectedFiles(), QStringList{rock_});
        EXPECT_EQ(StatusLine(dialog), rock_);
        ClickEntry(dialog, "Jazz");
        EXPECT_EQ(StatusLine(dialog), jazz_);
        ClickButton(dialog, QDialogButtonBox::Open);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz_);

    // The next pick starts there; entering a folder shows its path too. Cancel keeps the pick.
    browser.SetStartFolder(browser.GetChosenPath());
    EXPECT_FALSE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedFiles(), QStringList{jazz_});
        EXPECT_EQ(StatusLine(dialog), jazz_);
        ClickEntry(dialog, "Rock");
        EXPECT_EQ(StatusLine(dialog), rock_);
        ClickEntry(dialog, "Jazz", true);
        EXPECT_EQ(StatusLine(dialog), jazz_);
        ClickEntry(dialog, "Live", true);
        EXPECT_EQ(StatusLine(dialog), jazz_ + "/Live");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz_);
}

TEST_F(FolderBrowserTest, AMissingStartFolderIsStillShownAndOnlyStatusFlagGivesAStatusLine) {
    CFolderBrowser browser(nullptr, StringTable::kFolderPickerTitle);
    browser.SetOptionFlags(CFolderPickerBase::kStatusText);
    browser.SetStartFolder(root_ + "/gone");
    EXPECT_FALSE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(StatusLine(dialog), root_ + "/gone");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));

    browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs);
    EXPECT_FALSE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->findChild<QLabel*>("folderStatusLine"), nullptr);
        EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_TRUE(browser.GetChosenPath().isEmpty());
}

TEST_F(FolderBrowserTest, TheTitleComesFromTheStringTable) {
    CFolderBrowser untitled(nullptr, 0);
    EXPECT_TRUE(untitled.GetTitle().isEmpty());
    EXPECT_FALSE(untitled.SetTitleFromResource(-1));
    EXPECT_FALSE(untitled.SetTitleFromResource(4711));
    EXPECT_TRUE(untitled.GetTitle().isEmpty());
    EXPECT_TRUE(untitled.SetTitleFromResource(StringTable::kFolderPickerTitle));
    EXPECT_EQ(untitled.GetTitle(), "Add music directory");
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name),
          old_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        qputenv(name, value);
    }
    ~ScopedEnv() { old_ ? (void)qputenv(name_, *old_) : (void)qunsetenv(name_); }

  private:
    const char* name_;
    std::optional<QByteArray> old_;
};

TEST_F(FolderBrowserTest, TheFirstStartIsTheMusicFolderWhenThereIsOneElseHome) {
    const ScopedEnv home("HOME", root_.toLocal8Bit());
    const ScopedEnv config("XDG_CONFIG_HOME", (root_ + "/.config").toLocal8Bit());
    EXPECT_EQ(CFolderBrowser::DefaultStartFolder(), root_);
    ASSERT_TRUE(QDir().mkpath(root_ + "/Music"));
    EXPECT_EQ(CFolderBrowser::DefaultStartFolder(), root_ + "/Music");
}

}  // namespace
