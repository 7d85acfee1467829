#include "cblad.h"
#include "cscrollbar.h"
#include "widgetfixture.h"

#include <memory>

namespace {

// The thumb pictures "scroll": 12 x 10 with a 2-pixel margin around the shape, on a
// 300 x 300 window over a background picture of the same size.
class CScrollBarTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        writeShape("scroll_D", QSize(12, 10), 2, kNormal);
        writeMask("scroll_M", QSize(12, 10), 2);
        form.setClientSize(300, 300);
        form.move(0, 0);
        form.canvas().setBrushColor(Qt::black);
        form.canvas().fillRect(form.canvas().rect());
    }

    std::unique_ptr<CScrollBar> makeBar(int x = 100, int y = 50) {
        return std::make_unique<CScrollBar>(form, x, y, form.canvas(), background);
    }

    // The thumb drawn with its top-left at (x, y): shape and margin over the background.
    void expectThumbAt(int x, int y) {
        SCOPED_TRACE(testing::Message() << "thumb at " << x << "," << y);
        EXPECT_EQ(pixelAt(form.canvas(), x + 2, y + 2), Rgb{kNormal});
        EXPECT_EQ(pixelAt(form.canvas(), x + 9, y + 7), Rgb{kNormal});
        EXPECT_EQ(pixelAt(form.canvas(), x + 1, y + 1), Rgb{backgroundColour(x + 1, y + 1)});
        EXPECT_EQ(pixelAt(form.canvas(), x + 11, y + 9), Rgb{backgroundColour(x + 11, y + 9)});
    }
    void expectBackgroundAt(const QRect& rect) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                ASSERT_EQ(pixelAt(form.canvas(), x, y), Rgb{backgroundColour(x, y)})
                    << x << "," << y;
    }

    QWindow* window() { return form.windowHandle(); }

    Form form;
    QImage background = makeBackground(300, 300);
};

TEST_F(CScrollBarTest, StartsAtItsPlaceWithStepEightAndDrawsNothing) {
    auto bar = makeBar();
    EXPECT_EQ(bar->X(), 100);
    EXPECT_EQ(bar->Y(), 50);
    EXPECT_EQ(bar->Step(), 8);
    EXPECT_EQ(bar->Thumb().control().geometry(), QRect(100, 50, 12, 10));
    EXPECT_EQ(pixelAt(form.canvas(), 104, 54), Rgb{kBlack});
}

struct RangeCase {
    const char* name;
    int top;
    int bottom;
    int step;
};

class CScrollBarRangeTest : public CScrollBarTest,
                            public ::testing::WithParamInterface<RangeCase> {};

TEST_P(CScrollBarRangeTest, TwentyTwoStepsSpanTheTrack) {
    auto bar = makeBar(5, 5);
    bar->SetRange(120, GetParam().top, GetParam().bottom);
    EXPECT_EQ(bar->Step(), GetParam().step);
    EXPECT_EQ(bar->Thumb().DestinationRect().topLeft(), QPoint(120, GetParam().top));
    for (int i = 0; i < CScrollBar::Positions; ++i)
        bar->StepDown();
    const int end = GetParam().top + 22 * GetParam().step;
    EXPECT_EQ(bar->Y(), end);
    EXPECT_EQ(bar->Thumb().DestinationRect(), QRect(120, end, 12, 10));
    EXPECT_EQ(bar->Thumb().control().geometry(), QRect(120, end, 12, 10));
    expectThumbAt(120, end);
    for (int i = 0; i < CScrollBar::Positions; ++i)
        bar->StepUp();
    EXPECT_EQ(bar->Y(), GetParam().top);
    expectThumbAt(120, GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Tracks, CScrollBarRangeTest,
                         ::testing::Values(RangeCase{"Exact", 30, 250, 10},
                                           RangeCase{"Truncated", 30, 273, 11},
                                           RangeCase{"ShorterThan22StaysPut", 30, 51, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CScrollBarTest, AStepMovesTheShownThumbAndClearsItsOldPlace) {
    auto bar = makeBar();
    bar->SetRange(100, 50, 270);
    bar->Thumb().control().paintRequested(); // the window paints it
    expectThumbAt(100, 50);
    bar->StepDown();
    expectBackgroundAt(QRect(100, 50, 12, 10));
    expectThumbAt(100, 60);
}

TEST_F(CScrollBarTest, AStepShowsAHiddenThumb) {
    auto bar = makeBar();
    bar->Hide();
    bar->SetRange(100, 50, 270);
    bar->StepDown();
    EXPECT_TRUE(bar->IsVisible());
    expectThumbAt(100, 60);
}

TEST_F(CScrollBarTest, HidingErasesAtOnceAndShowingDraws) {
    auto bar = makeBar();
    bar->Hide();
    bar->Show();
    expectThumbAt(100, 50);
    bar->Hide();
    EXPECT_FALSE(bar->IsVisible());
    expectBackgroundAt(QRect(100, 50, 12, 10));
}

TEST_F(CScrollBarTest, PressingAndMovingOnTheThumbLeavesItInPlace) {
    auto bar = makeBar();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(105, 55));
    EXPECT_TRUE(bar->Thumb().IsPressed());
    QTest::mouseMove(window(), QPoint(106, 58));
    QTest::mouseMove(window(), QPoint(106, 120));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(106, 120));
    EXPECT_FALSE(bar->Thumb().IsPressed());
    EXPECT_EQ(bar->Y(), 50);
    EXPECT_EQ(bar->Thumb().control().geometry(), QRect(100, 50, 12, 10));
    expectThumbAt(100, 50);
    EXPECT_EQ(pixelAt(form.canvas(), 104, 62), Rgb{kBlack});
    EXPECT_EQ(pixelAt(form.canvas(), 106, 120), Rgb{kBlack});
}

TEST_F(CScrollBarTest, NegativeThumbCoordinatesKeepTheOldOnes) {
    auto bar = makeBar();
    bar->Thumb().SetPosition(-1, 80);
    EXPECT_EQ(bar->Thumb().DestinationRect().topLeft(), QPoint(100, 80));
    bar->Thumb().SetPosition(0, -3);
    EXPECT_EQ(bar->Thumb().DestinationRect().topLeft(), QPoint(0, 80));
}

class CScrollBarMissingTest : public CScrollBarTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(CScrollBarMissingTest, AMissingPictureIsErrorOneAndLeavesNoControl) {
    ASSERT_TRUE(QFile::remove(path(QString("Data/Intf/Lib/scroll") + GetParam() + ".png")));
    try {
        CScrollBar bar(form, 0, 0, form.canvas(), background);
        FAIL() << "constructed without a picture";
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
    EXPECT_TRUE(form.findChildren<HitArea*>().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pictures, CScrollBarMissingTest, ::testing::Values("_D", "_M"),
                         [](const auto& info) { return std::string(info.param).substr(1); });

} // namespace
