// The labelling game's rules on off-screen canvases: tiles and slots of a word, dragging and
// dropping, judging a full row, help, retry, scattering and the end timer.
#include "eventpump.h"
#include "labellingfixture.h"

#include <QTest>
#include <algorithm>
#include <vector>

namespace {

QStringList textsOf(const graPodpisywanie& game) {
    QStringList texts;
    for (int i = 0; i < game.LetterCount(); ++i)
        texts << game.Letter(i).Text();
    return texts;
}

struct WordCase {
    const char* name;
    const char16_t* segmentation;
    QStringList tiles;
    int target;
    const char16_t* answer;
};

class BuildWordTest : public LabellingGameTest, public ::testing::WithParamInterface<WordCase> {};

TEST_P(BuildWordTest, OneTilePerGraphemeTheTargetRedAndOneEmptySlotEach) {
    const WordCase& c = GetParam();
    startGame(5, true, QString::fromUtf16(c.segmentation));
    EXPECT_EQ(textsOf(*game), c.tiles);
    for (int i = 0; i < game->LetterCount(); ++i) {
        EXPECT_EQ(game->Letter(i).IsTarget(), i == c.target) << "tile " << i;
        // The target tile is the red picture of the library.
        const QRgb colour = game->Letter(i).Picture().pixel(20, 20);
        EXPECT_TRUE(closeTo(
            colour,
            (i == c.target ? LabellingFolder::TargetColour : LabellingFolder::TileColour).rgb()))
            << "tile " << i;
    }
    EXPECT_EQ(game->ExpectedAnswer(), QString::fromUtf16(c.answer));
    ASSERT_EQ(game->SlotCount(), static_cast<int>(c.tiles.size()));
    for (int i = 0; i < game->SlotCount(); ++i)
        EXPECT_TRUE(game->Slot(i).IsEmpty()) << "slot " << i;
    EXPECT_EQ(game->Word(), catalogue.Entry(CSlowa::Selection, 0).Key);
}

INSTANTIATE_TEST_SUITE_P(
    Words, BuildWordTest,
    ::testing::Values(
        WordCase{"Bagaze", u"b,a,g,a,_ż,e,", {"b", "a", "g", "a", u8"ż", "e"}, 4, u"bagaże"},
        WordCase{"Brzuch", u"b,_rz,u,ch,", {"b", "rz", "u", "ch"}, 1, u"brzuch"},
        WordCase{"TargetFirst", u"_sz,a,f,a,", {"sz", "a", "f", "a"}, 0, u"szafa"},
        WordCase{"TargetLastNoFinalComma", u"k,o,_dż", {"k", "o", u8"dż"}, 2, u"kodż"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabellingGameTest, ATileWithoutALibraryPictureIsDrawnWithItsLetter) {
    startGame(5, false, u"b,_rz,u,ch,"_qs);
    QFile::remove("Data/Intf/Lib/u_b.png");
    CPrzGloska plain(&fake->widget, "u", false, false);
    ASSERT_EQ(plain.Picture().size(), QSize(55, 55));
    int dark = 0;
    for (int y = 0; y < 55; ++y)
        for (int x = 0; x < 55; ++x)
            dark += qGray(plain.Picture().pixel(x, y)) < 100;
    EXPECT_GT(dark, 20) << "the letter is drawn on the tile";
    EXPECT_EQ(plain.Control()->size(), QSize(55, 55));
}

struct SlotCase {
    const char* name;
    bool smallScreen;
    int n;
    std::vector<QPoint> first;
};

class SlotGeometryTest : public LabellingGameTest,
                         public ::testing::WithParamInterface<SlotCase> {};

// The row stands centred on the window, frames included, however long the word.
TEST_P(SlotGeometryTest, SlotsStandCentredUnderThePicture) {
    const SlotCase& c = GetParam();
    const QSize area = c.smallScreen ? QSize(800, 600) : QSize(1024, 768);
    const int pitch = CPrzGloska::TileSize(c.smallScreen);
    for (std::size_t i = 0; i < c.first.size(); ++i)
        EXPECT_EQ(graPodpisywanie::SlotPosition(c.n, static_cast<int>(i), area, pitch), c.first[i])
            << "slot " << i;
    const int frames = CPusGloska::FrameCount;
    const int left = graPodpisywanie::SlotPosition(c.n, 0, area, pitch).x() - frames;
    const int right =
        graPodpisywanie::SlotPosition(c.n, c.n - 1, area, pitch).x() + pitch + frames - 1;
    EXPECT_LE(std::abs(left + right + 1 - area.width()), 1) << left << ".." << right;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, SlotGeometryTest,
    ::testing::Values(SlotCase{"SmallOne", true, 1, {{378, 450}}},
                      SlotCase{"SmallSix", true, 6, {{231, 450}, {290, 450}, {349, 450}}},
                      SlotCase{"SmallTen", true, 10, {{113, 450}, {172, 450}}},
                      SlotCase{"BigFour", false, 4, {{380, 576}, {450, 576}, {520, 576}}},
                      SlotCase{"BigNine", false, 9, {{205, 576}, {275, 576}}},
                      SlotCase{"BigTen", false, 10, {{170, 576}, {240, 576}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabellingGameTest, SlotFramesAreRedWhileEmptyAndYellowOnceFilled) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    const CPusGloska& slot = game->Slot(0);
    const QPoint at = slot.Position();
    const struct {
        QPoint offset;
        bool frame;
    } probes[] = {{{-1, -1}, true}, {{-5, -5}, true},  {{48, 48}, true},
                  {{44, 44}, true}, {{-6, -6}, false}, {{49, 49}, false}};
    const auto check = [&](QRgb colour) {
        for (const auto& p : probes) {
            const QRgb got = fake->screen.image().pixel(at + p.offset);
            if (p.frame)
                EXPECT_EQ(got & 0xFFFFFF, colour) << p.offset;
            else
                EXPECT_NE(got & 0xFFFFFF, colour) << p.offset;
        }
    };
    check(CPusGloska::EmptyColour);
    dropInSlot(tileOf("b"), 0);
    check(CPusGloska::FilledColour);
}

struct DropCase {
    const char* name;
    QPoint offset;
    bool enters;
    bool staysPut; // a tile that misses the slots but lies on the row is moved off it
};

class DropTest : public LabellingGameTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropTest, ATileEntersASlotWithin25Pixels) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CPrzGloska& tile = tileOf("u");
    dragTo(tile, game->Slot(1).Position() + GetParam().offset);
    if (GetParam().enters) {
        EXPECT_EQ(game->Slot(1).Letter(), &tile);
        EXPECT_EQ(tile.Position(), game->Slot(1).Position());
        EXPECT_EQ(tile.Control()->pos(), game->Slot(1).Position());
    } else {
        EXPECT_TRUE(game->Slot(1).IsEmpty());
        const QPoint dropped = game->Slot(1).Position() + GetParam().offset;
        if (GetParam().staysPut) {
            EXPECT_EQ(tile.Position(), dropped);
        }
        EXPECT_TRUE(clearOfRowAndButtons(tile)) << tile.Position();
        EXPECT_LE((tile.Position() - dropped).manhattanLength(), 60) << tile.Position();
        EXPECT_EQ(tile.Control()->pos(), tile.Position());
    }
    EXPECT_EQ(stats.Correct() + stats.Wrong(), 0) << "a row with empty slots is not judged";
}

INSTANTIATE_TEST_SUITE_P(Boundary, DropTest,
                         ::testing::Values(DropCase{"RightBelow25", {25, 25}, true, false},
                                           DropCase{"LeftAbove25", {-25, -25}, true, false},
                                           DropCase{"Right26", {26, 0}, false, false},
                                           DropCase{"Below26", {0, 26}, false, false},
                                           DropCase{"Above26", {0, -26}, false, false},
                                           DropCase{"WellAbove", {0, -60}, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ButtonDropCase {
    const char* name;
    bool smallScreen;
    QPoint at; // inside the button column
};

class ButtonDropTest : public LabellingGameTest,
                       public ::testing::WithParamInterface<ButtonDropCase> {};

TEST_P(ButtonDropTest, ATileDroppedOnAButtonMovesBesideIt) {
    const ButtonDropCase& c = GetParam();
    startGame(5, c.smallScreen, u"b,_rz,u,ch,"_qs);
    CPrzGloska& tile = tileOf("u");
    dragTo(tile, c.at);
    EXPECT_TRUE(clearOfRowAndButtons(tile)) << tile.Position();
    EXPECT_TRUE(fake->screen.rect().contains(tile.Rect())) << tile.Position();
    EXPECT_LE((tile.Position() - c.at).manhattanLength(), 100) << tile.Position();
    EXPECT_EQ(tile.Control()->pos(), tile.Position());
}

INSTANTIATE_TEST_SUITE_P(Buttons, ButtonDropTest,
                         ::testing::Values(ButtonDropCase{"SmallHelp", true, {730, 100}},
                                           ButtonDropCase{"SmallPrevious", true, {740, 330}},
                                           ButtonDropCase{"BigStop", false, {930, 210}},
                                           ButtonDropCase{"BigRightEdge", false, {969, 400}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabellingGameTest, ATileDroppedOnAFilledSlotWaitsAboveIt) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CPrzGloska& first = tileOf("u");
    CPrzGloska& second = tileOf("ch");
    dropInSlot(first, 2);
    dropInSlot(second, 2);
    EXPECT_EQ(game->Slot(2).Letter(), &first);
    EXPECT_EQ(second.Position(), game->Slot(2).Position() - QPoint(0, 60));
    EXPECT_EQ(second.Control()->pos(), second.Position());
}

TEST_F(LabellingGameTest, PressingAPlacedTileEmptiesItsSlotAtOnceAndDroppingRefillsIt) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CPrzGloska& tile = tileOf("u");
    dropInSlot(tile, 2);
    const QPoint frame = game->Slot(2).Position() - QPoint(3, 3);
    game->TileDown(tile, QPoint(5, 5));
    EXPECT_TRUE(game->Slot(2).IsEmpty());
    EXPECT_EQ(fake->visible.image().pixel(frame) & 0xFFFFFF, CPusGloska::EmptyColour);
    game->TileUp(tile, QPoint(5, 5));
    EXPECT_EQ(game->Slot(2).Letter(), &tile);
    EXPECT_EQ(fake->visible.image().pixel(frame) & 0xFFFFFF, CPusGloska::FilledColour);
}

TEST_F(LabellingGameTest, ADoubleClickOnAPlacedTileEmptiesItsSlotAndLeavesTheTile) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CPrzGloska& tile = tileOf("u");
    dropInSlot(tile, 2);
    game->TileDoubleClick(tile);
    EXPECT_TRUE(game->Slot(2).IsEmpty());
    // The release that ends the double click drops nothing.
    game->TileUp(tile, QPoint(5, 5));
    EXPECT_TRUE(game->Slot(2).IsEmpty());
    EXPECT_EQ(tile.Position(), game->Slot(2).Position());
}

struct JudgeCase {
    const char* name;
    // Tile indices (grapheme order of "b,a,g,a,_ż,e,") dropped into slots 0, 1, 2, ...
    std::vector<int> order;
    int correct;
    int wrong;
};

class JudgeTest : public LabellingGameTest, public ::testing::WithParamInterface<JudgeCase> {};

TEST_P(JudgeTest, AFullRowIsJudgedOnce) {
    startGame(5, true, u"b,a,g,a,_ż,e,"_qs);
    std::vector<CPrzGloska*> tiles;
    for (int i = 0; i < game->LetterCount(); ++i)
        tiles.push_back(&game->Letter(i));
    const std::vector<int>& order = GetParam().order;
    for (std::size_t slot = 0; slot < order.size(); ++slot)
        dropInSlot(*tiles[static_cast<std::size_t>(order[slot])], static_cast<int>(slot));
    EXPECT_EQ(stats.Correct(), GetParam().correct);
    EXPECT_EQ(stats.Wrong(), GetParam().wrong);
    const bool solved = GetParam().correct == 1;
    EXPECT_EQ(game->IsSolved(), solved);
    EXPECT_EQ(fake->helpHidden, solved ? 1 : 0);
    for (CPrzGloska* tile : tiles) {
        EXPECT_EQ(tile->IsShown(), !solved) << tile->Text();
        EXPECT_NE(std::find_if(order.begin(), order.end(),
                               [&](int i) { return tiles[static_cast<std::size_t>(i)] == tile; }),
                  order.end());
    }
    // Whatever the verdict, the tiles stay in their slots.
    for (std::size_t slot = 0; slot < order.size(); ++slot)
        EXPECT_EQ(game->Slot(static_cast<int>(slot)).Letter(),
                  tiles[static_cast<std::size_t>(order[slot])]);
}

INSTANTIATE_TEST_SUITE_P(Rows, JudgeTest,
                         ::testing::Values(JudgeCase{"InOrder", {0, 1, 2, 3, 4, 5}, 1, 0},
                                           JudgeCase{"EqualTilesSwapped", {0, 3, 2, 1, 4, 5}, 1, 0},
                                           JudgeCase{"FilledBackToFront", {5, 4, 3, 2, 1, 0}, 0, 1},
                                           JudgeCase{
                                               "TwoLettersSwapped", {2, 1, 0, 3, 4, 5}, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabellingGameTest, AWrongRowCountsAgainEachTimeItBecomesFull) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    const int order[] = {3, 1, 2, 0};
    std::vector<CPrzGloska*> tiles;
    for (int i = 0; i < game->LetterCount(); ++i)
        tiles.push_back(&game->Letter(i));
    for (int slot = 0; slot < 4; ++slot)
        dropInSlot(*tiles[static_cast<std::size_t>(order[slot])], slot);
    EXPECT_EQ(stats.Wrong(), 1);
    // Picked up and put back: the row is full again.
    dropInSlot(*tiles[3], 0);
    EXPECT_EQ(stats.Wrong(), 2);
    // Out of the row and in again elsewhere: judged once more when full.
    dragTo(*tiles[3], QPoint(100, 100));
    EXPECT_EQ(stats.Wrong(), 2);
    dropInSlot(*tiles[3], 0);
    EXPECT_EQ(stats.Wrong(), 3);
    EXPECT_EQ(stats.Correct(), 0);
}

TEST_F(LabellingGameTest, TheEndTimerStartsOnlyWhenTheLastWordIsSolved) {
    startGame(5);
    for (int word = 0; word < 5; ++word) {
        EXPECT_FALSE(game->EndTimer().isActive()) << "word " << word;
        std::vector<CPrzGloska*> tiles;
        for (int i = 0; i < game->LetterCount(); ++i)
            tiles.push_back(&game->Letter(i));
        for (std::size_t i = 0; i < tiles.size(); ++i)
            dropInSlot(*tiles[i], static_cast<int>(i));
        EXPECT_TRUE(game->IsSolved()) << "word " << word;
        if (game->Next()) {
            game->BuildWord();
            game->LayOutWord();
        }
    }
    EXPECT_TRUE(game->AllSolved());
    ASSERT_TRUE(game->EndTimer().isActive());
    EXPECT_EQ(game->EndTimer().interval(), 60000);
    game->EndTimer().start(0);
    QTest::qWait(20);
    EXPECT_EQ(fake->stops, 1);
    EXPECT_FALSE(game->EndTimer().isActive());
}

TEST_F(LabellingGameTest, HelpShowsTheSolutionCountsAHintAndScattersAgain) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    dropInSlot(tileOf("u"), 0);
    game->BuildWord();
    game->Help();
    EXPECT_EQ(stats.Hints(), 1);
    // The solution reached the window: the red target tile stands in its slot.
    const QPoint slot1 = game->Slot(1).Position() + QPoint(20, 20);
    EXPECT_TRUE(closeTo(fake->visible.image().pixel(slot1), LabellingFolder::TargetColour.rgb()));
    for (int i = 0; i < game->SlotCount(); ++i) {
        EXPECT_TRUE(game->Slot(i).IsEmpty()) << "slot " << i;
        EXPECT_TRUE(game->Letter(i).IsShown()) << "tile " << i;
        EXPECT_NE(game->Letter(i).Position(), game->Slot(i).Position()) << "tile " << i;
    }
    EXPECT_FALSE(game->IsSolved());
}

struct RetryCase {
    const char* name;
    QPoint at;
    bool hits;
};

class RetryTest : public LabellingGameTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(RetryTest, ADoubleClickInsideThePictureMakesTheWordUnsolved) {
    startGame(5, true);
    catalogue.Entry(CSlowa::Selection, 0).setDrawn(false);
    ASSERT_TRUE(game->IsSolved());
    EXPECT_EQ(game->Retry(GetParam().at.x(), GetParam().at.y()), GetParam().hits);
    EXPECT_EQ(game->IsSolved(), !GetParam().hits);
}

// The small picture stands at (274, 140), its mask 260 x 280; the edges do not count.
INSTANTIATE_TEST_SUITE_P(Edges, RetryTest,
                         ::testing::Values(RetryCase{"Middle", {400, 280}, true},
                                           RetryCase{"JustInsideTopLeft", {275, 141}, true},
                                           RetryCase{"LeftEdge", {274, 200}, false},
                                           RetryCase{"JustInsideBottomRight", {533, 419}, true},
                                           RetryCase{"RightEdge", {534, 200}, false},
                                           RetryCase{"BottomEdge", {300, 420}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MoveCase {
    const char* name;
    QPoint to;
    QPoint expected;
};

class MoveToTest : public LabellingGameTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveToTest, ADragStepRefreshesOnlyWhereTheTileWasAndIs) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CPrzGloska& tile = tileOf("u");
    tile.SetPosition(300, 300);
    game->BeginDrag(tile);
    fake->visible.setBrushColor(Qt::black);
    fake->visible.fillRect(fake->visible.rect());
    tile.MoveTo(GetParam().to.x(), GetParam().to.y(), fake->screen, fake->restore, fake->visible);
    EXPECT_EQ(tile.Position(), GetParam().expected);
    EXPECT_EQ(tile.Control()->pos(), QPoint(300, 300)) << "the control waits for the drop";
    const QRect from(300 - 5, 300 - 5, 54, 54);
    const QRect to(GetParam().expected - QPoint(5, 5), QSize(54, 54));
    const QImage& shown = fake->visible.image();
    EXPECT_TRUE(closeTo(shown.pixel(GetParam().expected + QPoint(20, 20)),
                        LabellingFolder::TileColour.rgb()));
    // The old place shows what lay under the tile, unless the tile still covers it.
    if (tile.Rect().contains(320, 320)) {
        EXPECT_TRUE(closeTo(shown.pixel(320, 320), LabellingFolder::TileColour.rgb()));
    } else {
        EXPECT_EQ(shown.pixel(320, 320), fake->restore.image().pixel(320, 320));
    }
    // Far from both places nothing was copied to the window.
    for (const QPoint p : {QPoint(0, 599), QPoint(799, 0), QPoint(600, 100)}) {
        if (!from.united(to).contains(p)) {
            EXPECT_EQ(shown.pixel(p) & 0xFFFFFF, 0u) << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MoveToTest,
    ::testing::Values(MoveCase{"SmallStep", {310, 304}, {310, 304}},
                      MoveCase{"LongJump", {500, 100}, {500, 100}},
                      MoveCase{"PastTheTopLeft", {-40, -70}, {0, 0}},
                      MoveCase{"PastTheBottomRight", {900, 650}, {800 - 44, 600 - 44}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabellingGameTest, RealMouseEventsOnATileDragItIntoASlot) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CPrzGloska& tile = tileOf("ch");
    HitArea* control = tile.Control();
    const QPoint start = tile.Position();
    const QPoint target = game->Slot(3).Position() + QPoint(10, -8);
    QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(&game->Letter(game->LetterCount() - 1), &tile) << "the pressed tile goes on top";
    // A move with another button or a key held does not drag.
    QMouseEvent shifted(QEvent::MouseMove, QPointF(30, 30), control->mapToGlobal(QPointF(30, 30)),
                        Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(control, &shifted);
    EXPECT_EQ(tile.Position(), start);
    QTest::mouseMove(control, target - start + QPoint(10, 10));
    EXPECT_EQ(tile.Position(), target);
    QTest::mouseRelease(control, Qt::LeftButton, Qt::NoModifier, target - start + QPoint(10, 10));
    EXPECT_EQ(game->Slot(3).Letter(), &tile);
    EXPECT_EQ(control->pos(), game->Slot(3).Position());
}

struct TouchCase {
    const char* name;
    std::function<void(LabellingGameTest&, graPodpisywanie&, CPrzGloska&)> act;
};

// A run idle for 300 ms is dropped; one action in the middle keeps it.
class TouchTest : public LabellingGameTest, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(TouchTest, EveryTileActionCountsAsActivity) {
    startGame(5, true, u"b,_rz,u,ch,"_qs);
    CStatRec quick(1, folder.path(), {}, 300);
    graPodpisywanie watched(*fake, catalogue, quick, player, random, true, QSize(800, 600));
    watched.SetCanvases(&fake->screen, &fake->restore);
    watched.BuildWord();
    watched.LayOutWord();
    quick.BeginGame(CStatRec::Podpisywanie, settings);
    CPrzGloska& tile = watched.Letter(2);
    watched.TileDown(tile, QPoint(5, 5));
    Sleep(200);
    GetParam().act(*this, watched, tile);
    Sleep(200);
    QCoreApplication::processEvents();
    EXPECT_TRUE(quick.IsActive());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, TouchTest,
    ::testing::Values(
        TouchCase{"Press", [](auto&, auto& g, auto& t) { g.TileDown(t, QPoint(5, 5)); }},
        TouchCase{"Drag",
                  [](auto&, auto& g, auto& t) {
                      g.TileMove(t, QPoint(9, 9), Qt::LeftButton, Qt::NoModifier);
                  }},
        TouchCase{"Drop", [](auto&, auto& g, auto& t) { g.TileUp(t, QPoint(5, 5)); }},
        TouchCase{"DoubleClick", [](auto&, auto& g, auto& t) { g.TileDoubleClick(t); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScatterCase {
    const char* name;
    bool smallScreen;
};

class ScatterTest : public LabellingGameTest, public ::testing::WithParamInterface<ScatterCase> {};

TEST_P(ScatterTest, EveryCatalogueWordScattersApartInTheStripOrTheBand) {
    const bool small = GetParam().smallScreen;
    startGame(5, small);
    const int w = small ? 800 : 1024;
    const int h = small ? 600 : 768;
    for (const WordEntry& word : catalogue.Words()) {
        catalogue.Entry(CSlowa::Selection, 0).Segmentation = word.Segmentation;
        game->BuildWord();
        for (int round = 0; round < 3; ++round) {
            ASSERT_EQ(game->ScatterLetters(), 0) << word.Key;
            for (int i = 0; i < game->LetterCount(); ++i) {
                const QPoint p = game->Letter(i).Position();
                EXPECT_TRUE(clearOfRowAndButtons(game->Letter(i))) << word.Key << p;
                const bool strip = p.y() < h - h / 5 && p.x() >= 10 && p.x() < w / 5 + 10;
                const bool band = p.y() >= h - h / 5 && p.x() >= 10 && p.x() < w - 65;
                EXPECT_TRUE(p.y() >= 10 && p.y() < h - 65 && (strip || band)) << word.Key << p;
                for (int j = 0; j < i; ++j)
                    EXPECT_FALSE(game->Letter(j).IsNear(p.x(), p.y()))
                        << word.Key << " tiles " << j << " and " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, ScatterTest,
                         ::testing::Values(ScatterCase{"Small", true}, ScatterCase{"Big", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabellingGameTest, AWordTooLongForTheFreePlacesStillEndsOnTheGrid) {
    startGame(5, true,
              u"a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,r,s,t,u,w,y,z,ą,ę,ó,ł,ś,ć,ź,ń,ż,"
              u"a,b,c,d,e,f,g,h,i,j,"_qs);
    ASSERT_EQ(game->LetterCount(), 42);
    const int crowded = game->ScatterLetters();
    EXPECT_GT(crowded, 0);
    EXPECT_LT(crowded, game->LetterCount());
}

} // namespace
