#include "form.h"
#include "guiapp.h"
#include "hitarea.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QScreen>
#include <QTest>
#include <ostream>
#include <set>
#include <vector>

std::ostream& operator<<(std::ostream& os, HitEvent e) {
    static const char* const names[] = {"Paint",     "MouseEnter",    "MouseLeave",
                                        "LeftDown",  "LeftUp",        "LeftDoubleClick",
                                        "MouseMove", "VisibleChanged"};
    return os << names[static_cast<int>(e)];
}

namespace {

using Events = std::vector<HitEvent>;

// A 200 x 200 form with a 70 x 60 hit area at (50, 50); the hook logs what it hears and
// swallows the events in `swallow`. Mouse input goes through the window, as the window
// system would deliver it.
class HitAreaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testApp(); }

    void SetUp() override {
        form.setClientSize(200, 200);
        form.move(0, 0);
        area = new HitArea(&form);
        area->setGeometry(50, 50, 70, 60);
        area->setHook([this](HitEvent e, const QPoint& pos) {
            events.push_back(e);
            positions.push_back(pos);
            return swallow.count(e) > 0;
        });
        area->setOnClick([this] { ++clicks; });
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::mouseMove(window(), QPoint(5, 5)); // start outside the area
        events.clear();
        positions.clear();
    }

    QWindow* window() { return form.windowHandle(); }
    // Events other than moves and paints, which the window system adds as it likes.
    Events essential() const {
        Events out;
        for (HitEvent e : events)
            if (e != HitEvent::MouseMove && e != HitEvent::Paint)
                out.push_back(e);
        return out;
    }
    int count(HitEvent wanted) const {
        int n = 0;
        for (HitEvent e : events)
            n += e == wanted;
        return n;
    }

    void click(QPoint at) {
        QTest::mousePress(window(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, at);
    }

    Form form;
    QPointer<HitArea> area;
    Events events;
    std::vector<QPoint> positions;
    std::set<HitEvent> swallow;
    int clicks = 0;
};

TEST_F(HitAreaTest, ReportsEnterMovesAndLeaveInAreaCoordinates) {
    QTest::mouseMove(window(), QPoint(60, 70));
    QTest::mouseMove(window(), QPoint(61, 72));
    QTest::mouseMove(window(), QPoint(150, 150));
    ASSERT_EQ(essential(), (Events{HitEvent::MouseEnter, HitEvent::MouseLeave}));
    EXPECT_EQ(events.front(), HitEvent::MouseEnter);
    EXPECT_EQ(positions.front(), QPoint(10, 20));
    ASSERT_GE(count(HitEvent::MouseMove), 1);
    EXPECT_EQ(positions[events.size() - 2], QPoint(11, 22)); // the last move before leaving
    EXPECT_EQ(clicks, 0);
}

TEST_F(HitAreaTest, PressAndReleaseInsideClickOnce) {
    click(QPoint(60, 70));
    const Events expected = {HitEvent::MouseEnter, HitEvent::LeftDown, HitEvent::LeftUp};
    EXPECT_EQ(essential(), expected);
    EXPECT_EQ(clicks, 1);
}

TEST_F(HitAreaTest, ReleaseOutsideTheAreaDoesNotClick) {
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(60, 70));
    QTest::mouseMove(window(), QPoint(150, 150));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(150, 150));
    EXPECT_EQ(count(HitEvent::LeftUp), 1); // the area still hears its own release
    EXPECT_EQ(clicks, 0);
}

