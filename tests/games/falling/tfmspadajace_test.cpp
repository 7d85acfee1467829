// The falling window offscreen: its layout in both screen variants, a new game of each task
// count, the labels, the cursor, the ticks, the end display and the stop with its record.
#include "cblad.h"
#include "cprzyciskc.h"
#include "cursors.h"
#include "fallingfixture.h"
#include "hitarea.h"
#include "tfmkoniecgry.h"
#include "tfmspadajace.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <functional>

namespace {

using Record = StatRecordView;

bool isShotCursor(const QWidget& widget) {
    return widget.cursor().shape() == Qt::BitmapCursor;
}

// The program folder of a falling game: window, slot, ring and summary pictures, the settings
// of the falling tab, and the window under test. Word pictures are left out: the cards then
// fall as plain cards with their words, which is all these tests need.
class TfmSpadajaceTest : public FallingGameTest {
protected:
    static inline const QColor Background{200, 230, 250};

    void SetUp() override {
        FallingGameTest::SetUp();
        for (const auto& [suffix, size] :
             {std::pair{"s", QSize(800, 600)}, std::pair{"b", QSize(1024, 768)}}) {
            QImage picture(size, QImage::Format_RGB32);
            picture.fill(Background);
            ASSERT_TRUE(picture.save(QString("Data/Intf/Spec/mT_Spa_%1.xbi").arg(suffix), "BMP"));
        }
        for (const char* name : {"mStatsB.xji", "mStatsM.xji", "mStatsG.xji"})
            ASSERT_TRUE(saveJpeg(QString("Data/Intf/Spec/") + name, QSize(600, 450), Qt::gray));
        writeButton("pomoc", QColor(0, 160, 0));
        writeButton("stop", QColor(200, 0, 0));
        writeButton("start", QColor(0, 0, 200));
        settings.poziom = 1;
        settings.gloski = 0x0001;
        settings.pozycja = 0x7000;
    }
    void TearDown() override {
        falling.reset();
        summary.reset();
        FallingGameTest::TearDown();
    }

    void makeWindow(QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        summary = std::make_unique<TfmKoniecGry>(*display, *statistics);
        falling = std::make_unique<TfmSpadajace>(
            GameServices{*display, catalogue, *statistics, settings, player, random, *summary});
    }
    void showWindow() {
        falling->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(falling.get()));
        ASSERT_NE(falling->Game(), nullptr);
    }

