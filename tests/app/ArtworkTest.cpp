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

TEST(ArtworkTest, EveryPictureIsThereAtItsSize) {
    for (const char* stem : {"ADD", "REMOVE", "SELDRV", "FILEEXT", "EXIT", "START", "STARTON"}) {
        const QString up = QString::fromLatin1(stem) + "U", down = QString::fromLatin1(stem) + "D";
        EXPECT_EQ(Picture(up).size(), QSize(100, 44)) << stem;
        EXPECT_EQ(Picture(down).size(), QSize(down == "STARTOND" ? 99 : 100, 44)) << stem;
        EXPECT_NE(Picture(up), Picture(down)) << stem;
    }
    EXPECT_EQ(Picture("DECORATION").size(), QSize(362, 126));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(Picture(QStringLiteral("tunecrate-%1").arg(size)).size(), QSize(size, size));
    }
    for (const char* name : {"tb_new", "tb_open", "tb_save", "tb_print", "tb_about", "tb_help"}) {
        EXPECT_EQ(Picture(QString::fromLatin1(name)).size(), QSize(16, 15)) << name;
    }
}

}  // namespace
