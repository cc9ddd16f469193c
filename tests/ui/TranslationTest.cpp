#include "ui/TranslationLoader.h"

#include <QLabel>
#include <QListWidget>
#include <QStyle>

#include "FakeVolumes.h"
#include "UiTestSupport.h"
#include "storage/AppSettings.h"
#include "support/TempDir.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/CFolderBrowser.h"
#include "ui/DriveTexts.h"
#include "ui/StringTable.h"

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(TranslationTest, AGermanLocaleTranslatesTheProgramAndQtsDialogsUntilUnloaded) {
    FakeVolumes volumes;
    volumes.Add("E:\\",
                {platform::DriveType::kRemovable, platform::DiskSpace{1000, 2000, 1000}, ""});
    DriveInfo drive(volumes);
    drive.SetRootPath("E:\\");
    drive.Refresh();
    {
        TranslationLoader loader;
        ASSERT_TRUE(loader.Load(kGerman));
        EXPECT_EQ(CFolderBrowser(nullptr, StringTable::kFolderPickerTitle).GetTitle(),
                  "Musik-Verzeichnis hinzufügen");
        EXPECT_EQ(StringTable::StatusTip(StringTable::kFileSaveAs),
                  "Speichert die Musiksammlung unter einem neuen Namen.");
        EXPECT_EQ(StringTable::ToolTip(StringTable::kFileSaveAs), "Speichern unter");
        EXPECT_EQ(StringTable::Text(StringTable::kRecentFileLast), "Öffnet diese Musiksammlung.");
        EXPECT_EQ(TranslatedDriveDescription(drive),
                  "Wechseldatenträger\n\nBytes gesamt: 2.000\nBytes frei: 1.000");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    }
    EXPECT_EQ(StringTable::Text(StringTable::kFolderPickerTitle), "Add music directory");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_EQ(TranslatedDriveDescription(drive).toStdString(), drive.GetDescription());
}

// Every label and button of `dialog` shows its whole text.
void ExpectTextsFit(const QWidget& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        const int flags = int(label->alignment()) | Qt::TextShowMnemonic |
                          (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(room, flags, label->text());
        EXPECT_TRUE(label->text().isEmpty() || room.contains(needed))
            << dialog.windowTitle() << ": " << label->text() << " needs " << needed.width() << "x"
            << needed.height() << ", has " << room.width() << "x" << room.height();
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        const QStringList lines = button->text().remove('&').split('\n');
        int widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, button->fontMetrics().horizontalAdvance(line));
        }
        EXPECT_LE(widest + button->style()->pixelMetric(QStyle::PM_ButtonMargin), button->width())
            << dialog.windowTitle() << ": " << button->text();
        EXPECT_LE(int(lines.size()) * button->fontMetrics().lineSpacing(), button->height())
            << dialog.windowTitle() << ": " << button->text();
    }
}

class DialogLayoutTest : public ::testing::TestWithParam<bool> {};

TEST_P(DialogLayoutTest, NoTextIsCutOff) {
    TranslationLoader loader;
    EXPECT_EQ(loader.Load(GetParam() ? kGerman : kEnglish), GetParam());
    TempDir dir;
    AppSettings settings(dir / "Tunecrate.ini");
    settings.SetSaveOnDestroy(false);
    ExpectTextsFit(CExtensionsDlg(settings));

    // The longest descriptions: a type text alone, and the largest byte counts.
    FakeVolumes volumes;
    volumes.Add("E:\\", {platform::DriveType::kUnknown, std::nullopt, ""});
    const uint64_t huge = 999'999'999'999'999;
    volumes.Add("F:\\",
                {platform::DriveType::kRemote, platform::DiskSpace{huge, huge, huge}, "NAS"});
    CDriveDlg drives(nullptr, volumes);
    ShowActive(drives);
    auto* list = Child<QListWidget>(drives, "driveList");
    for (int row : {0, 1}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        ExpectTextsFit(drives);
    }
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, DialogLayoutTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "German" : "English"; });

}  // namespace
