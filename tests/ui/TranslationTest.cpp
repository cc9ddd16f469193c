#include "ui/TranslationLoader.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QXmlStreamReader>
#include <memory>

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

struct Message {
    QString context, source, translation, type;
};

// Every message of the translation file as written there.
std::vector<Message> ReadTranslationFile() {
    QFile file(TUNECRATE_TS_FILE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TUNECRATE_TS_FILE;
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.back().type = xml.attributes().value("type").toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

TEST(TranslationTest, EveryEntryIsFinishedAndTheCompiledTranslationHasIt) {
    const std::vector<Message> messages = ReadTranslationFile();
    ASSERT_GT(messages.size(), 60u);
    TranslationLoader loader;
    ASSERT_TRUE(loader.Load(kGerman));
    for (const Message& m : messages) {
        EXPECT_TRUE(m.type.isEmpty()) << m.context << " / " << m.source << ": " << m.type;
        EXPECT_FALSE(m.translation.isEmpty()) << m.context << " / " << m.source;
        EXPECT_EQ(QCoreApplication::translate(m.context.toUtf8(), m.source.toUtf8()), m.translation)
            << m.context << " / " << m.source;
    }
}

TEST(TranslationTest, GermanLocaleTranslatesTheProgramAndQtsDialogsUntilUnloaded) {
    {
        TranslationLoader loader;
        ASSERT_TRUE(loader.Load(kGerman));
        EXPECT_EQ(StringTable::Text(StringTable::kFolderPickerTitle),
                  "Musik-Verzeichnis hinzufügen");
        EXPECT_EQ(StringTable::StatusTip(StringTable::kFileSaveAs),
                  "Speichert die Musiksammlung unter einem neuen Namen.");
        EXPECT_EQ(StringTable::ToolTip(StringTable::kFileSaveAs), "Speichern unter");
        EXPECT_EQ(StringTable::Text(StringTable::kRecentFileLast), "Öffnet diese Musiksammlung.");
        EXPECT_EQ(CFolderBrowser(nullptr, StringTable::kFolderPickerTitle).GetTitle(),
                  "Musik-Verzeichnis hinzufügen");
        // Qt's own buttons, as the folder picker shows them.
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    }
    EXPECT_EQ(StringTable::Text(StringTable::kFolderPickerTitle), "Add music directory");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");

    // English is the program's own language: nothing to load, nothing changes.
    TranslationLoader english;
    EXPECT_FALSE(english.Load(kEnglish));
    EXPECT_EQ(StringTable::ToolTip(StringTable::kFileSaveAs), "Save As");
    EXPECT_EQ(StringTable::StatusTip(StringTable::kAppName), "Tunecrate");
    EXPECT_TRUE(StringTable::ToolTip(StringTable::kAppName).isEmpty());
    EXPECT_TRUE(StringTable::Text(4711).isEmpty());
}

TEST(TranslationTest, DriveDescriptionsAreTranslatedLineByLine) {
    FakeVolumes volumes;
    volumes.Add("E:\\", {DriveInfo::kTypeRemovable, platform::DiskSpace{1000, 2000, 1000}, ""});
    DriveInfo drive(volumes);
    drive.SetRootPath("E:\\");
    drive.Refresh();
    const std::string english = drive.GetDescription();
    EXPECT_EQ(TranslatedDriveDescription(drive).toStdString(), english);
    TranslationLoader loader;
    ASSERT_TRUE(loader.Load(kGerman));
    EXPECT_EQ(TranslatedDriveDescription(drive),
              "Wechseldatenträger\n\nBytes gesamt: 2.000\nBytes frei: 1.000");
}

// Every label and button shows its whole text.
void ExpectTextsFit(const QWidget& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) {
            continue;
        }
        int flags = int(label->alignment()) | Qt::TextShowMnemonic;
        if (label->wordWrap()) {
            flags |= Qt::TextWordWrap;
        }
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(room, flags, label->text());
        EXPECT_TRUE(room.contains(needed))
            << dialog.windowTitle() << ": label \"" << label->text() << "\" needs "
            << needed.width() << "x" << needed.height() << ", has " << room.width() << "x"
            << room.height();
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        const QStringList lines = button->text().remove('&').split('\n');
        int widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, button->fontMetrics().horizontalAdvance(line));
        }
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        EXPECT_LE(widest + margin, button->width())
            << dialog.windowTitle() << ": button \"" << button->text() << "\"";
        EXPECT_LE(int(lines.size()) * button->fontMetrics().lineSpacing(), button->height())
            << dialog.windowTitle() << ": button \"" << button->text() << "\"";
    }
}

class DialogLayoutTest : public ::testing::TestWithParam<bool> {};

TEST_P(DialogLayoutTest, NoTextIsCutOff) {
    TranslationLoader loader;
    EXPECT_EQ(loader.Load(GetParam() ? kGerman : kEnglish), GetParam());

    TempDir dir;
    AppSettings settings(dir / "Tunecrate.ini");
    settings.SetSaveOnDestroy(false);
    CExtensionsDlg extensions(settings);
    ExpectTextsFit(extensions);

    FakeVolumes volumes;
    volumes.Add("E:\\", {DriveInfo::kTypeNoRootDir, std::nullopt, ""});
    volumes.Add("F:\\", {DriveInfo::kTypeRemovable,
                         platform::DiskSpace{999999999999, 999999999999, 999999999999}, "STICK"});
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
