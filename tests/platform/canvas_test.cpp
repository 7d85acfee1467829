#include "canvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <vector>

namespace {

QImage solid(int w, int h, QRgb color) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

// A background where every pixel differs, so a stray write anywhere shows.
Canvas patterned(int w, int h) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.image().setPixel(x, y, qRgb(x * 10 + 5, y * 10 + 5, (x * 7 + y * 13) & 0xFF));
    return c;
}

QRgb at(const Canvas& c, int x, int y) {
    return c.image().pixel(x, y);
}

// Compares every pixel against a reference, naming the first one that differs.
void expectSamePixels(const QImage& actual, const QImage& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << actual.pixel(x, y) << ", expected " << expected.pixel(x, y);
                return;
            }
}

struct RasterCase {
    const char* name;
    CopyMode mode;
    QRgb dest;
    QRgb source;
    QRgb expected;
};

class RasterOpTest : public ::testing::TestWithParam<RasterCase> {};

TEST_P(RasterOpTest, CombinesPixelsBitwiseInsideTheRectangleOnly) {
    const RasterCase& c = GetParam();
    Canvas canvas(6, 5);
    canvas.image().fill(c.dest);
    canvas.setCopyMode(c.mode);
    canvas.draw(2, 1, solid(3, 2, c.source));

    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(at(canvas, x, y), inside ? c.expected : c.dest) << "at " << x << "," << y;
        }
    // The mode stays as set until changed: only the masked draw resets it.
    EXPECT_EQ(canvas.copyMode(), c.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RasterOpTest,
    ::testing::Values(
        RasterCase{"CopyReplaces", CopyMode::SrcCopy, 0xFF123456, 0xFF0F0F0F, 0xFF0F0F0F},
        RasterCase{"PaintOrs", CopyMode::SrcPaint, 0xFF102030, 0xFF0A0B0C, 0xFF1A2B3C},
        RasterCase{"PaintOrWithWhiteIsWhite", CopyMode::SrcPaint, 0xFF123456, 0xFFFFFFFF,
                   0xFFFFFFFF},
        RasterCase{"PaintOrWithBlackKeeps", CopyMode::SrcPaint, 0xFF123456, 0xFF000000, 0xFF123456},
        RasterCase{"AndAnds", CopyMode::SrcAnd, 0xFFF0F0F0, 0xFF3C5A66, 0xFF305060},
        RasterCase{"AndWithWhiteKeeps", CopyMode::SrcAnd, 0xFF123456, 0xFFFFFFFF, 0xFF123456},
        RasterCase{"AndWithBlackIsBlack", CopyMode::SrcAnd, 0xFF123456, 0xFF000000, 0xFF000000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CanvasTest, RasterOpsUseTheColourOfSourcesInOtherFormats) {
    QImage argb(2, 2, QImage::Format_ARGB32);
    argb.fill(qRgb(0x0A, 0x0B, 0x0C));
    Canvas canvas(2, 2);
    canvas.image().fill(0xFF102030);
    canvas.setCopyMode(CopyMode::SrcPaint);
    canvas.draw(0, 0, argb);
    EXPECT_EQ(at(canvas, 1, 1), 0xFF1A2B3Cu);
}

// A 6 x 5 sprite: the object is the plus shape in the middle.
struct Sprite {
    QImage mask;
    QImage picture;
};

Sprite plusSprite(QRgb colour) {
    Sprite s{solid(6, 5, 0xFF000000), solid(6, 5, 0xFFFFFFFF)};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            if (x == 2 || x == 3 || y == 2) {
                s.mask.setPixel(x, y, 0xFFFFFFFF);
                s.picture.setPixel(x, y, colour + static_cast<QRgb>(x + y * 6));
            }
    return s;
}

TEST(CanvasTest, MaskedDrawShowsThePictureOnTheObjectAndKeepsTheBackgroundElsewhere) {
    Canvas canvas = patterned(12, 10);
    const QImage before = canvas.image().copy();
    const Sprite sprite = plusSprite(0xFF204000);
    canvas.setCopyMode(CopyMode::SrcAnd); // whatever was set before
    canvas.drawMasked(3, 4, sprite.mask, sprite.picture);

    QImage expected = before;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            if (sprite.mask.pixel(x, y) == 0xFFFFFFFF)
                expected.setPixel(x + 3, y + 4, sprite.picture.pixel(x, y));
    expectSamePixels(canvas.image(), expected);
    EXPECT_EQ(canvas.copyMode(), CopyMode::SrcCopy);
}

TEST(CanvasTest, MaskedDrawOverAnEarlierStateLeavesNoTrace) {
    Canvas canvas = patterned(8, 7);
    const Sprite hover = plusSprite(0xFF800000);
    const Sprite normal = plusSprite(0xFF002000);
    canvas.drawMasked(1, 1, hover.mask, hover.picture);
    const QImage afterHover = canvas.image().copy();
    canvas.drawMasked(1, 1, normal.mask, normal.picture);

    QImage expected = afterHover;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            if (normal.mask.pixel(x, y) == 0xFFFFFFFF)
                expected.setPixel(x + 1, y + 1, normal.picture.pixel(x, y));
    expectSamePixels(canvas.image(), expected);
}

TEST(CanvasTest, CopyFromTakesTheRectangleAtTheSourcePoint) {
    const Canvas source = patterned(10, 10);
    Canvas canvas(6, 6, Qt::black);
    canvas.copyFrom(QRect(1, 2, 3, 2), source, QPoint(4, 5));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
            const QRgb expected = inside ? source.image().pixel(x + 3, y + 3) : 0xFF000000;
            EXPECT_EQ(at(canvas, x, y), expected) << "at " << x << "," << y;
        }
}

TEST(CanvasTest, CopyFromBeyondTheSourceLeavesThoseDestinationPixelsAlone) {
    const QImage source = solid(4, 4, 0xFF00FF00);
    Canvas canvas(6, 6, Qt::black);
    // Source rectangle (2,2)-(5,5) hangs over the source's right and bottom edges.
    canvas.copyFrom(QRect(0, 0, 4, 4), source, QPoint(2, 2));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(at(canvas, x, y), (x < 2 && y < 2) ? 0xFF00FF00u : 0xFF000000u)
                << "at " << x << "," << y;
    // And from before its top-left corner.
    Canvas other(4, 4, Qt::black);
    other.copyFrom(QRect(0, 0, 3, 3), source, QPoint(-1, -2));
    EXPECT_EQ(at(other, 0, 0), 0xFF000000u);
    EXPECT_EQ(at(other, 1, 1), 0xFF000000u);
    EXPECT_EQ(at(other, 1, 2), 0xFF00FF00u);
    EXPECT_EQ(at(other, 2, 2), 0xFF00FF00u);
}

TEST(CanvasTest, CopyFromUsesTheCopyMode) {
    Canvas canvas(2, 1);
    canvas.image().fill(0xFFF0F000);
    canvas.setCopyMode(CopyMode::SrcAnd);
    canvas.copyFrom(QRect(0, 0, 1, 1), solid(2, 2, 0xFF3030FF), QPoint(1, 1));
    EXPECT_EQ(at(canvas, 0, 0), 0xFF303000u);
    EXPECT_EQ(at(canvas, 1, 0), 0xFFF0F000u);
}

TEST(CanvasTest, StretchDrawRepeatsPixelsWithoutBlending) {
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, 0xFFFF0000);
    checker.setPixel(1, 0, 0xFF00FF00);
    checker.setPixel(0, 1, 0xFF0000FF);
    checker.setPixel(1, 1, 0xFFFFFFFF);
    Canvas canvas(10, 10, Qt::black);
    canvas.stretchDraw(QRect(1, 1, 8, 8), checker);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x < 9 && y >= 1 && y < 9;
            const QRgb expected = inside ? checker.pixel((x - 1) / 4, (y - 1) / 4) : 0xFF000000;
            EXPECT_EQ(at(canvas, x, y), expected) << "at " << x << "," << y;
        }
}