    // Ticks until the card is wholly on the screen.
    void tickIntoView(const CSpaKart& card) {
        for (int i = 0; i < 3000 && card.Y() < 0; ++i)
            falling->t_GameTimer();
    }
    void press(const CSpaKart& card) {
        QTest::mousePress(card.Control(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        QTest::mouseRelease(card.Control(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    }
    void catchAllTargets() {
        graSpadajace* game = falling->Game();
        for (int i = 0; i < game->TargetCount(); ++i) {
            tickIntoView(game->Card(i));
            press(game->Card(i));
        }
        ASSERT_TRUE(game->IsFinished());
    }

    void answerSummary(std::function<void()> action) { answerer.answer(std::move(action)); }
    int recordCount() const { return Record::Count(statistics->FilePath()); }
    // kind, completed, correct, wrong of the last record.
    std::array<int, 4> lastRecord() const {
        const Record r = Record::Last(statistics->FilePath());
        return {r.kind, r.completed, r.correct, r.wrong};
    }

    std::unique_ptr<CStatRec> statistics = std::make_unique<CStatRec>(1, folder.path());
    std::unique_ptr<TfmKoniecGry> summary;
    std::unique_ptr<TfmSpadajace> falling;
    SummaryAnswerer answerer{[this] { return summary && summary->IsShowing(); }};
};

struct VariantCase {
    const char* name;
    QSize screen;
    QPoint search;
};

class TfmSpadajaceVariantTest : public TfmSpadajaceTest,
                                public ::testing::WithParamInterface<VariantCase> {};

TEST_P(TfmSpadajaceVariantTest, LabelsTimerAndCursorOfTheScreenVariant) {
    const VariantCase& c = GetParam();
    makeWindow(c.screen);
    EXPECT_EQ(falling->SearchLabel().pos(), c.search);
    EXPECT_EQ(falling->SearchLabel().text(), QString("Wybierz obrazki z:"));
    EXPECT_EQ(falling->GameTimer().interval(), 25);
    EXPECT_EQ(falling->GameTimer().timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(isShotCursor(*falling));
}

INSTANTIATE_TEST_SUITE_P(Variants, TfmSpadajaceVariantTest,
                         ::testing::Values(VariantCase{"Small", {800, 600}, {620, 539}},
                                           VariantCase{"Big", {1024, 768}, {816, 693}},
                                           VariantCase{"BigCentred", {1280, 1024}, {816, 693}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LevelCase {
    const char* name;
    int poziom;
    int targets;
};

class TfmSpadajaceLevelTest : public TfmSpadajaceTest,
                              public ::testing::WithParamInterface<LevelCase> {};

TEST_P(TfmSpadajaceLevelTest, ANewGameDropsTargetsAndDistractorsAtTheSpeedOfTheTaskCount) {
    const LevelCase& c = GetParam();
    settings.poziom = static_cast<std::int16_t>(c.poziom);
    makeWindow(QSize(1024, 768));
    falling->A_NowaGra();
    graSpadajace* game = falling->Game();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->TargetCount(), c.targets);
    EXPECT_EQ(game->CardCount(), 2 * c.targets);
    for (int i = 0; i < game->CardCount(); ++i)
        EXPECT_EQ(game->IsTarget(game->Card(i)), i < c.targets) << "card " << i;
    EXPECT_TRUE(falling->GameTimer().isActive());
    EXPECT_TRUE(statistics->IsActive());
    EXPECT_EQ(statistics->GameKind(), CStatRec::Spadajace);

    const CSpaKart& card = game->Card(0);
    tickIntoView(card);
    const int y = card.Y();
    falling->t_GameTimer();
    EXPECT_EQ(card.Y(), y + c.poziom);
    EXPECT_EQ(falling->canvas().image(), falling->ScreenCanvas().image());
}

INSTANTIATE_TEST_SUITE_P(Levels, TfmSpadajaceLevelTest,
                         ::testing::Values(LevelCase{"Malo", 1, 5}, LevelCase{"Srednio", 2, 10},
                                           LevelCase{"Duzo", 3, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FallingSoundsTextTest, TheChosenSoundsInTheirOrderJoinedByCommas) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0x0004, "CZ"},       {0x0005, "SZ, CZ"}, {0x000F, "SZ, Ż/RZ, CZ, DŻ"},
        {0x000A, "Ż/RZ, DŻ"}, {0x00F0, ""},
    };
    for (const auto& [gloski, text] : cases)
        EXPECT_EQ(TfmSpadajace::SoundsText(gloski), QString::fromUtf8(text)) << gloski;
}

TEST_F(TfmSpadajaceTest, TheSoundsLabelStandsCentredUnderTheSearchLabel) {
    settings.gloski = 0x0005;
    makeWindow();
    falling->A_NowaGra();
    const QLabel& search = falling->SearchLabel();
    const QLabel& sounds = falling->SoundsLabel();
    EXPECT_EQ(sounds.text(), QString("SZ, CZ"));
    EXPECT_EQ(sounds.x(), search.x() + search.width() / 2 - sounds.width() / 2);
    EXPECT_EQ(sounds.y(), search.y() + search.height() + 2);
}

struct LabelCase {
    const char* name;
    QSize screen;
    std::uint16_t gloski;
    bool atTheEnd;
    int panelLeft; // where the panel's inside begins: the labels' left edge
};

class TfmSpadajaceLabelTest : public TfmSpadajaceTest,
                              public ::testing::WithParamInterface<LabelCase> {};

// Both lines stay inside the panel on the right, between its border and the window's edge,
// in one size of one font; on the end display they start at the same place.
TEST_P(TfmSpadajaceLabelTest, TheLabelsFitInsideThePanel) {
    const LabelCase& c = GetParam();
    settings.gloski = c.gloski;
    makeWindow(c.screen);
    showWindow();
    if (c.atTheEnd) {
        catchAllTargets();
        falling->t_GameTimer();
    }
    const QLabel& search = falling->SearchLabel();
    const QLabel& sounds = falling->SoundsLabel();
    const int width = falling->width();
    for (const QLabel* label : {&search, &sounds}) {
        EXPECT_GE(label->x(), c.panelLeft) << label->text().toStdString();
        EXPECT_LE(label->geometry().right(), width - TfmSpadajace::LabelMargin)
            << label->text().toStdString();
    }
    EXPECT_EQ(sounds.font(), search.font());
    EXPECT_GE(search.font().pixelSize(), 15);
    EXPECT_EQ(search.x(), c.panelLeft);
    if (c.atTheEnd) {
        EXPECT_EQ(sounds.x(), search.x());
    }
    EXPECT_EQ(sounds.y(), search.y() + search.height() + 2);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, TfmSpadajaceLabelTest,
    ::testing::Values(LabelCase{"SmallFalling", {800, 600}, 0x0001, false, 620},
                      LabelCase{"SmallAllSounds", {800, 600}, 0x000F, false, 620},
                      LabelCase{"SmallEnd", {800, 600}, 0x0001, true, 620},
                      LabelCase{"BigAllSounds", {1024, 768}, 0x000F, false, 816},
                      LabelCase{"BigEnd", {1024, 768}, 0x0001, true, 816}),
    [](const auto& info) { return std::string(info.param.name); });

struct CursorCase {
    const char* name;
    QPoint pos;
    bool shot;
};

class TfmSpadajaceCursorTest : public TfmSpadajaceTest,
                               public ::testing::WithParamInterface<CursorCase> {};

TEST_P(TfmSpadajaceCursorTest, TheShotCursorOnlyOverThePlayArea) {
    makeWindow();
    showWindow();
    QTest::mouseMove(falling.get(), GetParam().pos);
    EXPECT_EQ(isShotCursor(*falling), GetParam().shot);
}

INSTANTIATE_TEST_SUITE_P(Areas, TfmSpadajaceCursorTest,
                         ::testing::Values(CursorCase{"PlayArea", {100, 100}, true},
                                           CursorCase{"LeftEdge", {0, 100}, false},
                                           CursorCase{"LastShotColumn", {599, 100}, true},
                                           CursorCase{"RightQuarter", {600, 100}, false},
                                           CursorCase{"LastShotRow", {100, 554}, true},
                                           CursorCase{"SlotRow", {100, 555}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TfmSpadajaceTest, EveryTargetCaughtTurnsTheWindowToItsEndDisplay) {
    makeWindow();
    showWindow();
    catchAllTargets();
    falling->t_GameTimer();
    EXPECT_FALSE(falling->GameTimer().isActive());
    EXPECT_EQ(falling->SearchLabel().text(), QString("Wybierz obrazek,"));
    EXPECT_EQ(falling->SoundsLabel().text(), QString("aby go powiększyć."));
    EXPECT_FALSE(falling->HelpButton().IsVisible());
    EXPECT_TRUE(falling->StopButton().IsVisible());
    EXPECT_TRUE(falling->Game()->EndTimer().isActive());
    EXPECT_FALSE(isShotCursor(*falling));
    QTest::mouseMove(falling.get(), QPoint(100, 100));
    EXPECT_FALSE(isShotCursor(*falling));
    EXPECT_EQ(falling->canvas().image(), falling->ScreenCanvas().image());
}

class TfmSpadajaceAgainCursorTest : public TfmSpadajaceTest,
                                    public ::testing::WithParamInterface<CursorCase> {};

// "start" on the summary after a won game: the cursor where the pointer rests is at once the
// one of the new game, before the mouse moves, on the window and on its window-system window.
TEST_P(TfmSpadajaceAgainCursorTest, PlayingAgainSetsTheCursorBeforeTheMouseMoves) {
    makeWindow();
    showWindow();
    catchAllTargets();
    falling->t_GameTimer();
    ASSERT_FALSE(isShotCursor(*falling));
    QCursor::setPos(falling->mapToGlobal(GetParam().pos));
    answerSummary([this] { summary->A_OdNowa(); });
    QTest::mouseClick(&falling->StopButton().control(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(30, 30));
    ASSERT_TRUE(answerer.wasShowing);
    QCoreApplication::processEvents();
    EXPECT_EQ(isShotCursor(*falling), GetParam().shot);
    ASSERT_NE(falling->windowHandle(), nullptr);
    EXPECT_EQ(falling->windowHandle()->cursor().shape(),
              GetParam().shot ? Qt::BitmapCursor : Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(Areas, TfmSpadajaceAgainCursorTest,
                         ::testing::Values(CursorCase{"PlayArea", {300, 300}, true},
                                           CursorCase{"RightQuarter", {700, 300}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TfmSpadajaceTest, EscapeDuringTheFallStopsThePictures) {
    makeWindow();
    showWindow();
    answerSummary([this] { summary->A_Stop(); });
    QTest::keyClick(falling.get(), Qt::Key_Escape);
    EXPECT_TRUE(answerer.wasShowing);
    EXPECT_EQ(lastRecord(), (std::array<int, 4>{4, 0, 0, 0}));
    EXPECT_FALSE(falling->GameTimer().isActive());
}

TEST_F(TfmSpadajaceTest, AGameWonAndStoppedWritesACompleteRecordAndCanStartAgain) {
    makeWindow();
    showWindow();
    const graSpadajace* first = falling->Game();
    tickIntoView(falling->Game()->Card(5));
    press(falling->Game()->Card(5));
    catchAllTargets();
    falling->t_GameTimer();
    const int before = recordCount();
    answerSummary([this] { summary->A_OdNowa(); });
    QTest::mouseClick(&falling->StopButton().control(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(30, 30));
    EXPECT_TRUE(answerer.wasShowing);
    ASSERT_EQ(recordCount(), before + 1);
    EXPECT_EQ(lastRecord(), (std::array<int, 4>{4, 1, 5, 1}));
    QCoreApplication::processEvents();
    ASSERT_NE(falling->Game(), nullptr);
    EXPECT_NE(falling->Game(), first);
    EXPECT_EQ(falling->Game()->CaughtCount(), 0);
    EXPECT_TRUE(falling->GameTimer().isActive());
    EXPECT_TRUE(falling->HelpButton().IsVisible());
    EXPECT_EQ(falling->SearchLabel().text(), QString("Wybierz obrazki z:"));
}

// The end timer of a won game runs the stop, and "start" in the summary replaces the game from
// inside that timer's own handler: the old game (with the timer) must outlive the handler,
// whatever runs in the summary's event loop meanwhile, and go once the event loop is back.
TEST_F(TfmSpadajaceTest, TheOldGameOutlivesItsOwnEndTimerHandler) {
    makeWindow();
    showWindow();
    catchAllTargets();
    falling->t_GameTimer();
    graSpadajace* old = falling->Game();
    ASSERT_TRUE(old->EndTimer().isActive());
    const QPointer<HitArea> oldCard = old->Card(0).Control();
    bool aliveWhileOpen = false;
    answerer.answer([this] { summary->A_OdNowa(); },
                    [&] {
                        QTest::qWait(20);
                        aliveWhileOpen = !oldCard.isNull();
                    });
    // Runs after the game's own handler, in the same timeout.
    bool aliveAfterHandler = false;
    QObject::connect(&old->EndTimer(), &QTimer::timeout,
                     [&] { aliveAfterHandler = !oldCard.isNull(); });
    old->EndTimer().start(0);
    for (int i = 0; i < 200 && falling->Game() == old; ++i)
        QTest::qWait(5);
    ASSERT_NE(falling->Game(), old);
    EXPECT_TRUE(aliveWhileOpen);
    EXPECT_TRUE(aliveAfterHandler);
    QCoreApplication::processEvents();
    EXPECT_TRUE(oldCard.isNull());
}

// Each kind of action of the child restarts the statistics' idle timer: a run played only by
// catching never loses its record. The interval is a second here; the action comes 400 ms
// into it.
constexpr int IdleMs = 1000;

struct ActivityCase {
    const char* name;
    bool atTheEnd; // on the end display rather than during the fall
    std::function<void(TfmSpadajace&)> act;
};

class TfmSpadajaceActivityTest : public TfmSpadajaceTest,
                                 public ::testing::WithParamInterface<ActivityCase> {};

TEST_P(TfmSpadajaceActivityTest, EveryActionOfTheChildRestartsTheIdleTimer) {
    statistics = std::make_unique<CStatRec>(1, folder.path(), SystemTime::Clock{}, IdleMs);
    makeWindow();
    showWindow();
    if (GetParam().atTheEnd) {
        catchAllTargets();
        falling->t_GameTimer();
    } else {
        tickIntoView(falling->Game()->Card(5));
    }
    falling->GameTimer().stop();
    statistics->Touch();
    QTest::qWait(400);
    ASSERT_LT(statistics->IdleTimer().remainingTime(), IdleMs - 250);
    GetParam().act(*falling);
    EXPECT_TRUE(statistics->IsActive());
    EXPECT_GT(statistics->IdleTimer().remainingTime(), IdleMs - 150);
}

void pressAt(QWidget* widget, QPoint pos) {
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, pos);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, TfmSpadajaceActivityTest,
    ::testing::Values(ActivityCase{"PressOnADistractor", false,
                                   [](TfmSpadajace& w) {
                                       pressAt(w.Game()->Card(5).Control(), {10, 10});
                                   }},
                      ActivityCase{"ClickOnAResultSlot", true,
                                   [](TfmSpadajace& w) {
                                       pressAt(w.Game()->Slot(1).Control(), {5, 5});
                                       EXPECT_FALSE(w.Game()->EndTimer().isActive());
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TfmSpadajaceTest, TheShotCursorAimsWithARedCentreAndAnOpenMiddle) {
    const QImage picture = cursorFor(ProgramCursor::Shot).pixmap().toImage();
    const int mid = picture.width() / 2;
    EXPECT_EQ(qAlpha(picture.pixel(mid, mid)), 0);
    int reddish = 0;
    for (int y = mid - 4; y <= mid + 4; ++y)
        for (int x = mid - 4; x <= mid + 4; ++x) {
            const QColor c = QColor::fromRgba(picture.pixel(x, y));
            reddish += c.alpha() > 128 && c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    EXPECT_GE(reddish, 8);
}

} // namespace
