// The progress view's logic without a window: cell texts and marks, accuracy, filters, sums,
// the day axis's labels and the CSV bytes.
#include "progresscsv.h"
#include "progressdayaxis.h"
#include "progressfilter.h"
#include "progressrow.h"
#include "progressstats.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

const QTimeZone kWarsaw("Europe/Warsaw");
// Tuesday 2024-03-05 14:07:09 UTC, 15:07 in Warsaw.
const system_clock::time_point kMarch5 = sys_days{2024y / March / 5} + 14h + 7min + 9s;

SystemTime utc(system_clock::time_point when) {
    SystemTime t;
    SystemTime::fromTimePoint(floor<milliseconds>(when), t);
    return t;
}

StatRecord run(std::int32_t kind, system_clock::time_point start, std::uint16_t gloski,
               std::uint16_t pozycja, std::int32_t correct, std::int32_t wrong) {
    StatRecord r;
    r.kind = kind;
    r.start = utc(start);
    r.poziom = 2;
    r.gloski = gloski;
    r.pozycja = pozycja;
    r.duration = 125;
    r.completed = 1;
    r.hints = 1;
    r.correct = correct;
    r.wrong = wrong;
    return r;
}

std::string text(const StatRecord& r, int column,
                 ProgressRow::Style style = ProgressRow::Style::Table) {
    return ProgressRow::Text(r, column, kWarsaw, style).toStdString();
}

TEST(ProgressRowTest, CellsReadInPolish) {
    const StatRecord r = run(3, kMarch5, 0x0003, 0x5000, 5, 2);
    struct Case {
        int column;
        const char* table;
        const char* csv;
    };
    const Case cases[] = {
        {ProgressRow::Date, "05.03.2024 15:07", "2024-03-05 15:07"},
        {ProgressRow::Game, "Uzupełnianie", "Uzupełnianie"},
        {ProgressRow::Tasks, "średnio", "średnio"},
        {ProgressRow::Sounds, "SZ, Ż/RZ", "SZ, Ż/RZ"},
        {ProgressRow::Positions, "nagłos, wygłos", "nagłos, wygłos"},
        {ProgressRow::Time, "2 min 5 s", "125"},
        {ProgressRow::Completed, "tak", "tak"},
        {ProgressRow::Accuracy, "71,4 %", "71,4"},
        {ProgressRow::Notes, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(c.table, text(r, c.column));
        EXPECT_EQ(c.csv, text(r, c.column, ProgressRow::Style::Csv));
        EXPECT_FALSE(ProgressRow::IsMarked(r, c.column));
    }
    // Summer time moves the local hour on.
    EXPECT_EQ(
        "05.07.2024 16:07",
        text(run(1, sys_days{2024y / July / 5} + 14h + 7min, 1, 0x1000, 1, 0), ProgressRow::Date));
}

TEST(ProgressRowTest, AccuracyNeedsAnswers) {
    struct Case {
        std::int32_t correct, wrong;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "–"},      {3, 0, "100,0 %"}, {0, 4, "0,0 %"},
        {2, 1, "66,7 %"}, {-1, 1, "–"},      {1, -1, "–"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.correct) + "/" + std::to_string(c.wrong));
        EXPECT_EQ(c.text,
                  text(run(2, kMarch5, 1, 0x1000, c.correct, c.wrong), ProgressRow::Accuracy));
    }
}

