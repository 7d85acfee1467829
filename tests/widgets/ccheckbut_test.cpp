#include "cblad.h"
#include "ccheckbut.h"
#include "widgetfixture.h"

#include <memory>

namespace {

// "s_malo": off picture 30 x 20 (red), on picture 36 x 24 (green), both full-size colour.
class CCheckButTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        writeLibraryPicture("s_malo_D", shapePicture(QSize(30, 20), 0, kNormal, kWhite));
        writeLibraryPicture("s_malo_A", shapePicture(QSize(36, 24), 0, kHover, kWhite));
        form.setClientSize(200, 200);
        form.move(0, 0);
        canvas.setChangeListener([this](const QRect&) { ++draws; });
    }

    std::unique_ptr<CCheckBut> makeButton() {
        return std::make_unique<CCheckBut>(form, "s_malo", canvas, 40, 50, [this] { ++clicks; });
    }

    QWindow* window() { return form.windowHandle(); }

    Form form;
    Canvas canvas{200, 200, Qt::black};
    int draws = 0;
    int clicks = 0;
};

TEST_F(CCheckButTest, TakesTheOffPicturesSizeStartsOffAndDrawsNothing) {
    auto button = makeButton();
    EXPECT_EQ(button->control().geometry(), QRect(40, 50, 30, 20));
    EXPECT_EQ(button->IsOn(), 0);
    EXPECT_TRUE(button->IsVisible());
    EXPECT_EQ(draws, 0);
}

TEST_F(CCheckButTest, AClickRunsTheActionOnceAndLeavesTheState) {
    auto button = makeButton();
    activate(form);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(45, 55));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->IsOn(), 0);
    EXPECT_EQ(draws, 0);
}

TEST_F(CCheckButTest, ToggleTwiceComesBackAndDrawsEachTime) {
    auto button = makeButton();
    button->Toggle();
    EXPECT_EQ(button->IsOn(), 1);
    EXPECT_EQ(pixelAt(canvas, 40, 50), Rgb{kHover});
    // The larger on picture starts at the same top-left.
    EXPECT_EQ(pixelAt(canvas, 75, 73), Rgb{kHover});
    EXPECT_EQ(pixelAt(canvas, 76, 74), Rgb{kBlack});

    button->Toggle();
    EXPECT_EQ(button->IsOn(), 0);
    EXPECT_EQ(pixelAt(canvas, 40, 50), Rgb{kNormal});
    EXPECT_EQ(pixelAt(canvas, 69, 69), Rgb{kNormal});
    EXPECT_EQ(pixelAt(canvas, 75, 73), Rgb{kHover}); // the off picture does not cover it
    EXPECT_EQ(draws, 2);
}

struct StateCase {
    const char* name;
    int state;
    int stored;
    bool drawn;
    QRgb colour;
};

class CCheckButStateTest : public CCheckButTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CCheckButStateTest, SetOnStoresAByteAndDrawsOnlyOffOrOn) {
    auto button = makeButton();
    button->SetOn(GetParam().state);
    EXPECT_EQ(button->IsOn(), GetParam().stored);
    EXPECT_EQ(draws, GetParam().drawn ? 1 : 0);
    EXPECT_EQ(pixelAt(canvas, 45, 55), Rgb{GetParam().colour});
}

INSTANTIATE_TEST_SUITE_P(States, CCheckButStateTest,
                         ::testing::Values(StateCase{"On", 1, 1, true, kHover},
                                           StateCase{"Off", 0, 0, true, kNormal},
                                           StateCase{"Other", 2, 2, false, kBlack}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CCheckButTest, DrawsInTheCanvassCopyMode) {
    auto button = makeButton();
    canvas.setBrushColor(QColor(0x30, 0xFF, 0x0F));
    canvas.fillRect(canvas.rect());
    canvas.setCopyMode(CopyMode::SrcAnd);
    button->SetOn(0);
    EXPECT_EQ(pixelAt(canvas, 45, 55), Rgb{qRgb(0x30 & 0xC8, 0, 0)});
}

struct PositionCase {
    const char* name;
    int x;
    int y;
    QPoint expected;
};

class CCheckButPositionTest : public CCheckButTest,
                              public ::testing::WithParamInterface<PositionCase> {};

TEST_P(CCheckButPositionTest, OnlyCoordinatesAboveZeroMove) {
    auto button = makeButton();
    button->SetPosition(GetParam().x, GetParam().y);
    EXPECT_EQ(button->control().pos(), GetParam().expected);
    EXPECT_EQ(QPoint(button->X(), button->Y()), GetParam().expected);
    button->SetOn(1);
    EXPECT_EQ(pixelAt(canvas, GetParam().expected.x(), GetParam().expected.y()), Rgb{kHover});
}

INSTANTIATE_TEST_SUITE_P(Rules, CCheckButPositionTest,
                         ::testing::Values(PositionCase{"ZeroKeepsLeft", 0, 120, QPoint(40, 120)},
                                           PositionCase{"ZeroKeepsTop", 90, 0, QPoint(90, 50)},
                                           PositionCase{"NegativeKeeps", -5, -1, QPoint(40, 50)},
                                           PositionCase{"Both", 1, 1, QPoint(1, 1)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CCheckButTest, HideLeavesThePixelsAndStopsClicks) {
    auto button = makeButton();
    activate(form);
    button->SetOn(1);
    const QImage before = canvas.image().copy();
    button->Hide();
    EXPECT_FALSE(button->IsVisible());
    EXPECT_EQ(canvas.image(), before);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(45, 55));
    EXPECT_EQ(clicks, 0);
    button->Show();
    EXPECT_EQ(canvas.image(), before);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(45, 55));
    EXPECT_EQ(clicks, 1);
}

class CCheckButMissingTest : public CCheckButTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(CCheckButMissingTest, AMissingPictureIsErrorOneAndLeavesNoControl) {
    ASSERT_TRUE(QFile::remove(path(QString("Data/Intf/Lib/s_malo") + GetParam() + ".png")));
    try {
        CCheckBut button(form, "s_malo", canvas, 0, 0, {});
        FAIL() << "constructed without a picture";
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
    EXPECT_TRUE(form.findChildren<HitArea*>().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pictures, CCheckButMissingTest, ::testing::Values("_D", "_A"),
                         [](const auto& info) { return std::string(info.param).substr(1); });

} // namespace
