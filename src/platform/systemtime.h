#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// A UTC calendar time in the 16-byte layout the statistics file stores: eight unsigned
// 16-bit fields, little-endian, in this order.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;     // 1..12
    std::uint16_t dayOfWeek = 0; // 0 Sunday .. 6 Saturday
    std::uint16_t day = 0;       // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;

    static constexpr int ByteSize = 16;
    // Ticks of 100 ns from 1601-01-01 00:00 UTC to 1970-01-01 00:00 UTC.
    static constexpr std::int64_t UnixEpochFileTime = 116444736000000000LL;

    using Clock = std::function<std::chrono::system_clock::time_point()>;

    static SystemTime nowUtc();
    // The same, from a clock that tests can set.
    static SystemTime nowUtc(const Clock& clock);
    // Fails (returns false) outside the years 1601..30827 that the layout can hold.
    static bool fromTimePoint(std::chrono::sys_time<std::chrono::milliseconds> when,
                              SystemTime& out);

    // Fields name a real date and time (the day of week is not checked).
    bool isValid() const;
    // 100-ns ticks since 1601-01-01 UTC; 0 when the fields are not valid.
    std::int64_t toFileTime() const;
    // Writes the 16 bytes of the layout.
    void writeLE(char* out) const;
    static SystemTime readLE(const char* in);

    // Whole seconds from start to end, truncated toward zero.
    static std::int64_t secondsBetween(const SystemTime& start, const SystemTime& end);

    bool operator==(const SystemTime&) const = default;
};