TEST(ProgressRowTest, OddValuesAreShownAsStoredAndMarked) {
    StatRecord feb31 = run(2, kMarch5, 1, 0x1000, 1, 0);
    feb31.start.month = 2;
    feb31.start.day = 31;
    StatRecord negative = run(2, kMarch5, 1, 0x1000, -3, -4);
    negative.duration = -9;
    negative.hints = -1;
    StatRecord oddBits = run(2, kMarch5, 0x0101, 0x9000, 1, 0);
    oddBits.poziom = 7;
    oddBits.completed = 2;
    struct Case {
        const char* name;
        StatRecord record;
        int column;
        const char* shown;
    };
    const Case cases[] = {
        {"kind 0", run(0, kMarch5, 1, 0x1000, 1, 0), ProgressRow::Game, "nieznana (0)"},
        {"kind 9", run(9, kMarch5, 1, 0x1000, 1, 0), ProgressRow::Game, "nieznana (9)"},
        {"kind -2", run(-2, kMarch5, 1, 0x1000, 1, 0), ProgressRow::Game, "nieznana (-2)"},
        {"31 February", feb31, ProgressRow::Date, "2024-02-31 14:07:09 UTC"},
        {"negative correct", negative, ProgressRow::Correct, "-3"},
        {"negative wrong", negative, ProgressRow::Wrong, "-4"},
        {"negative time", negative, ProgressRow::Time, "-9"},
        {"negative hints", negative, ProgressRow::Hints, "-1"},
        {"accuracy of negatives", negative, ProgressRow::Accuracy, "–"},
        {"unknown level", oddBits, ProgressRow::Tasks, "nieznana (7)"},
        {"unknown sound bits", oddBits, ProgressRow::Sounds, "SZ (0x0101)"},
        {"unknown position bits", oddBits, ProgressRow::Positions, "nagłos (0x9000)"},
        {"unknown completion", oddBits, ProgressRow::Completed, "nieznany (2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.shown, text(c.record, c.column));
        EXPECT_TRUE(ProgressRow::IsMarked(c.record, c.column));
        EXPECT_TRUE(ProgressRow::IsMarked(c.record, ProgressRow::Notes));
        EXPECT_NE("", text(c.record, ProgressRow::Notes));
    }
    EXPECT_EQ("niemożliwa data", text(feb31, ProgressRow::Notes));
    EXPECT_EQ("ujemne wartości", text(negative, ProgressRow::Notes));
}

TEST(ProgressCsvTest, TwoKnownRunsGiveTheseBytes) {
    std::vector<StatRecord> records = {
        run(2, kMarch5, 0x0001, 0x1000, 5, 2),
        run(4, kMarch5 + 26h, 0x000A, 0x6000, 0, 0),
    };
    records[1].poziom = 3;
    records[1].duration = 61;
    records[1].completed = 0;
    records[1].hints = 0;
    const QByteArray csv = ProgressCsv::Write(records, {1, 0}, kWarsaw);
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "Data i godzina;Gra;Liczba zadań;Głoski;Pozycje;Czas gry (s);Poprawne;Błędne;"
        "Podpowiedzi;Ukończona;Skuteczność (%);Uwagi\r\n"
        "2024-03-06 17:07;Spadające;dużo;Ż/RZ, DŻ;śródgłos, wygłos;61;0;0;0;nie;–;\r\n"
        "2024-03-05 15:07;Memory;średnio;SZ;nagłos;125;5;2;1;tak;71,4;\r\n";
    EXPECT_EQ(expected.toStdString(), csv.toStdString());
}

TEST(ProgressCsvTest, FieldsWithSeparatorsAreQuoted) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a", "a"}, {"a;b", "\"a;b\""}, {"say \"x\"", "\"say \"\"x\"\"\""}, {"a\nb", "\"a\nb\""}};
    for (const auto& c : cases)
        EXPECT_EQ(c.out, ProgressCsv::Field(QString::fromUtf8(c.in)).toStdString()) << c.in;
}

class ProgressFilterTest : public ::testing::Test {
protected:
    const system_clock::time_point now = kMarch5;
    // Oldest first, as in the file.
    std::vector<StatRecord> records = {
        run(1, now - 40 * 24h, 0x0001, 0x1000, 1, 0), // 0: labelling SZ nagłos, 40 days ago
        run(2, now - 20 * 24h, 0x0003, 0x3000, 1, 0), // 1: Memory SZ Ż śródgłos, 20 days ago
        run(3, now - 6 * 24h, 0x0004, 0x4000, 1, 0),  // 2: completing CZ wygłos, 6 days ago
        run(4, now - 1h, 0x0008, 0x5000, 1, 0),       // 3: falling DŻ nagłos wygłos, today
        run(7, now - 2h, 0x0001, 0x1000, 1, 0),       // 4: unknown kind
    };
    void SetUp() override {
        StatRecord bad = run(2, now, 0x0001, 0x1000, 1, 0);
        bad.start.day = 40;
        records.push_back(bad); // 5: impossible date
    }
};

