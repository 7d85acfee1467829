// The Memory game's rules on off-screen canvases: dealing, the board, turns, pairs, hints and
// the end of the game.
#include "memoryfixture.h"

#include <QTest>
#include <map>

namespace {

struct DealCase {
    const char* name;
    int pairs;
    std::int64_t clock;
};

class DealTest : public MemoryGameTest, public ::testing::WithParamInterface<DealCase> {};

TEST_P(DealTest, EveryWordLiesOnTheBoardExactlyTwice) {
    random = RandomGenerator([] { return GetParam().clock; });
    startGame(GetParam().pairs);
    ASSERT_EQ(game->SlotCount(), 2 * GetParam().pairs);
    std::map<QString, int> copies;
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        ASSERT_NE(game->Card(slot), nullptr) << "slot " << slot;
        ++copies[game->Card(slot)->Key()];
    }
    ASSERT_EQ(static_cast<int>(copies.size()), GetParam().pairs);
    for (int i = 0; i < catalogue.SelectionCount(); ++i)
        EXPECT_EQ(copies[catalogue.Entry(CSlowa::Selection, i).Key], 2);
    EXPECT_EQ(game->CardsLeft(), 2 * GetParam().pairs);
    EXPECT_FALSE(game->IsComplete());
}

INSTANTIATE_TEST_SUITE_P(Boards, DealTest,
                         ::testing::Values(DealCase{"SixCards", 3, 1700000000},
                                           DealCase{"TwelveCards", 6, 1700000001},
                                           DealCase{"TwentyCards", 10, 1700000002},
                                           DealCase{"TwentyCardsOtherSeed", 10, 1234567}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MemoryGameTest, ASelectionShortOfWordsDealsWhatItHasAndStillEnds) {
    startGame(3, true, 2);
    int cards = 0;
    for (int slot = 0; slot < game->SlotCount(); ++slot)
        cards += game->Card(slot) != nullptr;
    EXPECT_EQ(cards, 4);
    EXPECT_EQ(game->CardsLeft(), 4);

    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        if (!game->Card(slot) || !game->Card(slot)->IsVisible())
            continue;
        const int partner = partnerOf(slot);
        click(slot);
        click(partner);
        fire(game->Card(partner)->RemoveTimer());
    }
    EXPECT_TRUE(game->IsComplete());
    EXPECT_EQ(window.stops, 1);
}

TEST_F(MemoryGameTest, AnUnknownPairCountGivesAnEmptyBoard) {
    startGame(3);
    graMemory other(window, catalogue, stats, player, random, true, 4);
    EXPECT_EQ(other.SlotCount(), 0);
    EXPECT_EQ(other.CardsLeft(), 0);
    other.Hint();
    EXPECT_EQ(stats.Hints(), 0);
}

TEST(MemoryBoardTest, SixCardsOfTheSmallScreenStandInTwoRowsOfThree) {
    const QPoint expected[] = {{170, 175}, {270, 175}, {370, 175},
                               {170, 295}, {270, 295}, {370, 295}};
    for (int slot = 0; slot < 6; ++slot)
        EXPECT_EQ(graMemory::SlotPosition(6, slot, true), expected[slot]) << "slot " << slot;
}

struct CornerCase {
    const char* name;
    int cards;
    bool smallScreen;
    QPoint first;
    QPoint last;
};

class BoardCornerTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(BoardCornerTest, FirstAndLastSlots) {
    const CornerCase& c = GetParam();
    EXPECT_EQ(graMemory::SlotPosition(c.cards, 0, c.smallScreen), c.first);
    EXPECT_EQ(graMemory::SlotPosition(c.cards, c.cards - 1, c.smallScreen), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, BoardCornerTest,
    ::testing::Values(CornerCase{"SixBig", 6, false, {260, 260}, {460, 380}},
                      CornerCase{"TwelveSmall", 12, true, {130, 135}, {400, 355}},
                      CornerCase{"TwelveBig", 12, false, {230, 220}, {500, 440}},
                      CornerCase{"TwentySmall", 20, true, {100, 95}, {440, 410}},
                      CornerCase{"TwentyBig", 20, false, {190, 190}, {530, 505}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryBoardTest, PairCountsOfTheTaskCounts) {
    EXPECT_EQ(graMemory::PairCount(1), 3);
    EXPECT_EQ(graMemory::PairCount(2), 6);
    EXPECT_EQ(graMemory::PairCount(3), 10);
    EXPECT_EQ(graMemory::PairCount(0), 0);
    EXPECT_EQ(graMemory::PairCount(4), 0);
}

TEST_F(MemoryGameTest, TheBoardShowsEveryCardFaceDownAtItsSlot) {
    startGame(10, false);
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        const QPoint at = graMemory::SlotPosition(20, slot, false);
        EXPECT_EQ(game->Card(slot)->Control()->pos(), at) << "slot " << slot;
        EXPECT_EQ(pixelAt(window.screen.image(), at + QPoint(38, 47)),
                  Rgb{MemoryFolder::BackColour.rgb()})
            << "slot " << slot;
    }
}

TEST_F(MemoryGameTest, AWrongPairCountsOneWrongAndTurnsBack) {
    startGame(3);
    const int a = 0;
    const int b = strangerOf(a);
    const QPoint faceA = game->Card(a)->Control()->pos() + QPoint(30, 30);
    const QPoint faceB = game->Card(b)->Control()->pos() + QPoint(30, 30);

    click(a);
    EXPECT_EQ(game->TurnedCount(), 1);
    EXPECT_EQ(pixelAt(window.visible.image(), faceA), Rgb{game->Card(a)->Face().pixel(30, 30)});
    click(a); // the same card again is no second card
    EXPECT_EQ(game->TurnedCount(), 1);
    EXPECT_TRUE(game->IsInputOpen());

    click(b);
    EXPECT_EQ(stats.Wrong(), 1);
    EXPECT_EQ(stats.Correct(), 0);
    EXPECT_FALSE(game->IsInputOpen());
    EXPECT_EQ(pixelAt(window.visible.image(), faceB), Rgb{game->Card(b)->Face().pixel(30, 30)});
    EXPECT_EQ(game->Card(b)->TurnBackTimer().interval(), 1200);
    EXPECT_TRUE(game->Card(b)->TurnBackTimer().isActive());

    click(partnerOf(a)); // while two are up, nothing reacts
    EXPECT_EQ(stats.Correct(), 0);
    EXPECT_EQ(stats.Wrong(), 1);

    fire(game->Card(b)->TurnBackTimer());
    EXPECT_EQ(game->FirstCard(), nullptr);
    EXPECT_TRUE(game->IsInputOpen());
    EXPECT_TRUE(game->Card(a)->IsVisible());
    EXPECT_TRUE(game->Card(b)->IsVisible());
    EXPECT_EQ(pixelAt(window.visible.image(), faceA), Rgb{MemoryFolder::BackColour.rgb()});
    EXPECT_EQ(pixelAt(window.visible.image(), faceB), Rgb{MemoryFolder::BackColour.rgb()});
    EXPECT_EQ(game->CardsLeft(), 6);
}

TEST_F(MemoryGameTest, APairCountsOneCorrectShowsItsPictureAndLeavesAfterItsTimer) {
    startGame(3);
    const int a = 1;
    const int b = partnerOf(a);
    const QPoint match = graMemory::MatchPosition(true) + QPoint(100, 125);
    const Rgb before = pixelAt(window.screen.image(), match);

    click(a);
    click(b);
    EXPECT_EQ(stats.Correct(), 1);
    EXPECT_EQ(stats.Wrong(), 0);
    EXPECT_EQ(game->CardsLeft(), 4);
    EXPECT_FALSE(game->IsInputOpen());
    EXPECT_EQ(pixelAt(window.visible.image(), match),
              Rgb{game->Card(b)->MatchPicture().pixel(100, 125)});
    EXPECT_EQ(game->Card(b)->RemoveTimer().interval(), 2000);
    ASSERT_TRUE(game->Card(b)->RemoveTimer().isActive());
    EXPECT_TRUE(game->Card(a)->IsVisible());

    click(strangerOf(a)); // input stays closed while the pair is on show
    EXPECT_EQ(game->TurnedCount(), 0);
    EXPECT_EQ(stats.Wrong(), 0);

    const int ekranPaints = window.ekranPaints;
    fire(game->Card(b)->RemoveTimer());
    EXPECT_FALSE(game->Card(a)->IsVisible());
    EXPECT_FALSE(game->Card(b)->IsVisible());
    EXPECT_EQ(window.ekranPaints, ekranPaints + 1);
    EXPECT_TRUE(game->IsInputOpen());
    EXPECT_EQ(game->FirstCard(), nullptr);
    EXPECT_EQ(window.stops, 0);
    // Composed anew: the slot is empty and the big picture gone.
    const QPoint slotA = game->Card(a)->Control()->pos() + QPoint(38, 47);
    EXPECT_EQ(pixelAt(window.visible.image(), slotA), before);
    EXPECT_EQ(pixelAt(window.visible.image(), match), before);
    // A removed card no longer counts as a card.
    click(a);
    EXPECT_EQ(game->TurnedCount(), 0);
}

TEST_F(MemoryGameTest, WithoutMaskOrBigPictureAPairShowsNoStrayPicture) {
    catalogue.Filter(0x7000, 0x00FF);
    ASSERT_TRUE(catalogue.DrawRandom(3));
    folder.writeCommonPictures(false);
    folder.writeWordPictures(catalogue, false);
    catalogue.LoadSmallPictures();
    game = std::make_unique<graMemory>(window, catalogue, stats, player, random, true, 3);
    window.game = game.get();
    window.A_EkranPaint();
    const QPoint match = graMemory::MatchPosition(true) + QPoint(10, 10);
    const Rgb before = pixelAt(window.screen.image(), match);
    click(0);
    click(partnerOf(0));
    EXPECT_EQ(stats.Correct(), 1);
    EXPECT_EQ(pixelAt(window.screen.image(), match), before);
}

TEST_F(MemoryGameTest, TheLastPairEndsTheGameByItself) {
    startGame(3);
    int pairs = 0;
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        if (!game->Card(slot)->IsVisible())
            continue;
        EXPECT_FALSE(game->IsComplete());
        EXPECT_EQ(window.stops, 0);
        const int partner = partnerOf(slot);
        click(slot);
        click(partner);
        fire(game->Card(partner)->RemoveTimer());
        ++pairs;
    }
    EXPECT_EQ(pairs, 3);
    EXPECT_EQ(stats.Correct(), 3);
    EXPECT_EQ(game->CardsLeft(), 0);
    EXPECT_TRUE(game->IsComplete());
    EXPECT_EQ(window.stops, 1);
}

TEST_F(MemoryGameTest, TheHintCountsOnceAndLeavesTheScreenCanvasAlone) {
    startGame(6);
    const QImage screenBefore = window.screen.image().copy();
    const QImage visibleBefore = window.visible.image().copy();
    game->Hint();
    EXPECT_EQ(stats.Hints(), 1);
    EXPECT_EQ(window.screen.image(), screenBefore);
    EXPECT_FALSE(game->IsHintShowing());
    // The pair went face down again on the window too.
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        const QPoint p = game->Card(slot)->Control()->pos() + QPoint(38, 47);
        EXPECT_EQ(pixelAt(window.visible.image(), p), pixelAt(visibleBefore, p)) << slot;
    }
    game->Hint();
    EXPECT_EQ(stats.Hints(), 2);
    EXPECT_EQ(game->TurnedCount(), 0);
    EXPECT_TRUE(game->IsInputOpen());
}

