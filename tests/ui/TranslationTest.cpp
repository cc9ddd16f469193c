// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TranslationLoader.h"

#include "UiTestSupport.h"
#include "support/FakeVolumes.h"
#include "ui/CFolderBrowser.h"
#include "ui/DriveTexts.h"
#include "ui/MessageText.h"
#include "ui/StringTable.h"

namespace {

// The GUI words the core's messages in English as the command line does; a German locale
// translates the program, Qt's dialogs and a message with its cause (an argument's "%1" left
// alone) until unloaded. Whether every template has a translation is the catalogue check's job.
TEST(TranslationTest, AGermanLocaleTranslatesTheProgramQtsDialogsAndCoreMessagesUntilUnloaded) {
    using platform::UserMessage;
    using Id = UserMessage::Id;
    for (int i = int(Id::kSystemText); i < int(Id::kCount); ++i) {
        const UserMessage message(Id(i), {"/media/stick", "/music"});
        EXPECT_EQ(MessageText::Translate(message).toStdString(), message.Text()) << i;
    }
    FakeVolumes volumes;
    volumes.Add("E:\\",
                {platform::DriveType::kRemovable, platform::DiskSpace{1000, 2000, 1000}, ""});
    DriveInfo drive(volumes);
    drive.SetRootPath("E:\\");
    drive.Refresh();
    {
        TranslationLoader loader;
        ASSERT_TRUE(loader.Load(QLocale(QLocale::German, QLocale::Germany)));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // a German desktop
        EXPECT_EQ(CFolderBrowser(nullptr, StringTable::kFolderPickerTitle).GetTitle(),
                  "Musik-Verzeichnis hinzufügen");
        EXPECT_EQ(TranslatedDriveDescription(drive),
                  "Wechseldatenträger\n\nBytes gesamt: 2.000\nBytes frei: 1.000");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
        EXPECT_EQ(MessageText::Translate(
                      UserMessage(Id::kCopyingStopped, {}, UserMessage(Id::kStickGone, {"/m/%1"}))),
                  "Kopieren abgebrochen: Der Stick ist nicht mehr da: /m/%1");
        EXPECT_EQ(MessageText::Translate(UserMessage(Id::kDirectoryNotFound, {"/m"})),
                  "Verzeichnis nicht gefunden: /m");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    EXPECT_EQ(StringTable::Text(StringTable::kFolderPickerTitle), "Add music directory");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_EQ(TranslatedDriveDescription(drive),
              "Removable Drive\n\nBytes total: 2,000\nBytes free: 1,000");
}

}  // namespace
