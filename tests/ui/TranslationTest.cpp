#include "ui/TranslationLoader.h"

#include "UiTestSupport.h"
#include "support/FakeVolumes.h"
#include "ui/CFolderBrowser.h"
#include "ui/DriveTexts.h"
#include "ui/MessageText.h"
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

// Every message of the core reaches the German user in German, and the English user exactly as
// the command line words it.
TEST(TranslationTest, EveryCoreMessageIsTranslatedAndItsEnglishIsTheCommandLines) {
    using platform::UserMessage;
    using Id = UserMessage::Id;
    const std::vector<std::string> args{"/media/stick", "/music"};
    std::vector<QString> english;
    for (int i = int(Id::kSystemText) + 1; i < int(Id::kCount); ++i) {
        const UserMessage message(Id(i), args);
        english.push_back(MessageText::Translate(message));
        if (Id(i) != Id::kDirectoryNotFound) {  // the one German text of the core
            EXPECT_EQ(english.back().toStdString(), message.Text()) << i;
        }
    }
    TranslationLoader loader;
    ASSERT_TRUE(loader.Load(kGerman));
    for (int i = int(Id::kSystemText) + 1; i < int(Id::kCount); ++i) {
        EXPECT_NE(MessageText::Translate(UserMessage(Id(i), args)), english[size_t(i) - 2])
            << UserMessage::Template(Id(i));
    }
    // A cause is translated too; an argument's own "%1" is left alone.
    EXPECT_EQ(MessageText::Translate(
                  UserMessage(Id::kCopyingStopped, {}, UserMessage(Id::kStickGone, {"/m/%1"}))),
              "Kopieren abgebrochen: Der Stick ist nicht mehr da: /m/%1");
}

}  // namespace
