// Tests of pictures/ImageList.h: the cells of an image strip, magenta transparent.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "pictures/ImageList.h"
#include "pictures/Resources.h"

namespace {

bool SamePicture(const QIcon& a, const QIcon& b) {
    return a.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32) ==
           b.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(PriceImages, TwelveCellsWithMagentaTransparent) {
    std::vector<QIcon> images = LoadImageList(QString::fromLatin1(kPriceImagesResource), 16);
    ASSERT_EQ(images.size(), 12u);
    for (size_t i = 0; i < images.size(); ++i) {
        QImage image = images[i].pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << i;  // the corners are background
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                QRgb p = image.pixel(x, y);
                if (qAlpha(p) == 0) continue;
                ++opaque;
                EXPECT_FALSE(qRed(p) == 255 && qGreen(p) == 0 && qBlue(p) == 255) << i;
            }
        EXPECT_GT(opaque, 20) << i;
        for (size_t j = 0; j < i; ++j) EXPECT_FALSE(SamePicture(images[i], images[j])) << i << " " << j;
    }
}

}  // namespace

// One application for the tests, on the offscreen platform, with the program's pictures registered.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InitAppResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
