// The report figures of a small log worked out by hand: a child's and the guest's answers
// around the turn of 2026, whose last ISO week (53) runs into January.
#include "cstatrec.h"
#include "logreader.h"
#include "practicelog.h"
#include "practicereport.h"
#include "wordbits.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

namespace {

using Outcome = PracticeLog::Outcome;
using Filter = PracticeReport::Filter;
using Figures = PracticeReport::Figures;
using namespace WordBits;

SystemTime at(int year, int month, int day, int hour, int minute, int second = 0) {
    SystemTime t;
    t.year = std::uint16_t(year);
    t.month = std::uint16_t(month);
    t.day = std::uint16_t(day);
    t.hour = std::uint16_t(hour);
    t.minute = std::uint16_t(minute);
    t.second = std::uint16_t(second);
    return t;
}

class PracticeReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(log.Open());
        ala = *log.AddChild("Ala");
        const qint64 alas = *log.BeginGame({ala, CStatRec::Podpisywanie, 1, 0x7, 0x7000, {}});
        const qint64 guests = *log.BeginGame({{}, CStatRec::Memory, 1, 0x5, 0x7000, {}});
        struct Row {
            qint64 game;
            SystemTime at;
            const char* word;
            std::uint16_t sound, position;
            Outcome outcome;
        };
        const Row rows[] = {
            {alas, at(2026, 12, 27, 10, 0), "szafa", Sz, Naglos, Outcome::Correct},
            {alas, at(2026, 12, 27, 23, 59, 59), "szafa", Sz, Naglos, Outcome::Wrong},
            {alas, at(2026, 12, 28, 0, 0), "szafa", Sz, Naglos, Outcome::Correct},
            {alas, at(2026, 12, 28, 8, 0), "szyba", Sz, Naglos, Outcome::Hint},
            {alas, at(2027, 1, 3, 12, 0), "jez", Zh, Wyglos, Outcome::Hint},
            {alas, at(2027, 1, 4, 9, 0), "beczka", Cz, Srodglos, Outcome::Wrong},
            {alas, at(2027, 1, 4, 9, 1), "beczka", Cz, Srodglos, Outcome::Wrong},
            {alas, at(2027, 1, 4, 9, 2), "szyba", Sz, Naglos, Outcome::Wrong},
            {guests, at(2027, 1, 4, 10, 0), "sowa", S, Naglos, Outcome::Correct},
            {guests, at(2027, 1, 4, 10, 1), "beczka", Cz, Srodglos, Outcome::Correct},
        };
        for (const Row& row : rows)
            ASSERT_TRUE(log.AddAttempt(
                row.game, {row.word, row.sound, row.position, row.outcome, {}, row.at}));
    }

    Filter child(QDate from = {}, QDate to = {}) const {
        return {Filter::Who::Child, ala, from, to};
    }

    QTemporaryDir dir;
    PracticeLog log{dir.filePath(PracticeLog::FileName())};
    PracticeReport report{log};
    qint64 ala = 0;
};

