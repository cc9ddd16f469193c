// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SymbolIcon.h"

#include "UiTestSupport.h"

namespace {

const QString kStop = QStringLiteral(":/icons/actions/media-playback-stop.svg");

}  // namespace

TEST(SymbolIconTest, ASymbolTakesTheTextColourOfThePalette) {
    const QPalette before = QGuiApplication::palette();
    const std::pair<QColor, QColor> palettes[] = {{Qt::black, Qt::gray}, {Qt::white, Qt::darkGray}};
    for (const auto& [text, disabled] : palettes) {
        QPalette palette = before;
        palette.setColor(QPalette::Active, QPalette::WindowText, text);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
        QApplication::setPalette(palette);
        const QIcon icon = SymbolIcon::Load(kStop);
        EXPECT_EQ(CoveredColours(icon.pixmap(16)), QSet<QRgb>{text.rgb()});
        EXPECT_EQ(CoveredColours(icon.pixmap(16, QIcon::Disabled)), QSet<QRgb>{disabled.rgb()});
    }
    QApplication::setPalette(before);
}

TEST(SymbolIconTest, ASymbolIsDrawnForThePixelDensity) {
    const QPixmap picture = SymbolIcon::Load(kStop).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    // The square covers 3..13 of 16: 20 of 32 pixels across, with sharp edges.
    const QImage image = picture.toImage();
    EXPECT_EQ(qAlpha(image.pixel(6, 16)), 255);
    EXPECT_EQ(qAlpha(image.pixel(5, 16)), 0);
}

TEST(SymbolIconTest, AMissingPictureGivesANullIcon) {
    EXPECT_TRUE(SymbolIcon::Load(QStringLiteral(":/icons/actions/none-such.svg")).isNull());
}
