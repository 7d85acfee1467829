#include "progressfilter.h"

namespace {

constexpr std::int64_t TicksPerSecond = 10'000'000;

std::int64_t fileTimeOf(std::chrono::system_clock::time_point when) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    return SystemTime::UnixEpochFileTime + seconds * TicksPerSecond;
}

} // namespace

bool ProgressFilter::Matches(const StatRecord& r, std::chrono::system_clock::time_point now) const {
    if (kind != 0 && r.kind != kind)
        return false;
    if (sound != 0 && !(r.gloski & sound))
        return false;
    if (position != 0 && !(r.pozycja & position))
        return false;
    if (period == Period::Everything)
        return true;
    if (!r.start.isValid())
        return false;
    const std::int64_t days = period == Period::Week ? 7 : 30;
    return r.start.toFileTime() >= fileTimeOf(now) - days * 86400 * TicksPerSecond;
}

std::vector<int> ProgressFilter::Apply(const std::vector<StatRecord>& records,
                                       std::chrono::system_clock::time_point now) const {
    std::vector<int> rows;
    rows.reserve(records.size());
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i)
        if (Matches(records[static_cast<std::size_t>(i)], now))
            rows.push_back(i);
    return rows;
}
