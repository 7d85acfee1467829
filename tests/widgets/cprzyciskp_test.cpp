#include "cblad.h"
#include "cprzyciskp.h"
#include "widgetfixture.h"

#include <QPointer>
#include <memory>

namespace {

constexpr QRgb kMarker = 0xFFFF00FFu; // what the window showed before the button drew

// A 300 x 200 window whose canvas is the button's destination, over a background picture of
// the same size; the button "start" is 40 x 30 with a 3-pixel margin around its shape.
class CPrzyciskPTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        writeButton("start", QSize(40, 30));
        form.setClientSize(300, 200);
        form.move(0, 0);
        form.canvas().setBrushColor(QColor::fromRgb(kMarker));
        form.canvas().fillRect(form.canvas().rect());
    }

    std::unique_ptr<CPrzyciskP> makeButton(int x = 50, int y = 60) {
        return std::make_unique<CPrzyciskP>(form, "start", form.canvas(), background, x, y,
                                            [this] { ++clicks; });
    }

    // Checks the destination around the button at (x, y): the shape in `colour`, its margin
    // showing the background, and the pixels just outside the button untouched.
    void expectComposed(int x, int y, QRgb colour, const Canvas& dest) {
        SCOPED_TRACE(testing::Message() << "button at " << x << "," << y);
        EXPECT_EQ(pixelAt(dest, x + 3, y + 3), Rgb{colour});
        EXPECT_EQ(pixelAt(dest, x + 36, y + 26), Rgb{colour});
        EXPECT_EQ(pixelAt(dest, x + 2, y + 2), Rgb{backgroundColour(x + 2, y + 2)});
        EXPECT_EQ(pixelAt(dest, x + 39, y + 29), Rgb{backgroundColour(x + 39, y + 29)});
        EXPECT_EQ(pixelAt(dest, x, y + 15), Rgb{backgroundColour(x, y + 15)});
        EXPECT_EQ(pixelAt(dest, x - 1, y), Rgb{kMarker});
        EXPECT_EQ(pixelAt(dest, x + 40, y + 29), Rgb{kMarker});
        EXPECT_EQ(pixelAt(dest, x + 39, y + 30), Rgb{kMarker});
    }
    void expectUntouched(const QRect& rect) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                ASSERT_EQ(pixelAt(form.canvas(), x, y), Rgb{kMarker}) << x << "," << y;
    }

    QWindow* window() { return form.windowHandle(); }

    Form form;
    QImage background = makeBackground(300, 200);
    int clicks = 0;
};

TEST_F(CPrzyciskPTest, TakesTheMasksSizeAndDrawsNothingUntilPainted) {
    writeMask("wide_M", QSize(90, 44), 2);
    writeShape("wide_D", QSize(20, 20), 2, kNormal); // state pictures need not match the mask
    writeShape("wide_A", QSize(20, 20), 2, kHover);
    writeShape("wide_", QSize(20, 20), 2, kPressed);
    CPrzyciskP button(form, "wide", form.canvas(), background, 7, 9);
    EXPECT_EQ(button.DestinationRect(), QRect(7, 9, 90, 44));
    EXPECT_EQ(button.control().geometry(), QRect(7, 9, 90, 44));
    EXPECT_TRUE(button.IsVisible());
    EXPECT_TRUE(button.IsReady());
    expectUntouched(QRect(0, 0, 300, 200));
}

TEST_F(CPrzyciskPTest, MouseWalksThroughTheStatesAndClicksOnRelease) {
    auto button = makeButton();
    activate(form);
    expectComposed(50, 60, kNormal, form.canvas()); // the window's first paint
    QTest::mouseMove(window(), QPoint(5, 5));

    QTest::mouseMove(window(), QPoint(60, 70));
    expectComposed(50, 60, kHover, form.canvas());
    // Our copy to the window repaints it at once; that paint must not bring back "normal".
    EXPECT_EQ(pixelAt(onScreen(form), 60, 70), Rgb{kHover});

    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(60, 70));
    expectComposed(50, 60, kPressed, form.canvas());
    EXPECT_EQ(pixelAt(onScreen(form), 60, 70), Rgb{kPressed});
    EXPECT_EQ(clicks, 0);

    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(60, 70));
    expectComposed(50, 60, kHover, form.canvas());
    EXPECT_EQ(clicks, 1);

    QTest::mouseMove(window(), QPoint(200, 150));
    expectComposed(50, 60, kNormal, form.canvas());
}

TEST_F(CPrzyciskPTest, TheWholeRectangleIsTheHitAreaNotTheShape) {
    auto button = makeButton();
    activate(form);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(50, 60)); // in the white margin
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(49, 60)); // just outside
    EXPECT_EQ(clicks, 1);
}

TEST_F(CPrzyciskPTest, MouseEnterOnAnInactiveWindowIsIgnored) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    Form other;
    other.setClientSize(50, 50);
    other.move(400, 400);
    activate(other);
    ASSERT_FALSE(form.isActiveForm());

    QTest::mouseMove(window(), QPoint(60, 70));
    expectComposed(50, 60, kNormal, form.canvas());

    // Once the window is active again the same move lights the button up.
    QTest::mouseMove(window(), QPoint(5, 5));
    activate(form);
    QTest::mouseMove(window(), QPoint(60, 70));
    expectComposed(50, 60, kHover, form.canvas());
}

