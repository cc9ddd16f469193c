// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CExtensionsDlg.h"

#include "UiTestSupport.h"
#include "storage/AppSettings.h"

namespace {

using Strings = std::vector<std::string>;

class ExtensionsDlgTest : public ::testing::Test {
  protected:
    void Open(const Strings& extensions) {
        WriteFileBytes(dir_ / "Tunecrate.ini", "");  // not a first start: no types of its own
        settings_ = std::make_unique<AppSettings>(dir_ / "Tunecrate.ini");
        settings_->SetSaveOnDestroy(false);
        for (const std::string& ext : extensions) {
            settings_->AddExtension(ext);
        }
        dialog_ = std::make_unique<CExtensionsDlg>(*settings_);
        ShowActive(*dialog_);
        edit_ = Child<QLineEdit>(*dialog_, "newExtension");
        list_ = Child<QListWidget>(*dialog_, "extensionList");
    }
    void TypeAndEnter(const char* text) {
        QTest::keyClicks(edit_, text);
        QTest::keyClick(edit_, Qt::Key_Return);
    }
    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(*dialog_, button), Qt::LeftButton);
    }
    QStringList Listed() const { return dialog_->GetListedExtensions(); }

    TempDir dir_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<CExtensionsDlg> dialog_;
    QLineEdit* edit_ = nullptr;
    QListWidget* list_ = nullptr;
};

TEST_F(ExtensionsDlgTest, EnterOrLeavingTheEditAddsTheTextLowerCasedOnceAndKeepsTheDialogOpen) {
    Open({"wav", "mp3", "OGG", "mp3"});
    EXPECT_EQ(Listed(), (QStringList{"mp3", "mp3", "OGG", "wav"}));  // sorted as stored
    EXPECT_TRUE(edit_->hasFocus());
    EXPECT_FALSE(Child<QPushButton>(*dialog_, "okButton")->isDefault());
    Open({"wav"});
    TypeAndEnter("MP3");
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
    EXPECT_TRUE(edit_->text().isEmpty());
    TypeAndEnter("Mp3");  // listed already, whatever the case; the edit is emptied anyway
    EXPECT_TRUE(edit_->text().isEmpty());
    // The core's check: a leading dot is dropped; a refusal is said in the dialog and adds
    // nothing; empty adds nothing. 16 characters at most.
    auto* problem = Child<QLabel>(*dialog_, "problem");
    TypeAndEnter(" a ");
    EXPECT_FALSE(problem->text().isEmpty());
    TypeAndEnter(".Flac");
    EXPECT_TRUE(problem->text().isEmpty());
    TypeAndEnter("");
    EXPECT_EQ(Listed(), (QStringList{"flac", "mp3", "wav"}));
    QApplication::clipboard()->setText("abcdefghijklmnopqrst");
    edit_->paste();
    EXPECT_EQ(edit_->text(), "abcdefghijklmnop");
    // Leaving the edit adds its text and keeps it; Enter in the list then finds it listed.
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Listed(), (QStringList{"abcdefghijklmnop", "flac", "mp3", "wav"}));
    EXPECT_EQ(edit_->text(), "abcdefghijklmnop");
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(Listed().size(), 4);
    EXPECT_TRUE(edit_->text().isEmpty());
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(settings_->GetExtensions(), (Strings{"wav"}));
}

TEST_F(ExtensionsDlgTest, TheAddButtonAddsTheTypedTextAndEmptiesTheEdit) {
    Open({"wav"});
    QTest::keyClicks(edit_, "FLAC");
    Click("addButton");
    EXPECT_EQ(Listed(), (QStringList{"flac", "wav"}));
    EXPECT_TRUE(edit_->text().isEmpty());
    EXPECT_TRUE(edit_->hasFocus());
}

// OK stores the list in alphabetical order, with the text still in the edit; Cancel, Escape and
// the close box store nothing.
TEST_F(ExtensionsDlgTest, OkStoresTheSortedListAndEveryOtherWayOutNothing) {
    for (const char* way : {"cancel", "escape", "close", "ok"}) {
        SCOPED_TRACE(way);
        Open({"wav", "mp3"});
        TypeAndEnter("xyz");
        QTest::keyClicks(edit_, "abc");
        const bool ok = std::string(way) == "ok";
        if (ok || std::string(way) == "cancel") {
            Click(ok ? "okButton" : "cancelButton");  // the edit loses the focus first, adds abc
        } else if (std::string(way) == "escape") {
            QTest::keyClick(edit_, Qt::Key_Escape);
        } else {
            dialog_->close();
        }
        EXPECT_EQ(dialog_->result(), ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_FALSE(dialog_->isVisible());
        EXPECT_EQ(settings_->GetExtensions(),
                  (ok ? Strings{"abc", "mp3", "wav", "xyz"} : Strings{"wav", "mp3"}));
    }
}

TEST_F(ExtensionsDlgTest, RemoveDeletesTheSelectedItemAndEnterPressesAFocusedButton) {
    Open({"mp3", "ogg", "wav"});
    Click("removeButton");  // nothing selected
    EXPECT_EQ(Listed(), (QStringList{"mp3", "ogg", "wav"}));
    list_->setCurrentRow(1);
    Click("removeButton");
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        list_->setCurrentRow(0);
        auto* remove = Child<QPushButton>(*dialog_, "removeButton");
        remove->setFocus();
        QTest::keyClick(remove, key);
    }
    EXPECT_TRUE(Listed().isEmpty());

    // An empty list is stored too.
    auto* ok = Child<QPushButton>(*dialog_, "okButton");
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_TRUE(settings_->GetExtensions().empty());
}

}  // namespace