TEST(CanvasTest, StretchDrawShrinksByDroppingPixels) {
    QImage stripes(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        stripes.setPixel(x, 0, x % 2 ? 0xFFFFFFFF : 0xFF000000);
    Canvas canvas(2, 1, Qt::red);
    canvas.stretchDraw(QRect(0, 0, 2, 1), stripes);
    // Each pixel is one of the source pixels, never a grey average.
    for (int x = 0; x < 2; ++x) {
        const QRgb p = at(canvas, x, 0);
        EXPECT_TRUE(p == 0xFF000000 || p == 0xFFFFFFFF) << std::hex << p;
    }
}

TEST(CanvasTest, FrameRectDrawsAOnePixelOutlineInTheBrushColour) {
    Canvas canvas = patterned(8, 7);
    const QImage before = canvas.image().copy();
    canvas.setBrushColor(QColor(0x11, 0x22, 0x33));
    canvas.frameRect(QRect(1, 2, 5, 4)); // x 1..5, y 2..5
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inRect = x >= 1 && x <= 5 && y >= 2 && y <= 5;
            const bool onEdge = inRect && (x == 1 || x == 5 || y == 2 || y == 5);
            EXPECT_EQ(at(canvas, x, y), onEdge ? 0xFF112233u : before.pixel(x, y))
                << "at " << x << "," << y;
        }
}

