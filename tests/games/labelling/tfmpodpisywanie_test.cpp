// The labelling window offscreen: its own buttons in both screen variants, a new game,
// moving through the words, help, retry, the end timer and the stop with its record.
#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskc.h"
#include "labellingfixture.h"
#include "tfmkoniecgry.h"
#include "tfmpodpisywanie.h"

#include <QFile>
#include <QTest>
#include <QTimer>
#include <functional>
#include <set>

namespace {

using Record = StatRecordView;

// The program folder of a labelling game: five backgrounds of their own colours, the buttons
// and summary pictures, the settings of the labelling tab, and the window under test. The
// tiles are the plain ones drawn when the library has no tile pictures.
class TfmPodpisywanieTest : public LabellingGameTest {
protected:
    static QColor backgroundColour(int k) { return QColor(40 * k, 200, 255 - 40 * k); }

    void SetUp() override {
        for (int k = 1; k <= 5; ++k) {
            saveJpeg(TfmPodpisywanie::BackgroundPath(true, k), QSize(800, 600),
                     backgroundColour(k));
            saveJpeg(TfmPodpisywanie::BackgroundPath(false, k), QSize(1024, 768),
                     backgroundColour(k));
        }
        for (const char* name : {"mStatsB.xji", "mStatsM.xji", "mStatsG.xji"})
            saveJpeg(QString("Data/Intf/Spec/") + name, QSize(600, 450), Qt::gray);
        writeButton("pomoc", QColor(0, 160, 0));
        writeButton("stop", QColor(200, 0, 0));
        writeButton("nast", QColor(0, 0, 200));
        writeButton("pop", QColor(200, 200, 0));
        writeButton("start", QColor(0, 200, 200));
        settings.poziom = 1;
        settings.gloski = 0x0003;
        settings.pozycja = 0x3000;
        catalogue.Filter(0x3000, 0x0033);
    }
    void TearDown() override {
        window.reset();
        summary.reset();
        LabellingGameTest::TearDown();
    }

    void makeWindow(QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        summary = std::make_unique<TfmKoniecGry>(*display, stats);
        window = std::make_unique<TfmPodpisywanie>(
            GameServices{*display, catalogue, stats, settings, player, random, *summary});
    }

    // A new game whose word pictures are on disk (the fixed clock draws the same words again).
    void newGame() {
        window->A_NowaGra();
        LabellingFolder::writeWordPictures(catalogue);
        window->A_NowaGra();
    }

    graPodpisywanie& game() const { return *window->Game(); }

    // Every tile of the current word dropped into its own slot through the tile handlers.
    void solveCurrentWord() {
        std::vector<CPrzGloska*> tiles;
        for (int i = 0; i < game().LetterCount(); ++i)
            tiles.push_back(&game().Letter(i));
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            CPrzGloska& tile = *tiles[i];
            const QPoint to = game().Slot(static_cast<int>(i)).Position();
            game().TileDown(tile, QPoint(5, 5));
            game().TileMove(tile, to - tile.Control()->pos() + QPoint(5, 5), Qt::LeftButton,
                            Qt::NoModifier);
            game().TileUp(tile, QPoint(5, 5));
        }
    }
    void solveAll() {
        for (int i = 0; i < catalogue.SelectionCount(); ++i) {
            if (!game().IsSolved())
                solveCurrentWord();
            if (i + 1 < catalogue.SelectionCount())
                window->A_Nastepny();
        }
    }

    void answerSummary(std::function<void()> action) { answerer.answer(std::move(action)); }
    int recordCount() const { return Record::Count(stats.FilePath()); }
    // Kind, completion, hints, correct of the last record.
    std::array<int, 4> lastRecord() const {
        const Record r = Record::Last(stats.FilePath());
        return {r.kind, r.completed, r.hints, r.correct};
    }

    bool backgroundIs(int k) const {
        return closeTo(window->ScreenCanvas().image().pixel(400, 5), backgroundColour(k).rgb());
    }