TEST_F(PracticeReportTest, SoundsByPositionCountEveryCellAndLeaveUnansweredOnesEmpty) {
    using Key = std::pair<std::uint16_t, std::uint16_t>;
    struct Case {
        const char* name;
        Filter filter;
        std::map<Key, Figures> answered; // every other cell: nothing, no accuracy
    };
    const Case cases[] = {
        {"Ala",
         child(),
         {{{Sz, Naglos}, {5, 2, 2, 1, 0.5}},
          {{Zh, Wyglos}, {1, 0, 0, 1, std::nullopt}},
          {{Cz, Srodglos}, {2, 0, 2, 0, 0.0}}}},
        {"everyone",
         {},
         {{{Sz, Naglos}, {5, 2, 2, 1, 0.5}},
          {{Zh, Wyglos}, {1, 0, 0, 1, std::nullopt}},
          {{Cz, Srodglos}, {3, 1, 2, 0, 1.0 / 3}},
          {{S, Naglos}, {1, 1, 0, 0, 1.0}}}},
        {"guest",
         {Filter::Who::Guest, 0, {}, {}},
         {{{Cz, Srodglos}, {1, 1, 0, 0, 1.0}}, {{S, Naglos}, {1, 1, 0, 0, 1.0}}}},
        {"Ala, 28 Dec to 3 Jan",
         child(QDate(2026, 12, 28), QDate(2027, 1, 3)),
         {{{Sz, Naglos}, {2, 1, 0, 1, 1.0}}, {{Zh, Wyglos}, {1, 0, 0, 1, std::nullopt}}}},
        {"Ala, up to 27 Dec", child({}, QDate(2026, 12, 27)), {{{Sz, Naglos}, {2, 1, 1, 0, 0.5}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto cells = report.SoundsByPosition(c.filter);
        ASSERT_TRUE(cells) << report.LastError().toStdString();
        ASSERT_EQ(cells->size(), 24u);
        for (const PracticeReport::Cell& cell : *cells) {
            const auto expected = c.answered.find({cell.sound, cell.position});
            EXPECT_EQ(cell.figures, expected == c.answered.end() ? Figures{} : expected->second)
                << cell.sound << "/" << cell.position;
        }
    }
}

TEST_F(PracticeReportTest, MostWrongWordsComeFirst) {
    using W = PracticeReport::WrongWord;
    struct Case {
        Filter filter;
        int limit;
        std::vector<W> expected;
    };
    const Case cases[] = {
        {child(), 10, {{"beczka", 2, 2}, {"szafa", 1, 3}, {"szyba", 1, 2}}},
        {{}, 2, {{"beczka", 2, 3}, {"szafa", 1, 3}}},
        {{Filter::Who::Guest, 0, {}, {}}, 10, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(report.MostWrongWords(c.filter, c.limit), c.expected);
}

TEST_F(PracticeReportTest, WeeklyAccuracyFollowsIsoWeeksAcrossTheYear) {
    struct Row {
        int year, week;
        std::uint16_t sound;
        Figures figures;
    };
    const Row expected[] = {
        {2026, 52, Sz, {2, 1, 1, 0, 0.5}},          {2026, 53, Sz, {2, 1, 0, 1, 1.0}},
        {2026, 53, Zh, {1, 0, 0, 1, std::nullopt}}, {2027, 1, Sz, {1, 0, 1, 0, 0.0}},
        {2027, 1, Cz, {2, 0, 2, 0, 0.0}},
    };
    const auto weeks = report.WeeklyAccuracy(child());
    ASSERT_TRUE(weeks) << report.LastError().toStdString();
    ASSERT_EQ(weeks->size(), std::size(expected));
    for (std::size_t i = 0; i < weeks->size(); ++i) {
        const PracticeReport::Week& week = (*weeks)[i];
        EXPECT_EQ(week.isoYear, expected[i].year) << i;
        EXPECT_EQ(week.isoWeek, expected[i].week) << i;
        EXPECT_EQ(week.sound, expected[i].sound) << i;
        EXPECT_EQ(week.figures, expected[i].figures) << i;
    }
}

} // namespace

namespace {

TEST_F(PracticeReportTest, FiltersNarrowTheGamesAndAnswersListed) {
    struct Case {
        const char* name;
        Filter filter;
        std::vector<std::string> games;   // whose, by start
        std::vector<std::string> answers; // words, the newest first
    };
    const Case cases[] = {
        {"everyone",
         {},
         {"Ala", "guest"},
         {"beczka", "sowa", "szyba", "beczka", "beczka", "jez", "szyba", "szafa", "szafa",
          "szafa"}},
        {"Ala's Memory: none", {Filter::Who::Child, ala, {}, {}, CStatRec::Memory}, {}, {}},
        {"Ala, cz and c in the word's middle",
         {Filter::Who::Child, ala, {}, {}, 0, std::uint16_t(Cz | C), Srodglos},
         {"Ala"},
         {"beczka", "beczka"}},
        {"the guest's s", {Filter::Who::Guest, 0, {}, {}, 0, S}, {"guest"}, {"sowa"}},
        {"from 4 January",
         {Filter::Who::All, 0, QDate(2027, 1, 4), {}},
         {},
         {"beczka", "sowa", "szyba", "beczka", "beczka"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto games = report.Games(c.filter);
        const auto answers = report.Answers(c.filter);
        ASSERT_TRUE(games && answers) << report.LastError().toStdString();
        std::vector<std::string> whose, words;
        for (const PracticeReport::Game& g : *games)
            whose.push_back(g.childId ? g.childName.toStdString() : "guest");
        for (const PracticeReport::Answer& a : *answers)
            words.push_back(a.word.toStdString());
        EXPECT_EQ(whose, c.games);
        EXPECT_EQ(words, c.answers);
    }
    // A game reads as the statistics file's record would.
    const auto games = report.Games(child());
    ASSERT_EQ(games->size(), 1u);
    EXPECT_EQ(games->front().record.kind, CStatRec::Podpisywanie);
    EXPECT_EQ(games->front().record.gloski, 0x7);
    EXPECT_TRUE(games->front().record.start.isValid());
}

// The view reads the log while the program writes it, and only reads it.
TEST_F(PracticeReportTest, ReaderReadsBesideTheWriterAndChangesNothing) {
    LogReader reader(log.Path());
    ASSERT_TRUE(reader.Open()) << reader.LastError().toStdString();
    PracticeReport fromReader(reader);
    EXPECT_EQ(fromReader.MostWrongWords({}, 10), report.MostWrongWords({}, 10));
    EXPECT_EQ(reader.ChildNamed(" ala ")->id, ala);
    EXPECT_FALSE(reader.ChildNamed("Ola"));
    EXPECT_NE(sqlite3_exec(reader.Connection(), "DELETE FROM attempts", nullptr, nullptr, nullptr),
              SQLITE_OK);
    // What the writer adds later is seen at the next query.
    ASSERT_TRUE(log.AddChild("Ola"));
    EXPECT_TRUE(reader.ChildNamed("Ola"));

    struct Case {
        const char* name;
        QByteArray bytes; // none: no file at all
    };
    const Case cases[] = {{"missing", {}}, {"not a database", "not a log"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("other.sqlite");
        QFile::remove(path);
        if (!c.bytes.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        LogReader other(path);
        EXPECT_FALSE(other.Open());
        EXPECT_FALSE(other.LastError().isEmpty());
        EXPECT_EQ(QFile::exists(path), !c.bytes.isEmpty());
    }
}

} // namespace
