// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDriveDlg.h"

#include "UiTestSupport.h"
#include "support/FakeVolumes.h"

namespace {

class DriveDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A: and B: as removable and fixed, then one drive of each type, some with labels.
        using T = platform::DriveType;
        const T types[] = {T::kRemovable, T::kFixed,  T::kFixed,   T::kOptical,   T::kRemovable,
                           T::kRamDisk,   T::kRemote, T::kUnknown, T::kNoRootDir, T(9)};
        for (int i = 0; i < 10; ++i) {
            const auto space = i == 4 ? platform::DiskSpace{64487424, 128974848, 64487424}
                                      : std::optional<platform::DiskSpace>();
            const char* label = i == 3 ? "DATA" : i == 4 ? "MUSIC" : "";
            volumes_.Add(std::string(1, char('A' + i)) + ":\\", {types[i], space, label});
        }
        volumes_.Add("/media/somebody/A_RATHER_LONG_VOLUME_NAME",
                     {platform::DriveType::kRemovable, {}, ""});
        dialog_ = std::make_unique<CDriveDlg>(nullptr, volumes_);
        ShowActive(*dialog_);
        list_ = Child<QListWidget>(*dialog_, "driveList");
    }
    void ClickItem(int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, mods,
                          list_->visualItemRect(list_->item(row)).center());
    }
    void ClickEmptyArea() {
        const QPoint empty = list_->viewport()->rect().bottomRight() - QPoint(3, 3);
        ASSERT_FALSE(list_->indexAt(empty).isValid());
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, empty);
    }
    std::string Chosen() const {
        const DriveInfo* drive = dialog_->GetSelectedDrive();
        return drive ? drive->GetRootPath() : "<none>";
    }

    FakeVolumes volumes_;
    std::unique_ptr<CDriveDlg> dialog_;
    QListWidget* list_ = nullptr;
};

TEST_F(DriveDlgTest, ListsRemovableDrivesFirstOnePerLineWithLabelRootAndFreeSpace) {
    QStringList texts;
    for (int i = 0; i < list_->count(); ++i) {
        texts << list_->item(i)->text();
    }
    EXPECT_EQ(texts, (QStringList{"A:\\", QString::fromUtf8("MUSIC \u2014 E:\\ \u2014 61 MB free"),
                                  "/media/somebody/A_RATHER_LONG_VOLUME_NAME", "B:\\", "C:\\",
                                  QString::fromUtf8("DATA \u2014 D:\\"), "F:\\", "G:\\", "H:\\",
                                  "I:\\", "J:\\"}));
}

TEST_F(DriveDlgTest, OnlyAClickOnADriveChoosesAndDescribesIt) {
    ClickEmptyArea();
    EXPECT_EQ(Chosen(), "<none>");
    ClickItem(9);
    EXPECT_EQ(dialog_->GetDescriptionText(), "Root directory does not exist.");
    ClickItem(1);
    ClickEmptyArea();
    EXPECT_EQ(Chosen(), "E:\\");
    EXPECT_EQ(Child<QLabel>(*dialog_, "description")->text(),
              "Removable Drive\n\nBytes total: 128,974,848\nBytes free: 64,487,424");
}

// The focus starts on OK, the default button.
TEST_F(DriveDlgTest, EnterEndsTheDialogWithTheChosenDrive) {
    EXPECT_TRUE(Child<QPushButton>(*dialog_, "okButton")->hasFocus());
    ClickItem(1);
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(Chosen(), "E:\\");
}

// Only the selection mark counts: Shift extends the selection from it, keys move it.
TEST_F(DriveDlgTest, TheSelectionMarkFollowsClicksAndKeys) {
    ClickItem(1);
    ClickItem(3, Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "E:\\");
    ClickItem(4);
    QTest::keyClick(list_, Qt::Key_Down);
    EXPECT_EQ(Chosen(), "D:\\");
    EXPECT_EQ(dialog_->GetDescriptionText(), "CD-/DVD-ROM drive");
    QTest::keyClick(list_, Qt::Key_Down);
    QTest::keyClick(list_, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "F:\\");
    EXPECT_EQ(list_->selectedItems().size(), 2);
}

