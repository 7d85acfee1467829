#include "systemtime.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

namespace {

using namespace std::chrono;

sys_time<milliseconds> utc(int y, unsigned mo, unsigned d, int h, int mi, int s, int ms) {
    return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s} +
           milliseconds{ms};
}

SystemTime make(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    SystemTime t;
    EXPECT_TRUE(SystemTime::fromTimePoint(utc(y, mo, d, h, mi, s, ms), t));
    return t;
}

TEST(SystemTimeTest, KnownTimeGivesTheSixteenLittleEndianBytes) {
    const SystemTime t = make(2024, 2, 29, 13, 45, 30, 123); // a Thursday
    std::array<char, SystemTime::ByteSize> bytes{};
    t.writeLE(bytes.data());
    const std::array<unsigned char, 16> expected = {
        0xE8, 0x07, // 2024
        0x02, 0x00, // February
        0x04, 0x00, // Thursday
        0x1D, 0x00, // 29th
        0x0D, 0x00, // 13 h
        0x2D, 0x00, // 45 min
        0x1E, 0x00, // 30 s
        0x7B, 0x00, // 123 ms
    };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(static_cast<unsigned char>(bytes[i]), expected[i]) << "byte " << i;
    EXPECT_EQ(SystemTime::readLE(bytes.data()), t);
}

struct WeekdayCase {
    int y;
    unsigned m, d;
    int dayOfWeek;
};

class SystemTimeWeekday : public ::testing::TestWithParam<WeekdayCase> {};

TEST_P(SystemTimeWeekday, CountsFromSunday) {
    const WeekdayCase& c = GetParam();
    EXPECT_EQ(make(c.y, c.m, c.d).dayOfWeek, c.dayOfWeek);
}

INSTANTIATE_TEST_SUITE_P(Dates, SystemTimeWeekday,
                         ::testing::Values(WeekdayCase{1601, 1, 1, 1}, WeekdayCase{1969, 12, 31, 3},
                                           WeekdayCase{1970, 1, 1, 4}, WeekdayCase{2000, 1, 1, 6},
                                           WeekdayCase{2023, 10, 15, 0},
                                           WeekdayCase{2024, 12, 31, 2}));

TEST(SystemTimeTest, FileTimeCountsHundredNanosecondsFrom1601) {
    EXPECT_EQ(make(1601, 1, 1).toFileTime(), 0);
    EXPECT_EQ(make(1970, 1, 1).toFileTime(), 116444736000000000LL);
    EXPECT_EQ(make(2000, 1, 1).toFileTime(), 125911584000000000LL);
    EXPECT_EQ(make(2000, 1, 1, 0, 0, 1, 250).toFileTime(), 125911584000000000LL + 12'500'000);
    // The whole 16-bit year range stays within 64 bits.
    EXPECT_GT(make(30827, 12, 31, 23, 59, 59, 999).toFileTime(), 0);
}

struct DurationCase {
    const char* name;
    SystemTime start, end;
    long long seconds;
};

class SystemTimeDuration : public ::testing::TestWithParam<DurationCase> {};

TEST_P(SystemTimeDuration, IsWholeSecondsTruncated) {
    const DurationCase& c = GetParam();
    EXPECT_EQ(SystemTime::secondsBetween(c.start, c.end), c.seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SystemTimeDuration,
    ::testing::Values(DurationCase{"Same", make(2024, 5, 1, 10), make(2024, 5, 1, 10), 0},
                      DurationCase{"MillisecondsDoNotRoundUp", make(2024, 5, 1, 10, 0, 0, 900),
                                   make(2024, 5, 1, 10, 0, 2, 100), 1},
                      DurationCase{"TwoMinutesFive", make(2024, 5, 1, 10, 58, 0),
                                   make(2024, 5, 1, 11, 0, 5), 125},
                      DurationCase{"OverMidnight", make(2024, 5, 1, 23, 59, 30),
                                   make(2024, 5, 2, 0, 0, 30), 60},
                      DurationCase{"OverLeapDayAndYear", make(2024, 2, 28, 12),
                                   make(2025, 2, 28, 12), 366LL * 86400},
                      DurationCase{"BackwardsTruncatesTowardZero", make(2024, 5, 1, 10, 0, 2, 100),
                                   make(2024, 5, 1, 10, 0, 0, 900), -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemTimeTest, NowUtcReadsTheGivenClock) {
    // A clock with finer ticks than milliseconds is floored, not rounded.
    const SystemTime t = SystemTime::nowUtc(
        [] { return system_clock::time_point(utc(2031, 7, 4, 5, 6, 7, 8)) + microseconds{999}; });
    const SystemTime expected{2031, 7, 5, 4, 5, 6, 7, 8}; // 4 July 2031 is a Friday
    EXPECT_EQ(t, expected);
}

TEST(SystemTimeTest, TimesBeforeTheEpochKeepTheirMilliseconds) {
    // Floor, not truncation: 1969-12-31 23:59:59.750 is 250 ms before 1970.
    SystemTime t;
    ASSERT_TRUE(SystemTime::fromTimePoint(sys_days{year{1970} / 1 / 1} - milliseconds{250}, t));
    const SystemTime expected{1969, 12, 3, 31, 23, 59, 59, 750};
    EXPECT_EQ(t, expected);
}

TEST(SystemTimeTest, OutOfRangeAndInvalidFieldsAreRefused) {
    SystemTime t;
    EXPECT_FALSE(SystemTime::fromTimePoint(utc(1600, 12, 31, 23, 59, 59, 999), t));
    EXPECT_FALSE(SystemTime::fromTimePoint(utc(30828, 1, 1, 0, 0, 0, 0), t));

    struct Bad {
        const char* what;
        SystemTime time;
    };
    const Bad bad[] = {
        {"month 13", {2024, 13, 0, 1, 0, 0, 0, 0}},
        {"30 February", {2024, 2, 0, 30, 0, 0, 0, 0}},
        {"29 February of a common year", {2023, 2, 0, 29, 0, 0, 0, 0}},
        {"hour 24", {2024, 1, 0, 1, 24, 0, 0, 0}},
        {"second 60", {2024, 1, 0, 1, 0, 0, 60, 0}},
        {"1000 ms", {2024, 1, 0, 1, 0, 0, 0, 1000}},
        {"all zero", {}},
    };
    for (const Bad& b : bad) {
        EXPECT_FALSE(b.time.isValid()) << b.what;
        EXPECT_EQ(b.time.toFileTime(), 0) << b.what;
    }
}

} // namespace