TEST(CanvasTest, FillRectUsesTheBrushAndIgnoresTheCopyMode) {
    Canvas canvas(4, 4, Qt::black);
    canvas.setBrushColor(QColor(0x40, 0x50, 0x60, 10)); // alpha plays no part
    canvas.setCopyMode(CopyMode::SrcAnd);
    canvas.fillRect(QRect(1, 1, 2, 2));
    EXPECT_EQ(at(canvas, 1, 1), 0xFF405060u);
    EXPECT_EQ(at(canvas, 2, 2), 0xFF405060u);
    EXPECT_EQ(at(canvas, 3, 3), 0xFF000000u);
    EXPECT_EQ(at(canvas, 0, 1), 0xFF000000u);
}

TEST(CanvasTest, ResizeKeepsOldPixelsAndFillsNewAreaWithTheBrush) {
    Canvas canvas = patterned(3, 3);
    const QImage before = canvas.image().copy();
    canvas.setBrushColor(Qt::blue);
    canvas.resize(5, 4);
    ASSERT_EQ(canvas.width(), 5);
    ASSERT_EQ(canvas.height(), 4);
    EXPECT_EQ(canvas.image().format(), QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(at(canvas, x, y), (x < 3 && y < 3) ? before.pixel(x, y) : 0xFF0000FFu)
                << "at " << x << "," << y;

    // Dropping the content first gives a canvas all of the brush colour.
    canvas.resize(5, 0);
    canvas.setBrushColor(Qt::black);
    canvas.resize(2, 2);
    EXPECT_EQ(at(canvas, 0, 0), 0xFF000000u);
}

TEST(CanvasTest, ReportsTheTouchedRectangleClippedToTheCanvas) {
    Canvas canvas(10, 10);
    std::vector<QRect> reported;
    canvas.setChangeListener([&](const QRect& r) { reported.push_back(r); });

    canvas.draw(8, -1, solid(4, 4, 0xFF000000));
    canvas.fillRect(QRect(20, 20, 3, 3)); // wholly outside: nothing to report
    canvas.copyFrom(QRect(1, 1, 2, 2), solid(5, 5, 0xFF000000), QPoint(0, 0));
    canvas.stretchDraw(QRect(0, 5, 3, 2), solid(1, 1, 0xFF000000));
    ASSERT_EQ(reported.size(), 3u);
    EXPECT_EQ(reported[0], QRect(8, 0, 2, 3));
    EXPECT_EQ(reported[1], QRect(1, 1, 2, 2));
    EXPECT_EQ(reported[2], QRect(0, 5, 3, 2));
}

TEST(CanvasTest, MaskedDrawAndFrameReportOnceWhenComplete) {
    Canvas canvas(20, 20);
    std::vector<QRect> reported;
    std::vector<QRgb> seen; // what a repaint would show at the object's centre
    canvas.setChangeListener([&](const QRect& r) {
        reported.push_back(r);
        seen.push_back(canvas.image().pixel(4 + 2, 5 + 2));
    });
    const Sprite sprite = plusSprite(0xFF204000);
    canvas.drawMasked(4, 5, sprite.mask, sprite.picture);
    canvas.frameRect(QRect(0, 0, 4, 4));
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], QRect(4, 5, 6, 5));
    EXPECT_EQ(seen[0], sprite.picture.pixel(2, 2)); // never the white intermediate state
    EXPECT_EQ(reported[1], QRect(0, 0, 4, 4));
}

TEST(CanvasTest, DrawingOnAnEmptyCanvasDoesNothing) {
    Canvas canvas;
    int reports = 0;
    canvas.setChangeListener([&](const QRect&) { ++reports; });
    canvas.draw(0, 0, solid(2, 2, 0xFF000000));
    canvas.fillRect(QRect(0, 0, 5, 5));
    canvas.drawMasked(0, 0, solid(2, 2, 0xFFFFFFFF), solid(2, 2, 0xFF000000));
    EXPECT_TRUE(canvas.image().isNull());
    EXPECT_EQ(reports, 0);
}

} // namespace
