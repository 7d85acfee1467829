// The completing game's rules on off-screen canvases: the tiles of a word, the sound pairs and
// their sides, right and wrong choices, moving between words, retrying, and the end timer.
#include "completingfixture.h"

#include <QTest>
#include <set>

namespace {

const QString Question = QStringLiteral("question");

TEST(SoundPairTest, EveryTargetOfTheCatalogueIsOneOfItsTwoButtons) {
    RandomGenerator random;
    const CSlowa catalogue(random);
    for (const WordEntry& word : catalogue.Words()) {
        const auto pair = graUzupelnianie::PairFor(word.targetSound());
        ASSERT_TRUE(pair.has_value()) << word.Key;
        EXPECT_TRUE(word.targetSound() == pair->first || word.targetSound() == pair->second)
            << word.Key;
    }
}

struct WordButtonsCase {
    const char* name;
    std::uint16_t positions;
    std::uint16_t sounds;
    int candidates;
    const char* key;
    const char16_t* first;
    const char16_t* second;
};

class WordButtonsTest : public CompletingGameTest,
                        public ::testing::WithParamInterface<WordButtonsCase> {};

TEST_P(WordButtonsTest, AWordOffersItsRowOfSounds) {
    const WordButtonsCase& c = GetParam();
    startGame(c.positions, c.sounds, c.candidates);
    goTo(c.key);
    ASSERT_NE(game->FirstButton(), nullptr);
    ASSERT_NE(game->SecondButton(), nullptr);
    EXPECT_EQ(game->FirstButton()->Sound(), QString::fromUtf16(c.first));
    EXPECT_EQ(game->SecondButton()->Sound(), QString::fromUtf16(c.second));
    EXPECT_EQ(game->Tile(game->GapIndex()).PictureName(), Question + "_s");
}

INSTANTIATE_TEST_SUITE_P(
    Words, WordButtonsTest,
    ::testing::Values(WordButtonsCase{"HissingS", 0x4000, 0x0010, 19, "ananas", u"sz", u"s"},
                      WordButtonsCase{"HushingSz", 0x4000, 0x0001, 9, "grosz", u"sz", u"s"},
                      WordButtonsCase{"HissingZ", 0x1000, 0x0020, 15, "zamek", u"rz", u"z"},
                      WordButtonsCase{"Rz", 0x1000, 0x0002, 20, "rzeka", u"rz", u"z"},
                      WordButtonsCase{"ZWithDot", 0x1000, 0x0002, 20, "zaba", u"ż", u"z"},
                      WordButtonsCase{"CzSpokenAsDzh", 0x2000, 0x0008, 2, "liczby", u"cz", u"c"},
                      WordButtonsCase{"Dz", 0x1000, 0x0080, 2, "dzbanek", u"dż", u"dz"},
                      WordButtonsCase{"C", 0x4000, 0x0040, 8, "noc", u"cz", u"c"}),
    [](const auto& info) { return std::string(info.param.name); });

struct VariantCase {
    const char* name;
    QSize screen;
    int leftX;
    int rightX;
    int buttonY;
    int tileSize;
    int rowX;
    int rowY;
};

class VariantTest : public CompletingGameTest, public ::testing::WithParamInterface<VariantCase> {};

TEST_P(VariantTest, ButtonsStandLeftAndRightInEitherOrder) {
    const VariantCase& c = GetParam();
    startGame(0x2000, 0x0008, 2, c.screen);
    goTo("liczby");
    std::set<int> firstSides;
    for (int i = 0; i < 16; ++i) {
        showWord();
        const CGloska* first = game->FirstButton();
        const CGloska* second = game->SecondButton();
        EXPECT_EQ(std::set<int>({first->X(), second->X()}), std::set<int>({c.leftX, c.rightX}));
        EXPECT_EQ(first->Y(), c.buttonY);
        EXPECT_EQ(second->Y(), c.buttonY);
        EXPECT_EQ(first->Control()->geometry(),
                  QRect(first->X(), first->Y(), c.tileSize, c.tileSize));
        EXPECT_TRUE(first->IsEnabled() && first->IsShown());
        EXPECT_EQ(QColor(screenAt(QPoint(first->X() + 5, first->Y() + 5))),
                  tileColour(first->PictureName()));
        firstSides.insert(first->X());
    }
    EXPECT_EQ(firstSides.size(), 2u) << "the random side never changed";
}

TEST_P(VariantTest, AFiveTileWordStandsCentredAboveThePicture) {
    const VariantCase& c = GetParam();
    startGame(0x2000, 0x0008, 2, c.screen);
    goTo("liczby");
    ASSERT_EQ(game->TileCount(), 5);
    EXPECT_EQ(game->TileSize(), c.tileSize);
    EXPECT_EQ(game->GapIndex(), 2);
    EXPECT_EQ(game->TargetSound(), QString("cz"));
    const char* names[] = {"l", "i", "question", "b", "y"};
    const QString suffix = c.tileSize == 44 ? "_s" : "_b";
    for (int i = 0; i < 5; ++i) {
        const CGloska& tile = game->Tile(i);
        EXPECT_EQ(tile.X(), c.rowX + i * (c.tileSize + 5)) << i;
        EXPECT_EQ(tile.Y(), c.rowY) << i;
        EXPECT_EQ(tile.PictureName(), names[i] + suffix);
        EXPECT_EQ(tile.Control(), nullptr);
        EXPECT_EQ(QColor(screenAt(QPoint(tile.X() + 10, tile.Y() + 10))),
                  tileColour(tile.PictureName()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, VariantTest,
    ::testing::Values(VariantCase{"Small", {800, 600}, 160, 600, 300, 44, 278, 60},
                      VariantCase{"Big", {1024, 768}, 216, 768, 384, 55, 362, 76}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CompletingGameTest, TheSegmentationWalkSkipsEmptyRuns) {
    startGame(0x2000, 0x0008, 2);
    catalogue.Entry(CSlowa::Selection, 0).Segmentation = QStringLiteral(",ch,,_ż,dzi,");
    showWord();
    ASSERT_EQ(game->TileCount(), 3);
    EXPECT_EQ(game->Tile(0).PictureName(), QString("ch_s"));
    EXPECT_EQ(game->Tile(1).PictureName(), QString("question_s"));
    EXPECT_EQ(game->Tile(2).PictureName(), QString("dzi_s"));
    EXPECT_EQ(game->GapIndex(), 1);
    EXPECT_EQ(game->TargetSound(), QString("ż"));
}

TEST_F(CompletingGameTest, ATargetInNoRowShowsNoButtonsAndTheChildMovesOn) {
    startGame(0x2000, 0x0008, 2);
    catalogue.Entry(CSlowa::Selection, 0).Segmentation = QStringLiteral("o,_ch,y,");
    showWord();
    EXPECT_EQ(game->FirstButton(), nullptr);
    EXPECT_EQ(game->SecondButton(), nullptr);
    EXPECT_FALSE(game->ChooseSide(true));
    EXPECT_FALSE(game->ChooseSide(false));
    EXPECT_EQ(stats.Wrong() + stats.Correct(), 0);
    EXPECT_TRUE(game->Next());
    showWord();
    EXPECT_NE(game->FirstButton(), nullptr);
}

TEST_F(CompletingGameTest, TwoWrongChoicesCountTwiceAndLeaveTheGap) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    const QPoint gap(game->Tile(2).X() + 10, game->Tile(2).Y() + 10);
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(wrongButton()->Control(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(stats.Wrong(), 2);
    EXPECT_EQ(stats.Correct(), 0);
    EXPECT_FALSE(game->IsSolved());
    EXPECT_EQ(game->ChosenSound(), QString("c"));
    EXPECT_EQ(game->Tile(2).PictureName(), QString("question_s"));
    EXPECT_EQ(QColor(window->visible.image().pixel(gap)), tileColour("question_s"));
    for (CGloska* b : {game->FirstButton(), game->SecondButton()})
        EXPECT_TRUE(b->IsEnabled() && b->IsShown()) << b->Sound();
    EXPECT_EQ(window->helpHidden, 0);
    EXPECT_FALSE(game->EndTimer().isActive());
}

TEST_F(CompletingGameTest, TheRightChoiceFillsTheGapInRedAndTakesTheButtonsAway) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    CGloska* right = rightButton();
    CGloska* wrong = wrongButton();
    QTest::mouseClick(right->Control(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(stats.Correct(), 1);
    EXPECT_EQ(stats.Wrong(), 0);
    EXPECT_TRUE(game->IsSolved());
    EXPECT_FALSE(game->AllSolved());
    EXPECT_FALSE(game->EndTimer().isActive());
    EXPECT_EQ(window->helpHidden, 1);
    EXPECT_EQ(game->Tile(2).PictureName(), QString("cz_red_s"));
    const QPoint gap(game->Tile(2).X() + 10, game->Tile(2).Y() + 10);
    EXPECT_EQ(QColor(window->visible.image().pixel(gap)), tileColour("cz_red_s"));
    for (CGloska* b : {right, wrong}) {
        EXPECT_FALSE(b->IsShown()) << b->Sound();
        EXPECT_EQ(QColor(window->visible.image().pixel(b->X() + 5, b->Y() + 5)),
                  FakeCompletingWindow::Background)
            << b->Sound();
    }
    // A solved word takes no more answers, whatever the keys say.
    EXPECT_FALSE(game->ChooseSide(true));
    EXPECT_FALSE(game->ChooseSide(false));
    EXPECT_EQ(stats.Correct(), 1);
}

// Below a sound button, on the pad it stands on.
QPoint underButton(const CGloska& button) {
    return QPoint(button.X() + 22, button.Y() + 44 + 10);
}

bool reddish(QRgb pixel) {
    return qRed(pixel) > 180 && qGreen(pixel) < 150 && qBlue(pixel) < 150;
}

TEST_F(CompletingGameTest, AWrongChoiceMarksThePressedButtonForAMoment) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    CGloska* right = rightButton();
    CGloska* wrong = wrongButton();
    EXPECT_FALSE(reddish(window->visible.image().pixel(underButton(*wrong))));
    window->frames.clear();
    QTest::mouseClick(wrong->Control(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(stats.Wrong(), 1);
    ASSERT_GE(window->frames.size(), 2u);
    const QImage& during = window->frames.front();
    EXPECT_TRUE(reddish(during.pixel(underButton(*wrong))));
    EXPECT_FALSE(reddish(during.pixel(underButton(*right))));
    const QImage& after = window->frames.back();
    EXPECT_FALSE(reddish(after.pixel(underButton(*wrong))));
    EXPECT_NE(QColor(after.pixel(underButton(*wrong))), FakeCompletingWindow::Background)
        << "the button keeps its pad";
}

TEST_F(CompletingGameTest, HelpShowsTheRightSoundInTheGapWhileItSpeaks) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    const QPoint gap(game->Tile(2).X() + 10, game->Tile(2).Y() + 10);
    window->frames.clear();
    game->Help();
    EXPECT_EQ(stats.Hints(), 1);
    ASSERT_GE(window->frames.size(), 2u);
    EXPECT_EQ(QColor(window->frames.front().pixel(gap)), tileColour("cz_red_s"));
    EXPECT_EQ(QColor(window->frames.back().pixel(gap)), tileColour("question_s"));
    EXPECT_FALSE(game->IsSolved());
    EXPECT_EQ(game->Tile(2).PictureName(), QString("question_s"));
}

TEST_F(CompletingGameTest, TheArrowKeysChooseTheButtonOnTheirSide) {
    startGame(0x2000, 0x0008, 2);
    goTo("zjezdzalnia");
    const bool rightIsLeft = rightButton()->X() < wrongButton()->X();
    ASSERT_TRUE(game->ChooseSide(!rightIsLeft));
    EXPECT_EQ(stats.Wrong(), 1);
    EXPECT_FALSE(game->IsSolved());
    ASSERT_TRUE(game->ChooseSide(rightIsLeft));
    EXPECT_EQ(stats.Correct(), 1);
    EXPECT_TRUE(game->IsSolved());
}

TEST_F(CompletingGameTest, SolvingTheLastWordStartsTheEndTimerAndHelpStopsIt) {
    startGame(0x2000, 0x0008, 2);
    for (int word = 0; word < 2; ++word) {
        EXPECT_FALSE(game->EndTimer().isActive());
        ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
        if (!game->IsLast()) {
            ASSERT_TRUE(game->Next());
            showWord();
        }
    }
    EXPECT_TRUE(game->AllSolved());
    ASSERT_TRUE(game->EndTimer().isActive());
    EXPECT_EQ(game->EndTimer().interval(), 60000);

    game->Help();
    EXPECT_EQ(stats.Hints(), 1);
    EXPECT_FALSE(game->EndTimer().isActive());
    EXPECT_EQ(window->stops, 0);
}

TEST_F(CompletingGameTest, TheEndTimerStopsTheGameOnce) {
    startGame(0x2000, 0x0008, 2);
    game->EndTimer().start(0);
    for (int i = 0; i < 20 && window->stops == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(window->stops, 1);
    EXPECT_FALSE(game->EndTimer().isActive());
}

TEST_F(CompletingGameTest, BackAtASolvedWordItShowsRedAndNoButtons) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
    goTo("zjezdzalnia");
    goTo("liczby");
    EXPECT_TRUE(game->IsSolved());
    EXPECT_EQ(game->Tile(2).PictureName(), QString("cz_red_s"));
    for (CGloska* b : {game->FirstButton(), game->SecondButton()}) {
        EXPECT_FALSE(b->IsEnabled()) << b->Sound();
        EXPECT_EQ(QColor(screenAt(QPoint(b->X() + 5, b->Y() + 5))),
                  FakeCompletingWindow::Background)
            << b->Sound();
    }
    QTest::mouseClick(game->FirstButton()->Control(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(stats.Correct() + stats.Wrong(), 1);
}

struct RetryCase {
    const char* name;
    QPoint point;
    bool hit;
};

class RetryTest : public CompletingGameTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(RetryTest, ADoubleClickInsideTheSolvedPictureAsksAgain) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
    showWord();
    EXPECT_EQ(game->Retry(GetParam().point), GetParam().hit);
    EXPECT_EQ(game->IsSolved(), !GetParam().hit);
    EXPECT_EQ(game->Tile(2).PictureName(), GetParam().hit ? "question_s" : "cz_red_s");
    for (CGloska* b : {game->FirstButton(), game->SecondButton()}) {
        EXPECT_EQ(b->IsEnabled(), GetParam().hit) << b->Sound();
        if (GetParam().hit) {
            EXPECT_EQ(QColor(screenAt(QPoint(b->X() + 5, b->Y() + 5))),
                      tileColour(b->PictureName()));
        }
    }
    EXPECT_EQ(stats.Correct(), 1);
}

// The frame of the small variant is 260 x 280 at (266, 310); only points strictly inside hit.
INSTANTIATE_TEST_SUITE_P(Points, RetryTest,
                         ::testing::Values(RetryCase{"Middle", {396, 450}, true},
                                           RetryCase{"JustInside", {267, 311}, true},
                                           RetryCase{"LeftEdge", {266, 400}, false},
                                           RetryCase{"BottomEdge", {400, 590}, false},
                                           RetryCase{"RightEdge", {526, 400}, false},
                                           RetryCase{"Tiles", {300, 70}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CompletingGameTest, ARetriedWordIsSolvedAgainAndCountsAgain) {
    startGame(0x2000, 0x0008, 2);
    goTo("liczby");
    ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
    showWord();
    ASSERT_TRUE(game->Retry(QPoint(400, 400)));
    ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
    EXPECT_EQ(stats.Correct(), 2);
    EXPECT_TRUE(game->IsSolved());
}

TEST_F(CompletingGameTest, WithoutTheFrameThePictureShowsWholeAndStillTakesDoubleClicks) {
    QFile::remove(graUzupelnianie::FramePath(true));
    startGame(0x2000, 0x0008, 2);
    EXPECT_TRUE(game->FramePicture().isNull());
    EXPECT_EQ(game->TileSize(), 44);
    EXPECT_EQ(QColor(screenAt(QPoint(396, 450))),
              QColor(catalogue.Entry(CSlowa::Selection, 0).BigPicture.pixel(130, 140)));
    ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
    showWord();
    EXPECT_TRUE(game->Retry(QPoint(396, 450)));
}

TEST_F(CompletingGameTest, WithoutTilePicturesTheTilesAndButtonsAreDrawnWithTheirLetters) {
    QDir(QStringLiteral("Data/Intf/Lib")).removeRecursively();
    startGame(0x2000, 0x0008, 2);
    for (CGloska* button : {rightButton(), wrongButton()}) {
        ASSERT_EQ(QSize(44, 44), button->Picture().size());
        // The letter in black on the white tile, in the middle of the button.
        int dark = 0;
        for (int y = 8; y < 36; ++y)
            for (int x = 8; x < 36; ++x)
                dark += qGray(screenAt(QPoint(button->X() + x, button->Y() + y))) < 80;
        EXPECT_GT(dark, 20) << button->Sound().toStdString();
    }
    EXPECT_EQ(QSize(44, 44), game->Tile(0).Picture().size());
    ASSERT_TRUE(game->ChooseSide(rightButton()->X() < wrongButton()->X()));
    EXPECT_TRUE(game->IsSolved());
}

TEST_F(CompletingGameTest, ARetiredGameKeepsNoButtonOnTheWindowAndNoTimerRunning) {
    startGame(0x2000, 0x0008, 2);
    QPointer<HitArea> control = game->FirstButton()->Control();
    game->EndTimer().start();
    game->Retire();
    EXPECT_FALSE(game->EndTimer().isActive());
    EXPECT_EQ(game->FirstButton(), nullptr);
    EXPECT_TRUE(!control || !control->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(control.isNull());
}

} // namespace
