#include "ui/CExtensionsDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "UiTestSupport.h"
#include "storage/AppSettings.h"
#include "support/TempDir.h"

namespace {

using Strings = std::vector<std::string>;

class ExtensionsDlgTest : public ::testing::Test {
  protected:
    // Opens the dialog over settings holding `extensions`, shown and active.
    void Open(const Strings& extensions) {
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

    void Type(const char* text) { QTest::keyClicks(edit_, text); }
    void Enter(QWidget* where) { QTest::keyClick(where, Qt::Key_Return); }
    void Click(const char* buttonName) {
        QTest::mouseClick(Child<QPushButton>(*dialog_, buttonName), Qt::LeftButton);
    }
    QStringList Listed() const { return dialog_->GetListedExtensions(); }

    TempDir dir_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<CExtensionsDlg> dialog_;
    QLineEdit* edit_ = nullptr;
    QListWidget* list_ = nullptr;
};

TEST_F(ExtensionsDlgTest, OpensWithTheSettingsListSortedAndTheFocusInTheEdit) {
    Open({"wav", "mp3", "OGG", "mp3"});
    EXPECT_EQ(dialog_->windowTitle(), "Music File Extensions");
    EXPECT_EQ(Listed(), (QStringList{"mp3", "mp3", "OGG", "wav"}));
    EXPECT_TRUE(edit_->hasFocus());
    EXPECT_TRUE(edit_->text().isEmpty());
    EXPECT_FALSE(Child<QPushButton>(*dialog_, "okButton")->isDefault());
}

TEST_F(ExtensionsDlgTest, EnterAddsTheLowerCasedExtensionEmptiesTheEditAndKeepsTheDialogOpen) {
    Open({"wav"});
    Type("MP3");
    Enter(edit_);
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
    EXPECT_TRUE(edit_->text().isEmpty());
    EXPECT_TRUE(dialog_->isVisible());

    // The same extension in other letter case is not added again; the edit is emptied anyway.
    Type("Mp3");
    Enter(edit_);
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
    EXPECT_TRUE(edit_->text().isEmpty());

    // No trimming, no dot removal: the text goes in as typed, lower-cased. Empty adds nothing.
    Type(".Mp");
    Enter(edit_);
    Type(" a ");
    Enter(edit_);
    Enter(edit_);
    EXPECT_EQ(Listed(), (QStringList{" a ", ".mp", "mp3", "wav"}));
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(settings_->GetExtensions(), (Strings{"wav"}));
}

TEST_F(ExtensionsDlgTest, LeavingTheEditAddsTheExtensionAndKeepsTheText) {
    Open({"mp3"});
    Type("wav");
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(edit_->hasFocus());
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
    EXPECT_EQ(edit_->text(), "wav");

    // Enter in the list adds the kept text again, finds it listed, and empties the edit.
    Enter(list_);
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
    EXPECT_TRUE(edit_->text().isEmpty());
}

TEST_F(ExtensionsDlgTest, OkDirectlyAfterTypingStoresTheListInAlphabeticalOrder) {
    Open({"wav", "mp3", "ogg"});
    Type("aac");
    Click("okButton");
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(settings_->GetExtensions(), (Strings{"aac", "mp3", "ogg", "wav"}));
}

TEST_F(ExtensionsDlgTest, CancelEscapeAndTheCloseBoxLeaveTheSettingsUnchanged) {
    for (int way = 0; way < 3; ++way) {
        Open({"wav", "mp3"});
        Type("xyz");
        Enter(edit_);
        ASSERT_EQ(Listed(), (QStringList{"mp3", "wav", "xyz"}));
        Type("abc");
        if (way == 0) {
            Click("cancelButton");  // the edit loses the focus and adds abc first
        } else if (way == 1) {
            QTest::keyClick(edit_, Qt::Key_Escape);
        } else {
            dialog_->close();
        }
        EXPECT_EQ(dialog_->result(), QDialog::Rejected) << "way " << way;
        EXPECT_FALSE(dialog_->isVisible());
        EXPECT_EQ(settings_->GetExtensions(), (Strings{"wav", "mp3"})) << "way " << way;
    }
}

TEST_F(ExtensionsDlgTest, TheEditTakesAtMostThreeCharactersTypedOrPasted) {
    Open({});
    Type("flac");
    EXPECT_EQ(edit_->text(), "fla");
    edit_->clear();
    QApplication::clipboard()->setText("abcdef");
    edit_->paste();
    EXPECT_EQ(edit_->text(), "abc");
}

TEST_F(ExtensionsDlgTest, RemoveDeletesTheSelectedItemOnlyAndAnEmptyListCanBeSaved) {
    Open({"mp3", "ogg", "wav"});
    Click("removeButton");  // nothing selected: nothing happens
    EXPECT_EQ(Listed(), (QStringList{"mp3", "ogg", "wav"}));

    list_->setCurrentRow(1);
    Click("removeButton");
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));

    for (int i = 0; i < 2; ++i) {
        list_->setCurrentRow(0);
        Click("removeButton");
    }
    EXPECT_TRUE(Listed().isEmpty());
    Click("okButton");
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_TRUE(settings_->GetExtensions().empty());
}

TEST_F(ExtensionsDlgTest, EnterOnAFocusedButtonPressesThatButton) {
    Open({"mp3", "wav"});
    list_->setCurrentRow(0);
    QPushButton* remove = Child<QPushButton>(*dialog_, "removeButton");
    remove->setFocus();
    Enter(remove);
    EXPECT_EQ(Listed(), (QStringList{"wav"}));
    EXPECT_TRUE(dialog_->isVisible());

    QPushButton* ok = Child<QPushButton>(*dialog_, "okButton");
    ok->setFocus();
    Enter(ok);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(settings_->GetExtensions(), (Strings{"wav"}));
}

}  // namespace
