// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CStickLayoutDlg.h"

#include "UiTestSupport.h"
#include "storage/AppSettings.h"

// Settings in a fresh folder, never saved.
class StickLayoutDlgTest : public ::testing::Test {
  protected:
    StickLayoutDlgTest() { settings.SetSaveOnDestroy(false); }
    TempDir dir;
    AppSettings settings{dir / "Tunecrate.ini"};
};

TEST_F(StickLayoutDlgTest, ShowsTheSettingsAndOkStoresTheChoices) {
    settings.SetPerFolder(31);
    settings.SetBalanceFolders(true);
    settings.SetFolderLimit(255);
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        CStickLayoutDlg dialog(settings);
        ShowActive(dialog);
        EXPECT_EQ(dialog.PerFolderBox()->value(), 31);
        EXPECT_EQ(dialog.BalanceBox()->currentIndex(), 1);
        EXPECT_EQ(dialog.FolderLimitBox()->value(), 255);
        dialog.MaxFoldersBox()->setValue(700);
        dialog.PlaylistCheck()->setChecked(true);
        dialog.BalanceBox()->setCurrentIndex(0);
        QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        EXPECT_EQ(settings.GetPlaylist(), ok);
        EXPECT_EQ(settings.GetBalanceFolders(), !ok);
        EXPECT_EQ(settings.GetMaxFolders(), ok ? 700u : 0u);
        settings.SetBalanceFolders(true);
    }
}

TEST_F(StickLayoutDlgTest, TheSummaryNamesTheChoicesMade) {
    settings.SetPerFolder(31);
    settings.SetPlaylist(true);
    settings.SetBalanceFolders(true);
    EXPECT_EQ(CStickLayoutDlg::Summary(settings), "31 per folder, playlist, folder first");
}

TEST_F(StickLayoutDlgTest, TheExplanationsWrapWhenTheDialogIsMadeNarrower) {
    CStickLayoutDlg dialog(settings);
    ShowActive(dialog);
    const QString text =
        "Names start with 001, 002, ... so players that sort by name keep the order.";
    const QList<QLabel*> found = dialog.findChildren<QLabel*>();
    const auto help = std::find_if(found.begin(), found.end(),
                                   [&](const QLabel* label) { return label->text() == text; });
    ASSERT_NE(help, found.end());
    const int width = (*help)->width();
    dialog.resize(dialog.width() * 2 / 3, dialog.height());
    EXPECT_TRUE(QTest::qWaitFor([&] { return (*help)->width() < width; }));
    EXPECT_GE((*help)->height(), (*help)->heightForWidth((*help)->width()));
    EXPECT_LE((*help)->geometry().right(), dialog.width());
}
