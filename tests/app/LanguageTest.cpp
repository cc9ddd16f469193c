// Each language shows only its own texts: the main window and the dialogs in English hold no text
// of the German catalogue, in German none of the English source texts that have a translation
// (names and words the same in both languages aside); the keys of every menu and window are
// unique.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include "AppTestSupport.h"
#include "app/CAboutDlg.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/TranslationLoader.h"

namespace {

// A text as the user reads it: no mnemonic marker, no key after the tab.
QString Shown(QString text) {
    return text.section('\t', 0, 0).remove('&').trimmed();
}

// The catalogue's texts of one language: the English sources or the German translations, each
// only where the two differ.
QSet<QString> CatalogueTexts(bool german) {
    QFile file(QStringLiteral(TUNECRATE_TS_FILE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QSet<QString> texts;
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText();
            if (Shown(source) != Shown(translation)) {
                texts << Shown(german ? translation : source);
            }
        } else if (!xml.isStartElement()) {
            xml.readNext();
        }
    }
    return texts;
}

// Every text a window shows or tells: titles, labels, buttons, actions, tooltips, names.
QStringList VisibleTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            texts << label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            texts << button->text();
        }
        texts << w->toolTip() << w->accessibleName() << w->windowTitle();
    }
    for (const QAction* action : window.findChildren<QAction*>()) {
        texts << action->text() << action->toolTip() << action->statusTip();
    }
    QStringList shown;
    for (const QString& text : texts) {
        if (!Shown(text).isEmpty()) {
            shown << Shown(text);
        }
    }
    return shown;
}

// The keys marked with "&" among `texts` that occur more than once.
QStringList RepeatedKeys(const QStringList& texts) {
    QStringList keys, repeated;
    for (const QString& text : texts) {
        const int at = text.indexOf(QRegularExpression("&[^&]"));
        if (at >= 0) {
            const QString key = text.mid(at + 1, 1).toLower();
            (keys.contains(key) ? repeated : keys) << key;
        }
    }
    return repeated;
}

class LanguageTest : public AppTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LanguageTest, EveryWindowShowsOnlyItsLanguageWithUniqueKeys) {
    const bool german = GetParam();
    TranslationLoader loader;
    ASSERT_EQ(loader.Load(german ? QLocale(QLocale::German) : QLocale(QLocale::English)), german);
    const QSet<QString> foreign = CatalogueTexts(!german);
    ASSERT_GT(foreign.size(), 100);

    CMainFrame& frame = Open();
    TempDir scratch;
    AppSettings settings(scratch / "Tunecrate.ini");
    settings.SetSaveOnDestroy(false);
    CAboutDlg about;
    CDriveDlg drives;
    CExtensionsDlg extensions(settings);
    for (const QWidget* window :
         {static_cast<QWidget*>(&frame), static_cast<QWidget*>(&about),
          static_cast<QWidget*>(&drives), static_cast<QWidget*>(&extensions)}) {
        for (const QString& text : VisibleTexts(*window)) {
            EXPECT_FALSE(foreign.contains(text))
                << window->metaObject()->className() << ": " << text;
        }
        QStringList labels;
        for (const auto* w : window->findChildren<QWidget*>()) {
            if (const auto* label = qobject_cast<const QLabel*>(w)) {
                labels << label->text();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
                labels << button->text();
            }
        }
        if (window == &frame) {
            for (const QAction* menu : frame.menuBar()->actions()) {
                labels << menu->text();
                QStringList items;
                for (const QAction* item : menu->menu()->actions()) {
                    items << item->text();
                }
                EXPECT_TRUE(RepeatedKeys(items).isEmpty()) << menu->text();
            }
        }
        EXPECT_TRUE(RepeatedKeys(labels).isEmpty())
            << window->metaObject()->className() << ": " << RepeatedKeys(labels).join(',');
    }
    // The guide too.
    frame.Action(CMainFrame::ID_HELP)->trigger();
    auto* guide = frame.findChild<QTextBrowser*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->toPlainText().contains("Sammlung anlegen"), german);
    EXPECT_EQ(guide->toPlainText().contains("Build your collection"), !german);
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, LanguageTest, ::testing::Bool());

}  // namespace