TEST_F(MemoryGameTest, NoHintWhileACardIsUpOrAPairIsOnShow) {
    startGame(3);
    click(0);
    game->Hint();
    EXPECT_EQ(stats.Hints(), 0);
    click(partnerOf(0));
    game->Hint();
    EXPECT_EQ(stats.Hints(), 0);
    fire(game->Card(partnerOf(0))->RemoveTimer());
    game->Hint();
    EXPECT_EQ(stats.Hints(), 1);
}

TEST_F(MemoryGameTest, NoHintWhenNoCardIsLeft) {
    startGame(3);
    for (int slot = 0; slot < game->SlotCount(); ++slot) {
        if (!game->Card(slot)->IsVisible())
            continue;
        const int partner = partnerOf(slot);
        click(slot);
        click(partner);
        fire(game->Card(partner)->RemoveTimer());
    }
    game->Hint();
    EXPECT_EQ(stats.Hints(), 0);
}

TEST_F(MemoryGameTest, AMouseClickOnACardTurnsIt) {
    startGame(3);
    HitArea* control = game->Card(2)->Control();
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(game->FirstCard(), game->Card(2));
    EXPECT_EQ(game->TurnedCount(), 1);
}

// The idle rule with the interval shortened: a game kept going by card clicks alone, spread
// over several idle intervals, is recorded; one left alone past the interval is not.
TEST_F(MemoryGameTest, CardClicksAloneKeepALongGameRecorded) {
    constexpr int IdleMs = 300;
    for (const bool clicking : {true, false}) {
        SCOPED_TRACE(clicking ? "clicking" : "left alone");
        CStatRec timed{1, folder.path(), {}, IdleMs};
        startGame(3);
        graMemory cards(window, catalogue, timed, player, random, true, 3);
        timed.BeginGame(CStatRec::Memory, settings);
        for (int step = 0; step < 12; ++step) {
            if (clicking) {
                HitArea* control = cards.Card(step % 2)->Control();
                QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            }
            QTest::qWait(IdleMs / 3);
        }
        timed.EndGame();
        EXPECT_EQ(timed.WriteGame(false), clicking);
        cards.Retire();
    }
}

TEST_F(MemoryGameTest, ARetiredGameKeepsNoCardOnTheWindowAndNoTimerRunning) {
    startGame(3);
    click(0);
    click(partnerOf(0));
    QTimer& remove = game->Card(partnerOf(0))->RemoveTimer();
    ASSERT_TRUE(remove.isActive());
    game->Retire();
    EXPECT_FALSE(remove.isActive());
    for (int slot = 0; slot < game->SlotCount(); ++slot)
        EXPECT_FALSE(game->Card(slot)->IsVisible()) << slot;
    click(1);
    EXPECT_EQ(game->TurnedCount(), 0);
}

} // namespace
