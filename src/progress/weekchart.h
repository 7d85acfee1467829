#pragma once

#include "logfigures.h"

#include <QChart>
#include <QStringList>
#include <array>
#include <vector>

class QCategoryAxis;
class QLineSeries;

// The accuracy of each sound group week by week: one line per group (its practised sound and
// its contrast together), a point for each week the group was answered in, and the weeks named
// under the axis by their Mondays, never more than fit side by side at the plot's width. The
// progress window shows one; the printed report draws its own at the page's size.
class WeekChart : public QChart {
public:
    WeekChart(int titleSize, int labelSize);

    void SetWeeks(const std::vector<LogFigures::Week>& weeks);
    // The names under the axis, oldest first.
    QStringList Labels() const;
    // The place of a week on the axis: weeks from the first one shown.
    qreal WeekValue(const QDate& monday) const;
    QCategoryAxis& Axis() const { return *m_axis; }

private:
    // Names the weeks again for the plot's present width.
    void relabel();

    std::array<QLineSeries*, LogFigures::GroupCount> m_lines{};
    QCategoryAxis* m_axis = nullptr;
    QDate m_first;
    int m_count = 0; // weeks from the first to the last shown
    bool m_withYear = false;
};