TEST_F(DriveDlgTest, TheChoiceStaysWithItsDriveWhenAMountComes) {
    dialog_->SelectDrive("E:\\");
    EXPECT_EQ(list_->selectedItems(), QList<QListWidgetItem*>{list_->item(1)});
    const QString description = dialog_->GetDescriptionText();
    EXPECT_FALSE(description.isEmpty());
    volumes_.AddFirst("/media/anna/NEW", {platform::DriveType::kRemovable, {}, "NEW"});
    QTest::mouseClick(Child<QPushButton>(*dialog_, "refreshButton"), Qt::LeftButton);
    EXPECT_EQ(list_->item(0)->text(), QString::fromUtf8("NEW \u2014 /media/anna/NEW"));
    EXPECT_EQ(Chosen(), "E:\\");
    EXPECT_EQ(list_->selectedItems(), QList<QListWidgetItem*>{list_->item(2)});
    EXPECT_EQ(dialog_->GetDescriptionText(), description);
}

TEST_F(DriveDlgTest, AChosenDriveThatIsGoneLeavesNoneChosen) {
    dialog_->SelectDrive("E:\\");
    volumes_.Remove("E:\\");
    dialog_->OnRefresh();
    EXPECT_EQ(Chosen(), "<none>");
    EXPECT_TRUE(list_->selectedItems().isEmpty());
    EXPECT_TRUE(Child<QLabel>(*dialog_, "description")->text().isEmpty());
}

TEST_F(DriveDlgTest, AnEmptyListSaysWhatToDoUntilADriveComes) {
    for (int i = 0; i < 10; ++i) {
        volumes_.Remove(std::string(1, char('A' + i)) + ":\\");
    }
    volumes_.Remove("/media/somebody/A_RATHER_LONG_VOLUME_NAME");
    QTest::mouseClick(Child<QPushButton>(*dialog_, "refreshButton"), Qt::LeftButton);
    EXPECT_TRUE(Child<QLabel>(*dialog_, "description")->text().startsWith("No drive for music"));
    volumes_.Add("/media/anna/NEW", {platform::DriveType::kRemovable, {}, "NEW"});
    QTest::mouseClick(Child<QPushButton>(*dialog_, "refreshButton"), Qt::LeftButton);
    EXPECT_TRUE(Child<QLabel>(*dialog_, "description")->text().isEmpty());
}

TEST_F(DriveDlgTest, ADoubleClickChoosesTheDriveAndClosesTheDialog) {
    ClickItem(2);  // a double click begins as a click
    const std::string clicked = Chosen();
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {},
                       list_->visualItemRect(list_->item(2)).center());
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(Chosen(), clicked);
    EXPECT_NE(clicked, "<none>");
}

TEST_F(DriveDlgTest, AVolumeNotForMusicIsListedOnlyAsTheStickInUse) {
    volumes_.AddNotForMusic("/srv/stick", {platform::DriveType::kFixed, {}, "OLD"});
    dialog_->OnRefresh();
    EXPECT_TRUE(list_->findItems("/srv/stick", Qt::MatchContains).isEmpty());
    dialog_->SetCurrentStick("/srv/stick");
    ASSERT_EQ(list_->selectedItems().size(), 1);
    EXPECT_EQ(list_->selectedItems()[0]->text(), QString::fromUtf8("OLD \u2014 /srv/stick"));
    EXPECT_EQ(Chosen(), "/srv/stick");
}

TEST_F(DriveDlgTest, TheListTakesTheRoomWhenTheDialogGrows) {
    const QSize list = list_->size();
    dialog_->resize(dialog_->size() + QSize(120, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list_->size() == list + QSize(120, 80); }));
    auto* ok = Child<QPushButton>(*dialog_, "okButton");
    EXPECT_TRUE(dialog_->rect().contains(QRect(ok->mapTo(dialog_.get(), QPoint()), ok->size())));
}

}  // namespace
