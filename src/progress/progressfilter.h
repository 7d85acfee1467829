#pragma once

#include "statrecord.h"

#include <chrono>
#include <cstdint>
#include <vector>

// The filters of the progress view: one game or all, one sound group or all, one position or
// all, and the last 7 days, the last 30 days or everything. A run with an unknown game kind
// or an impossible date is seen only when the matching filter shows everything.
struct ProgressFilter {
    enum class Period { Everything, Week, Month };

    std::int32_t kind = 0;      // 0 every game, else 1..4
    std::uint16_t sound = 0;    // 0 every group, else one group bit 0x1..0x8
    std::uint16_t position = 0; // 0 every position, else one bit 0x1000..0x4000
    Period period = Period::Everything;

    bool Matches(const StatRecord& record, std::chrono::system_clock::time_point now) const;
    // Indices of the matching records, newest first: records are appended as games end, so
    // the file's order is the order in which they were played.
    std::vector<int> Apply(const std::vector<StatRecord>& records,
                           std::chrono::system_clock::time_point now) const;
};
