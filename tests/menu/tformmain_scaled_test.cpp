// The menu on a 1920 x 1080 screen, enlarged as the program enlarges it: the play area fills
// the largest 4:3 area, and a click on the enlarged middle of every control reaches it.
#include "menufixture.h"
#include "scaledmain.h"

#include "ccheckbut.h"
#include "cnagrywanie.h"
#include "cprzyciskp.h"
#include "cslowa.h"
#include "hitarea.h"
#include "randomgenerator.h"
#include "screenscale.h"
#include "settingsstore.h"
#include "tformmain.h"

#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <memory>

namespace {

constexpr double Factor = kScaledFactor;

class ScaledMenuTest : public MenuWindowTest {
protected:
    void SetUp() override {
        MenuWindowTest::SetUp();
        settings = std::make_unique<SettingsStore>(path("Data/data.ini"));
        ASSERT_TRUE(settings->LoadAll());
        main = std::make_unique<TFormMain>(
            display, *settings, catalogue, [this](int code) { notices.push_back(code); }, recorder);
        show(*main);
    }
    void TearDown() override {
        main.reset();
        MenuWindowTest::TearDown();
    }

    // Presses and releases the left button at a point of the screen given in its own pixels,
    // as the window system reports a click there.
    void clickScreenPixel(QPointF pixel) {
        const QPoint inWindow = main->mapFromGlobal((pixel / Factor).toPoint());
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, inWindow);
    }
    // The middle of a control in the screen's own pixels.
    static QPointF scaledCentre(QWidget& control) {
        const QRectF r(control.mapToGlobal(QPoint(0, 0)), control.size());
        return r.center() * Factor;
    }

    const CDisplay display = CDisplay::fromPrimaryScreen();
    RandomGenerator random;
    CSlowa catalogue{random};
    CNagrywanie recorder{{}, {}};
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TFormMain> main;
    std::vector<int> notices;
};

TEST_P(ScaledMenuTest, PlayAreaFillsTheLargestFourToThreeAreaCentred) {
    EXPECT_DOUBLE_EQ(main->devicePixelRatioF(), Factor);
    EXPECT_FALSE(display.IsSmall());
    EXPECT_EQ(QSize(display.ScreenWidth, display.ScreenHeight), QSize(1365, 768));
    const QImage shot = main->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(1920, 1080));
    // The fixture's menu picture is white on black: find its edges on the middle row and column
    // (the smoothing leaves a grey pixel at an edge; it counts to the brighter side).
    const auto lit = [&](int x, int y) { return qGray(shot.pixel(x, y)) >= 128; };
    int left = 0, right = shot.width() - 1, top = 0, bottom = shot.height() - 1;
    while (left < shot.width() && !lit(left, 540))
        ++left;
    while (right >= 0 && !lit(right, 540))
        --right;
    while (top < shot.height() && !lit(960, top))
        ++top;
    while (bottom >= 0 && !lit(960, bottom))
        --bottom;
    // Qt rounds the enlarged offset to whole screen pixels: a pixel either way is allowed.
    EXPECT_NEAR(left, 240, 1);
    EXPECT_NEAR(right - left + 1, 1440, 1);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, 1079);
}

TEST_P(ScaledMenuTest, EveryControlAnswersAClickAtItsEnlargedMiddle) {
    struct Control {
        const char* name;
        std::function<HitArea&()> area;
        std::function<bool()> acted;
    };
    TFormMain& m = *main;
    const Control controls[] = {
        // First, while nothing is chosen: too little material, notice 3.
        {"start", [&]() -> HitArea& { return m.StartButton().control(); },
         [&] { return notices == std::vector<int>{3}; }},
        {"mało", [&]() -> HitArea& { return m.LevelButton(0).control(); },
         [&] { return m.CurrentSettings().poziom == 1; }},
        {"dużo", [&]() -> HitArea& { return m.LevelButton(2).control(); },
         [&] { return m.CurrentSettings().poziom == 3; }},
        {"SZ", [&]() -> HitArea& { return m.SoundButton(0).control(); },
         [&] { return m.CurrentSettings().HasSound(0x0001); }},
        {"DZZ", [&]() -> HitArea& { return m.SoundButton(3).control(); },
         [&] { return m.CurrentSettings().HasSound(0x0008); }},
        {"nagłos", [&]() -> HitArea& { return m.PositionButton(0).control(); },
         [&] { return m.CurrentSettings().HasPosition(0x1000); }},
        {"wygłos", [&]() -> HitArea& { return m.PositionButton(2).control(); },
         [&] { return m.CurrentSettings().HasPosition(0x4000); }},
        {"speaker", [&]() -> HitArea& { return m.MusicOnButton().control(); },
         [&] { return !m.MusicOn(); }},
        {"exit", [&]() -> HitArea& { return m.ExitButton().control(); },
         [&] { return !m.isVisible(); }},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        HitArea& area = c.area();
        ASSERT_TRUE(area.isVisible());
        EXPECT_FALSE(c.acted());
        const QPointF pixel = scaledCentre(area);
        EXPECT_EQ(QApplication::widgetAt((pixel / Factor).toPoint()), &area);
        clickScreenPixel(pixel);
        EXPECT_TRUE(c.acted());
    }
}

TEST_P(ScaledMenuTest, TabStripTakesItsBandsInTheEnlargedPicture) {
    // The middle of the Memory band, and the recordings band, of the big variant's strip.
    HitArea& strip = main->TabStrip();
    const QPointF topLeft = QPointF(strip.mapToGlobal(QPoint(0, 0))) * Factor;
    for (const auto& [y, tab] : {std::pair{200, 2}, {515, 5}, {400, 4}, {95, 1}}) {
        SCOPED_TRACE(y);
        clickScreenPixel(topLeft + QPointF(20, y) * Factor);
        EXPECT_EQ(main->CurrentTab(), tab);
    }
}

INSTANTIATE_TEST_SUITE_P(Screen, ScaledMenuTest, ::testing::Values(QSize(1920, 1080)), screenName);

} // namespace

int main(int argc, char** argv) {
    return runOnScaledScreen(argc, argv, "wk-menu-scaled-test");
}
