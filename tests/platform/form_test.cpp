#include "form.h"
#include "guiapp.h"

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <vector>

namespace {

class RecordingForm : public Form {
public:
    std::vector<QRect> paints;
    std::vector<char16_t> keys;
    std::function<void()> onFormPaint;
    char16_t closingKey = 27;

protected:
    void paintEvent(QPaintEvent* event) override {
        paints.push_back(event->region().boundingRect());
        Form::paintEvent(event);
    }
    void formPaint() override {
        if (onFormPaint)
            onFormPaint();
    }
    bool keyPressed(char16_t ch) override {
        keys.push_back(ch);
        if (ch == closingKey) {
            setModalResult(5);
            return true;
        }
        return false;
    }
};

// What the window system shows of the form.
QImage onScreen(QWidget& w) {
    return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testApp(); }

    void showForm(int w = 200, int h = 150) {
        form.setClientSize(w, h);
        form.move(40, 30);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.paints.clear();
    }

    RecordingForm form;
};

TEST_F(FormTest, CanvasFollowsTheClientSizeEvenWhileHidden) {
    form.setClientSize(321, 123);
    EXPECT_EQ(form.canvas().width(), 321);
    EXPECT_EQ(form.canvas().height(), 123);
    form.resize(50, 60);
    EXPECT_EQ(form.canvas().rect(), QRect(0, 0, 50, 60));
}

TEST_F(FormTest, DrawingOnTheCanvasReachesTheScreenAtOnce) {
    showForm();
    form.canvas().setBrushColor(Qt::red);
    form.canvas().fillRect(QRect(10, 20, 30, 40));

    // Synchronous: no event processing between the draw and these checks.
    ASSERT_EQ(form.paints.size(), 1u);
    EXPECT_EQ(form.paints[0], QRect(10, 20, 30, 40));
    const QImage screen = onScreen(form);
    EXPECT_EQ(screen.pixel(10, 20), 0xFFFF0000u);
    EXPECT_EQ(screen.pixel(39, 59), 0xFFFF0000u);
    EXPECT_EQ(screen.pixel(40, 60), 0xFFFFFFFFu);
}

TEST_F(FormTest, DrawingWhileHiddenShowsWithTheWindow) {
    form.setClientSize(100, 80);
    form.canvas().setBrushColor(Qt::blue);
    form.canvas().fillRect(QRect(0, 0, 100, 80));
    EXPECT_TRUE(form.paints.empty());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(onScreen(form).pixel(50, 40), 0xFF0000FFu);
}

TEST_F(FormTest, FormPaintComposesBeforeTheFrontImageIsCopied) {
    showForm();
    int composed = 0;
    form.onFormPaint = [&] {
        ++composed;
        // Drawing on the front image from inside the paint must not start another paint.
        form.canvas().setBrushColor(Qt::green);
        form.canvas().fillRect(form.canvas().rect());
    };
    form.repaint();
    EXPECT_EQ(composed, 1);
    EXPECT_EQ(form.paints.size(), 1u);
    EXPECT_EQ(onScreen(form).pixel(100, 75), 0xFF00FF00u);
}

TEST_F(FormTest, ShowModalReturnsTheResultThatClosedIt) {
    QTimer::singleShot(0, &form, [this] {
        EXPECT_TRUE(form.isModal());
        EXPECT_TRUE(form.isVisible());
        form.setModalResult(0); // zero keeps the window open
        EXPECT_TRUE(form.isVisible());
        form.setModalResult(2);
    });
    EXPECT_EQ(form.showModal(), 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.isModal());
}

TEST_F(FormTest, ShowModalGivesZeroWhenClosedOtherwiseAndStartsAfreshEachTime) {
    QTimer::singleShot(0, &form, [this] { form.setModalResult(3); });
    EXPECT_EQ(form.showModal(), 3);
    QTimer::singleShot(0, &form, [this] { form.close(); });
    EXPECT_EQ(form.showModal(), 0);
    QTimer::singleShot(0, &form, [this] { form.hide(); });
    EXPECT_EQ(form.showModal(), 0);
}

TEST_F(FormTest, ShowModalWhileAlreadyModalReturnsAtOnce) {
    int inner = -1;
    QTimer::singleShot(0, &form, [&] {
        inner = form.showModal();
        form.setModalResult(1);
    });
    EXPECT_EQ(form.showModal(), 1);
    EXPECT_EQ(inner, 0);
}

