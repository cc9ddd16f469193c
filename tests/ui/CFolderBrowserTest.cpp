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

TEST_F(FolderBrowserTest, OpensAtTheStartFolderShowsThePathAndEachPickBecomesTheNextStart) {
    CFolderBrowser browser(nullptr, StringTable::kFolderPickerTitle);
    browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs | CFolderPickerBase::kStatusText);
    browser.SetStartFolder(rock_);
    EXPECT_TRUE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Add music directory");
        EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_EQ(dialog->selectedFiles(), QStringList{rock_});
        EXPECT_EQ(StatusLine(dialog), rock_);
        ClickEntry(dialog, "Jazz");
        EXPECT_EQ(StatusLine(dialog), jazz_);
        ClickButton(dialog, QDialogButtonBox::Open);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz_);

    // The next pick starts there; entering folders shows their paths. Cancel keeps the pick.
    browser.SetStartFolder(browser.GetChosenPath());
    EXPECT_FALSE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedFiles(), QStringList{jazz_});
        EXPECT_EQ(StatusLine(dialog), jazz_);
        ClickEntry(dialog, "Rock");
        EXPECT_EQ(StatusLine(dialog), rock_);
        ClickEntry(dialog, "Jazz", true);
        ClickEntry(dialog, "Live", true);
        EXPECT_EQ(StatusLine(dialog), jazz_ + "/Live");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_EQ(browser.GetChosenPath(), jazz_);
}

TEST_F(FolderBrowserTest, AMissingStartFolderIsShownTheTitleAndStatusLineFollowTheSettings) {
    CFolderBrowser browser(nullptr, 0);
    EXPECT_TRUE(browser.GetTitle().isEmpty());
    EXPECT_FALSE(browser.SetTitleFromResource(-1));
    EXPECT_FALSE(browser.SetTitleFromResource(4711));
    browser.SetOptionFlags(CFolderPickerBase::kStatusText);
    browser.SetStartFolder(root_ + "/gone");
    EXPECT_FALSE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_TRUE(dialog->windowTitle().isEmpty());
        EXPECT_EQ(StatusLine(dialog), root_ + "/gone");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));

    browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs);
    EXPECT_TRUE(browser.SetTitleFromResource(StringTable::kFolderPickerTitle));
    EXPECT_FALSE(Run(browser, [&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Add music directory");
        EXPECT_EQ(StatusLine(dialog), "<none>");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_TRUE(browser.GetChosenPath().isEmpty());
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QString& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            old_ = qgetenv(name);
        }
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { old_ ? (void)qputenv(name_, *old_) : (void)qunsetenv(name_); }

  private:
    const char* name_;
    std::optional<QByteArray> old_;
};

TEST_F(FolderBrowserTest, TheFirstStartIsTheMusicFolderWhenThereIsOneElseHome) {
    const ScopedEnv home("HOME", root_);
    const ScopedEnv config("XDG_CONFIG_HOME", root_ + "/.config");
    EXPECT_EQ(CFolderBrowser::DefaultStartFolder(), root_);
    ASSERT_TRUE(QDir().mkpath(root_ + "/Music"));
    EXPECT_EQ(CFolderBrowser::DefaultStartFolder(), root_ + "/Music");
}

}  // namespace