    std::unique_ptr<CDisplay> display;
    std::unique_ptr<TfmKoniecGry> summary;
    std::unique_ptr<TfmPodpisywanie> window;
    SummaryAnswerer answerer{[this] { return summary && summary->IsShowing(); }};
};

struct VariantCase {
    const char* name;
    QSize screen;
    QPoint next;
    QPoint previous;
};

class TfmPodpisywanieVariantTest : public TfmPodpisywanieTest,
                                   public ::testing::WithParamInterface<VariantCase> {};

TEST_P(TfmPodpisywanieVariantTest, NextAndPreviousOfTheScreenVariant) {
    const VariantCase& c = GetParam();
    makeWindow(c.screen);
    EXPECT_EQ(window->NextButton().Rect(), QRect(c.next, QSize(70, 60)));
    EXPECT_EQ(window->PreviousButton().Rect(), QRect(c.previous, QSize(70, 60)));
}

INSTANTIATE_TEST_SUITE_P(Variants, TfmPodpisywanieVariantTest,
                         ::testing::Values(VariantCase{"Small", {800, 600}, {720, 235}, {720, 310}},
                                           VariantCase{"Big", {1024, 768}, {922, 301}, {922, 397}},
                                           VariantCase{
                                               "BigCentred", {1280, 1024}, {922, 301}, {922, 397}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LevelCase {
    const char* name;
    int poziom;
    int words;
};

class TfmPodpisywanieLevelTest : public TfmPodpisywanieTest,
                                 public ::testing::WithParamInterface<LevelCase> {};

TEST_P(TfmPodpisywanieLevelTest, ANewGameShowsTheFirstWordOfFiveTimesTheTaskCount) {
    settings.poziom = static_cast<std::int16_t>(GetParam().poziom);
    catalogue.Filter(0x7000, 0x00FF);
    makeWindow(QSize(1024, 768));
    newGame();
    EXPECT_EQ(catalogue.SelectionCount(), GetParam().words);
    EXPECT_EQ(game().CurrentIndex(), 0);
    EXPECT_EQ(game().Word(), catalogue.Entry(CSlowa::Selection, 0).Key);
    EXPECT_TRUE(stats.IsActive());
    EXPECT_EQ(stats.GameKind(), CStatRec::Podpisywanie);
    // The word picture at its place, the tiles on the window as on the screen canvas.
    const QImage& screen = window->ScreenCanvas().image();
    EXPECT_TRUE(closeTo(screen.pixel(348 + 170, 172 + 180), qRgb(40, 40, 0)));
    for (int i = 0; i < game().LetterCount(); ++i) {
        const CPrzGloska& tile = game().Letter(i);
        EXPECT_TRUE(tile.IsShown());
        EXPECT_EQ(screen.pixel(tile.Position() + QPoint(1, 1)), tile.Picture().pixel(1, 1));
    }
    EXPECT_EQ(window->canvas().image(), screen);
}

INSTANTIATE_TEST_SUITE_P(Levels, TfmPodpisywanieLevelTest,
                         ::testing::Values(LevelCase{"Malo", 1, 5}, LevelCase{"Srednio", 2, 10},
                                           LevelCase{"Duzo", 3, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ButtonCase {
    const char* name;
    int steps; // next presses from the first word
    bool solve;
    bool help;
    bool next;
    bool previous;
};

class TfmPodpisywanieButtonTest : public TfmPodpisywanieTest,
                                  public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(TfmPodpisywanieButtonTest, ButtonsShowWhatTheWordAllows) {
    const ButtonCase& c = GetParam();
    makeWindow();
    newGame();
    for (int i = 0; i < c.steps; ++i)
        window->A_Nastepny();
    if (c.solve) {
        solveCurrentWord();
        // Leaving and coming back shows the solved word as it is.
        window->A_Poprzedni();
        window->A_Nastepny();
    }
    EXPECT_EQ(game().CurrentIndex(), c.steps);
    EXPECT_EQ(window->HelpButton().IsVisible(), c.help);
    EXPECT_EQ(window->NextButton().IsVisible(), c.next);
    EXPECT_EQ(window->PreviousButton().IsVisible(), c.previous);
    EXPECT_TRUE(window->StopButton().IsVisible());
}

INSTANTIATE_TEST_SUITE_P(Words, TfmPodpisywanieButtonTest,
                         ::testing::Values(ButtonCase{"First", 0, false, true, true, false},
                                           ButtonCase{"Middle", 2, false, true, true, true},
                                           ButtonCase{"Last", 4, false, true, false, true},
                                           ButtonCase{"SolvedMiddle", 2, true, false, true, true},
                                           ButtonCase{"SolvedLast", 4, true, false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TfmPodpisywanieTest, SolvingAWordTakesTheHelpButtonOffTheScreenAtOnce) {
    makeWindow();
    newGame();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QPoint middle = window->HelpButton().Rect().center();
    ASSERT_NE(window->canvas().image().pixel(middle),
              window->BackgroundCanvas().image().pixel(middle));
    solveCurrentWord();
    EXPECT_FALSE(window->HelpButton().IsVisible());
    EXPECT_EQ(window->canvas().image().pixel(middle),
              window->BackgroundCanvas().image().pixel(middle));
}

TEST_F(TfmPodpisywanieTest, ASolvedWordKeepsTheBackgroundAndShowsItsTilesInTheSlots) {
    makeWindow();
    newGame();
    window->A_Nastepny();
    solveCurrentWord();
    window->A_Poprzedni();
    for (int tries = 0; tries < 20 && window->CurrentBackground() == 4; ++tries) {
        window->A_Nastepny();
        window->A_Poprzedni();
    }
    const int background = window->CurrentBackground();
    window->A_Nastepny();
    EXPECT_EQ(window->CurrentBackground(), background);
    EXPECT_TRUE(backgroundIs(background + 1));
    for (int i = 0; i < game().SlotCount(); ++i) {
        EXPECT_EQ(game().Slot(i).Letter(), &game().Letter(i));
        EXPECT_EQ(game().Letter(i).Position(), game().Slot(i).Position());
        EXPECT_FALSE(game().Letter(i).IsShown());
        const QPoint inside = game().Slot(i).Position() + QPoint(1, 1);
        EXPECT_EQ(window->canvas().image().pixel(inside), game().Letter(i).Picture().pixel(1, 1));
    }
}

TEST_F(TfmPodpisywanieTest, AnUnsolvedWordIsScatteredAfreshAndOverManyGamesEveryBackgroundShows) {
    makeWindow();
    newGame();
    std::set<int> used;
    for (int round = 0; round < 40; ++round) {
        round % 2 ? window->A_Poprzedni() : window->A_Nastepny();
        used.insert(window->CurrentBackground());
        EXPECT_TRUE(backgroundIs(window->CurrentBackground() + 1));
        for (int i = 0; i < game().SlotCount(); ++i) {
            EXPECT_TRUE(game().Slot(i).IsEmpty());
            EXPECT_TRUE(game().Letter(i).IsShown());
        }
    }
    for (int round = 0; round < 10; ++round) {
        window->A_NowaGra();
        used.insert(window->CurrentBackground());
    }
    EXPECT_EQ(used.size(), 5u);
}

struct RetryCase {
    const char* name;
    bool solved;
    QPoint at;
    bool unsolves;
};

class TfmPodpisywanieRetryTest : public TfmPodpisywanieTest,
                                 public ::testing::WithParamInterface<RetryCase> {};

TEST_P(TfmPodpisywanieRetryTest, ADoubleClickOnASolvedPictureScattersTheTilesAgain) {
    const RetryCase& c = GetParam();
    makeWindow();
    newGame();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    if (c.solved)
        solveCurrentWord();
    game().EndTimer().start();
    const int background = window->CurrentBackground();
    QTest::mouseDClick(window.get(), Qt::LeftButton, Qt::NoModifier, c.at);
    EXPECT_FALSE(game().EndTimer().isActive());
    EXPECT_EQ(game().IsSolved(), c.solved && !c.unsolves);
    EXPECT_EQ(window->CurrentBackground(), background);
    if (c.unsolves) {
        EXPECT_TRUE(window->HelpButton().IsVisible());
        for (int i = 0; i < game().SlotCount(); ++i) {
            EXPECT_TRUE(game().Slot(i).IsEmpty());
            EXPECT_TRUE(game().Letter(i).IsShown());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, TfmPodpisywanieRetryTest,
                         ::testing::Values(RetryCase{"SolvedPicture", true, {400, 280}, true},
                                           RetryCase{"SolvedElsewhere", true, {100, 580}, false},
                                           RetryCase{"UnsolvedPicture", false, {400, 280}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CancelCase {
    const char* name;
    std::function<void(TfmPodpisywanie&)> act;
};

class TfmPodpisywanieCancelTest : public TfmPodpisywanieTest,
                                  public ::testing::WithParamInterface<CancelCase> {};

TEST_P(TfmPodpisywanieCancelTest, TheChildActingStopsTheEndTimer) {
    makeWindow();
    newGame();
    window->A_Nastepny();
    game().EndTimer().start();
    GetParam().act(*window);
    EXPECT_FALSE(game().EndTimer().isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, TfmPodpisywanieCancelTest,
    ::testing::Values(
        CancelCase{"Next", [](auto& w) { w.A_Nastepny(); }},
        CancelCase{"Previous", [](auto& w) { w.A_Poprzedni(); }},
        CancelCase{"Help", [](auto& w) { w.A_Pomoc(); }},
        CancelCase{"SpaceSays", [](auto& w) { QTest::keyClick(&w, Qt::Key_Space, {}); }},
        CancelCase{"DoubleClick",
                   [](auto& w) { QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(5, 5)); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct StopCase {
    const char* name;
    bool solveAll;
    int completed;
};

class TfmPodpisywanieStopTest : public TfmPodpisywanieTest,
                                public ::testing::WithParamInterface<StopCase> {};

TEST_P(TfmPodpisywanieStopTest, EscapeWritesTheRecordAndCloses) {
    makeWindow();
    newGame();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    if (GetParam().solveAll)
        solveAll();
    const int before = recordCount();
    answerSummary([this] { summary->A_Stop(); });
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(answerer.wasShowing);
    ASSERT_EQ(recordCount(), before + 1);
    const auto [kind, completed, hints, correct] = lastRecord();
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(completed, GetParam().completed);
    EXPECT_EQ(correct, GetParam().solveAll ? 5 : 0);
    EXPECT_EQ(hints, 0);
    EXPECT_FALSE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Games, TfmPodpisywanieStopTest,
                         ::testing::Values(StopCase{"NothingSolved", false, 0},
                                           StopCase{"AllSolved", true, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// The last word solved starts the end timer; when it fires the summary's "start" replaces the
// game from inside the old game's own timer.
TEST_F(TfmPodpisywanieTest, TheEndTimerStopsTheGameAndPlayingAgainStartsAFreshOne) {
    makeWindow();
    newGame();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    solveAll();
    graPodpisywanie* first = window->Game();
    ASSERT_TRUE(first->EndTimer().isActive());
    const int before = recordCount();
    answerSummary([this] { summary->A_OdNowa(); });
    first->EndTimer().start(0);
    QTRY_VERIFY(answerer.wasShowing);
    QTRY_COMPARE(recordCount(), before + 1);
    EXPECT_EQ(lastRecord()[1], 1);
    QCoreApplication::processEvents();
    ASSERT_NE(window->Game(), first);
    EXPECT_FALSE(window->Game()->IsSolved());
    EXPECT_EQ(window->Game()->CurrentIndex(), 0);
    EXPECT_TRUE(stats.IsActive());
    EXPECT_TRUE(window->isVisible());
}

} // namespace