// A modal window stays above the window that opened it: it is transient for the topmost
// modal window, or for the visible main window when none is modal; the owner is let go
// when the modal show ends.
TEST_F(FormTest, AModalFormIsTransientForTheWindowThatOpenedIt) {
    Form menu;
    menu.show();
    Form game;
    Form summary;
    const QWindow* gameOwner = nullptr;
    const QWindow* summaryOwner = nullptr;
    QTimer::singleShot(0, &game, [&] {
        gameOwner = game.windowHandle()->transientParent();
        QTimer::singleShot(0, &summary, [&] {
            summaryOwner = summary.windowHandle()->transientParent();
            summary.setModalResult(1);
        });
        summary.showModal();
        game.setModalResult(1);
    });
    game.showModal();
    EXPECT_EQ(gameOwner, menu.windowHandle());
    EXPECT_EQ(summaryOwner, game.windowHandle());
    EXPECT_EQ(game.windowHandle()->transientParent(), nullptr);
}

TEST_F(FormTest, DestroyingAModalFormEndsItsShow) {
    auto* doomed = new Form;
    QTimer::singleShot(0, [doomed] { delete doomed; });
    EXPECT_EQ(doomed->showModal(), 0);
}

TEST_F(FormTest, EscapeReachesTheKeyHookAsCharacter27) {
    QTimer::singleShot(0, &form, [this] {
        QTest::keyClick(&form, Qt::Key_A);
        QTest::keyClick(&form, Qt::Key_Return);
        QTest::sendKeyEvent(QTest::Click, &form, Qt::Key_unknown, QString(QChar(0x17C)),
                            Qt::NoModifier); // ż
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    EXPECT_EQ(form.showModal(), 5);
    const std::vector<char16_t> expected = {u'a', 13, 0x17C, 27};
    EXPECT_EQ(form.keys, expected);
}

struct RegionPoint {
    int x, y;
    bool inside;
};

TEST_F(FormTest, RoundedRegionCutsTheCornersOnly) {
    form.setClientSize(420, 250);
    form.setRoundedRegion(420, 250, 25, 25);
    const QRegion mask = form.mask();
    const RegionPoint points[] = {
        {0, 0, false},     {419, 0, false},  {0, 249, false},  {419, 249, false}, {3, 3, false},
        {416, 246, false}, {6, 6, true},     {413, 243, true}, {210, 0, true},    {0, 125, true},
        {419, 125, true},  {210, 249, true}, {210, 125, true}, {420, 125, false}, {210, 250, false},
    };
    for (const RegionPoint& p : points)
        EXPECT_EQ(mask.contains(QPoint(p.x, p.y)), p.inside) << "at " << p.x << "," << p.y;
}

// Mouse events as the window system delivers them, with explicit screen positions; the
// offscreen test platform would otherwise invent moves of its own when the window moves.
void sendMouse(QWidget& w, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(global - w.pos()), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

TEST_F(FormTest, DraggingByTheBodyMovesTheWindowWithTheMouse) {
    form.setDraggable(true);
    showForm(); // at (40, 30)
    sendMouse(form, QEvent::MouseButtonPress, {50, 40}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(form.isDragging());
    sendMouse(form, QEvent::MouseMove, {80, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.pos(), QPoint(70, 50));
    sendMouse(form, QEvent::MouseMove, {45, 35}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.pos(), QPoint(35, 25));
    sendMouse(form, QEvent::MouseButtonRelease, {45, 35}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(form.isDragging());
    sendMouse(form, QEvent::MouseMove, {200, 200}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form.pos(), QPoint(35, 25));
}

TEST_F(FormTest, DragStartedForAChildFollowsTheMouseToo) {
    showForm();
    form.startDrag(QPoint(60, 60)); // a label of the window got the press
    sendMouse(form, QEvent::MouseMove, {70, 50}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.pos(), QPoint(50, 20));
    // A move that arrives with the button already up ends the drag without moving.
    sendMouse(form, QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(form.isDragging());
    EXPECT_EQ(form.pos(), QPoint(50, 20));
}

TEST_F(FormTest, WithoutDraggingThePressDoesNotMoveTheWindow) {
    showForm();
    sendMouse(form, QEvent::MouseButtonPress, {50, 40}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(form, QEvent::MouseMove, {80, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(form.isDragging());
    EXPECT_EQ(form.pos(), QPoint(40, 30));
}

TEST_F(FormTest, OtherButtonsDoNotDrag) {
    form.setDraggable(true);
    showForm();
    sendMouse(form, QEvent::MouseButtonPress, {50, 40}, Qt::RightButton, Qt::RightButton);
    sendMouse(form, QEvent::MouseMove, {80, 60}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(form.pos(), QPoint(40, 30));
}

TEST_F(FormTest, CentresOnTheScreenTruncatingHalves) {
    form.setClientSize(301, 201);
    form.centerOnScreen();
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.pos(), QPoint(screen.x() + (screen.width() - 301) / 2,
                                 screen.y() + (screen.height() - 201) / 2));
}

} // namespace
