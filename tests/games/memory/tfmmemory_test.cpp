// The Memory window offscreen: a new game of each task count and a whole game played by
// clicks; the rules all game windows share are tested over the four in games/common.
#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskc.h"
#include "memoryfixture.h"
#include "tfmkoniecgry.h"
#include "tfmmemory.h"

#include <QFile>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using Record = StatRecordView;

// The program folder of a Memory game: window and summary pictures on top of the card
// pictures, the settings of the Memory tab, and the window under test.
class TfmMemoryTest : public MemoryGameTest {
protected:
    static inline const QColor Background{240, 200, 120};

    void SetUp() override {
        MemoryGameTest::SetUp();
        ASSERT_TRUE(saveJpeg("Data/Intf/Spec/mT_Mem_s.xji", QSize(800, 600), Background));
        ASSERT_TRUE(saveJpeg("Data/Intf/Spec/mT_Mem_b.xji", QSize(1024, 768), Background));
        for (const char* name : {"mStatsB.xji", "mStatsM.xji", "mStatsG.xji"})
            ASSERT_TRUE(saveJpeg(QString("Data/Intf/Spec/") + name, QSize(600, 450), Qt::gray));
        writeButton("pomoc", QColor(0, 160, 0));
        writeButton("stop", QColor(200, 0, 0));
        writeButton("start", QColor(0, 0, 200));
        folder.writeCommonPictures();
        settings.poziom = 1;
        settings.gloski = 0x0003;
        settings.pozycja = 0x3000;
        catalogue.Filter(0x3000, 0x0033);
    }
    void TearDown() override {
        memory.reset();
        summary.reset();
        MemoryGameTest::TearDown();
    }

    void makeWindow(QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        summary = std::make_unique<TfmKoniecGry>(*display, stats);
        memory = std::make_unique<TfmMemory>(
            GameServices{*display, catalogue, stats, settings, player, random, *summary});
    }

    // A new game with word pictures on disk for whatever the draw chose.
    void newGame() {
        memory->A_NowaGra();
        folder.writeWordPictures(catalogue);
        catalogue.LoadSmallPictures();
        memory->A_NowaGra();
    }

    void answerSummary(std::function<void()> action, std::function<void()> whileOpen = {}) {
        answerer.answer(std::move(action), std::move(whileOpen));
    }
    int recordCount() const { return Record::Count(stats.FilePath()); }
    Record lastRecord() const { return Record::Last(stats.FilePath()); }

    int partner(int slot) const {
        graMemory* g = memory->Game();
        for (int i = 0; i < g->SlotCount(); ++i)
            if (i != slot && g->Card(i)->Key() == g->Card(slot)->Key())
                return i;
        return -1;
    }
    void clickCard(int slot) {
        QTest::mouseClick(memory->Game()->Card(slot)->Control(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(20, 20));
    }

    std::unique_ptr<CDisplay> display;
    std::unique_ptr<TfmKoniecGry> summary;
    std::unique_ptr<TfmMemory> memory;
    SummaryAnswerer answerer{[this] { return summary && summary->IsShowing(); }};
};

struct LevelCase {
    const char* name;
    int poziom;
    int cards;
};

class TfmMemoryLevelTest : public TfmMemoryTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(TfmMemoryLevelTest, ANewGameDealsTheBoardOfTheTaskCountAndComposesTheScreen) {
    settings.poziom = static_cast<std::int16_t>(GetParam().poziom);
    catalogue.Filter(0x7000, 0x00FF);
    makeWindow(QSize(1024, 768));
    newGame();
    graMemory* game = memory->Game();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->SlotCount(), GetParam().cards);
    EXPECT_EQ(game->CardsLeft(), GetParam().cards);
    EXPECT_TRUE(stats.IsActive());
    EXPECT_EQ(stats.GameKind(), CStatRec::Memory);

    const QImage& screen = memory->ScreenCanvas().image();
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        const QPoint at = graMemory::SlotPosition(GetParam().cards, slot, false);
        EXPECT_EQ(pixelAt(screen, at + QPoint(38, 47)), Rgb{MemoryFolder::BackColour.rgb()});
    }
    EXPECT_EQ(pixelAt(screen, QPoint(5, 5)), Rgb{Background.rgb()});
    EXPECT_EQ(pixelAt(screen, QPoint(922 + 30, 588 + 28)), Rgb{qRgb(0, 160, 0)});
    EXPECT_EQ(pixelAt(screen, QPoint(926 + 30, 683 + 28)), Rgb{qRgb(200, 0, 0)});
    EXPECT_EQ(memory->canvas().image(), screen);
}

INSTANTIATE_TEST_SUITE_P(Levels, TfmMemoryLevelTest,
                         ::testing::Values(LevelCase{"Malo", 1, 6}, LevelCase{"Srednio", 2, 12},
                                           LevelCase{"Duzo", 3, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

// Clicks on the card controls, the pair timers run at once, until the last pair stops the
// game by itself; "start" in the summary then replaces the game from inside its own handler.
TEST_F(TfmMemoryTest, AGamePlayedToTheEndWritesACompleteRecord) {
    makeWindow();
    newGame();
    memory->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(memory.get()));
    // Showing dealt anew; the pictures of this draw are on disk from newGame's first deal
    // only when the draw is the same, so load them again.
    folder.writeWordPictures(catalogue);
    catalogue.LoadSmallPictures();
    const int before = recordCount();
    graMemory* game = memory->Game();

    clickCard(0);
    const int wrong = [&] {
        for (int i = 1; i < game->SlotCount(); ++i)
            if (game->Card(i)->Key() != game->Card(0)->Key())
                return i;
        return -1;
    }();
    clickCard(wrong);
    fire(game->Card(wrong)->TurnBackTimer());

    answerSummary([this] { summary->A_OdNowa(); });
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        if (!game->Card(slot)->IsVisible())
            continue;
        const int other = partner(slot);
        clickCard(slot);
        clickCard(other);
        fire(game->Card(other)->RemoveTimer());
        if (memory->Game() != game)
            break;
    }
    EXPECT_TRUE(answerer.wasShowing);
    ASSERT_EQ(recordCount(), before + 1);
    const Record r = lastRecord();
    EXPECT_EQ(r.kind, 2);
    EXPECT_EQ(r.completed, 1);
    EXPECT_EQ(r.correct, 3);
    EXPECT_EQ(r.wrong, 1);
    EXPECT_EQ(r.hints, 0);
    // The replaced game is gone once the event loop has run; the new one is whole.
    QCoreApplication::processEvents();
    ASSERT_NE(memory->Game(), nullptr);
    EXPECT_EQ(memory->Game()->CardsLeft(), 6);
    EXPECT_TRUE(memory->isVisible());
}

} // namespace
