#include "ui/TranslationLoader.h"

#include "UiTestSupport.h"
#include "support/FakeVolumes.h"
#include "ui/CFolderBrowser.h"
#include "ui/DriveTexts.h"
#include "ui/StringTable.h"

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

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
        EXPECT_EQ(TranslatedDriveDescription(drive),
                  "Wechseldatenträger\n\nBytes gesamt: 2.000\nBytes frei: 1.000");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    }
    EXPECT_EQ(StringTable::Text(StringTable::kFolderPickerTitle), "Add music directory");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_EQ(TranslatedDriveDescription(drive).toStdString(), drive.GetDescription());
}

}  // namespace
