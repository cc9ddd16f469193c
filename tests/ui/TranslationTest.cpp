// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TranslationLoader.h"

#include <map>

#include "UiTestSupport.h"
#include "support/FakeVolumes.h"
#include "ui/CFolderBrowser.h"
#include "ui/DriveTexts.h"
#include "ui/MessageText.h"
#include "ui/StringTable.h"

namespace {

using platform::UserMessage;
using Id = UserMessage::Id;

// The German catalogue's translations of the core's messages, by English template.
std::map<std::string, std::string> GermanMessages() {
    std::map<std::string, std::string> german;
    for (const CatalogueMessage& message : GermanCatalogue()) {
        if (message.context == "UserMessage") {
            german[message.source.toStdString()] = message.translation.toStdString();
        }
    }
    return german;
}

// Which of the placeholders %1 … %9 a text holds.
std::string Placeholders(const std::string& text) {
    std::string held;
    for (char n = '1'; n <= '9'; ++n) {
        held += text.find({'%', n}) == std::string::npos ? '-' : n;
    }
    return held;
}

// The program on a German desktop, back in English afterwards.
class GermanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        volumes_.Add("E:\\",
                     {platform::DriveType::kRemovable, platform::DiskSpace{1000, 2000, 1000}, ""});
        drive_.SetRootPath("E:\\");
        drive_.Refresh();
        ASSERT_TRUE(loader_.Load(QLocale(QLocale::German, QLocale::Germany)));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English)); }

    FakeVolumes volumes_;
    DriveInfo drive_{volumes_};  // a removable drive
    TranslationLoader loader_;
};

// A German text that lost or gained a placeholder would drop an argument or show "%2".
TEST(TranslationTest, EveryCoreMessageHasAGermanTextWithTheSamePlaceholders) {
    auto catalogue = GermanMessages();
    for (int i = int(Id::kSystemText) + 1; i < int(Id::kCount); ++i) {
        const std::string english = UserMessage::Template(Id(i));
        const std::string& german = catalogue[english];
        EXPECT_FALSE(german.empty()) << i << ": " << english;
        EXPECT_EQ(Placeholders(german), Placeholders(english)) << english;
    }
}

TEST_F(GermanTest, EveryCoreMessageReadsAsTheCatalogueSaysWithItsArgumentsPutIn) {
    auto catalogue = GermanMessages();
    const std::vector<std::string> args = {"/media/stick", "/music", "3", "4", "5"};
    for (int i = int(Id::kSystemText) + 1; i < int(Id::kCount); ++i) {
        EXPECT_EQ(MessageText::Translate(UserMessage(Id(i), args)).toStdString(),
                  UserMessage::Fill(catalogue[UserMessage::Template(Id(i))], args))
            << i;
    }
}

TEST_F(GermanTest, AMessagesCauseIsTranslatedAndAnArgumentsPlaceholderLeftAlone) {
    EXPECT_EQ(MessageText::Translate(
                  UserMessage(Id::kCopyingStopped, {}, UserMessage(Id::kStickGone, {"/m/%1"}))),
              "Kopieren abgebrochen: Der Stick ist nicht mehr da: /m/%1");
}

TEST_F(GermanTest, TheProgramsOwnTextsAndNumbersAreGerman) {
    EXPECT_EQ(CFolderBrowser(nullptr, StringTable::kFolderPickerTitle).GetTitle(),
              "Musik-Verzeichnis hinzufügen");
    EXPECT_EQ(TranslatedDriveDescription(drive_),
              "Wechseldatenträger\n\nBytes gesamt: 2.000\nBytes frei: 1.000");
}

TEST_F(GermanTest, QtsOwnDialogButtonsAreGerman) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

}  // namespace
