#include "ui/CDriveDlg.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
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
        const std::vector<std::pair<int, std::string>> drives = {
            {DriveInfo::kTypeRemovable, ""},      {DriveInfo::kTypeFixed, ""},
            {DriveInfo::kTypeFixed, ""},          {DriveInfo::kTypeOptical, "DATA"},
            {DriveInfo::kTypeRemovable, "MUSIC"}, {DriveInfo::kTypeRamDisk, ""},
            {DriveInfo::kTypeRemote, ""},         {DriveInfo::kTypeUnknown, ""},
            {DriveInfo::kTypeNoRootDir, ""},      {9, ""}};
        for (size_t i = 0; i < drives.size(); ++i) {
            std::optional<platform::DiskSpace> space;
            if (i == 4) {
                space = platform::DiskSpace{64487424, 128974848, 64487424};
            }
            volumes_.Add(Root(char('A' + i)), {drives[i].first, space, drives[i].second});
        }
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
    EXPECT_EQ(texts, (QStringList{"A:", "B:", "C:", "D:  (DATA)", "E:  (MUSIC)",
                                  "F:", "G:", "H:", "I:", "J:"}));
    EXPECT_EQ(images,
              (std::vector<int>{D::kImageFloppy, D::kImageFloppy, D::kImageFixed, D::kImageOptical,
                                D::kImageRemovable, D::kImageRamDisk, D::kImageRemote,
                                D::kImageUnknown, D::kImageUnknown, D::kImageUnknown}));
    // The focus starts on OK, the default button: Enter ends the dialog with the chosen drive.
    EXPECT_TRUE(Child<QPushButton>(*dialog_, "okButton")->hasFocus());
    ClickItem(4);
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(Chosen(), "E:\\");
}

TEST_F(DriveDlgTest, ListsAllTwentySixLettersNoneAtAllAndScrollsToLongNames) {
    FakeVolumes all;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        all.Add(Root(letter), {});
    }
    all.Add("/media/somebody/A_RATHER_LONG_VOLUME_NAME", {DriveInfo::kTypeRemovable, {}, "LONG"});
    Open(all);
    EXPECT_EQ(list_->count(), 27);
    // Scrolled to the far right, the long name ends inside the list.
    list_->horizontalScrollBar()->setValue(list_->horizontalScrollBar()->maximum());
    EXPECT_LE(list_->visualItemRect(list_->item(26)).right(), list_->viewport()->width());

    Open(FakeVolumes());
    EXPECT_EQ(list_->count(), 0);
    ClickEmptyArea();
    QTest::mouseClick(Child<QPushButton>(*dialog_, "okButton"), Qt::LeftButton);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
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
}

TEST_F(DriveDlgTest, OnlyTheSelectionMarkCountsAndArrowKeysMoveIt) {
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
}

TEST_F(DriveDlgTest, RefreshKeepsTheChosenIndexAndDescriptionButNoDriveBeyondTheList) {
    Open(volumes_);
    ClickItem(2);  // C:
    const QString description = dialog_->GetDescriptionText();
    volumes_.RemoveFirst();  // without A:, D: sits at index 2
    QTest::mouseClick(Child<QPushButton>(*dialog_, "refreshButton"), Qt::LeftButton);
    EXPECT_EQ(list_->count(), 9);
    EXPECT_TRUE(list_->selectedItems().isEmpty());
    EXPECT_EQ(Chosen(), "D:\\");
    EXPECT_EQ(dialog_->GetDescriptionText(), description);
    ClickEmptyArea();  // no mark in the new list: nothing changes
    EXPECT_EQ(Chosen(), "D:\\");

    ClickItem(8);
    for (int i = 0; i < 3; ++i) {
        volumes_.RemoveFirst();
    }
    dialog_->OnRefresh();
    EXPECT_EQ(dialog_->GetSelectedDrive(), nullptr);
}

TEST_F(DriveDlgTest, PicturesComeFromTheIconThemeWhereItHasThemElseFromOurOwn) {
    const QString theme = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeName("no-such-theme");
    const QStringList files{"floppy",  "harddisc", "optical", "removable",
                            "ramdisk", "network",  "unknown"};
    for (int image = 0; image < D::kImageCount; ++image) {
        const QImage own(":/icons/drives/" + files[image] + "-16.png");
        ASSERT_FALSE(own.isNull()) << files[image];
        EXPECT_EQ(D::DriveImage(image).pixmap(16, 16).toImage().convertToFormat(own.format()), own)
            << files[image];
    }
    QIcon::setThemeSearchPaths(searchPaths + QStringList{"/usr/share/icons"});
    QIcon::setThemeName("Adwaita");
    const bool adwaita = QIcon::hasThemeIcon("drive-harddisk");
    if (adwaita) {
        EXPECT_EQ(D::DriveImage(D::kImageFixed).name(), "drive-harddisk");
        EXPECT_TRUE(D::DriveImage(D::kImageRamDisk).name().isEmpty());
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
    if (!adwaita) {
        GTEST_SKIP() << "the Adwaita icon theme is not installed";
    }
}

TEST(DriveDlgSystemTest, ListsThisMachinesMountsWithSaneTypes) {
    const platform::VolumeQueries& system = platform::VolumeQueries::System();
    // Tests running in parallel mount and unmount small volumes: compare against a snapshot
    // during which the machine's mounts stayed the same.
    std::vector<std::string> roots;
    std::vector<int> types;
    std::unique_ptr<CDriveDlg> dialog;
    for (int attempt = 0; attempt < 50; ++attempt) {
        roots = system.GetDriveRoots();
        dialog = std::make_unique<CDriveDlg>(nullptr, system);
        types.clear();
        for (const std::string& root : roots) {
            types.push_back(system.GetDriveType(root));
        }
        if (system.GetDriveRoots() == roots) {
            break;
        }
    }
    auto* list = Child<QListWidget>(*dialog, "driveList");
    ASSERT_EQ(list->count(), int(roots.size()));
    EXPECT_NE(std::find(roots.begin(), roots.end(), "/"), roots.end());
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_TRUE(list->item(i)->text().startsWith(QString::fromStdString(roots[i])));
        const int type = types[static_cast<size_t>(i)];
        EXPECT_TRUE(type == DriveInfo::kTypeUnknown ||
                    (type >= DriveInfo::kTypeRemovable && type <= DriveInfo::kTypeRamDisk))
            << roots[i] << " has type " << type;
        EXPECT_FALSE(list->item(i)->icon().isNull());
    }
}

}  // namespace
