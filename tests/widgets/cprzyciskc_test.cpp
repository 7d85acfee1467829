#include "cblad.h"
#include "cprzyciskc.h"
#include "widgetfixture.h"

#include <QPointer>
#include <memory>

namespace {

// A game window: everything is composed on an off-screen screen canvas, which every paint
// copies onto the visible canvas.
class GameForm : public Form {
public:
    GameForm() : screen(makeBackground(300, 200)) { setClientSize(300, 200); }
    Canvas screen;

protected:
    void formPaint() override { canvas().draw(0, 0, screen); }
};

// The button "stop" at (50, 60) with 40 x 30 pictures (a 3-pixel margin around the shape),
// smaller than its 70 x 60 control.
class CPrzyciskCTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        writeButton("stop", QSize(40, 30));
        form.move(0, 0);
    }

    std::unique_ptr<CPrzyciskC> makeButton() {
        return std::make_unique<CPrzyciskC>(form, "stop", form.screen, 50, 60,
                                            [this] { ++clicks; });
    }

    // The shape in `colour`, its margin and the rest of the control showing the background.
    static void expectButton(const QImage& image, QRgb colour) {
        EXPECT_EQ(pixelAt(image, 53, 63), Rgb{colour});
        EXPECT_EQ(pixelAt(image, 86, 86), Rgb{colour});
        EXPECT_EQ(pixelAt(image, 52, 62), Rgb{backgroundColour(52, 62)});
        EXPECT_EQ(pixelAt(image, 90, 70), Rgb{backgroundColour(90, 70)});
    }

    QWindow* window() { return form.windowHandle(); }

    GameForm form;
    int clicks = 0;
};

struct SizeCase {
    const char* name;
    QSize pictures;
};

class CPrzyciskCSizeTest : public CPrzyciskCTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(CPrzyciskCSizeTest, TheControlIsAlways70By60AndNothingIsDrawnYet) {
    writeButton("pomoc", GetParam().pictures, 2);
    CPrzyciskC button(form, "pomoc", form.screen, 11, 22, {});
    EXPECT_EQ(button.control().geometry(), QRect(11, 22, 70, 60));
    EXPECT_TRUE(button.IsVisible());
    EXPECT_EQ(form.screen.image(), makeBackground(300, 200));
}

INSTANTIATE_TEST_SUITE_P(Pictures, CPrzyciskCSizeTest,
                         ::testing::Values(SizeCase{"Smaller", QSize(30, 20)},
                                           SizeCase{"Exact", QSize(70, 60)},
                                           SizeCase{"Larger", QSize(120, 90)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CPrzyciskCTest, DrawComposesOnTheScreenCanvasOnly) {
    auto button = makeButton();
    const QImage visible = form.canvas().image().copy();
    button->Draw();
    expectButton(form.screen.image(), kNormal);
    EXPECT_EQ(pixelAt(form.screen, 49, 60), Rgb{backgroundColour(49, 60)});
    EXPECT_EQ(form.canvas().image(), visible);
}

TEST_F(CPrzyciskCTest, MouseStatesReachTheScreenCanvasAndTheWindow) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));

    QTest::mouseMove(window(), QPoint(110, 100)); // inside the control, beyond the pictures
    expectButton(form.screen.image(), kHover);
    expectButton(form.canvas().image(), kHover);
    // Our copy repaints the window at once; that paint must not bring back "normal".
    expectButton(onScreen(form), kHover);

    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(110, 100));
    expectButton(form.canvas().image(), kPressed);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(110, 100));
    expectButton(form.canvas().image(), kHover);
    EXPECT_EQ(clicks, 1);

    QTest::mouseMove(window(), QPoint(200, 150));
    expectButton(form.screen.image(), kNormal);
    expectButton(onScreen(form), kNormal);
}

