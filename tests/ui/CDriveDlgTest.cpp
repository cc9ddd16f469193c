#include "ui/CDriveDlg.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "FakeVolumes.h"
#include "UiTestSupport.h"
#include "platform/VolumeQueries.h"

namespace {

std::string Root(char letter) {
    return std::string(1, letter) + ":\\";
}

class DriveDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A: and B: removable and fixed, then one drive of each type, with and without labels.
        volumes_.Add(Root('A'), {DriveInfo::kTypeRemovable, std::nullopt, ""});
        volumes_.Add(Root('B'), {DriveInfo::kTypeFixed, std::nullopt, ""});
        volumes_.Add(Root('C'), {DriveInfo::kTypeFixed, platform::DiskSpace{1000, 5000, 1000}, ""});
        volumes_.Add(Root('D'), {DriveInfo::kTypeOptical, std::nullopt, "DATA"});
        volumes_.Add(Root('E'), {DriveInfo::kTypeRemovable,
                                 platform::DiskSpace{64487424, 128974848, 64487424}, "MUSIC"});
        volumes_.Add(Root('F'), {DriveInfo::kTypeRamDisk, platform::DiskSpace{999, 999, 999}, ""});
        volumes_.Add(Root('G'), {DriveInfo::kTypeRemote, std::nullopt, ""});
        volumes_.Add(Root('H'), {DriveInfo::kTypeUnknown, std::nullopt, ""});
        volumes_.Add(Root('I'), {DriveInfo::kTypeNoRootDir, std::nullopt, ""});
        volumes_.Add(Root('J'), {9, std::nullopt, ""});
    }

    void Open() {
        dialog_ = std::make_unique<CDriveDlg>(nullptr, volumes_);
        ShowActive(*dialog_);
        list_ = Child<QListWidget>(*dialog_, "driveList");
    }

    QStringList Texts() const {
        QStringList out;
        for (int i = 0; i < list_->count(); ++i) {
            out << list_->item(i)->text();
        }
        return out;
    }
    std::vector<int> Images() const {
        std::vector<int> out;
        for (int i = 0; i < list_->count(); ++i) {
            out.push_back(list_->item(i)->data(CDriveDlg::kImageRole).toInt());
        }
        return out;
    }
    void ClickItem(int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, mods,
                          list_->visualItemRect(list_->item(row)).center());
    }
    std::string Chosen() const {
        const DriveInfo* drive = dialog_->GetSelectedDrive();
        return drive ? drive->GetRootPath() : "<none>";
    }

    FakeVolumes volumes_;
    std::unique_ptr<CDriveDlg> dialog_;
    QListWidget* list_ = nullptr;
};

TEST_F(DriveDlgTest, ListsTheDrivesInTheSystemsOrderWithNamesAndTheImageOfTheirKind) {
    Open();
    EXPECT_EQ(dialog_->windowTitle(), "Drives");
    EXPECT_EQ(Texts(), (QStringList{"A:", "B:", "C:", "D:  (DATA)", "E:  (MUSIC)",
                                    "F:", "G:", "H:", "I:", "J:"}));
    using D = CDriveDlg;
    EXPECT_EQ(Images(),
              (std::vector<int>{D::kImageFloppy, D::kImageFloppy, D::kImageFixed, D::kImageOptical,
                                D::kImageRemovable, D::kImageRamDisk, D::kImageRemote,
                                D::kImageUnknown, D::kImageUnknown, D::kImageUnknown}));
    EXPECT_TRUE(dialog_->GetDescriptionText().isEmpty());
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
}

TEST_F(DriveDlgTest, OpensWithTheFocusOnTheDefaultOkButton) {
    Open();
    auto* ok = Child<QPushButton>(*dialog_, "okButton");
    EXPECT_TRUE(ok->hasFocus());
    EXPECT_TRUE(ok->isDefault());
    ClickItem(4);
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(Chosen(), "E:\\");
}

TEST_F(DriveDlgTest, ANameWiderThanTheListCanBeScrolledTo) {
    FakeVolumes mounts;
    mounts.Add("/media/somebody/A_RATHER_LONG_VOLUME_NAME",
               {DriveInfo::kTypeRemovable, {}, "LONG"});
    CDriveDlg dialog(nullptr, mounts);
    ShowActive(dialog);
    auto* list = Child<QListWidget>(dialog, "driveList");
    const int overhang = list->visualItemRect(list->item(0)).width() - list->viewport()->width();
    ASSERT_GT(overhang, 0);
    EXPECT_GE(list->horizontalScrollBar()->maximum(), overhang);
}