TEST_F(HitAreaTest, PressOutsideAndReleaseInsideDoesNotClick) {
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(window(), QPoint(60, 70));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(count(HitEvent::LeftDown), 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(HitAreaTest, RightButtonNeitherReachesTheHookNorClicks) {
    QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(60, 70));
    EXPECT_EQ(count(HitEvent::LeftDown) + count(HitEvent::LeftUp), 0);
    EXPECT_EQ(clicks, 0);
}

struct SwallowCase {
    const char* name;
    std::set<HitEvent> swallow;
    bool doubleClick;
    int clicks;
};

class HitAreaSwallowTest : public HitAreaTest, public ::testing::WithParamInterface<SwallowCase> {};

TEST_P(HitAreaSwallowTest, ClicksOnlyForAnUnswallowedPressAndRelease) {
    swallow = GetParam().swallow;
    if (GetParam().doubleClick)
        QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(60, 70));
    else
        click(QPoint(60, 70));
    EXPECT_EQ(clicks, GetParam().clicks);
    if (GetParam().doubleClick) {
        EXPECT_EQ(count(HitEvent::LeftDoubleClick), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hooks, HitAreaSwallowTest,
    ::testing::Values(SwallowCase{"Nothing", {}, false, 1},
                      SwallowCase{"Down", {HitEvent::LeftDown}, false, 0},
                      SwallowCase{"Up", {HitEvent::LeftUp}, false, 0},
                      SwallowCase{"Enter", {HitEvent::MouseEnter}, false, 1},
                      SwallowCase{"DoubleNothing", {}, true, 1},
                      SwallowCase{"DoubleSwallowed", {HitEvent::LeftDoubleClick}, true, 1},
                      SwallowCase{"DoubleWithDownSwallowed", {HitEvent::LeftDown}, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HitAreaTest, HidingAndShowingIsReportedOncePerChange) {
    area->hide();
    area->hide();
    EXPECT_FALSE(area->shown());
    area->setVisible(true);
    area->show();
    EXPECT_TRUE(area->shown());
    EXPECT_EQ(essential(), (Events{HitEvent::VisibleChanged, HitEvent::VisibleChanged}));
}

TEST_F(HitAreaTest, AHiddenAreaCatchesNothing) {
    area->hide();
    events.clear();
    click(QPoint(60, 70));
    EXPECT_TRUE(essential().empty());
    EXPECT_EQ(clicks, 0);
}

TEST_F(HitAreaTest, HidingBetweenPressAndReleaseCancelsTheClick) {
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(60, 70));
    area->hide();
    area->show();
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(clicks, 0);
}

TEST_F(HitAreaTest, AClickHandlerMayDeleteTheArea) {
    area->setOnClick([this] { delete area.data(); });
    click(QPoint(60, 70));
    EXPECT_TRUE(area.isNull());
}

TEST_F(HitAreaTest, PaintIsHeardWhenTheFormRepaintsOverTheArea) {
    form.repaint(QRect(0, 0, 20, 20)); // elsewhere
    EXPECT_EQ(count(HitEvent::Paint), 0);
    form.repaint(QRect(100, 100, 50, 50)); // overlaps the corner at (119, 109)
    EXPECT_EQ(count(HitEvent::Paint), 1);
    area->hide();
    events.clear();
    form.repaint();
    EXPECT_EQ(count(HitEvent::Paint), 0);
}

TEST_F(HitAreaTest, PictureDrawnOnPaintReachesTheScreenWithThatPaint) {
    // The owner redraws its picture when told to paint, as a button does.
    area->setHook([this](HitEvent e, const QPoint&) {
        if (e == HitEvent::Paint) {
            form.canvas().setBrushColor(Qt::red);
            form.canvas().fillRect(area->geometry());
        }
        return false;
    });
    form.repaint(QRect(0, 0, 200, 200));
    const QImage screen =
        form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen.pixel(50, 50), 0xFFFF0000u);
    EXPECT_EQ(screen.pixel(119, 109), 0xFFFF0000u);
    EXPECT_EQ(screen.pixel(120, 110), 0xFFFFFFFFu);
}

TEST(HitAreaCreationTest, AreaMadeOnAShownFormIsShownAtOnce) {
    testApp();
    Form form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    HitArea area(&form);
    EXPECT_TRUE(area.isVisible());
    EXPECT_TRUE(area.shown());
}

} // namespace
