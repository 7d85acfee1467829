#include "progressstats.h"

#include "progressrow.h"

#include <QDateTime>
#include <algorithm>
#include <map>

std::optional<double> ProgressStats::Answers::Percent() const {
    return ProgressRow::AccuracyOf(correct, wrong);
}

void ProgressStats::Answers::Add(const StatRecord& r) {
    correct += std::max(r.correct, 0);
    wrong += std::max(r.wrong, 0);
}

ProgressStats ProgressStats::Of(const std::vector<StatRecord>& records,
                                const std::vector<int>& rows, const QTimeZone& zone) {
    ProgressStats stats;
    std::map<qint64, Answers> perDay; // Julian day → answers
    const bool utc = zone == QTimeZone::utc();
    for (int index : rows) {
        const StatRecord& r = records[static_cast<std::size_t>(index)];
        ++stats.games;
        stats.seconds += std::max(r.duration, 0);
        stats.answers.Add(r);
        for (int i = 0; i < 4; ++i)
            if (r.gloski & ProgressRow::SoundBits[i])
                stats.sounds[static_cast<std::size_t>(i)].Add(r);
        for (int i = 0; i < 3; ++i)
            if (r.pozycja & ProgressRow::PositionBits[i])
                stats.positions[static_cast<std::size_t>(i)].Add(r);
        if (!r.start.isValid())
            continue;
        QDate date(r.start.year, r.start.month, r.start.day);
        if (!utc)
            date = QDateTime(date, QTime(r.start.hour, r.start.minute, r.start.second),
                             QTimeZone::utc())
                       .toTimeZone(zone)
                       .date();
        perDay[date.toJulianDay()].Add(r);
    }
    stats.days.reserve(perDay.size());
    for (const auto& [day, answers] : perDay)
        stats.days.push_back({QDate::fromJulianDay(day), answers});
    return stats;
}