TEST_F(ProgressFilterTest, EachFilterKeepsItsRunsNewestFirst) {
    using P = ProgressFilter::Period;
    struct Case {
        const char* name;
        ProgressFilter filter;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"everything", {}, {5, 4, 3, 2, 1, 0}},
        {"labelling", {1, 0, 0, P::Everything}, {0}},
        {"Memory", {2, 0, 0, P::Everything}, {5, 1}},
        {"falling", {4, 0, 0, P::Everything}, {3}},
        {"SZ", {0, 0x0001, 0, P::Everything}, {5, 4, 1, 0}},
        {"Ż/RZ", {0, 0x0002, 0, P::Everything}, {1}},
        {"DŻ", {0, 0x0008, 0, P::Everything}, {3}},
        {"nagłos", {0, 0, 0x1000, P::Everything}, {5, 4, 3, 1, 0}},
        {"wygłos", {0, 0, 0x4000, P::Everything}, {3, 2}},
        {"7 days", {0, 0, 0, P::Week}, {4, 3, 2}},
        {"30 days", {0, 0, 0, P::Month}, {4, 3, 2, 1}},
        {"Memory, SZ, śródgłos, 30 days", {2, 0x0001, 0x2000, P::Month}, {1}},
        {"nothing matches", {3, 0x0001, 0, P::Everything}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.rows, c.filter.Apply(records, now));
    }
}

TEST_F(ProgressFilterTest, SumsCoverTheFilteredRunsPerDayGroupAndPosition) {
    records[1].correct = 3;
    records[1].wrong = 1;
    records[2].correct = -5; // adds nothing
    records[2].wrong = 2;
    records[3].duration = -100; // adds no time
    const ProgressStats stats =
        ProgressStats::Of(records, ProgressFilter().Apply(records, now), kWarsaw);
    EXPECT_EQ(6, stats.games);
    EXPECT_EQ(5 * 125, stats.seconds);
    EXPECT_EQ(7, stats.answers.correct);
    EXPECT_EQ(3, stats.answers.wrong);
    ASSERT_TRUE(stats.answers.Percent().has_value());
    EXPECT_DOUBLE_EQ(70.0, *stats.answers.Percent());

    // Four days: the impossible date has none, the two runs of today share one.
    ASSERT_EQ(4u, stats.days.size());
    EXPECT_EQ(QDate(2024, 1, 25), stats.days[0].date);
    EXPECT_EQ(QDate(2024, 3, 5), stats.days[3].date);
    EXPECT_EQ(2, stats.days[3].answers.correct);

    const std::int64_t soundCorrect[] = {1 + 3 + 1 + 1, 3, 0, 1};
    const std::int64_t soundWrong[] = {1, 1, 2, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(soundCorrect[i], stats.sounds[i].correct) << i;
        EXPECT_EQ(soundWrong[i], stats.sounds[i].wrong) << i;
    }
    const std::int64_t positionCorrect[] = {1 + 3 + 1 + 1 + 1, 3, 1};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(positionCorrect[i], stats.positions[i].correct) << i;
    EXPECT_FALSE(ProgressStats::Of(records, {}, kWarsaw).answers.Percent().has_value());
}

TEST(ProgressDayAxisTest, LabelsNameWholeDaysOnceNewestIncluded) {
    const QDate march5(2024, 3, 5);
    struct Case {
        const char* name;
        int span; // days from the first to the last
        int fit;
        std::vector<int> daysBeforeLast; // of the labels, oldest first
    };
    const Case cases[] = {
        {"one day", 0, 6, {0}},
        {"two days", 1, 6, {1, 0}},
        {"a week, room for all", 6, 7, {6, 5, 4, 3, 2, 1, 0}},
        {"a week, room for four", 6, 4, {6, 4, 2, 0}},
        {"five weeks, room for six", 35, 6, {35, 28, 21, 14, 7, 0}},
        {"five weeks and a day", 36, 6, {32, 24, 16, 8, 0}},
        {"room for one", 20, 1, {0}},
        {"room for none", 20, 0, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<QDate> expected;
        for (int back : c.daysBeforeLast)
            expected.push_back(march5.addDays(-back));
        EXPECT_EQ(expected, ProgressDayAxis::LabelDays(march5.addDays(-c.span), march5, c.fit));
    }
    struct Fit {
        double axis, label;
        int labels;
    };
    for (const Fit& f : {Fit{400, 40, 7}, Fit{399, 40, 6}, Fit{39, 40, 1}, Fit{100, 0, 1}})
        EXPECT_EQ(f.labels, ProgressDayAxis::MaxLabels(f.axis, f.label))
            << f.axis << "/" << f.label;
}

} // namespace
