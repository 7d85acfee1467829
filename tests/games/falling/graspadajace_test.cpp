// The falling game's rules on off-screen canvases: slots, start positions, falling and
// sinking, catches, misses, hints and the end display.
#include "fallingfixture.h"

#include <set>

namespace {

struct SlotRowCase {
    const char* name;
    int targets;
    bool smallScreen;
    QPoint first;
    int pitch;
    QSize size;
};

class SlotRowTest : public FallingGameTest, public ::testing::WithParamInterface<SlotRowCase> {};

TEST_P(SlotRowTest, OneSlotPerTargetInARowCentredAtTheBottom) {
    const SlotRowCase& c = GetParam();
    startGame(c.targets, 0, c.smallScreen);
    ASSERT_EQ(game->SlotCount(), c.targets);
    for (int i = 0; i < c.targets; ++i) {
        const CMiniK& slot = game->Slot(i);
        EXPECT_EQ(slot.Rect(), QRect(c.first + QPoint(i * c.pitch, 0), c.size)) << "slot " << i;
        EXPECT_EQ(pixelAt(window->screen.image(), slot.Rect().center()),
                  Rgb{FallingFolder::Question.rgb()})
            << "slot " << i;
        EXPECT_FALSE(slot.IsControlVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SlotRowTest,
    ::testing::Values(SlotRowCase{"TenSmall", 10, true, {250, 565}, 30, {23, 31}},
                      SlotRowCase{"FiveSmall", 5, true, {310, 565}, 30, {23, 31}},
                      SlotRowCase{"FifteenBig", 15, false, {200, 718}, 39, {32, 42}},
                      SlotRowCase{"FiveBig", 5, false, {395, 718}, 39, {32, 42}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FallingGameTest, WithoutTheQuestionPictureTheSlotsStayOffTheScreen) {
    QFile::remove("Data/Sio/squest.xji");
    startGame(5);
    for (int i = 0; i < game->SlotCount(); ++i)
        EXPECT_EQ(game->Slot(i).Control()->pos(), QPoint(900, 700)) << "slot " << i;
    // A caught picture has no slot on the screen to go to: nothing is drawn in the corner
    // (left of where any card falls).
    CSpaKart& card = game->Card(0);
    bringIntoView(card);
    const QRect corner(0, 0, 10, 31);
    const QImage before = window->screen.image().copy(corner);
    game->CardPressed(card);
    EXPECT_EQ(game->CaughtCount(), 1);
    EXPECT_EQ(before, window->screen.image().copy(corner));
}

TEST(FallingLevelTest, TargetsOfTheTaskCounts) {
    const std::pair<int, int> cases[] = {{1, 5}, {2, 10}, {3, 15}, {0, 0}, {4, 0}};
    for (const auto& [poziom, targets] : cases)
        EXPECT_EQ(graSpadajace::TargetsForLevel(poziom), targets) << "poziom " << poziom;
}

struct StartCase {
    const char* name;
    int targets;
    bool smallScreen;
    std::int64_t clock;
    int columnRight;
};

class StartFallTest : public FallingGameTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartFallTest, CardsStartAboveTheTopApartFromEachOtherTargetsFirst) {
    const StartCase& c = GetParam();
    random = RandomGenerator([clock = c.clock] { return clock; });
    startGame(c.targets, c.targets, c.smallScreen);
    const int w = display->DesignWidth;
    ASSERT_EQ(game->CardCount(), 2 * c.targets);
    for (int i = 0; i < game->CardCount(); ++i) {
        const CSpaKart& card = game->Card(i);
        EXPECT_EQ(game->IsTarget(card), i < c.targets) << "card " << i;
        EXPECT_TRUE(card.IsFalling());
        EXPECT_LE(card.Y() + card.Height(), 0) << "card " << i;
        EXPECT_GE(card.X(), 10);
        EXPECT_LT(card.X(), 10 + w - w / 3);
        // Left of the panel with the buttons and labels.
        EXPECT_LE(card.X() + card.Width(), c.columnRight) << "card " << i;
        EXPECT_EQ(card.Control()->geometry(), card.Rect());
        for (int j = 0; j < i; ++j) {
            const CSpaKart& other = game->Card(j);
            EXPECT_FALSE(std::abs(card.X() - other.X()) < 80 && std::abs(card.Y() - other.Y()) < 95)
                << "cards " << j << " and " << i << " overlap";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, StartFallTest,
                         ::testing::Values(StartCase{"FiveSmall", 5, true, 1700000000, 600},
                                           StartCase{"FifteenSmall", 15, true, 1700000001, 600},
                                           StartCase{"FifteenBig", 15, false, 1700000002, 768},
                                           StartCase{"TenBig", 10, false, 42, 768}),
                         [](const auto& info) { return std::string(info.param.name); });

// Wherever a picture comes back from the top, it stays left of the panel with the buttons
// and labels: on the small screen its right edge never reaches the panel's border.
TEST_F(FallingGameTest, PicturesComingBackStayInsideThePlayColumn) {
    startGame(15, 15, true);
    int respawns = 0;
    std::vector<int> lastY(static_cast<std::size_t>(game->CardCount()));
    for (int step = 0; step < 3000; ++step) {
        game->Step();
        for (int i = 0; i < game->CardCount(); ++i) {
            const CSpaKart& card = game->Card(i);
            int& last = lastY[static_cast<std::size_t>(i)];
            if (card.Y() < last) {
                ++respawns;
                ASSERT_GE(card.X(), 10) << "card " << i << " at step " << step;
                ASSERT_LE(card.X() + card.Width(), 600) << "card " << i << " at step " << step;
            }
            last = card.Y();
        }
    }
    EXPECT_GE(respawns, 15);
}

TEST_F(FallingGameTest, AStepMovesAPictureOneRowAndRestoresTheRowItLeft) {
    startGame(5);
    CSpaKart& card = game->Card(0);
    bringIntoView(card);
    const int x = card.X();
    const int y = card.Y();
    const int rects = window->rects;
    game->Step();
    EXPECT_EQ(card.Y(), y + 1);
    EXPECT_EQ(card.Control()->pos(), QPoint(x, y + 1));
    EXPECT_GE(window->rects, rects + 1);
    const Rgb paper{FakeFallingWindow::Paper.rgb()};
    const Rgb face{card.Picture().pixel(10, 10)};
    for (const Canvas* canvas : {&window->screen, &window->visible}) {
        EXPECT_EQ(pixelAt(canvas->image(), QPoint(x + 10, y)), paper);
        EXPECT_EQ(pixelAt(canvas->image(), QPoint(x + 10, y + 1)), face);
        EXPECT_EQ(pixelAt(canvas->image(), QPoint(x + 10, y + card.Height())), face);
    }
}

// A target nobody presses falls to the line, sinks into it with its lower edge on the line,
// vanishes and comes back from the top, again and again, without any count changing.
TEST_F(FallingGameTest, AnUnpressedTargetKeepsCyclingThroughTheBottomLine) {
    startGame(5);
    CSpaKart& card = game->Card(0);
    int returns = 0;
    int sinkingSteps = 0;
    int lastY = card.Y();
    for (int i = 0; i < 4000 && returns < 2; ++i) {
        game->Step();
        if (card.Y() < lastY)
            ++returns;
        else if (card.Height() < card.PictureHeight()) {
            ++sinkingSteps;
            if (card.Height() >= 0) {
                EXPECT_EQ(card.Y() + card.Height(), game->BottomLine() + 1) << "step " << i;
            }
        } else {
            EXPECT_LE(card.Y() + card.Height(), game->BottomLine() + 1) << "step " << i;
        }
        lastY = card.Y();
    }
    EXPECT_EQ(returns, 2);
    EXPECT_GE(sinkingSteps, 2 * card.PictureHeight());
    EXPECT_LE(card.Y() + card.Height(), 0 + 95 * game->CardCount());
    EXPECT_EQ(game->CaughtCount(), 0);
    EXPECT_FALSE(game->IsFinished());
    EXPECT_EQ(stats.Correct(), 0);
    EXPECT_EQ(stats.Wrong(), 0);
    EXPECT_EQ(stats.Hints(), 0);
}

TEST_F(FallingGameTest, ACatchFillsTheNextSlotAndTakesThePictureOffTheScreen) {
    startGame(5, 5);
    for (int i = 0; i < 5; ++i) {
        CSpaKart& card = game->Card(i);
        bringIntoView(card);
        const QPoint middle = card.Rect().center();
        game->CardPressed(card);
        EXPECT_EQ(game->CaughtCount(), i + 1);
        EXPECT_FALSE(card.IsVisible());
        EXPECT_FALSE(card.IsFalling());
        EXPECT_EQ(game->Slot(i).Name(), card.Name());
        EXPECT_EQ(pixelAt(window->visible.image(), game->Slot(i).Rect().center()),
                  Rgb{card.Picture().pixel(38, 47)});
        EXPECT_EQ(pixelAt(window->visible.image(), middle), Rgb{FakeFallingWindow::Paper.rgb()});
        // A card no longer on the screen is not caught twice.
        game->CardPressed(card);
        EXPECT_EQ(game->CaughtCount(), i + 1);
    }
    EXPECT_TRUE(game->IsFinished());
    EXPECT_EQ(stats.Correct(), 5);
    EXPECT_EQ(stats.Wrong(), 0);
}

struct MissCase {
    const char* name;
    int catchesBefore;
    int caughtAfter;
    bool cardReturns;
};

class MissTest : public FallingGameTest, public ::testing::WithParamInterface<MissCase> {};

TEST_P(MissTest, AMissFlashesTheSlotOfTheLastCatchAndSendsThatCatchBack) {
    const MissCase& c = GetParam();
    startGame(10, 10);
    for (int i = 0; i < c.catchesBefore; ++i) {
        bringIntoView(game->Card(i));
        game->CardPressed(game->Card(i));
    }
    CSpaKart& distractor = game->Card(10);
    bringIntoView(distractor);
    game->CardPressed(distractor);

    EXPECT_EQ(game->CaughtCount(), c.caughtAfter);
    EXPECT_EQ(stats.Wrong(), 1);
    EXPECT_TRUE(distractor.IsFalling());
    const CMiniK& flashed = game->Slot(c.caughtAfter);
    EXPECT_TRUE(flashed.Name().isEmpty());
    EXPECT_EQ(pixelAt(window->visible.image(), flashed.Rect().center()),
              Rgb{FallingFolder::Red.rgb()});
    for (int i = 0; i < c.caughtAfter; ++i)
        EXPECT_EQ(game->Slot(i).Name(), game->Card(i).Name()) << "slot " << i;
    int returned = 0;
    for (int i = 0; i < c.catchesBefore; ++i) {
        const CSpaKart& card = game->Card(i);
        if (card.IsVisible()) {
            ++returned;
            EXPECT_TRUE(card.IsFalling());
            EXPECT_LE(card.Y() + card.Height(), 0);
            EXPECT_EQ(i, c.catchesBefore - 1);
        }
    }
    EXPECT_EQ(returned, c.cardReturns ? 1 : 0);

    ASSERT_EQ(game->FlashTimer().interval(), 300);
    fire(game->FlashTimer());
    EXPECT_EQ(pixelAt(window->visible.image(), flashed.Rect().center()),
              Rgb{FallingFolder::Question.rgb()});
}

INSTANTIATE_TEST_SUITE_P(Misses, MissTest,
                         ::testing::Values(MissCase{"NothingCaught", 0, 0, false},
                                           MissCase{"OneCaught", 1, 0, true},
                                           MissCase{"ThreeCaught", 3, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FallingGameTest, AFlashStillRunningAfterTheLastCatchChangesNoSlot) {
    startGame(5, 5);
    bringIntoView(game->Card(5));
    game->CardPressed(game->Card(5));
    for (int i = 0; i < 5; ++i) {
        bringIntoView(game->Card(i));
        game->CardPressed(game->Card(i));
    }
    ASSERT_TRUE(game->IsFinished());
    fire(game->FlashTimer());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(game->Slot(i).Name(), game->Card(i).Name());
}

TEST_F(FallingGameTest, WithoutTargetsTheGameIsFinishedAndAMissChangesNoSlot) {
    startGame(0, 5);
    EXPECT_TRUE(game->IsFinished());
    EXPECT_EQ(game->SlotCount(), 0);
    bringIntoView(game->Card(0));
    game->CardPressed(game->Card(0));
    EXPECT_EQ(stats.Wrong(), 1);
    EXPECT_FALSE(game->FlashTimer().isActive());
    EXPECT_TRUE(game->IsFinished());
}

TEST_F(FallingGameTest, TooFewDistractorCandidatesLeaveOnlyTheTargets) {
    startGame(5, 5);
    const int cards = game->CardCount();
    // No word ends in dż: the draw of five finds too few and selects none.
    catalogue.Filter(0x4000, 0x0008);
    EXPECT_FALSE(catalogue.DrawRandom(5));
    game->AddDistractors(catalogue);
    EXPECT_EQ(game->CardCount(), cards);

    startGame(5, 0);
    EXPECT_EQ(game->CardCount(), 5);
    for (int i = 0; i < game->CardCount(); ++i)
        EXPECT_TRUE(game->IsTarget(game->Card(i)));
}

TEST_F(FallingGameTest, DistractorsHoldingAChosenSoundAreLeftOut) {
    startGame(5, 20, true, 0x0004, 0x0005);
    int distractors = 0;
    for (int i = 5; i < game->CardCount(); ++i) {
        ++distractors;
        EXPECT_FALSE(game->IsTarget(game->Card(i))) << game->Card(i).Name().toStdString();
    }
    int expected = 0;
    for (const WordEntry& entry : catalogue.SelectionList())
        expected += (entry.SoundCode & 0x0004) == 0;
    EXPECT_EQ(distractors, expected);
}

TEST_F(FallingGameTest, AHintFramesTheNearestTargetInRedForTheRestOfTheGame) {
    startGame(5, 5);
    int nearest = 0;
    for (int i = 1; i < 5; ++i)
        if (std::abs(game->Card(i).Y()) < std::abs(game->Card(nearest).Y()))
            nearest = i;
    CSpaKart& card = game->Card(nearest);
    game->Hint();
    EXPECT_EQ(stats.Hints(), 1);
    const QImage& picture = card.Picture();
    const QRgb red = qRgb(255, 0, 0);
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 3), QPoint(75, 94), QPoint(72, 50)})
        EXPECT_EQ(picture.pixel(p), red) << p.x() << "," << p.y();
    EXPECT_NE(picture.pixel(4, 4), red);
    for (int i = 0; i < game->CardCount(); ++i) {
        if (i != nearest) {
            EXPECT_NE(game->Card(i).Picture().pixel(0, 0), red) << "card " << i;
        }
    }

    bringIntoView(card);
    game->CardPressed(card);
    EXPECT_EQ(game->Slot(0).Current().pixel(1, 1), red);
    EXPECT_EQ(pixelAt(window->visible.image(), game->Slot(0).Rect().topLeft()), Rgb{red});
}

TEST_F(FallingGameTest, TheResultsOpenTheSlotsAndAClickShowsTheBigPictureInTheRing) {
    startGame(5, 5);
    for (int i = 0; i < 5; ++i) {
        bringIntoView(game->Card(i));
        game->CardPressed(game->Card(i));
    }
    game->ShowResults();
    EXPECT_EQ(window->resultButtons, 1);
    for (int i = 0; i < game->CardCount(); ++i)
        EXPECT_FALSE(game->Card(i).IsVisible()) << "card " << i;
    for (int i = 0; i < game->SlotCount(); ++i)
        EXPECT_TRUE(game->Slot(i).IsControlVisible()) << "slot " << i;
    EXPECT_EQ(pixelAt(window->visible.image(), QPoint(400, 300 - 145)),
              Rgb{FallingFolder::Ring.rgb()});
    ASSERT_TRUE(game->EndTimer().isActive());
    EXPECT_EQ(game->EndTimer().interval(), 60000);

    game->ShowBig(game->Slot(2));
    EXPECT_FALSE(game->EndTimer().isActive());
    EXPECT_EQ(pixelAt(window->visible.image(), QPoint(400, 300)), Rgb{FallingFolder::Big.rgb()});
    EXPECT_EQ(window->stops, 0);
}

TEST_F(FallingGameTest, TheEndTimerStopsTheGame) {
    startGame(0);
    game->ShowResults();
    fire(game->EndTimer());
    EXPECT_EQ(window->stops, 1);
}

TEST_F(FallingGameTest, AMissingWordPictureFallsAsAPlainCardThatCanBeCaught) {
    catalogue.Filter(0x7000, 0x0001);
    ASSERT_TRUE(catalogue.DrawRandom(5));
    // No word pictures written: every small picture is missing.
    display = std::make_unique<CDisplay>(QSize(800, 600));
    window = std::make_unique<FakeFallingWindow>(QSize(800, 600));
    zoom = std::make_unique<COkrag>(*display, window->screen);
    catalogue.LoadSmallPictures();
    game = std::make_unique<graSpadajace>(*window, catalogue, 0x0001, *display, *zoom, stats,
                                          player, random);
    game->LayoutSlots();
    game->StartFall();
    CSpaKart& card = game->Card(0);
    EXPECT_EQ(card.Picture().size(), graSpadajace::StandInSize);
    bringIntoView(card);
    game->CardPressed(card);
    EXPECT_EQ(game->CaughtCount(), 1);
}

} // namespace
