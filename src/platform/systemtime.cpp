#include "systemtime.h"

namespace {

namespace chr = std::chrono;

constexpr std::int64_t TicksPerSecond = 10'000'000;
constexpr std::int64_t TicksPerMillisecond = 10'000;

void put16(char* out, std::uint16_t value) {
    out[0] = static_cast<char>(value & 0xFF);
    out[1] = static_cast<char>(value >> 8);
}

std::uint16_t get16(const char* in) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(in[0]) |
                                      (static_cast<unsigned char>(in[1]) << 8));
}

} // namespace

SystemTime SystemTime::nowUtc() {
    return nowUtc([] { return chr::system_clock::now(); });
}

SystemTime SystemTime::nowUtc(const Clock& clock) {
    SystemTime t;
    fromTimePoint(chr::floor<chr::milliseconds>(clock()), t);
    return t;
}

bool SystemTime::fromTimePoint(chr::sys_time<chr::milliseconds> ms, SystemTime& out) {
    const auto dayPoint = chr::floor<chr::days>(ms);
    const chr::year_month_day date{dayPoint};
    const int y = static_cast<int>(date.year());
    if (y < 1601 || y > 30827)
        return false;
    const chr::hh_mm_ss clockTime{ms - dayPoint};
    out.year = static_cast<std::uint16_t>(y);
    out.month = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    out.day = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    out.dayOfWeek = static_cast<std::uint16_t>(chr::weekday{dayPoint}.c_encoding());
    out.hour = static_cast<std::uint16_t>(clockTime.hours().count());
    out.minute = static_cast<std::uint16_t>(clockTime.minutes().count());
    out.second = static_cast<std::uint16_t>(clockTime.seconds().count());
    out.milliseconds = static_cast<std::uint16_t>(clockTime.subseconds().count());
    return true;
}

bool SystemTime::isValid() const {
    const chr::year_month_day date{chr::year{year}, chr::month{month}, chr::day{day}};
    return year >= 1601 && year <= 30827 && date.ok() && hour < 24 && minute < 60 && second < 60 &&
           milliseconds < 1000;
}

std::int64_t SystemTime::toFileTime() const {
    if (!isValid())
        return 0;
    const chr::sys_days date{chr::year{year} / chr::month{month} / chr::day{day}};
    const std::int64_t unixSeconds =
        chr::duration_cast<chr::seconds>(date.time_since_epoch()).count() + hour * 3600LL +
        minute * 60LL + second;
    return UnixEpochFileTime + unixSeconds * TicksPerSecond + milliseconds * TicksPerMillisecond;
}

void SystemTime::writeLE(char* out) const {
    const std::uint16_t fields[] = {year, month,  dayOfWeek, day,
                                    hour, minute, second,    milliseconds};
    for (int i = 0; i < 8; ++i)
        put16(out + 2 * i, fields[i]);
}

SystemTime SystemTime::readLE(const char* in) {
    SystemTime t;
    std::uint16_t* fields[] = {&t.year, &t.month,  &t.dayOfWeek, &t.day,
                               &t.hour, &t.minute, &t.second,    &t.milliseconds};
    for (int i = 0; i < 8; ++i)
        *fields[i] = get16(in + 2 * i);
    return t;
}

std::int64_t SystemTime::secondsBetween(const SystemTime& start, const SystemTime& end) {
    return (end.toFileTime() - start.toFileTime()) / TicksPerSecond;
}
