// The embedded pictures: every one the program asks for is there, at the size the form expects.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "ui/UiResources.h"

namespace {

QImage Picture(const QString& name) {
    InitUiResources();
    return QImage(QStringLiteral(":/bitmaps/%1.png").arg(name));
}

TEST(ArtworkTest, ButtonPicturesHaveTheirSizes) {
    for (const char* stem : {"ADD", "REMOVE", "SELDRV", "FILEEXT", "EXIT", "START", "STARTON"}) {
        for (const char* suffix : {"U", "D"}) {
            const QString name = QString::fromLatin1(stem) + QString::fromLatin1(suffix);
            const QImage image = Picture(name);
            ASSERT_FALSE(image.isNull()) << name.toStdString();
            const int width = name == QLatin1String("STARTOND") ? 99 : 100;
            EXPECT_EQ(image.size(), QSize(width, 44)) << name.toStdString();
            // Opaque pictures in the form's colours, not transparent ones.
            EXPECT_FALSE(image.hasAlphaChannel()) << name.toStdString();
        }
    }
}

TEST(ArtworkTest, UpAndDownPicturesDiffer) {
    for (const char* stem : {"ADD", "REMOVE", "SELDRV", "FILEEXT", "EXIT", "START"}) {
        const QString s = QString::fromLatin1(stem);
        EXPECT_NE(Picture(s + "U"), Picture(s + "D")) << stem;
    }
    EXPECT_NE(Picture("STARTU"), Picture("STARTONU"));
}

TEST(ArtworkTest, DecorationIconAndToolbarPictures) {
    EXPECT_EQ(Picture("DECORATION").size(), QSize(362, 126));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(Picture(QStringLiteral("tunecrate-%1").arg(size)).size(), QSize(size, size));
    }
    for (const char* name : {"tb_new", "tb_open", "tb_save", "tb_print", "tb_about", "tb_help"}) {
        EXPECT_EQ(Picture(QString::fromLatin1(name)).size(), QSize(16, 15)) << name;
    }
}

}  // namespace