TEST_F(CPrzyciskCTest, TheWholeControlRectangleIsCopiedToTheWindow) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    QCoreApplication::processEvents(); // no paint of the whole window is left pending
    // Something drawn on the screen canvas inside the control but beyond the pictures goes
    // to the window with the button.
    form.screen.setBrushColor(Qt::yellow);
    form.screen.fillRect(QRect(110, 110, 10, 10));
    QTest::mouseMove(window(), QPoint(60, 70));
    const QImage shown = onScreen(form);
    EXPECT_EQ(pixelAt(shown, 119, 119), Rgb{0xFFFFFF00u});
    EXPECT_EQ(pixelAt(shown, 120, 120), Rgb{backgroundColour(120, 120)});
}

TEST_F(CPrzyciskCTest, DrawRepeatsTheLastStateDrawn) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    QTest::mouseMove(window(), QPoint(60, 70));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(60, 70));
    form.screen.draw(0, 0, makeBackground(300, 200)); // the window composes its screen anew
    button->Draw();
    expectButton(form.screen.image(), kPressed);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(60, 70));
}

TEST_F(CPrzyciskCTest, MouseEnterOnAnInactiveWindowDrawsNothing) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    QCoreApplication::processEvents();
    Form other;
    other.setClientSize(50, 50);
    other.move(400, 400);
    activate(other);
    ASSERT_FALSE(form.isActiveForm());
    const QImage before = form.screen.image().copy();

    QTest::mouseMove(window(), QPoint(60, 70));
    EXPECT_EQ(form.screen.image(), before);

    QTest::mouseMove(window(), QPoint(5, 5));
    activate(form);
    QTest::mouseMove(window(), QPoint(60, 70));
    expectButton(form.screen.image(), kHover);
}

TEST_F(CPrzyciskCTest, DoubleClickRunsTheActionOnce) {
    auto button = makeButton();
    activate(form);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(clicks, 1);
    expectButton(form.canvas().image(), kHover);
}

TEST_F(CPrzyciskCTest, HidingLeavesThePixelsAndTheHiddenButtonCatchesNothing) {
    auto button = makeButton();
    activate(form);
    button->Draw();
    form.repaint();
    const QImage screen = form.screen.image().copy();
    const QImage visible = form.canvas().image().copy();

    button->Hide();
    EXPECT_FALSE(button->IsVisible());
    EXPECT_EQ(form.screen.image(), screen);
    EXPECT_EQ(form.canvas().image(), visible);

    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.screen.image(), screen);
}

TEST_F(CPrzyciskCTest, ShowDrawsAtOnce) {
    auto button = makeButton();
    button->Hide();
    button->Show();
    EXPECT_TRUE(button->IsVisible());
    expectButton(form.screen.image(), kNormal);
}

TEST_F(CPrzyciskCTest, TheWindowsPaintDrawsTheNormalPicture) {
    auto button = makeButton();
    activate(form);
    QTest::mouseMove(window(), QPoint(5, 5));
    QTest::mouseMove(window(), QPoint(60, 70));
    form.repaint();
    expectButton(form.screen.image(), kNormal);
    expectButton(onScreen(form), kNormal);
}

class CPrzyciskCMissingTest : public CPrzyciskCTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(CPrzyciskCMissingTest, AMissingPictureIsErrorOneAndLeavesNoControl) {
    writeButton("nast", QSize(20, 20));
    ASSERT_TRUE(QFile::remove(path(QString("Data/Intf/Lib/nast") + GetParam() + ".png")));
    try {
        CPrzyciskC button(form, "nast", form.screen, 0, 0, {});
        FAIL() << "constructed without a picture";
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
    EXPECT_TRUE(form.findChildren<HitArea*>().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pictures, CPrzyciskCMissingTest, ::testing::Values("_D", "_A", "_", "_M"),
                         [](const auto& info) {
                             const std::string suffix = info.param;
                             return suffix == "_" ? std::string("Pressed") : suffix.substr(1);
                         });

TEST_F(CPrzyciskCTest, OutlivingItsWindowIsSafe) {
    auto window = std::make_unique<GameForm>();
    CPrzyciskC button(*window, "stop", window->screen, 0, 0, {});
    QPointer<HitArea> control(&button.control());
    window.reset();
    EXPECT_TRUE(control.isNull());
}

} // namespace
