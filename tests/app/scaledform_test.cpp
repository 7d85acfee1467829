// A window on the enlarged 1920 x 1080 screen: what its canvas shows reaches every screen
// pixel of the enlarged window, smoothed, and a picture moving in small steps, as falling
// cards and dragged tiles move, leaves nothing behind on the screen.
#include "scaledmain.h"

#include "form.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

// A window that composes off-screen, as the game windows do: a change is made on its own
// picture and only the changed rectangles are asked for; each paint copies just the rectangles
// being painted to the visible canvas.
class ComposingForm : public Form {
public:
    QImage picture{400, 300, QImage::Format_RGB32};
    void fill(const QRect& rect, QRgb colour) {
        QPainter(&picture).fillRect(rect, QColor::fromRgb(colour));
        updateRect(rect);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        m_region = event->region();
        Form::paintEvent(event);
    }
    void formPaint() override {
        for (const QRect& r : m_region)
            canvas().copyFrom(r, picture, r.topLeft());
    }

private:
    QRegion m_region;
};

constexpr QRgb Sky = 0xFF8FD8FAu;
constexpr QRgb Card = 0xFFFFFFFFu;

class ScaledFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(400, 300);
        form.move(0, 0);
        form.canvas().setBrushColor(QColor::fromRgb(Sky));
        form.canvas().fillRect(QRect(0, 0, 400, 300));
        form.picture.fill(Sky);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // What the screen shows of the window, in screen pixels. The offscreen platform hands
    // back only the window's top-left 400 x 300 screen pixels: the pictures stay inside them.
    QImage onScreen() { return form.screen()->grabWindow(form.winId()).toImage(); }

    ComposingForm form;
};

TEST_F(ScaledFormTest, ScreenTakesTheCanvasEnlargedAndSmoothed) {
    ASSERT_DOUBLE_EQ(form.devicePixelRatioF(), kScaledFactor);
    // A card with a one-pixel black edge: enlarged, its edges blend into the sky.
    form.fill(QRect(100, 100, 101, 101), 0xFF000000u);
    form.fill(QRect(101, 101, 99, 99), Card);
    QCoreApplication::processEvents();
    const QImage shot = onScreen();
    EXPECT_EQ(shot.pixel(50, 50), Sky);
    EXPECT_EQ(shot.pixel(qRound(150 * kScaledFactor), qRound(150 * kScaledFactor)), Card);
    int greys = 0; // neither sky, nor card, nor edge: a blend of them
    for (int x = qRound(95 * kScaledFactor); x < qRound(105 * kScaledFactor); ++x) {
        const QRgb p = shot.pixel(x, qRound(150 * kScaledFactor));
        greys += p != Card && p != Sky && p != 0xFF000000u;
    }
    EXPECT_GT(greys, 0) << "the edge is not smoothed";
}

TEST_F(ScaledFormTest, MovingPictureLeavesNoTrail) {
    // Steps of every size up to a few pixels, so that edges land on every fraction of a screen
    // pixel; each step puts the sky back over the old place and draws the card at the new one.
    struct Move {
        int step;
        int count;
    };
    for (const Move move : {Move{1, 40}, Move{2, 30}, Move{3, 25}, Move{5, 12}}) {
        SCOPED_TRACE(move.step);
        form.fill(QRect(0, 0, 400, 300), Sky);
        QRect card(150, 10, 60, 70);
        form.fill(card, Card);
        QCoreApplication::processEvents();
        for (int i = 0; i < move.count; ++i) {
            form.fill(card, Sky);
            card.translate(0, move.step);
            form.fill(card, Card);
            QCoreApplication::processEvents();
        }
        const QImage shot = onScreen();
        // Above the card's last place, two pixels clear of its smoothed edge, only sky.
        int trail = 0;
        const int bottom = qFloor((card.top() - 2) * kScaledFactor);
        for (int y = qRound(10 * kScaledFactor); y < bottom; ++y)
            for (int x = qRound(150 * kScaledFactor); x < qRound(210 * kScaledFactor); ++x)
                trail += shot.pixel(x, y) != Sky;
        EXPECT_EQ(trail, 0);
    }
}

} // namespace

int main(int argc, char** argv) {
    return runOnScaledScreen(argc, argv, "wk-scaled-form-test");
}
