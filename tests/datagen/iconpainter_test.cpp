#include "iconpainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct PixelCase {
    const char* name;
    int size;
    double x, y; // as fractions of the side
    bool opaque;
};

class IconPixels : public testing::TestWithParam<PixelCase> {};

// Transparent outside the rounded tile, opaque on it, at every size of the theme.
TEST_P(IconPixels, TileShapeAtEachSize) {
    const PixelCase& c = GetParam();
    const QImage icon = IconPainter::png(c.size);
    ASSERT_EQ(icon.size(), QSize(c.size, c.size));
    const int alpha = qAlpha(icon.pixel(int(c.x * (c.size - 1)), int(c.y * (c.size - 1))));
    if (c.opaque)
        EXPECT_EQ(alpha, 255);
    else
        EXPECT_EQ(alpha, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconPixels,
                         testing::Values(PixelCase{"Corner16", 16, 0, 0, false},
                                         PixelCase{"Centre16", 16, 0.5, 0.5, true},
                                         PixelCase{"Corner512", 512, 1, 1, false},
                                         PixelCase{"Centre512", 512, 0.5, 0.5, true},
                                         PixelCase{"EdgeMiddle256", 256, 0.5, 0.1, true}),
                         [](const testing::TestParamInfo<PixelCase>& info) {
                             return info.param.name;
                         });

// The scalable icon draws the same picture as the PNGs.
TEST(IconScalable, RendersLikeThePng) {
    QSvgRenderer renderer(IconPainter::svg());
    ASSERT_TRUE(renderer.isValid());
    QImage fromSvg(128, 128, QImage::Format_ARGB32_Premultiplied);
    fromSvg.fill(Qt::transparent);
    QPainter p(&fromSvg);
    renderer.render(&p);
    p.end();
    const QImage png = IconPainter::png(128).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Edges are smoothed a little differently: only pixels far apart count.
    int different = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const QRgb a = fromSvg.pixel(x, y), b = png.pixel(x, y);
            const int most =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            different += most > 64;
        }
    EXPECT_LT(different, 128 * 128 / 50) << different;
}

TEST(IconTheme, EveryFileInItsThemeFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList errors;
    ASSERT_TRUE(IconPainter::writeTheme(dir.path(), &errors)) << errors.join(", ").toStdString();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(QSvgRenderer(dir.path() + "/hicolor/scalable/apps/wiklotek.svg").isValid());
    for (const int size : IconPainter::pngSizes()) {
        const QImage icon(dir.path() +
                          QStringLiteral("/hicolor/%1x%1/apps/wiklotek.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }

    // A file where the theme folder should be.
    QFile blocker(dir.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    errors.clear();
    EXPECT_FALSE(IconPainter::writeTheme(dir.path() + "/blocked", &errors));
    EXPECT_EQ(errors.size(), IconPainter::pngSizes().size() + 1);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
