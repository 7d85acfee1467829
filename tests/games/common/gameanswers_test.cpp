// Every judged action of the child is one answer for the practice log: a scripted game on each
// game's own fixture, and the answers its statistics passed on.
#include "completingfixture.h"
#include "fallingfixture.h"
#include "labellingfixture.h"
#include "memoryfixture.h"

#include <functional>
#include <tuple>

namespace {

using Outcome = AnswerSink::Outcome;
using Heard = std::tuple<Outcome, QString, QString>; // outcome, word, answer

// A fixture playing its script with the sink listening, never run as a test itself. Its draw
// gives words written with Polish letters, so that a written word is not its key.
template <class Fixture> class Script : public Fixture {
public:
    std::vector<Heard> run() {
        this->random = RandomGenerator([] { return std::int64_t{1700000117}; });
        this->SetUp();
        RecordingSink sink;
        this->stats.SetAnswerSink(&sink);
        play();
        this->stats.SetAnswerSink(nullptr);
        this->TearDown();
        std::vector<Heard> heard;
        for (const AnswerSink::Answer& a : sink.answers)
            heard.emplace_back(a.outcome, a.word, a.answer);
        return heard;
    }

private:
    void TestBody() override {}
    virtual void play() = 0;
};

struct MemoryScript : Script<MemoryGameTest> {
    void play() override {
        startGame(3);
        const int stranger = strangerOf(0);
        click(0);
        click(stranger);
        fire(game->Card(stranger)->TurnBackTimer());
        game->Hint();
        click(0);
        click(partnerOf(0));
    }
};

// The row back to front, help, and the row in order.
struct LabellingScript : Script<LabellingGameTest> {
    void play() override {
        startGame(5);
        std::vector<CPrzGloska*> tiles;
        for (int i = 0; i < game->LetterCount(); ++i)
            tiles.push_back(&game->Letter(i));
        for (std::size_t slot = 0; slot < tiles.size(); ++slot)
            dropInSlot(*tiles[tiles.size() - 1 - slot], static_cast<int>(slot));
        game->Help();
        for (std::size_t slot = 0; slot < tiles.size(); ++slot)
            dropInSlot(*tiles[slot], static_cast<int>(slot));
    }
};

struct CompletingScript : Script<CompletingGameTest> {
    void play() override {
        startGame(0x1000, 0x0002, 20);
        goTo("zaba");
        wrongButton()->Choose();
        game->Help();
        rightButton()->Choose();
    }
};

// Cards 0 and 1 are the targets, 2 and 3 the distractors.
struct FallingScript : Script<FallingGameTest> {
    void play() override {
        startGame(2, 2);
        game->CardPressed(game->Card(1));
        game->Hint();
        game->CardPressed(game->Card(2));
    }
};

struct AnswersCase {
    const char* name;
    std::function<std::vector<Heard>()> play;
    std::vector<Heard> expected;
};

class GameAnswersTest : public ::testing::TestWithParam<AnswersCase> {
protected:
    static void SetUpTestSuite() { gameTestApp(); }
};

TEST_P(GameAnswersTest, EveryJudgedActionIsOneAnswerOnItsWord) {
    EXPECT_EQ(GetParam().play(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Games, GameAnswersTest,
                         ::testing::Values(
                             // A wrong pair tells each word the one it was paired with.
                             AnswersCase{"Memory",
                                         [] { return MemoryScript().run(); },
                                         {{Outcome::Wrong, "taksowka", "ciężarówka"},
                                          {Outcome::Wrong, "ciezarowka", "taksówka"},
                                          {Outcome::Hint, "taksowka", ""},
                                          {Outcome::Correct, "taksowka", ""}}},
                             AnswersCase{"Labelling",
                                         [] { return LabellingScript().run(); },
                                         {{Outcome::Wrong, "ciezarowka", "akwórażęci"},
                                          {Outcome::Hint, "ciezarowka", ""},
                                          {Outcome::Correct, "ciezarowka", "ciężarówka"}}},
                             AnswersCase{"Completing",
                                         [] { return CompletingScript().run(); },
                                         {{Outcome::Wrong, "zaba", "z"},
                                          {Outcome::Hint, "zaba", ""},
                                          {Outcome::Correct, "zaba", "ż"}}},
                             AnswersCase{"Falling",
                                         [] { return FallingScript().run(); },
                                         {{Outcome::Correct, "szydelko", "szydełko"},
                                          {Outcome::Hint, "gruszka", ""},
                                          {Outcome::Wrong, "nozyczki", "nożyczki"}}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
