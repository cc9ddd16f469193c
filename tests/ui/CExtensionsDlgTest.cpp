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

TEST_F(ExtensionsDlgTest, OpensWithTheStoredListSortedAndTheFocusInTheEdit) {
    Open({"wav", "mp3", "OGG", "mp3"});
    EXPECT_EQ(Listed(), (QStringList{"mp3", "mp3", "OGG", "wav"}));
    EXPECT_TRUE(edit_->hasFocus());
    EXPECT_FALSE(Child<QPushButton>(*dialog_, "okButton")->isDefault());
}

// Listed already, whatever the case, the text is not added again; the edit is emptied anyway.
// Nothing is stored before OK.
TEST_F(ExtensionsDlgTest, EnterAddsTheTextLowerCasedOnceAndKeepsTheDialogOpen) {
    Open({"wav"});
    for (const char* typed : {"MP3", "Mp3"}) {
        TypeAndEnter(typed);
        EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
        EXPECT_TRUE(edit_->text().isEmpty());
    }
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(settings_->GetExtensions(), (Strings{"wav"}));
}

// A refusal is said in the dialog.
TEST_F(ExtensionsDlgTest, TheTypedTextIsCheckedAsTheCoreChecksIt) {
    const std::tuple<const char*, QStringList, bool> rows[] = {
        {" a ", {"wav"}, true}, {".Flac", {"flac", "wav"}, false}, {"", {"wav"}, false}};
    for (const auto& [typed, listed, refused] : rows) {
        SCOPED_TRACE(typed);
        Open({"wav"});
        TypeAndEnter(typed);
        EXPECT_EQ(Listed(), listed);
        EXPECT_EQ(Child<QLabel>(*dialog_, "problem")->text().isEmpty(), !refused);
    }
}

TEST_F(ExtensionsDlgTest, TheEditTakesSixteenCharactersAtMost) {
    Open({});
    QApplication::clipboard()->setText("abcdefghijklmnopqrst");
    edit_->paste();
    EXPECT_EQ(edit_->text(), "abcdefghijklmnop");
}

// Enter in the list then finds the text listed.
TEST_F(ExtensionsDlgTest, LeavingTheEditAddsItsTextAndKeepsIt) {
    Open({"wav"});
    QTest::keyClicks(edit_, "flac");
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Listed(), (QStringList{"flac", "wav"}));
    EXPECT_EQ(edit_->text(), "flac");
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(Listed().size(), 2);
    EXPECT_TRUE(edit_->text().isEmpty());
}

TEST_F(ExtensionsDlgTest, TheAddButtonAddsTheTypedTextAndEmptiesTheEdit) {
    Open({"wav"});
    QTest::keyClicks(edit_, "FLAC");
    Click("addButton");
    EXPECT_EQ(Listed(), (QStringList{"flac", "wav"}));
    EXPECT_TRUE(edit_->text().isEmpty());
    EXPECT_TRUE(edit_->hasFocus());
}

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

TEST_F(ExtensionsDlgTest, RemoveDeletesTheSelectedItem) {
    Open({"mp3", "ogg", "wav"});
    Click("removeButton");  // nothing selected
    EXPECT_EQ(Listed(), (QStringList{"mp3", "ogg", "wav"}));
    list_->setCurrentRow(1);
    Click("removeButton");
    EXPECT_EQ(Listed(), (QStringList{"mp3", "wav"}));
}

TEST_F(ExtensionsDlgTest, EnterPressesAFocusedButton) {
    Open({"mp3", "ogg", "wav"});
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        list_->setCurrentRow(0);
        auto* remove = Child<QPushButton>(*dialog_, "removeButton");
        remove->setFocus();
        QTest::keyClick(remove, key);
    }
    EXPECT_EQ(Listed(), QStringList{"wav"});
    auto* ok = Child<QPushButton>(*dialog_, "okButton");
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
}

TEST_F(ExtensionsDlgTest, AnEmptyListIsStoredToo) {
    Open({"mp3"});
    list_->setCurrentRow(0);
    Click("removeButton");
    Click("okButton");
    EXPECT_TRUE(settings_->GetExtensions().empty());
}

}  // namespace