TEST_F(CPrzyciskPTest, HidingPutsTheBackgroundBackAtOnceAndShowingDrawsNormal) {
    auto button = makeButton();
    button->control().paintRequested();
    expectComposed(50, 60, kNormal, form.canvas());

    button->Hide();
    EXPECT_FALSE(button->IsVisible());
    for (int y = 60; y < 90; ++y)
        for (int x = 50; x < 90; ++x)
            ASSERT_EQ(pixelAt(form.canvas(), x, y), Rgb{backgroundColour(x, y)}) << x << "," << y;

    button->Show();
    expectComposed(50, 60, kNormal, form.canvas());
}

TEST_F(CPrzyciskPTest, WhileNotReadyEverythingIsIgnored) {
    auto button = makeButton();
    bool released = false;
    button->SetOnMouseUp([&] { released = true; });
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));

    button->SetReady(false);
    form.canvas().fillRect(form.canvas().rect()); // repaints the window: ignored too
    QTest::mouseMove(window(), QPoint(60, 70));
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(60, 70));
    button->Hide();
    button->Show();
    button->control().paintRequested();
    expectUntouched(QRect(40, 50, 60, 50));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(released);

    button->SetReady(true);
    QCoreApplication::processEvents(); // the window's repaints after hiding and showing
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(released);
    expectComposed(50, 60, kHover, form.canvas());
}

TEST_F(CPrzyciskPTest, WithoutAnActionTheWindowsMouseHandlersRun) {
    CPrzyciskP button(form, "start", form.canvas(), background, 50, 60);
    int downs = 0;
    int ups = 0;
    button.SetOnMouseDown([&] { ++downs; });
    button.SetOnMouseUp([&] { ++ups; });
    activate(form);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

struct PositionCase {
    const char* name;
    int x;
    int y;
    QPoint expected;
};

class CPrzyciskPPositionTest : public CPrzyciskPTest,
                               public ::testing::WithParamInterface<PositionCase> {};

TEST_P(CPrzyciskPPositionTest, NegativeKeepsZeroAndAboveMove) {
    auto button = makeButton();
    button->Hide();
    button->SetPosition(GetParam().x, GetParam().y);
    const QRect expected(GetParam().expected, QSize(40, 30));
    EXPECT_EQ(button->DestinationRect(), expected);
    EXPECT_EQ(button->control().geometry(), expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, CPrzyciskPPositionTest,
                         ::testing::Values(PositionCase{"OnlyTop", -1, 120, QPoint(50, 120)},
                                           PositionCase{"OnlyLeft", 70, -5, QPoint(70, 60)},
                                           PositionCase{"ZeroMoves", 0, 0, QPoint(0, 0)},
                                           PositionCase{"Neither", -1, -1, QPoint(50, 60)},
                                           PositionCase{"Both", 200, 150, QPoint(200, 150)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CPrzyciskPTest, MovingAShownButtonTakesItAlongAtOnce) {
    auto button = makeButton();
    button->control().paintRequested();
    button->SetPosition(150, 100);
    for (int y = 60; y < 90; ++y)
        for (int x = 50; x < 90; ++x)
            ASSERT_EQ(pixelAt(form.canvas(), x, y), Rgb{backgroundColour(x, y)}) << x << "," << y;
    expectComposed(150, 100, kNormal, form.canvas());
}

class CPrzyciskPMissingTest : public CPrzyciskPTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(CPrzyciskPMissingTest, AMissingPictureIsErrorOneAndLeavesNoControl) {
    writeButton("rrec", QSize(20, 20));
    ASSERT_TRUE(QFile::remove(path(QString("Data/Intf/Lib/rrec") + GetParam() + ".png")));
    try {
        CPrzyciskP button(form, "rrec", form.canvas(), background, 0, 0);
        FAIL() << "constructed without a picture";
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
    EXPECT_TRUE(form.findChildren<HitArea*>().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pictures, CPrzyciskPMissingTest, ::testing::Values("_D", "_M"),
                         [](const auto& info) { return std::string(info.param).substr(1); });

// The hover and pressed pictures are read when first shown, not when the button is made: a
// file gone by then leaves the button showing its normal picture, and working.
TEST_F(CPrzyciskPTest, HoverAndPressedPicturesAreReadWhenFirstShown) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    QTest::mouseMove(window(), QPoint(60, 70));
    expectComposed(50, 60, kHover, form.canvas());

    writeButton("rrec", QSize(40, 30));
    CPrzyciskP unlit(form, "rrec", form.canvas(), background, 150, 60, [this] { ++clicks; });
    form.update();
    QTest::qWait(20);
    for (const char* state : {"_A", "_"})
        ASSERT_TRUE(QFile::remove(path(QString("Data/Intf/Lib/rrec") + state + ".png")));
    QTest::mouseMove(window(), QPoint(160, 70));
    expectComposed(150, 60, kNormal, form.canvas());
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(160, 70));
    expectComposed(150, 60, kNormal, form.canvas());
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(160, 70));
    EXPECT_EQ(clicks, 1);
}

TEST_F(CPrzyciskPTest, OutlivingItsWindowIsSafe) {
    auto window = std::make_unique<Form>();
    window->setClientSize(100, 100);
    CPrzyciskP button(*window, "start", window->canvas(), background, 0, 0);
    QPointer<HitArea> control(&button.control());
    window.reset(); // takes the control with it
    EXPECT_TRUE(control.isNull());
}

TEST_F(CPrzyciskPTest, DestroyingTheButtonRemovesItsControl) {
    auto button = makeButton();
    ASSERT_EQ(form.findChildren<HitArea*>().size(), 1);
    button.reset();
    EXPECT_TRUE(form.findChildren<HitArea*>().isEmpty());
}

} // namespace
