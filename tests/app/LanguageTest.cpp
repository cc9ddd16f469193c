// SPDX-License-Identifier: GPL-3.0-or-later
// Each language shows only its own texts: in English the main window and the dialogs show no
// text of the German catalogue, in German none of its English sources (texts the same in both,
// such as names, aside); no window or menu uses a key twice; the guide is in the language too.

#include "AppTestSupport.h"
#include "app/CAboutDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/TranslationLoader.h"

namespace {

// A text as the user reads it: no mnemonic marker, no key after the tab.
QString Shown(const QString& text) {
    return QString(text).section('\t', 0, 0).remove('&').trimmed();
}

// The English sources or the German translations of the catalogue, where the two differ.
QSet<QString> CatalogueTexts(bool german) {
    QSet<QString> texts;
    for (const CatalogueMessage& message : GermanCatalogue()) {
        if (Shown(message.source) != Shown(message.translation)) {
            texts << Shown(german ? message.translation : message.source);
        }
    }
    return texts;
}

// The keys marked with "&" that occur more than once among `texts`.
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
    ASSERT_EQ(loader.Load(QLocale(german ? QLocale::German : QLocale::English)), german);
    const QSet<QString> foreign = CatalogueTexts(!german);
    ASSERT_GT(foreign.size(), 100);

    CMainFrame& frame = Open();
    CAboutDlg about;
    CDriveDlg drives;
    CExtensionsDlg extensions(View().GetSettings());
    for (const QWidget* window : QWidgetList{&frame, &about, &drives, &extensions}) {
        SCOPED_TRACE(window->metaObject()->className());
        QStringList labels, texts{window->windowTitle()};
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            if (const auto* label = qobject_cast<const QLabel*>(w)) {
                labels << label->text();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
                labels << button->text();
            }
            texts << w->toolTip() << w->accessibleName() << w->windowTitle();
        }
        for (const QAction* action : window->findChildren<QAction*>()) {
            texts << action->text() << action->toolTip() << action->statusTip();
        }
        for (const QString& text : texts + labels) {
            EXPECT_FALSE(foreign.contains(Shown(text))) << text;
        }
        EXPECT_EQ(RepeatedKeys(labels), QStringList());
    }
    QStringList menus;
    for (const QAction* menu : frame.menuBar()->actions()) {
        menus << menu->text();
        QStringList items;
        for (const QAction* item : menu->menu()->actions()) {
            items << item->text();
        }
        EXPECT_EQ(RepeatedKeys(items), QStringList()) << menu->text();
    }
    EXPECT_EQ(RepeatedKeys(menus + QStringList(View().DeleteOldCheck()->text())), QStringList());

    frame.Action(CMainFrame::ID_HELP_FINDER)->trigger();
    auto* guide = frame.findChild<QTextBrowser*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->toPlainText().contains("Sammlung anlegen"), german);
    EXPECT_EQ(guide->toPlainText().contains("Build your collection"), !german);
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, LanguageTest, ::testing::Bool());

}  // namespace
