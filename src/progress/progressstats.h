#pragma once

#include "statrecord.h"

#include <QDate>
#include <QTimeZone>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Sums over the runs the progress view shows: totals, and accuracy per local day, per sound
// group and per position. A negative count adds nothing; a run with an impossible date has no
// day.
class ProgressStats {
public:
    struct Answers {
        std::int64_t correct = 0;
        std::int64_t wrong = 0;
        std::optional<double> Percent() const;
        void Add(const StatRecord& record);
    };
    struct Day {
        QDate date;
        Answers answers;
    };

    static ProgressStats Of(const std::vector<StatRecord>& records, const std::vector<int>& rows,
                            const QTimeZone& zone);

    int games = 0;
    std::int64_t seconds = 0;
    Answers answers;
    std::vector<Day> days; // oldest first
    std::array<Answers, 4> sounds;
    std::array<Answers, 3> positions;
};
