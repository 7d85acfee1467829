#pragma once

#include <QDate>
#include <vector>

// The days the day-by-day chart names under its axis: whole days only, each at most once, no
// more than fit side by side, evenly spaced and always including the newest day.
class ProgressDayAxis {
public:
    // Labels for the days from first to last; at least one, at most maxLabels (taken as 1
    // when smaller). Oldest first.
    static std::vector<QDate> LabelDays(QDate first, QDate last, int maxLabels);
    // The same for count evenly spaced places 0 .. count - 1 (weeks): which of them are named.
    static std::vector<int> LabelIndices(int count, int maxLabels);
    // How many labels of labelWidth pixels fit along an axis of axisWidth pixels with a gap
    // of half a label between neighbours; at least 1.
    static int MaxLabels(double axisWidth, double labelWidth);
};
