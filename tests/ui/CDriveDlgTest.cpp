#include "ui/CDriveDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>
#include <memory>

#include "FakeVolumes.h"
#include "UiTestSupport.h"

namespace {

using D = CDriveDlg;

std::string Root(char letter) {
    return std::string(1, letter) + ":\\";
}

class DriveDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A: and B: as removable and fixed, then one drive of each type, some with labels.
        const platform::DriveType types[] = {
            platform::DriveType::kRemovable, platform::DriveType::kFixed,
            platform::DriveType::kFixed,     platform::DriveType::kOptical,
            platform::DriveType::kRemovable, platform::DriveType::kRamDisk,
            platform::DriveType::kRemote,    platform::DriveType::kUnknown,
            platform::DriveType::kNoRootDir, platform::DriveType(9)};
        for (int i = 0; i < 10; ++i) {
            FakeVolumes::Drive drive{types[i], {}, i == 3 ? "DATA" : i == 4 ? "MUSIC" : ""};
            if (i == 4) {
                drive.space = platform::DiskSpace{64487424, 128974848, 64487424};
            }
            volumes_.Add(Root(char('A' + i)), drive);
        }
        volumes_.Add("/media/somebody/A_RATHER_LONG_VOLUME_NAME",
                     {platform::DriveType::kRemovable, {}, ""});
    }
    void Open(const FakeVolumes& volumes) {
        dialog_ = std::make_unique<CDriveDlg>(nullptr, volumes);
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

TEST_F(DriveDlgTest, ListsTheDrivesInOrderWithTheirNamesAndTheImageOfTheirKind) {
    Open(volumes_);
    QStringList texts;
    std::vector<int> images;
    for (int i = 0; i < list_->count(); ++i) {
        texts << list_->item(i)->text();
        images.push_back(list_->item(i)->data(D::kImageRole).toInt());
    }
    EXPECT_EQ(texts, (QStringList{"A:", "B:", "C:", "D:  (DATA)", "E:  (MUSIC)", "F:", "G:", "H:",
                                  "I:", "J:", "/media/somebody/A_RATHER_LONG_VOLUME_NAME"}));
    EXPECT_EQ(images, (std::vector<int>{D::kImageFloppy, D::kImageFloppy, D::kImageFixed,
                                        D::kImageOptical, D::kImageRemovable, D::kImageRamDisk,
                                        D::kImageRemote, D::kImageUnknown, D::kImageUnknown,
                                        D::kImageUnknown, D::kImageRemovable}));
    // Scrolled to the far right, the long name ends inside the list.
    list_->horizontalScrollBar()->setValue(list_->horizontalScrollBar()->maximum());
    EXPECT_LE(list_->visualItemRect(list_->item(10)).right(), list_->viewport()->width());
    // The focus starts on OK, the default button: Enter ends the dialog with the chosen drive.
    EXPECT_TRUE(Child<QPushButton>(*dialog_, "okButton")->hasFocus());
    ClickItem(4);
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(Chosen(), "E:\\");
}

TEST_F(DriveDlgTest, AClickChoosesADriveAndShowsItsDescriptionAnEmptyAreaChangesNothing) {
    Open(volumes_);
    auto* description = Child<QLabel>(*dialog_, "description");
    ClickEmptyArea();
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
    EXPECT_TRUE(description->text().isEmpty());

    ClickItem(4);
    EXPECT_EQ(Chosen(), "E:\\");
    EXPECT_EQ(description->text(),
              "Removable Drive\n\nBytes total: 128.974.848\nBytes free: 64.487.424");
    ClickEmptyArea();
    EXPECT_EQ(Chosen(), "E:\\");
    ClickItem(8);
    EXPECT_EQ(description->text(), "Root directory does not exist.");
    QTest::mouseClick(Child<QPushButton>(*dialog_, "cancelButton"), Qt::LeftButton);
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);

    // Without drives, OK ends the dialog with none chosen.
    Open(FakeVolumes());
    ClickEmptyArea();
    QTest::mouseClick(Child<QPushButton>(*dialog_, "okButton"), Qt::LeftButton);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
}

// Only the selection mark counts; Refresh keeps its index and the description, but drops a
// mark beyond the new list.
TEST_F(DriveDlgTest, TheSelectionMarkFollowsClicksAndKeysAndSurvivesRefreshByIndex) {
    Open(volumes_);
    ClickItem(2);
    ClickItem(4, Qt::ControlModifier);
    EXPECT_EQ(Chosen(), "E:\\");
    ClickItem(6, Qt::ShiftModifier);  // extends from the mark, which stays
    EXPECT_TRUE(list_->item(5)->isSelected() && list_->item(6)->isSelected());
    EXPECT_EQ(Chosen(), "E:\\");
    ClickItem(2);
    QTest::keyClick(list_, Qt::Key_Down);
    EXPECT_EQ(Chosen(), "D:\\");
    EXPECT_EQ(dialog_->GetDescriptionText(), "CD-/DVD-ROM drive");
    QTest::keyClick(list_, Qt::Key_Down);
    QTest::keyClick(list_, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "E:\\");
    EXPECT_EQ(list_->selectedItems().size(), 2);

    const QString description = dialog_->GetDescriptionText();
    volumes_.RemoveFirst();  // without A:, F: sits at index 4
    QTest::mouseClick(Child<QPushButton>(*dialog_, "refreshButton"), Qt::LeftButton);
    EXPECT_EQ(list_->count(), 10);
    EXPECT_TRUE(list_->selectedItems().isEmpty());
    EXPECT_EQ(Chosen(), "F:\\");
    EXPECT_EQ(dialog_->GetDescriptionText(), description);
    ClickEmptyArea();  // no mark in the new list: nothing changes
    EXPECT_EQ(Chosen(), "F:\\");
    ClickItem(8);
    for (int i = 0; i < 3; ++i) {
        volumes_.RemoveFirst();
    }
    dialog_->OnRefresh();
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
}

// The machine's own mounts, each with its picture. Tests running in parallel mount and unmount
// small volumes: the list is compared with a snapshot during which the mounts stayed the same.
TEST(DriveDlgSystemTest, ListsThisMachinesMounts) {
    const platform::VolumeQueries& system = platform::VolumeQueries::System();
    std::vector<std::string> roots;
    std::unique_ptr<CDriveDlg> dialog;
    for (int attempt = 0; attempt < 50 && (attempt == 0 || system.GetDriveRoots() != roots);
         ++attempt) {
        roots = system.GetDriveRoots();
        dialog = std::make_unique<CDriveDlg>(nullptr, system);
    }
    auto* list = Child<QListWidget>(*dialog, "driveList");
    ASSERT_EQ(list->count(), int(roots.size()));
    EXPECT_NE(std::find(roots.begin(), roots.end(), "/"), roots.end());
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_TRUE(list->item(i)->text().startsWith(QString::fromStdString(roots[i])));
        EXPECT_FALSE(list->item(i)->icon().isNull());
    }
}

}  // namespace