TEST_F(DriveDlgTest, AllTwentySixLettersAreListedAndNoDrivesGiveAnEmptyList) {
    FakeVolumes all;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        all.Add(Root(letter), {});
    }
    CDriveDlg full(nullptr, all);
    EXPECT_EQ(Child<QListWidget>(full, "driveList")->count(), 26);

    FakeVolumes none;
    CDriveDlg empty(nullptr, none);
    ShowActive(empty);
    auto* list = Child<QListWidget>(empty, "driveList");
    EXPECT_EQ(list->count(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(Child<QPushButton>(empty, "okButton"), Qt::LeftButton);
    EXPECT_EQ(empty.result(), QDialog::Accepted);
    EXPECT_EQ(empty.GetSelectedDrive(), nullptr);
}

TEST_F(DriveDlgTest, AClickChoosesADriveAndShowsItsDescriptionAnEmptyAreaChangesNothing) {
    Open();
    const QPoint empty = list_->viewport()->rect().bottomRight() - QPoint(3, 3);
    ASSERT_EQ(list_->indexAt(empty), QModelIndex());
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
    EXPECT_TRUE(Child<QLabel>(*dialog_, "description")->text().isEmpty());

    ClickItem(4);
    EXPECT_EQ(Chosen(), "E:\\");
    EXPECT_EQ(Child<QLabel>(*dialog_, "description")->text(),
              "Removable Drive\n\nBytes total: 128.974.848\nBytes free: 64.487.424");

    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(Chosen(), "E:\\");

    ClickItem(8);  // a drive that cannot be queried shows its type text alone
    EXPECT_EQ(dialog_->GetDescriptionText(), "Root directory does not exist.");
    QTest::mouseClick(Child<QPushButton>(*dialog_, "cancelButton"), Qt::LeftButton);
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

TEST_F(DriveDlgTest, WithSeveralItemsSelectedOnlyTheSelectionMarkCounts) {
    Open();
    ClickItem(2);
    ClickItem(4, Qt::ControlModifier);
    EXPECT_EQ(list_->selectedItems().size(), 2);
    EXPECT_EQ(Chosen(), "E:\\");
    ClickItem(6, Qt::ShiftModifier);  // extends from the mark, which stays
    for (int row : {4, 5, 6}) {
        EXPECT_TRUE(list_->item(row)->isSelected()) << "row " << row;
    }
    EXPECT_EQ(Chosen(), "E:\\");
    EXPECT_EQ(dialog_->GetDescriptionText().section('\n', 0, 0), "Removable Drive");
}

TEST_F(DriveDlgTest, ArrowKeysChooseTheDriveTheyMoveTo) {
    Open();
    ClickItem(2);
    QTest::keyClick(list_, Qt::Key_Down);
    EXPECT_EQ(Chosen(), "D:\\");
    EXPECT_EQ(dialog_->GetDescriptionText(), "CD-/DVD-ROM drive");
    QTest::keyClick(list_, Qt::Key_Down);
    QTest::keyClick(list_, Qt::Key_Down);
    EXPECT_EQ(Chosen(), "F:\\");
    QTest::keyClick(list_, Qt::Key_Up, Qt::ShiftModifier);  // extends, the mark stays
    EXPECT_EQ(Chosen(), "F:\\");
    EXPECT_EQ(list_->selectedItems().size(), 2);
}

TEST_F(DriveDlgTest, RefreshKeepsTheChosenIndexAndDescriptionButNoDriveBeyondTheList) {
    Open();
    ClickItem(2);  // C:
    const QString description = dialog_->GetDescriptionText();
    volumes_.RemoveFirst();  // A: is gone: D: now sits at index 2
    QTest::mouseClick(Child<QPushButton>(*dialog_, "refreshButton"), Qt::LeftButton);
    EXPECT_EQ(list_->count(), 9);
    EXPECT_TRUE(list_->selectedItems().isEmpty());
    EXPECT_EQ(Chosen(), "D:\\");
    EXPECT_EQ(dialog_->GetDescriptionText(), description);

    // A click on empty space after the refresh finds no mark and changes nothing.
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {},
                      list_->viewport()->rect().bottomRight() - QPoint(3, 3));
    EXPECT_EQ(Chosen(), "D:\\");

    // With fewer drives than the chosen index, there is no drive to return.
    ClickItem(8);
    for (int i = 0; i < 3; ++i) {
        volumes_.RemoveFirst();
    }
    dialog_->OnRefresh();
    EXPECT_EQ(list_->count(), 6);
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
}

TEST_F(DriveDlgTest, DrivePicturesComeFromTheThemeWhereItHasThemElseFromOurOwn) {
    const QString theme = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeName("no-such-theme");
    const QStringList files{"floppy",  "harddisc", "optical", "removable",
                            "ramdisk", "network",  "unknown"};
    for (int image = 0; image < CDriveDlg::kImageCount; ++image) {
        const QImage own(":/icons/drives/" + files[image] + "-16.png");
        ASSERT_FALSE(own.isNull()) << "image " << image;
        EXPECT_EQ(
            CDriveDlg::DriveImage(image).pixmap(16, 16).toImage().convertToFormat(own.format()),
            own)
            << "image " << image;
    }
    QIcon::setThemeSearchPaths(searchPaths + QStringList{"/usr/share/icons"});
    QIcon::setThemeName("Adwaita");
    const bool adwaita = QIcon::hasThemeIcon("drive-harddisk");
    if (adwaita) {
        EXPECT_EQ(CDriveDlg::DriveImage(CDriveDlg::kImageFixed).name(), "drive-harddisk");
        EXPECT_TRUE(CDriveDlg::DriveImage(CDriveDlg::kImageRamDisk).name().isEmpty());
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
    if (!adwaita) {
        GTEST_SKIP() << "the Adwaita icon theme is not installed";
    }
}

TEST(DriveDlgSystemTest, ListsThisMachinesMountsWithSaneTypes) {
    const platform::VolumeQueries& system = platform::VolumeQueries::System();
    const std::vector<std::string> roots = system.GetDriveRoots();
    CDriveDlg dialog(nullptr, system);
    auto* list = Child<QListWidget>(dialog, "driveList");
    ASSERT_EQ(list->count(), int(roots.size()));
    ASSERT_FALSE(roots.empty());
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_TRUE(list->item(i)->text().startsWith(QString::fromStdString(roots[i])));
        const int type = system.GetDriveType(roots[i]);
        EXPECT_TRUE(type >= DriveInfo::kTypeUnknown && type <= DriveInfo::kTypeRamDisk)
            << roots[i] << " has type " << type;
        EXPECT_NE(type, DriveInfo::kTypeNoRootDir) << roots[i] << " is listed but no volume";
        EXPECT_FALSE(list->item(i)->icon().isNull());
    }
    EXPECT_NE(std::find(roots.begin(), roots.end(), "/"), roots.end());
}

}  // namespace
